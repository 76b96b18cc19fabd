// Points: the first value type of the geometry kernel, and the operations on points alone.
#include <cmath>

#include "core/tolerance.hpp"

extern "C" RK_API int Rk_PointInit(Rk_PointStruct* pointPtr)
{
    *pointPtr = {0.0, 0.0, 0.0};
    return 0;
}

extern "C" RK_API int Rk_PointSet(Rk_PointStruct* pointPtr, double x, double y, double z)
{
    *pointPtr = {x, y, z};
    return 0;
}

extern "C" RK_API int Rk_PointSetX(Rk_PointStruct* pointPtr, double x)
{
    pointPtr->pt_x = x;
    return 0;
}

extern "C" RK_API int Rk_PointSetY(Rk_PointStruct* pointPtr, double y)
{
    pointPtr->pt_y = y;
    return 0;
}

extern "C" RK_API int Rk_PointSetZ(Rk_PointStruct* pointPtr, double z)
{
    pointPtr->pt_z = z;
    return 0;
}

extern "C" RK_API int Rk_PointGet(const Rk_PointStruct* pointPtr, double* x, double* y, double* z)
{
    *x = pointPtr->pt_x;
    *y = pointPtr->pt_y;
    *z = pointPtr->pt_z;
    return 0;
}

extern "C" RK_API int Rk_PointGetX(const Rk_PointStruct* pointPtr, double* x)
{
    *x = pointPtr->pt_x;
    return 0;
}

extern "C" RK_API int Rk_PointGetY(const Rk_PointStruct* pointPtr, double* y)
{
    *y = pointPtr->pt_y;
    return 0;
}

extern "C" RK_API int Rk_PointGetZ(const Rk_PointStruct* pointPtr, double* z)
{
    *z = pointPtr->pt_z;
    return 0;
}

extern "C" RK_API int Rk_PointDistFromPoint(const Rk_PointStruct* point1, const Rk_PointStruct* point2,
                                            double* dist)
{
    const double dx = point2->pt_x - point1->pt_x;
    const double dy = point2->pt_y - point1->pt_y;
    const double dz = point2->pt_z - point1->pt_z;
    *dist = std::sqrt(dx * dx + dy * dy + dz * dz);
    return 0;
}

extern "C" RK_API int Rk_PointIsEqualToPoint(const Rk_PointStruct* point1, const Rk_PointStruct* point2,
                                             int* equal)
{
    double dist = 0.0;
    Rk_PointDistFromPoint(point1, point2, &dist);
    *equal = dist < rk::point_eps() ? 1 : 0;
    return 0;
}

extern "C" RK_API int Rk_PointGetMidpoint(const Rk_PointStruct* pt1, const Rk_PointStruct* pt2,
                                          Rk_PointStruct* midpt)
{
    *midpt = {(pt1->pt_x + pt2->pt_x) / 2.0, (pt1->pt_y + pt2->pt_y) / 2.0, (pt1->pt_z + pt2->pt_z) / 2.0};
    return 0;
}
