// The value of a measurement from the images of the check points and its geometry, both in the
// base's coordinates, and the geometry itself placed with the parts of one analysis. Plain
// arithmetic on the images: it cannot fail and allocates nothing.
#pragma once

#include <array>
#include <vector>

#include "analysis/nominal.hpp"

namespace rkdatum {

double measure(const Measurement& m, const std::array<double, 3>* images, const Geometry& geometry);

// Carries the measurement's geometry into the base's coordinates with the placements (and datum
// frames) of `e`, and the features in `work`; returns the library's status.
int place_geometry(const Scheme& scheme, const Measurement& m, const std::vector<DatumSet>& work,
                   const Evaluation& e, Geometry& out);

}  // namespace rkdatum
