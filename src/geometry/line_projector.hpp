// The foot of points on one line, the line's unit direction worked out once for all of them (the
// point module owns the projection; the closest-point search of two lines projects thousands of
// points on the same two lines).
#pragma once

#include "rk_basekit.h"

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

    const Rk_LineStruct& line_;
    Rk_VectorStruct unit_ = {};    // unit(point2 - point1)
    Rk_VectorStruct offset_ = {};  // unit_ made unit once more, as offsetting along it does
    bool has_direction_ = false;
};

}  // namespace rk
