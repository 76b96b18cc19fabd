// The file system as the library uses it (POSIX): the working directory, reading a file that is
// not a directory, and replacing a file whole through a new file beside it. These report what
// happened; the modules that call them raise the errors, under their own names.
#pragma once

#include <sys/stat.h>

#include <climits>
#include <cstddef>
#include <cstdio>

namespace rk::os {

// The working directory in the library's notation (every '/' turned into '\') into `out` of
// `size` bytes, or the test seam's substitute; false when it cannot be read or does not fit.
bool working_dir(char* out, std::size_t size);

// Opens `file` for reading; a directory counts as a file that cannot be opened (errno EISDIR).
std::FILE* open_for_reading(const char* file);

// A file replaced whole: its new content goes into a new file beside it (`<file>.<pid>-<n>.tmp`)
// that takes the original's permissions (and owner, where the process may give it) and replaces
// it only once complete and flushed to disk. Until then the original stays as it was; a
// replacement given up (destroyed before `commit`) removes the new file.
class Replacement {
public:
    Replacement() = default;
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;
    ~Replacement();

    // Names the file. A symbolic link is followed, so that the link stays a link and its target is
    // replaced; a file that does not exist yet keeps the name as given. False: the name is too long.
    bool resolve(const char* file);

    // Opens the original for reading and keeps its permissions. Null with `missing` set when it
    // does not exist (the file is new); null with `missing` clear when it cannot be read or is not
    // a regular file. The caller closes what it gets.
    std::FILE* open_original(bool* missing);

    // Opens the new file; false when no new file can be made beside the original.
    bool open_new();

    // Makes the new content durable and moves it over the original; false (the new file removed,
    // the original unchanged) when any step fails.
    bool commit();

    bool is_new() const { return is_new_; }
    std::FILE* out() const { return out_; }

private:
    static constexpr std::size_t kTempSuffixMax = 48;

    char path_[PATH_MAX] = {};
    char temp_[PATH_MAX + kTempSuffixMax] = {};
    struct stat original_ = {};
    bool is_new_ = false;
    std::FILE* out_ = nullptr;
};

}  // namespace rk::os
