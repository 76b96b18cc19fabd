// Datum features as callers pass them (a type code and rows of three doubles), and rigid motions
// of them worked out apart from the library.
#pragma once

#include <utility>

#include "../geometry/geometry_helpers.hpp"

namespace datumtest {

using namespace geomtest;

const Rk_PointStruct kO = P(0, 0, 0);
const Rk_VectorStruct kX = V(1, 0, 0), kY = V(0, 1, 0), kZ = V(0, 0, 1), kMX = V(-1, 0, 0), kMY = V(0, -1, 0);

struct Feature {
    int type;
    double rows[3][3];
    bool same(const Feature& o) const { return type == o.type && std::memcmp(rows, o.rows, sizeof rows) == 0; }
};

inline Feature None() { return {0, {}}; }
inline Feature Pt(Rk_PointStruct a) { return {1, {{a.pt_x, a.pt_y, a.pt_z}}}; }
inline Feature Ln(Rk_PointStruct a, Rk_PointStruct b)
{
    return {2, {{a.pt_x, a.pt_y, a.pt_z}, {b.pt_x, b.pt_y, b.pt_z}}};
}
// The plane through a, b, c; its normal is (b - a) x (c - a).
inline Feature Pl(Rk_PointStruct a, Rk_PointStruct b, Rk_PointStruct c)
{
    return {3, {{a.pt_x, a.pt_y, a.pt_z}, {b.pt_x, b.pt_y, b.pt_z}, {c.pt_x, c.pt_y, c.pt_z}}};
}
// Planes z = h, x = c and y = c, with normals (0, 0, 1), (1, 0, 0) and (0, 1, 0).
inline Feature ZPlane(double h) { return Pl(P(0, 0, h), P(1, 0, h), P(0, 1, h)); }
inline Feature XPlane(double c) { return Pl(P(c, 0, 0), P(c, 1, 0), P(c, 0, 1)); }
inline Feature YPlane(double c) { return Pl(P(0, c, 0), P(0, c, 1), P(1, c, 0)); }
// The plane z = 0 through (1, 1, 0), (2, 1, 0) and (1, 2, 0), with normal (0, 0, 1).
const Feature kFloor = Pl(P(1, 1, 0), P(2, 1, 0), P(1, 2, 0));

// The feature moved by the rigid motion that carries the world frame onto `m`.
inline Feature Move(Feature f, const Rk_RefFrameStruct& m)
{
    for (int r = 0; r < f.type; ++r) {
        const Rk_PointStruct p = Carry(m, P(f.rows[r][0], f.rows[r][1], f.rows[r][2]));
        std::memcpy(f.rows[r], &p, sizeof p);
    }
    return f;
}

// A plane in the other sense (its last two rows exchanged); other features as they are.
inline Feature Turned(Feature f)
{
    if (f.type == 3) std::swap(f.rows[1], f.rows[2]);
    return f;
}

}  // namespace datumtest
