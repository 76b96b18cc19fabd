// Reading the [Measurements] section: named measurements of the object's check points, each
// with optional lower and upper limits.
#pragma once

#include <string>

#include "model/scheme.hpp"

namespace rkdatum {

// Reads the section into `scheme.measurements`; the check points must have been read.
void read_measurements(const std::string& file, Scheme& scheme);

}  // namespace rkdatum
