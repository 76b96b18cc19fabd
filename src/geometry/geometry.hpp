// Plain arithmetic the geometry modules share: formulas that cannot fail, the unit conversions,
// and the two angular bands every parallel and perpendicular test of the kernel applies.
#pragma once

#include <cmath>

#include "geometry/tolerance.hpp"

namespace rk {

constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr double kRadiansPerDegree = 0.017453292519943295;

// An unsigned angle (degrees) is parallel strictly within angle_eps of 0 or of 180.
inline bool parallel_angle(double angle)
{
    return angle < angle_eps() || angle > 180.0 - angle_eps();
}

// An unsigned angle (degrees) is perpendicular within angle_eps of 90, bounds included.
inline bool perpendicular_angle(double angle)
{
    return 90.0 - angle_eps() <= angle && angle <= 90.0 + angle_eps();
}

inline double dot(const Rk_VectorStruct& a, const Rk_VectorStruct& b)
{
    return a.i_comp * b.i_comp + a.j_comp * b.j_comp + a.k_comp * b.k_comp;
}

inline double magnitude(const Rk_VectorStruct& v)
{
    return std::sqrt(v.i_comp * v.i_comp + v.j_comp * v.j_comp + v.k_comp * v.k_comp);
}

// The constant d of the plane's equation a·x + b·y + c·z + d = 0, (a, b, c) being its normal.
inline double plane_constant(const Rk_PlaneStruct& plane)
{
    const Rk_VectorStruct& n = plane.normal;
    return -(n.i_comp * plane.point.pt_x + n.j_comp * plane.point.pt_y + n.k_comp * plane.point.pt_z);
}

// `p` moved `dist` along the unit vector `unit`.
inline Rk_PointStruct offset_by(const Rk_PointStruct& p, double dist, const Rk_VectorStruct& unit)
{
    return {dist * unit.i_comp + p.pt_x, dist * unit.j_comp + p.pt_y, dist * unit.k_comp + p.pt_z};
}

// A point's coordinates read as a vector (a position vector), and the other way round.
inline Rk_VectorStruct as_vector(const Rk_PointStruct& p) { return {p.pt_x, p.pt_y, p.pt_z}; }
inline Rk_PointStruct as_point(const Rk_VectorStruct& v) { return {v.i_comp, v.j_comp, v.k_comp}; }

// A vector is zero when every component is strictly below zero_eps in absolute value.
inline bool is_zero_vector(double i, double j, double k)
{
    return std::fabs(i) < zero_eps() && std::fabs(j) < zero_eps() && std::fabs(k) < zero_eps();
}

}  // namespace rk
