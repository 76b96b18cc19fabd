// Measurements taken from the images of the check points, against geometry placed in the base's
// coordinates: given there, carried by a part or its datum frame, or a feature of a part.
#include "analysis/measure.hpp"

#include <algorithm>
#include <cmath>

namespace rkdatum {

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;

double dot(const double a[3], const double b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

void unit(double v[3])
{
    const double size = std::sqrt(dot(v, v));
    for (int i = 0; i < 3; ++i) v[i] /= size;
}

// The feature's point and its line's direction or its plane's normal, in its owner's coordinates.
void feature_geometry(const Feature& f, Geometry& g)
{
    const double(*r)[3] = f.rows;
    std::copy(r[0], r[0] + 3, g.origin);
    const double a[3] = {r[1][0] - r[0][0], r[1][1] - r[0][1], r[1][2] - r[0][2]};
    if (f.type == kLine) std::copy(a, a + 3, g.axis);
    if (f.type == kPlane) {
        const double b[3] = {r[2][0] - r[0][0], r[2][1] - r[0][1], r[2][2] - r[0][2]};
        g.axis[0] = a[1] * b[2] - a[2] * b[1];
        g.axis[1] = a[2] * b[0] - a[0] * b[2];
        g.axis[2] = a[0] * b[1] - a[1] * b[0];
    }
    if (f.type != kPoint) unit(g.axis);
}

int carry_geometry(const Rk_TransformStruct& tfm, const Geometry& in, bool has_axis, Geometry& out)
{
    if (Rk_TransformApply(&tfm, in.origin[0], in.origin[1], in.origin[2], &out.origin[0], &out.origin[1],
                          &out.origin[2]) != 0)
        return 1;
    if (!has_axis) return 0;
    Rk_VectorStruct axis, placed;
    Rk_VectorSet(&axis, in.axis[0], in.axis[1], in.axis[2]);
    if (Rk_TransformApplyToVector(&tfm, &axis, &placed) != 0) return 1;
    return Rk_VectorGet(&placed, &out.axis[0], &out.axis[1], &out.axis[2]);
}

}  // namespace

double measure(const Measurement& m, const std::array<double, 3>* images, const Geometry& g)
{
    const double* p = images[m.check].data();
    const double r[3] = {p[0] - g.origin[0], p[1] - g.origin[1], p[2] - g.origin[2]};
    switch (m.kind) {
    case MeasureKind::coordinate:
    case MeasureKind::distance_to_plane:
        return dot(r, g.axis);
    case MeasureKind::distance_to_point:
        return std::sqrt(dot(r, r));
    case MeasureKind::distance_to_line: {
        const double along = dot(r, g.axis);
        return std::sqrt(std::max(0.0, dot(r, r) - along * along));
    }
    case MeasureKind::angle_to_direction:
    case MeasureKind::angle_to_plane: {
        const double* q = images[m.second].data();
        const double d[3] = {q[0] - p[0], q[1] - p[1], q[2] - p[2]};
        const double cosine = std::clamp(dot(d, g.axis) / std::sqrt(dot(d, d)), -1.0, 1.0);
        return kDegreesPerRadian * (m.kind == MeasureKind::angle_to_plane ? std::asin(cosine) : std::acos(cosine));
    }
    }
    return 0.0;
}

int place_geometry(const Scheme& scheme, const Measurement& m, const std::vector<DatumSet>& work,
                   const Evaluation& e, Geometry& out)
{
    const bool has_axis = m.kind != MeasureKind::distance_to_point;
    Geometry given;
    if (m.on_feature) {
        const Feature& f = work[m.feature_set].feature[m.feature_precedence];
        feature_geometry(f, given);
        return carry_geometry(e.placements[scheme.sets[m.feature_set].owner], given, f.type != kPoint, out);
    }
    std::copy(m.origin, m.origin + 3, given.origin);
    std::copy(m.axis, m.axis + 3, given.axis);
    switch (m.frame) {
    case Frame::base:
        out = given;
        return 0;
    case Frame::part:
        return carry_geometry(e.placements[m.frame_part], given, has_axis, out);
    case Frame::datum_frame: {
        Rk_TransformStruct in_part, placed;
        Rk_TransformSetByRefFrame(&in_part, &e.links[m.frame_part].datum_frame);
        Rk_TransformSetByTransforms(&placed, &in_part, &e.placements[m.frame_part]);
        return carry_geometry(placed, given, has_axis, out);
    }
    }
    return 0;
}

}  // namespace rkdatum
