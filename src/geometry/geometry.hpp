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

// A copy of a point made field by field: a copy of the whole record can be made with loads and
// stores of different widths, and a load that spans two stores stalls.
inline Rk_PointStruct read_point(const Rk_PointStruct* p)
{
    const double x = p->pt_x, y = p->pt_y, z = p->pt_z;
    return {x, y, z};
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
    if (squared < square_bound(kPointBelow2)) return true;
    if (squared > square_bound(kPointAbove2)) return false;
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
    if (squared > square_bound(kPointAbove2)) return true;
    if (squared < square_bound(kPointBelow2)) return false;
    return std::sqrt(squared) > point_eps();
}

// The constant d of the plane's equation a·x + b·y + c·z + d = 0, (a, b, c) being its normal.
inline double plane_constant(const Rk_PlaneStruct& plane)
{
    const Rk_VectorStruct& n = plane.normal;
    return -(n.i_comp * plane.point.pt_x + n.j_comp * plane.point.pt_y + n.k_comp * plane.point.pt_z);
}

// The step of Rk_PointProjOnPlane from a point to its foot, foot = p - (h / s)·n: h = n·p + d, the
// plane's equation at p, and s = n·n.
struct PlaneStep {
    double h;
    double s;
};

inline PlaneStep plane_step(const Rk_PointStruct& p, const Rk_PlaneStruct& plane)
{
    const double a = plane.normal.i_comp, b = plane.normal.j_comp, c = plane.normal.k_comp;
    const double d = plane_constant(plane);
    return {a * p.pt_x + b * p.pt_y + c * p.pt_z + d, a * a + b * b + c * c};
}

// Rk_PointProjOnPlane's arithmetic; false, with nothing written, when the normal is too short for
// a plane (that function refuses it with error 24).
inline bool foot_on_plane(const Rk_PointStruct& point, const Rk_PlaneStruct& plane, Rk_PointStruct* foot)
{
    const Rk_PointStruct p = read_point(&point);
    const PlaneStep step = plane_step(p, plane);
    if (std::fabs(step.s) < zero_eps()) return false;
    const double t = step.h / step.s;
    *foot = {p.pt_x - t * plane.normal.i_comp, p.pt_y - t * plane.normal.j_comp, p.pt_z - t * plane.normal.k_comp};
    return true;
}

// Whether p lies within point_eps of its foot on the plane (same_point(p, foot)), told from the step
// without the foot: the distance is |h| / sqrt(s), so h² against point_eps²·s, with a margin wide
// enough for the foot's rounding at the scale of p's coordinates (up to near_point_reach). 1 or 0;
// -1 when it cannot tell (near the bound, far coordinates, a normal beyond 2^±100 in length, NaN).
inline int on_plane_by_squares(const Rk_PointStruct& p, const PlaneStep& step)
{
    const double reach = near_point_reach();
    if (!(std::fabs(p.pt_x) <= reach && std::fabs(p.pt_y) <= reach && std::fabs(p.pt_z) <= reach)) return -1;
    if (!(step.s > 0x1p-200 && step.s < 0x1p200)) return -1;
    const double h2 = step.h * step.h;
    if (h2 < square_bound(kNearPointBelow2) * step.s) return 1;
    if (h2 > square_bound(kNearPointAbove2) * step.s) return 0;
    return -1;
}

// `p` moved `dist` along the unit vector `unit`.
inline Rk_PointStruct offset_by(const Rk_PointStruct& p, double dist, const Rk_VectorStruct& unit)
{
    return {dist * unit.i_comp + p.pt_x, dist * unit.j_comp + p.pt_y, dist * unit.k_comp + p.pt_z};
}

// A point's coordinates read as a vector (a position vector), and the other way round.
inline Rk_VectorStruct as_vector(const Rk_PointStruct& p) { return {p.pt_x, p.pt_y, p.pt_z}; }
inline Rk_PointStruct as_point(const Rk_VectorStruct& v) { return {v.i_comp, v.j_comp, v.k_comp}; }

// Rk_VectorUnitize's arithmetic; false, with nothing written, when the length is below zero_eps
// (that function refuses it with error 6).
inline bool unit_of(const Rk_VectorStruct& v, Rk_VectorStruct* unit)
{
    const double mag = magnitude(v);
    if (mag < zero_eps()) return false;
    *unit = {v.i_comp / mag, v.j_comp / mag, v.k_comp / mag};
    return true;
}

// A vector is zero when every component is strictly below zero_eps in absolute value.
inline bool is_zero_vector(double i, double j, double k)
{
    const double zero = zero_eps();
    return std::fabs(i) < zero && std::fabs(j) < zero && std::fabs(k) < zero;
}

inline bool is_zero_vector(const Rk_VectorStruct& v) { return is_zero_vector(v.i_comp, v.j_comp, v.k_comp); }

