// The foot of points on one line, the line's direction worked out once for all of them (the point
// module owns the projection; the rounds of the closest-point search project many points on the
// same two lines).
#pragma once

#include "geometry/geometry.hpp"

namespace rk {

class LineProjector {
public:
    // The line is read, not copied: it must outlive the projector.
    explicit LineProjector(const Rk_LineStruct& line) : line_(line) {}

    // The foot of `p` on the line; a point closer than point_eps to a defining point projects onto
    // that point itself. Error 6 (src/rk_vec) when the foot is needed and the line has no direction.
    int project(const Rk_PointStruct& p, Rk_PointStruct* foot);

private:
    int find_direction();
    int exact_direction();

    // The foot is point1 + (along_·(p - point1))·scale_·offset_: along_ = offset_ = point2 - point1
    // and scale_ = 1 / its squared length; or, on the vector operations' path, along_ = the unit
    // direction, offset_ = along_ made unit once more, scale_ = 1.
    const Rk_LineStruct& line_;
    Rk_VectorStruct along_ = {};
    Rk_VectorStruct offset_ = {};
    double scale_ = 1.0;
    bool has_direction_ = false;
};

// The foot of one point, as LineProjector works it out, without the projector.
inline int foot_on_line(const Rk_PointStruct& p, const Rk_LineStruct& line, Rk_PointStruct* foot)
{
    const Rk_PointStruct at = read_point(&p), a = read_point(&line.point1), b = read_point(&line.point2);
    if (same_point(at, a)) {
        *foot = a;
        return 0;
    }
    if (same_point(at, b)) {
        *foot = b;
        return 0;
    }
    const Rk_VectorStruct d = from_to(a, b);
    const double length2 = dot(d, d);
    if (!(length2 > square_bound(kDirection2))) return LineProjector(line).project(at, foot);
    const double s = d.i_comp * (at.pt_x - a.pt_x) + d.j_comp * (at.pt_y - a.pt_y) + d.k_comp * (at.pt_z - a.pt_z);
    *foot = offset_by(a, s * (1.0 / length2), d);
    return 0;
}

}  // namespace rk
