// The samples as comma-separated values: one row per sample used, with its number, every
// measurement's value and every check point's image.
#pragma once

#include <ostream>

#include "analysis/summary.hpp"

namespace rkdatum {

// The run must have kept the images (run_variation's keep_images).
void write_samples_csv(std::ostream& out, const Scheme& scheme, const Results& results);

}  // namespace rkdatum