// Rk_VectorSetByLine without the call: a line with no direction is refused by that function, which
// raises its error (6, rk_vec).
inline int line_direction(const Rk_LineStruct& line, Rk_VectorStruct* dir)
{
    const Rk_VectorStruct d = from_to(line.point1, line.point2);
    if (!(dot(d, d) > square_bound(kDirection2)) && is_zero_vector(d)) return Rk_VectorSetByLine(dir, &line);
    *dir = d;
    return 0;
}

// ---- Angles decided on their cosine ----
//
// The angle between two vectors is acos(q) in degrees, q being their dot product over the product
// of their lengths. The angle falls as q rises, so a comparison of the angle with a bound is a
// comparison of q with the bound's cosine (tolerance.hpp). Rounding makes the two differ only for q
// within about 1e-15 of that cosine; closer than kCosineMargin, the angle is measured. Away from
// the bounds, q is not even needed: the squares of the dot product and of the lengths tell.

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
inline int side_of(double q, CosineBound b)
{
    const double c = cosine_bound(b);
    if (q > c + kCosineMargin) return 1;
    if (q < c - kCosineMargin) return -1;
    return 0;
}

// The parallel and perpendicular tests from the sides of their bounds: 1 or 0, -1 when a side is
// too close to tell.
inline int parallel_from_sides(int same, int opposite)
{
    if (same > 0 || opposite < 0) return 1;
    if (same < 0 && opposite > 0) return 0;
    return -1;
}

inline int perpendicular_from_sides(int low, int high)
{
    if (low > 0 && high < 0) return 1;
    if (low < 0 || high > 0) return 0;
    return -1;
}

// parallel_angle(angle_of_cosine(q)).
inline bool parallel_cosine(double q)
{
    const int answer = parallel_from_sides(side_of(q, kParallel), side_of(q, kAntiparallel));
    return answer >= 0 ? answer == 1 : parallel_angle(angle_of_cosine(q));
}

// perpendicular_angle(angle_of_cosine(q)).
inline bool perpendicular_cosine(double q)
{
    const int answer = perpendicular_from_sides(side_of(q, kPerpLow), side_of(q, kPerpHigh));
    return answer >= 0 ? answer == 1 : perpendicular_angle(angle_of_cosine(q));
}

enum class AngleTest { parallel, perpendicular };

// The test from the measured cosine, for the cases the squares leave open; kept out of line so
// that the shortcut below stays small enough to sit inside its callers.
__attribute__((noinline)) inline int measured_angle_test(const Rk_VectorStruct& a, const Rk_VectorStruct& b,
                                                         AngleTest test, int* flag)
{
    double q = 0.0;
    if (measured_cosine(a, b, &q) != 0) return 1;
    *flag = (test == AngleTest::parallel ? parallel_cosine(q) : perpendicular_cosine(q)) ? 1 : 0;
    return 0;
}

// The parallel or perpendicular test decided on e², the squared dot product, against p2, the
// product of the squared lengths: 1 or 0, -1 when the squares cannot tell.
inline int angle_test_by_squares(double e, double p2, AngleTest test)
{
    if (!(p2 > square_bound(kZeroAbove2) && p2 < HUGE_VAL)) return -1;
    const double e2 = e * e;
    const bool parallel = test == AngleTest::parallel;
    if (e2 > square_bound(parallel ? kParallelIn2 : kPerpendicularOut2) * p2) return parallel ? 1 : 0;
    if (e2 < square_bound(parallel ? kParallelOut2 : kPerpendicularIn2) * p2) return parallel ? 0 : 1;
    return -1;
}

// `flag` answers the parallel or perpendicular test on the angle between `a` and `b`, as the
// measured angle answers it: from the squares where they tell, else from the measured cosine.
// Fails as the measurement fails (error 6, rk_vec), when the product of the lengths is below
// zero_eps.
__attribute__((always_inline)) inline int angle_test(const Rk_VectorStruct& a, const Rk_VectorStruct& b,
                                                     AngleTest test, int* flag)
{
    const int answer = angle_test_by_squares(dot(a, b), dot(a, a) * dot(b, b), test);
    if (answer < 0) return measured_angle_test(a, b, test, flag);
    *flag = answer;
    return 0;
}

// Whether the angle between `a` and `b` exceeds a right angle, for vectors whose angle has been
// measured (the product of their lengths is at least zero_eps).
inline bool obtuse(const Rk_VectorStruct& a, const Rk_VectorStruct& b)
{
    const double e = dot(a, b), p2 = dot(a, a) * dot(b, b);
    if (e * e > kCosineMargin * kCosineMargin * p2 && p2 < HUGE_VAL) return e < 0.0;
    double q = 0.0;
    cosine_between(a, b, &q);
    return angle_of_cosine(q) > 90.0;
}

// A squared length whose square root is at least zero_eps, decided on the square where it tells.
inline bool length_at_least_zero_eps(double squared)
{
    return squared > square_bound(kZeroAbove2) || !(std::sqrt(squared) < zero_eps());
}

}  // namespace rk
