// The three tolerances of every geometric comparison, in force from load time, and the bounds
// derived from them (tolerance.hpp), worked out again by every setter.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "geometry/geometry.hpp"

namespace {

constexpr Rk_GeometryStruct kDefaults = {1.0, 0.01, 1e-9};

// Squares of tolerances beyond these could underflow or overflow: they are left to the exact
// comparisons.
constexpr double kSmallestTolerance = 1e-100;
constexpr double kLargestTolerance = 1e100;
// How far from the square of a tolerance a squared length must lie for the shortcut to decide:
// far more than the rounding of a square and of a square root.
constexpr double kSquareMargin = 0x1p-40;

const double kNaN = std::nan("");

void store(std::atomic<double>& slot, double value) { slot.store(value, std::memory_order_relaxed); }
void store(rk::SquareBound b, double value) { store(rk::g_square[b], value); }

// The cosine of an angle of `degrees`, NaN outside 0 to 180; `degrees` comes from the same sums as
// the comparison of geometry.hpp whose bound it is.
double cosine_of(double degrees)
{
    const bool usable = 0.0 <= degrees && degrees <= 180.0;
    return usable ? std::cos(degrees * rk::kRadiansPerDegree) : kNaN;
}

// The square of the band edge `edge` moved outward (+1) or inward (-1) by the margin; NaN unless
// the band's cosines lie clear of 0 on their own sides.
double band_square(bool usable, double edge, double outward)
{
    const double moved = edge + outward * rk::kCosineMargin;
    return usable ? moved * moved : kNaN;
}

void derive_angle_bounds(double angle_eps)
{
    const double c_par = cosine_of(angle_eps), c_anti = cosine_of(180.0 - angle_eps);
    const double c_low = cosine_of(90.0 + angle_eps), c_high = cosine_of(90.0 - angle_eps);
    store(rk::g_cosine[rk::kParallel], c_par);
    store(rk::g_cosine[rk::kAntiparallel], c_anti);
    store(rk::g_cosine[rk::kPerpLow], c_low);
    store(rk::g_cosine[rk::kPerpHigh], c_high);
    // |q| beyond both parallel cosines is parallel, |q| short of both is not; the same, turned
    // about, for the perpendicular band.
    const double clear = 2.0 * rk::kCosineMargin;
    const bool parallel = c_par > clear && -c_anti > clear;
    store(rk::kParallelIn2, band_square(parallel, std::max(c_par, -c_anti), 1.0));
    store(rk::kParallelOut2, band_square(parallel, std::min(c_par, -c_anti), -1.0));
    const bool perpendicular = c_high > clear && -c_low > clear;
    store(rk::kPerpendicularIn2, band_square(perpendicular, std::min(c_high, -c_low), -1.0));
    store(rk::kPerpendicularOut2, band_square(perpendicular, std::max(c_high, -c_low), 1.0));
}

bool squares_usable(double tolerance) { return kSmallestTolerance <= tolerance && tolerance <= kLargestTolerance; }

// A foot p - t·n is rounded at the scale of p: the distance from p to it errs by a few units in
// the last place of the coordinates, besides its own rounding. Up to 2^27·point_eps that error
// is below 2^-25·point_eps, well inside the margin of 2^-21·point_eps that a relative margin of
// 2^-20 on the square leaves.
constexpr double kNearSquareMargin = 0x1p-20;
constexpr double kNearReach = 0x1p27;

void derive_point_bounds(double point_eps)
{
    const bool usable = squares_usable(point_eps);
    const double square = point_eps * point_eps;
    store(rk::kPointBelow2, usable ? square * (1.0 - kSquareMargin) : -1.0);
    store(rk::kPointAbove2, usable ? square * (1.0 + kSquareMargin) : HUGE_VAL);
    store(rk::kNearPointBelow2, usable ? square * (1.0 - kNearSquareMargin) : -1.0);
    store(rk::kNearPointAbove2, usable ? square * (1.0 + kNearSquareMargin) : HUGE_VAL);
    store(rk::g_near_point_reach, usable ? point_eps * kNearReach : -1.0);
}

// A vector whose components are all below zero_eps has a squared length below 3·zero_eps²; a unit
// vector fails to be unitized only under a zero tolerance above 1.
void derive_zero_bounds(double zero_eps)
{
    const bool usable = squares_usable(zero_eps);
    const double square = zero_eps * zero_eps * (1.0 + kSquareMargin);
    store(rk::kZeroAbove2, usable ? square : HUGE_VAL);
    store(rk::kDirection2, usable && zero_eps <= 0.5 ? 3.0 * square : HUGE_VAL);
    store(rk::g_log_zero_eps, std::log(zero_eps));
}

void set_angle_eps(double angle_eps)
{
    store(rk::g_angle_eps, std::fabs(angle_eps));
    derive_angle_bounds(std::fabs(angle_eps));
}

void set_point_eps(double point_eps)
{
    store(rk::g_point_eps, std::fabs(point_eps));
    derive_point_bounds(std::fabs(point_eps));
}

void set_zero_eps(double zero_eps)
{
    store(rk::g_zero_eps, std::fabs(zero_eps));
    derive_zero_bounds(std::fabs(zero_eps));
}

// Until this runs at load time every bound sends the comparisons to the exact path, so nothing
// depends on the order in which the library's objects are initialised.
struct DeriveAtLoad {
    DeriveAtLoad()
    {
        derive_angle_bounds(kDefaults.angle_eps);
        derive_point_bounds(kDefaults.point_eps);
        derive_zero_bounds(kDefaults.zero_eps);
    }
} g_derive_at_load;

}  // namespace

