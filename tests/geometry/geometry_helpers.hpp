// Builders, independent vector arithmetic and near-comparisons shared by the geometry tests.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "rk_basekit.h"

namespace geomtest {

constexpr double kPi = 3.14159265358979323846;

inline Rk_PointStruct P(double x, double y, double z) { return {x, y, z}; }
inline Rk_VectorStruct V(double i, double j, double k) { return {i, j, k}; }
inline Rk_LineStruct L(Rk_PointStruct a, Rk_PointStruct b) { return {a, b}; }
inline Rk_PlaneStruct Pl(Rk_PointStruct p, Rk_VectorStruct n) { return {p, n}; }

inline double Dot(const Rk_VectorStruct& a, const Rk_VectorStruct& b)
{
    return a.i_comp * b.i_comp + a.j_comp * b.j_comp + a.k_comp * b.k_comp;
}

inline Rk_VectorStruct Cross(const Rk_VectorStruct& a, const Rk_VectorStruct& b)
{
    return {a.j_comp * b.k_comp - a.k_comp * b.j_comp, a.k_comp * b.i_comp - a.i_comp * b.k_comp,
            a.i_comp * b.j_comp - a.j_comp * b.i_comp};
}

inline double Norm(const Rk_VectorStruct& a) { return std::sqrt(Dot(a, a)); }

inline Rk_VectorStruct Unit(const Rk_VectorStruct& a)
{
    return V(a.i_comp / Norm(a), a.j_comp / Norm(a), a.k_comp / Norm(a));
}

// head - tail.
inline Rk_VectorStruct Sub(const Rk_PointStruct& head, const Rk_PointStruct& tail)
{
    return {head.pt_x - tail.pt_x, head.pt_y - tail.pt_y, head.pt_z - tail.pt_z};
}

inline Rk_PointStruct Along(const Rk_PointStruct& p, const Rk_VectorStruct& d, double s)
{
    return {p.pt_x + s * d.i_comp, p.pt_y + s * d.j_comp, p.pt_z + s * d.k_comp};
}

// The unsigned angle between two vectors, in degrees.
inline double AngleDeg(const Rk_VectorStruct& a, const Rk_VectorStruct& b)
{
    return std::atan2(Norm(Cross(a, b)), Dot(a, b)) * 180.0 / kPi;
}

// A random right-handed orthonormal frame.
inline Rk_RefFrameStruct RandomFrame(std::mt19937& gen)
{
    std::uniform_real_distribution<double> u(-10.0, 10.0);
    const Rk_VectorStruct z = Unit(V(u(gen), u(gen), u(gen)));
    const Rk_VectorStruct x = Unit(Cross(V(u(gen), u(gen), u(gen)), z));
    return {x, Cross(z, x), z, P(u(gen), u(gen), u(gen))};
}

// The frame of the worked examples: origin (1, 2, 3), x along world y, y along world -x.
const Rk_RefFrameStruct kTurned = {{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}, {1, 2, 3}};

inline void ExpectPointNear(const Rk_PointStruct& got, const Rk_PointStruct& want, double tol, const char* why)
{
    EXPECT_NEAR(got.pt_x, want.pt_x, tol) << why;
    EXPECT_NEAR(got.pt_y, want.pt_y, tol) << why;
    EXPECT_NEAR(got.pt_z, want.pt_z, tol) << why;
}

inline void ExpectVectorNear(const Rk_VectorStruct& got, const Rk_VectorStruct& want, double tol, const char* why)
{
    EXPECT_NEAR(got.i_comp, want.i_comp, tol) << why;
    EXPECT_NEAR(got.j_comp, want.j_comp, tol) << why;
    EXPECT_NEAR(got.k_comp, want.k_comp, tol) << why;
}

}  // namespace geomtest
