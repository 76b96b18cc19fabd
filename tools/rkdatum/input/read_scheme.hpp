// Reading a datum scheme from its settings file into the model. Reading checks everything a later
// library call would trip over, so that bad input ends in one message naming the file, the
// section, the setting and what was expected.
#pragma once

#include <stdexcept>
#include <string>

#include "model/scheme.hpp"

namespace rkdatum {

// Bad input: the text is complete and names the file, section and setting.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads and checks the settings file at `path`.
Scheme read_scheme(const std::string& path);

// Parses the sample count and the seed as the settings file and the command line give them;
// `where` opens the message of an InputError ("FILE: [Variation] samples").
long parse_samples(const std::string& text, const std::string& where);
int parse_seed(const std::string& text, const std::string& where);

// Refuses a run that would keep more values than kMaxStoredValues: per sample one per check point
// and measurement, and three more per check point when `keep_images` (for --samples-csv).
void check_run_size(const Scheme& scheme, bool keep_images, const std::string& where);

}  // namespace rkdatum
