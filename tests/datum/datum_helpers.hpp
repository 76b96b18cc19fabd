// Datum features as callers pass them (a type code and rows of three doubles), rigid motions of
// them worked out independently of the library, and the checks the datum tests share.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "../geometry/geometry_helpers.hpp"
#include "rk_basekit.h"

namespace datumtest {

using namespace geomtest;

struct Feature {
    int type;
    double rows[3][3];
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

inline bool SameRows(const Feature& a, const Feature& b)
{
    return a.type == b.type && std::memcmp(a.rows, b.rows, sizeof a.rows) == 0;
}

// The point of frame coordinates p: origin + p.x X + p.y Y + p.z Z.
inline Rk_PointStruct Carry(const Rk_RefFrameStruct& m, const Rk_PointStruct& p)
{
    const Rk_PointStruct o = m.origin;
    const Rk_VectorStruct &x = m.x_axis, &y = m.y_axis, &z = m.z_axis;
    return {o.pt_x + p.pt_x * x.i_comp + p.pt_y * y.i_comp + p.pt_z * z.i_comp,
            o.pt_y + p.pt_x * x.j_comp + p.pt_y * y.j_comp + p.pt_z * z.j_comp,
            o.pt_z + p.pt_x * x.k_comp + p.pt_y * y.k_comp + p.pt_z * z.k_comp};
}

// The feature moved by the rigid motion that carries the world frame onto `m`.
inline Feature Move(const Feature& f, const Rk_RefFrameStruct& m)
{
    Feature moved = f;
    for (int r = 0; r < f.type; ++r) {
        const Rk_PointStruct p = Carry(m, P(f.rows[r][0], f.rows[r][1], f.rows[r][2]));
        moved.rows[r][0] = p.pt_x;
        moved.rows[r][1] = p.pt_y;
        moved.rows[r][2] = p.pt_z;
    }
    return moved;
}

// A plane in the other sense (its last two rows exchanged); other features as they are.
inline Feature Turned(const Feature& f)
{
    Feature turned = f;
    if (f.type == 3) std::swap(turned.rows[1], turned.rows[2]);
    return turned;
}

inline void ExpectRightHandedOrthonormal(const Rk_RefFrameStruct& f, double tol, const char* why)
{
    EXPECT_NEAR(Norm(f.x_axis), 1.0, tol) << why;
    EXPECT_NEAR(Norm(f.y_axis), 1.0, tol) << why;
    EXPECT_NEAR(Norm(f.z_axis), 1.0, tol) << why;
    EXPECT_NEAR(Dot(f.x_axis, f.y_axis), 0.0, tol) << why;
    EXPECT_NEAR(Dot(f.y_axis, f.z_axis), 0.0, tol) << why;
    EXPECT_NEAR(Dot(f.z_axis, f.x_axis), 0.0, tol) << why;
    ExpectVectorNear(Cross(f.x_axis, f.y_axis), f.z_axis, tol, why);
}

// Largest difference between the entries of two matrices.
inline double MatrixGap(const Rk_TransformStruct& a, const Rk_TransformStruct& b)
{
    double gap = 0.0;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) gap = std::max(gap, std::fabs(a.transform[r][c] - b.transform[r][c]));
    return gap;
}

}  // namespace datumtest
