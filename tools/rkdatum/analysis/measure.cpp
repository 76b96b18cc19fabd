// Measurements taken from the images of the check points.
#include "analysis/measure.hpp"

#include <algorithm>
#include <cmath>

namespace rkdatum {

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;

double dot(const double a[3], const double b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

}  // namespace

double measure(const Measurement& m, const std::array<double, 3>* images)
{
    const double* p = images[m.check].data();
    const double r[3] = {p[0] - m.origin[0], p[1] - m.origin[1], p[2] - m.origin[2]};
    switch (m.kind) {
    case MeasureKind::coordinate:
        return dot(p, m.axis);
    case MeasureKind::distance_to_point:
        return std::sqrt(dot(r, r));
    case MeasureKind::distance_to_line: {
        const double along = dot(r, m.axis);
        return std::sqrt(std::max(0.0, dot(r, r) - along * along));
    }
    case MeasureKind::distance_to_plane:
        return dot(r, m.axis);
    case MeasureKind::angle_to_direction:
    case MeasureKind::angle_to_plane: {
        const double* q = images[m.second].data();
        const double d[3] = {q[0] - p[0], q[1] - p[1], q[2] - p[2]};
        const double cosine = std::clamp(dot(d, m.axis) / std::sqrt(dot(d, d)), -1.0, 1.0);
        return kDegreesPerRadian * (m.kind == MeasureKind::angle_to_plane ? std::asin(cosine) : std::acos(cosine));
    }
    }
    return 0.0;
}

}  // namespace rkdatum
