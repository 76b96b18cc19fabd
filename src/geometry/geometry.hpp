// Plain arithmetic the geometry modules share: formulas that cannot fail, the unit conversions,
// the two angular bands every parallel and perpendicular test of the kernel applies, and the
// shortcuts that answer those tests, and point equality, without acos or a square root.
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

inline Rk_VectorStruct cross(const Rk_VectorStruct& a, const Rk_VectorStruct& b)
{
    return {a.j_comp * b.k_comp - a.k_comp * b.j_comp, a.k_comp * b.i_comp - a.i_comp * b.k_comp,
            a.i_comp * b.j_comp - a.j_comp * b.i_comp};
}

// b - a, as a vector from a to b.
inline Rk_VectorStruct from_to(const Rk_PointStruct& a, const Rk_PointStruct& b)
{
    return {b.pt_x - a.pt_x, b.pt_y - a.pt_y, b.pt_z - a.pt_z};
}

// The square of the distance, summed as Rk_PointDistFromPoint sums it before its square root.
inline double squared_distance(const Rk_PointStruct& a, const Rk_PointStruct& b)
{
    const double dx = b.pt_x - a.pt_x;
    const double dy = b.pt_y - a.pt_y;
    const double dz = b.pt_z - a.pt_z;
    return dx * dx + dy * dy + dz * dz;
}

// sqrt(squared) < point_eps, the test of point equality: decided on the square unless it lies
// within a hair of point_eps squared.
inline bool below_point_eps(double squared)
{
    if (squared < bound(kPointSqBelow)) return true;
    if (squared > bound(kPointSqAbove)) return false;
    return std::sqrt(squared) < point_eps();
}

inline bool same_point(const Rk_PointStruct& a, const Rk_PointStruct& b)
{
    return below_point_eps(squared_distance(a, b));
}

// sqrt(squared) >= point_eps (false for a NaN, as that comparison is).
inline bool at_least_point_eps(double squared) { return !below_point_eps(squared) && squared == squared; }

// sqrt(squared) > point_eps.
inline bool above_point_eps(double squared)
{
    if (squared > bound(kPointSqAbove)) return true;
    if (squared < bound(kPointSqBelow)) return false;
    return std::sqrt(squared) > point_eps();
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

inline bool is_zero_vector(const Rk_VectorStruct& v) { return is_zero_vector(v.i_comp, v.j_comp, v.k_comp); }

// Rk_VectorSetByLine without the call: a line with no direction is refused by that function, which
// raises its error (6, rk_vec).
inline int line_direction(const Rk_LineStruct& line, Rk_VectorStruct* dir)
{
    const Rk_VectorStruct d = from_to(line.point1, line.point2);
    if (is_zero_vector(d)) return Rk_VectorSetByLine(dir, &line);
    *dir = d;
    return 0;
}

// ---- Angles decided on their cosine ----
//
// The angle between two vectors is acos(q) in degrees, q being their dot product over the product
// of their lengths. The angle falls as q rises, so a comparison of the angle with a bound is a
// comparison of q with the bound's cosine, taken from tolerance.hpp. Rounding makes the two differ
// only for q within about 1e-15 of that cosine; closer than kCosineMargin, the angle is measured.

constexpr double kCosineMargin = 0x1p-44;

// The cosine of the angle between `a` and `b` as the angle measurement computes it; false when
// the product of their lengths is below zero_eps, where the measurement fails.
inline bool cosine_between(const Rk_VectorStruct& a, const Rk_VectorStruct& b, double* q)
{
    const double e = dot(a, b);
    const double p = magnitude(a) * magnitude(b);
    if (p < zero_eps()) return false;
    *q = e / p;
    return true;
}

// cosine_between, its failure raised as Rk_VectorAngleFromVector raises it (error 6, rk_vec).
inline int measured_cosine(const Rk_VectorStruct& a, const Rk_VectorStruct& b, double* q)
{
    if (cosine_between(a, b, q)) return 0;
    double angle = 0.0;
    return Rk_VectorAngleFromVector(&a, &b, &angle);
}

// The unsigned angle (degrees) of cosine q; rounding can carry q just past ±1, where acos is
// undefined.
inline double angle_of_cosine(double q)
{
    const double radians = q > 1.0 ? std::acos(1.0) : q < -1.0 ? std::acos(-1.0) : std::acos(q);
    return radians * kDegreesPerRadian;
}

// Which side of the bound's cosine q is clearly on: 1 above, -1 below, 0 too close to tell (or a
// NaN on either side).
inline int side_of(double q, Bound b)
{
    const double c = bound(b);
    if (q > c + kCosineMargin) return 1;
    if (q < c - kCosineMargin) return -1;
    return 0;
}

// parallel_angle(angle_of_cosine(q)).
inline bool parallel_cosine(double q)
{
    const int same = side_of(q, kCosParallel), opposite = side_of(q, kCosAntiparallel);
    if (same > 0 || opposite < 0) return true;
    if (same < 0 && opposite > 0) return false;
    return parallel_angle(angle_of_cosine(q));
}

// perpendicular_angle(angle_of_cosine(q)).
inline bool perpendicular_cosine(double q)
{
    const int low = side_of(q, kCosPerpLow), high = side_of(q, kCosPerpHigh);
    if (low > 0 && high < 0) return true;
    if (low < 0 || high > 0) return false;
    return perpendicular_angle(angle_of_cosine(q));
}

}  // namespace rk