namespace {

constexpr double kUnset = __builtin_nan("");
constexpr double kUnreachable = __builtin_huge_val();

}  // namespace

std::atomic<double> rk::g_angle_eps{kDefaults.angle_eps};
std::atomic<double> rk::g_point_eps{kDefaults.point_eps};
std::atomic<double> rk::g_zero_eps{kDefaults.zero_eps};
std::atomic<double> rk::g_log_zero_eps{kUnset};
std::atomic<double> rk::g_cosine[rk::kCosineBounds] = {{kUnset}, {kUnset}, {kUnset}, {kUnset}};
std::atomic<double> rk::g_square[rk::kSquareBounds] = {{-1.0},    {kUnreachable}, {kUnreachable}, {kUnreachable},
                                                       {kUnset}, {kUnset},       {kUnset},       {kUnset},
                                                       {-1.0},   {kUnreachable}};
std::atomic<double> rk::g_near_point_reach{-1.0};

extern "C" RK_API int Rk_GeometryGet(double* angle_eps, double* point_eps, double* zero_eps)
{
    *angle_eps = rk::angle_eps();
    *point_eps = rk::point_eps();
    *zero_eps = rk::zero_eps();
    return 0;
}

extern "C" RK_API int Rk_GeometryGetAngleEpsilon(double* angle_eps)
{
    *angle_eps = rk::angle_eps();
    return 0;
}

extern "C" RK_API int Rk_GeometryGetPointEpsilon(double* point_eps)
{
    *point_eps = rk::point_eps();
    return 0;
}

extern "C" RK_API int Rk_GeometryGetZeroEpsilon(double* zero_eps)
{
    *zero_eps = rk::zero_eps();
    return 0;
}

extern "C" RK_API int Rk_GeometryGetDefaults(double* angle_eps, double* point_eps, double* zero_eps)
{
    *angle_eps = kDefaults.angle_eps;
    *point_eps = kDefaults.point_eps;
    *zero_eps = kDefaults.zero_eps;
    return 0;
}

extern "C" RK_API int Rk_GeometrySet(double angle_eps, double point_eps, double zero_eps)
{
    set_angle_eps(angle_eps);
    set_point_eps(point_eps);
    set_zero_eps(zero_eps);
    return 0;
}

extern "C" RK_API int Rk_GeometrySetAngleEpsilon(double angle_eps)
{
    set_angle_eps(angle_eps);
    return 0;
}

extern "C" RK_API int Rk_GeometrySetPointEpsilon(double point_eps)
{
    set_point_eps(point_eps);
    return 0;
}

extern "C" RK_API int Rk_GeometrySetZeroEpsilon(double zero_eps)
{
    set_zero_eps(zero_eps);
    return 0;
}

extern "C" RK_API int Rk_GeometrySetToDefaults(void)
{
    return Rk_GeometrySet(kDefaults.angle_eps, kDefaults.point_eps, kDefaults.zero_eps);
}

extern "C" RK_API int Rk_GeometryDebug(void)
{
    double angle_eps = 0.0;
    double point_eps = 0.0;
    double zero_eps = 0.0;
    Rk_GeometryGet(&angle_eps, &point_eps, &zero_eps);
    std::printf("\n Angle Eps = %10.4e, Point Eps = %10.4e, Zero Eps = %10.4e", angle_eps, point_eps, zero_eps);
    return 0;
}
