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

// Reads and checks the settings file at `path`; the scheme names its file `shown_as` when given
// (the report's file, and the name's default).
Scheme read_scheme(const std::string& path, const std::string& shown_as = "");

// Parses the sample count and the seed as the settings file and the command line give them;
// `where` opens the message of an InputError ("FILE: [Variation] samples").
long parse_samples(const std::string& text, const std::string& where);
int parse_seed(const std::string& text, const std::string& where);

// Refuses a run whose samples --samples-csv would keep in more than kMaxStoredValues values: per
// sample one per measurement and three per check point.
void check_kept_size(const Scheme& scheme, const std::string& where);

}  // namespace rkdatum
