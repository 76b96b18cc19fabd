// Points: the first value type of the geometry kernel, the operations on points alone, and the
// relations of a point to a direction, a line and a plane (offsets, projections, distances).
#include <cmath>
#include <cstdio>

#include "core/fail.hpp"
#include "geometry/geometry.hpp"
#include "geometry/line_projector.hpp"

namespace {

constexpr char kModule[] = "src/rk_point";

}  // namespace

namespace rk {

// The unit direction, made unit once more for offsetting, as the vector operations make it; they
// raise the error of a line with no direction, and of a zero tolerance that even a unit vector
// fails.
int LineProjector::exact_direction()
{
    RK_TRY(Rk_VectorSetByLine(&unit_, &line_));
    RK_TRY(Rk_VectorUnitize(&unit_, &unit_));
    RK_TRY(Rk_VectorUnitize(&unit_, &offset_));
    has_direction_ = true;
    return 0;
}

// The second unitizing changes a unit vector by a few units in the last place, so the unit
// direction itself serves for offsetting whenever that step cannot fail.
int LineProjector::find_direction()
{
    const Rk_VectorStruct d = from_to(line_.point1, line_.point2);
    const double length = magnitude(d);
    if (is_zero_vector(d) || !(length >= zero_eps()) || zero_eps() > 0.5) return exact_direction();
    const double inverse = 1.0 / length;
    unit_ = {d.i_comp * inverse, d.j_comp * inverse, d.k_comp * inverse};
    offset_ = unit_;
    has_direction_ = true;
    return 0;
}

int LineProjector::project(const Rk_PointStruct& p, Rk_PointStruct* foot)
{
    const Rk_PointStruct at = p;
    if (same_point(at, line_.point1)) {
        *foot = line_.point1;
        return 0;
    }
    if (same_point(at, line_.point2)) {
        *foot = line_.point2;
        return 0;
    }
    if (!has_direction_) RK_TRY(find_direction());
    const Rk_PointStruct& base = line_.point1;
    const double s = unit_.i_comp * (at.pt_x - base.pt_x) + unit_.j_comp * (at.pt_y - base.pt_y) +
                     unit_.k_comp * (at.pt_z - base.pt_z);
    *foot = offset_by(base, s, offset_);
    return 0;
}

}  // namespace rk

extern "C" RK_API int Rk_PointInit(Rk_PointStruct* point)
{
    *point = {0.0, 0.0, 0.0};
    return 0;
}

extern "C" RK_API int Rk_PointSet(Rk_PointStruct* point, double x, double y, double z)
{
    *point = {x, y, z};
    return 0;
}

extern "C" RK_API int Rk_PointSetX(Rk_PointStruct* point, double x)
{
    point->pt_x = x;
    return 0;
}

extern "C" RK_API int Rk_PointSetY(Rk_PointStruct* point, double y)
{
    point->pt_y = y;
    return 0;
}

extern "C" RK_API int Rk_PointSetZ(Rk_PointStruct* point, double z)
{
    point->pt_z = z;
    return 0;
}

extern "C" RK_API int Rk_PointGet(const Rk_PointStruct* point, double* x, double* y, double* z)
{
    *x = point->pt_x;
    *y = point->pt_y;
    *z = point->pt_z;
    return 0;
}

extern "C" RK_API int Rk_PointGetX(const Rk_PointStruct* point, double* x)
{
    *x = point->pt_x;
    return 0;
}

extern "C" RK_API int Rk_PointGetY(const Rk_PointStruct* point, double* y)
{
    *y = point->pt_y;
    return 0;
}

extern "C" RK_API int Rk_PointGetZ(const Rk_PointStruct* point, double* z)
{
    *z = point->pt_z;
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
    *equal = rk::same_point(*point1, *point2) ? 1 : 0;
    return 0;
}

extern "C" RK_API int Rk_PointGetMidpoint(const Rk_PointStruct* pt1, const Rk_PointStruct* pt2,
                                          Rk_PointStruct* midpt)
{
    *midpt = {(pt1->pt_x + pt2->pt_x) / 2.0, (pt1->pt_y + pt2->pt_y) / 2.0, (pt1->pt_z + pt2->pt_z) / 2.0};
    return 0;
}

extern "C" RK_API int Rk_PointOffset(const Rk_PointStruct* point, double dist, const Rk_VectorStruct* dir_vec,
                                     Rk_PointStruct* offset_pt)
{
    Rk_VectorStruct u = {};
    RK_TRY(Rk_VectorUnitize(dir_vec, &u));
    *offset_pt = rk::offset_by(*point, dist, u);
    return 0;
}

extern "C" RK_API int Rk_PointDistFromPointAlongVec(const Rk_PointStruct* point1, const Rk_PointStruct* point2,
                                                    const Rk_VectorStruct* dir, double* dist)
{
    // The foot of point2 on the plane through point1 normal to dir.
    const Rk_PlaneStruct across = {*point1, *dir};
    Rk_PointStruct foot = {};
    RK_TRY(Rk_PointProjOnPlane(point2, &across, &foot));
    return Rk_PointDistFromPoint(point1, &foot, dist);
}

