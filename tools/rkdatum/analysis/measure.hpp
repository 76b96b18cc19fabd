// The value of a measurement from the images of the check points in the target's coordinates.
// Plain arithmetic on the images: it cannot fail and allocates nothing.
#pragma once

#include <array>

#include "model/measurement.hpp"

namespace rkdatum {

double measure(const Measurement& m, const std::array<double, 3>* images);

}  // namespace rkdatum
