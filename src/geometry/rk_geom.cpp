// The three tolerances of every geometric comparison, in force from load time.
#include <cmath>
#include <cstdio>

#include "geometry/tolerance.hpp"

namespace {

constexpr Rk_GeometryStruct kDefaults = {1.0, 0.01, 1e-9};

}  // namespace

Rk_GeometryStruct rk::g_tolerances = kDefaults;

extern "C" RK_API int Rk_GeometryGet(double* angle_eps, double* point_eps, double* zero_eps)
{
    *angle_eps = rk::g_tolerances.angle_eps;
    *point_eps = rk::g_tolerances.point_eps;
    *zero_eps = rk::g_tolerances.zero_eps;
    return 0;
}

extern "C" RK_API int Rk_GeometryGetAngleEpsilon(double* angle_eps)
{
    *angle_eps = rk::g_tolerances.angle_eps;
    return 0;
}

extern "C" RK_API int Rk_GeometryGetPointEpsilon(double* point_eps)
{
    *point_eps = rk::g_tolerances.point_eps;
    return 0;
}

extern "C" RK_API int Rk_GeometryGetZeroEpsilon(double* zero_eps)
{
    *zero_eps = rk::g_tolerances.zero_eps;
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
    rk::g_tolerances = {std::fabs(angle_eps), std::fabs(point_eps), std::fabs(zero_eps)};
    return 0;
}

extern "C" RK_API int Rk_GeometrySetAngleEpsilon(double angle_eps)
{
    rk::g_tolerances.angle_eps = std::fabs(angle_eps);
    return 0;
}

extern "C" RK_API int Rk_GeometrySetPointEpsilon(double point_eps)
{
    rk::g_tolerances.point_eps = std::fabs(point_eps);
    return 0;
}

extern "C" RK_API int Rk_GeometrySetZeroEpsilon(double zero_eps)
{
    rk::g_tolerances.zero_eps = std::fabs(zero_eps);
    return 0;
}

extern "C" RK_API int Rk_GeometrySetToDefaults(void)
{
    rk::g_tolerances = kDefaults;
    return 0;
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
