// Reading the [Measurements] section: named measurements of the check points' images, against
// geometry in the base, in a part or a part's datum frame, or a part's feature; each with optional
// lower and upper limits.
#pragma once

#include <string>

#include "model/scheme.hpp"

namespace rkdatum {

// Reads the section into `scheme.measurements`; the parts and check points must have been read.
void read_measurements(const std::string& file, Scheme& scheme);

}  // namespace rkdatum
