// The tool's use of the library as a whole: finding the message file, initialising and freeing the
// library, and draining the error queue into readable texts. Every other room may use this one.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include <rk_basekit.h>

namespace rkdatum {

// A library call failed; the error queue holds the cause and `what()` names the step.
class LibraryFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The message file to initialise the library with: `explicit_path` when given, else the one
// installed beside the program (<prefix>/share/rkbasekit/messages.txt), else the source tree's.
// An error record keeps at most 128 characters of the path, so a longer absolute path is handed
// over relative to the working directory when that is short enough.
std::string find_message_file(const std::string& explicit_path);

// The library, initialised for the lifetime of the object.
class Session {
public:
    explicit Session(const std::string& message_file);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
};

// One queued error with its texts from the message file.
struct ErrorText {
    long id = 0;
    std::string location;
    std::string summary;
    std::vector<std::string> detail;
};

// Takes every queued error out, oldest first, with its texts.
std::vector<ErrorText> drain_errors();

// The lines that show `errors` after a line saying what failed.
std::vector<std::string> error_lines(const std::string& what, const std::vector<ErrorText>& errors);

// Writes lines to standard error through a report whose line function prints there.
void write_to_stderr(const std::vector<std::string>& lines);

}  // namespace rkdatum