extern "C" RK_API int Rk_PointClearanceFromPoint(const Rk_PointStruct* point1, const Rk_PointStruct* point2,
                                                 const Rk_VectorStruct* dir, double* clearance)
{
    const Rk_PointStruct base = *point1;
    Rk_PointStruct ahead = {};
    RK_TRY(Rk_PointOffset(&base, 1.0, dir, &ahead));
    const Rk_LineStruct along = {base, ahead};
    Rk_PointStruct foot = {};
    RK_TRY(Rk_PointProjOnLine(point2, &along, &foot));
    double extent = 0.0;
    Rk_PointDistFromPoint(&base, &foot, &extent);
    Rk_VectorStruct z = {};
    RK_TRY(Rk_VectorUnitize(dir, &z));
    *clearance = rk::dot(rk::as_vector(base), z) <= rk::dot(rk::as_vector(foot), z) ? extent : -extent;
    return 0;
}

extern "C" RK_API int Rk_PointProjOnLine(const Rk_PointStruct* point, const Rk_LineStruct* line,
                                         Rk_PointStruct* proj_point)
{
    return rk::LineProjector(*line).project(*point, proj_point);
}

extern "C" RK_API int Rk_PointDistFromLine(const Rk_PointStruct* point, const Rk_LineStruct* line, double* dist)
{
    Rk_PointStruct foot = {};
    RK_TRY(Rk_PointProjOnLine(point, line, &foot));
    return Rk_PointDistFromPoint(point, &foot, dist);
}

extern "C" RK_API int Rk_PointIsOnLine(const Rk_PointStruct* point, const Rk_LineStruct* line, int* on_line)
{
    Rk_PointStruct foot = {};
    RK_TRY(Rk_PointProjOnLine(point, line, &foot));
    return Rk_PointIsEqualToPoint(point, &foot, on_line);
}

extern "C" RK_API int Rk_PointProjOnPlane(const Rk_PointStruct* point, const Rk_PlaneStruct* plane,
                                          Rk_PointStruct* proj_pt)
{
    const double a = plane->normal.i_comp, b = plane->normal.j_comp, c = plane->normal.k_comp;
    const double d = rk::plane_constant(*plane);
    const double s = a * a + b * b + c * c;
    if (std::fabs(s) < rk::zero_eps()) return RK_FAIL(RK_ERR_DEGENERATE_PLANE);
    const Rk_PointStruct p = *point;
    const double t = (a * p.pt_x + b * p.pt_y + c * p.pt_z + d) / s;
    *proj_pt = {p.pt_x - t * a, p.pt_y - t * b, p.pt_z - t * c};
    return 0;
}

extern "C" RK_API int Rk_PointDistFromPlane(const Rk_PointStruct* point, const Rk_PlaneStruct* plane, double* dist)
{
    Rk_PointStruct foot = {};
    RK_TRY(Rk_PointProjOnPlane(point, plane, &foot));
    return Rk_PointDistFromPoint(point, &foot, dist);
}

extern "C" RK_API int Rk_PointDistFromPlaneAlongVec(const Rk_PointStruct* point, const Rk_PlaneStruct* plane,
                                                    const Rk_VectorStruct* vec, double* dist)
{
    const Rk_PointStruct p = *point;
    Rk_LineStruct along = {};
    RK_TRY(Rk_LineSetByPointAndVector(&along, &p, vec));
    int parallel = 0;
    RK_TRY(Rk_LineIsParallelToPlane(&along, plane, &parallel));
    if (parallel) return RK_FAIL(RK_ERR_GENERAL);
    Rk_PointStruct meet = {};
    RK_TRY(Rk_LineIntersectPlane(&along, plane, &meet));
    double reach = 0.0;
    Rk_PointDistFromPoint(&p, &meet, &reach);
    // The plane lies ahead along vec when stepping `reach` along vec lands on it.
    Rk_PointStruct ahead = {};
    RK_TRY(Rk_PointOffset(&p, reach, vec, &ahead));
    double miss = 0.0;
    Rk_PointDistFromPoint(&ahead, &meet, &miss);
    *dist = miss <= reach ? reach : -reach;
    return 0;
}

extern "C" RK_API int Rk_PointIsOnPlane(const Rk_PointStruct* point, const Rk_PlaneStruct* plane, int* on_plane)
{
    Rk_PointStruct foot = {};
    RK_TRY(Rk_PointProjOnPlane(point, plane, &foot));
    return Rk_PointIsEqualToPoint(point, &foot, on_plane);
}

extern "C" RK_API int Rk_PointDebug(const Rk_PointStruct* point)
{
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    Rk_PointGet(point, &x, &y, &z);
    std::printf("\n Point  x, y, z\t: %9.4f %9.4f %9.4f ", x, y, z);
    return 0;
}
