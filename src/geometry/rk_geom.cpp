// The three tolerances of every geometric comparison, in force from load time, and the bounds
// derived from them (tolerance.hpp), worked out again by every setter.
#include <cmath>
#include <cstdio>

#include "geometry/geometry.hpp"

namespace {

constexpr Rk_GeometryStruct kDefaults = {1.0, 0.01, 1e-9};

// Squares of distances beyond these are left to the exact comparison: they could underflow or
// overflow.
constexpr double kSmallestSquaredTolerance = 1e-150;
constexpr double kLargestSquaredTolerance = 1e150;
// How far from the square of point_eps a squared distance must lie for the shortcut to decide:
// far more than the rounding of a square and of a square root.
constexpr double kSquareMargin = 0x1p-40;

// The cosine of an angle of `degrees`, for an angle between 0 and 180 (NaN otherwise: the
// shortcut is not used).
double cosine_bound(double degrees)
{
    if (!(0.0 <= degrees && degrees <= 180.0)) return std::nan("");
    return std::cos(degrees * rk::kRadiansPerDegree);
}

void store(rk::Bound b, double value) { rk::g_bounds[b].store(value, std::memory_order_relaxed); }

// The bounds mirror the comparisons of geometry.hpp, with the same sums.
void derive_angle_bounds(double angle_eps)
{
    store(rk::kCosParallel, cosine_bound(angle_eps));
    store(rk::kCosAntiparallel, cosine_bound(180.0 - angle_eps));
    store(rk::kCosPerpLow, cosine_bound(90.0 + angle_eps));
    store(rk::kCosPerpHigh, cosine_bound(90.0 - angle_eps));
}

void derive_point_bounds(double point_eps)
{
    const bool usable = kSmallestSquaredTolerance <= point_eps && point_eps <= kLargestSquaredTolerance;
    const double square = point_eps * point_eps;
    store(rk::kPointSqBelow, usable ? square * (1.0 - kSquareMargin) : -1.0);
    store(rk::kPointSqAbove, usable ? square * (1.0 + kSquareMargin) : HUGE_VAL);
}

void set_angle_eps(double angle_eps)
{
    rk::g_angle_eps.store(std::fabs(angle_eps), std::memory_order_relaxed);
    derive_angle_bounds(std::fabs(angle_eps));
}

void set_point_eps(double point_eps)
{
    rk::g_point_eps.store(std::fabs(point_eps), std::memory_order_relaxed);
    derive_point_bounds(std::fabs(point_eps));
}

void set_zero_eps(double zero_eps) { rk::g_zero_eps.store(std::fabs(zero_eps), std::memory_order_relaxed); }

// Until this runs at load time every bound sends the comparisons to the exact path, so nothing
// depends on the order in which the library's objects are initialised.
struct DeriveAtLoad {
    DeriveAtLoad()
    {
        derive_angle_bounds(kDefaults.angle_eps);
        derive_point_bounds(kDefaults.point_eps);
    }
} g_derive_at_load;

}  // namespace

std::atomic<double> rk::g_angle_eps{kDefaults.angle_eps};
std::atomic<double> rk::g_point_eps{kDefaults.point_eps};
std::atomic<double> rk::g_zero_eps{kDefaults.zero_eps};
std::atomic<double> rk::g_bounds[rk::kBoundCount] = {{__builtin_nan("")}, {__builtin_nan("")}, {__builtin_nan("")},
                                                    {__builtin_nan("")}, {-1.0}, {__builtin_huge_val()}};

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
