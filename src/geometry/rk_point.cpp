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
    RK_TRY(Rk_VectorSetByLine(&along_, &line_));
    RK_TRY(Rk_VectorUnitize(&along_, &along_));
    RK_TRY(Rk_VectorUnitize(&along_, &offset_));
    scale_ = 1.0;
    has_direction_ = true;
    return 0;
}

// The foot is worked out as point1 + ((p - point1)·d / d·d) d, d = point2 - point1: the same
// number, to a few units in the last place, as offsetting along the unit direction made unit
// twice, and no square root. A direction the vector operations would refuse (none, or a zero
// tolerance that even a unit vector fails) takes their path, which raises the error.
int LineProjector::find_direction()
{
    const Rk_VectorStruct d = from_to(line_.point1, line_.point2);
    const double length2 = dot(d, d);
    if (!(length2 > square_bound(kDirection2))) return exact_direction();
    along_ = d;
    offset_ = d;
    scale_ = 1.0 / length2;
    has_direction_ = true;
    return 0;
}

int LineProjector::project(const Rk_PointStruct& p, Rk_PointStruct* foot)
{
    const Rk_PointStruct at = read_point(&p);
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
    const double s = along_.i_comp * (at.pt_x - base.pt_x) + along_.j_comp * (at.pt_y - base.pt_y) +
                     along_.k_comp * (at.pt_z - base.pt_z);
    *foot = offset_by(base, s * scale_, offset_);
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
    if (!rk::unit_of(*dir_vec, &u)) return Rk_VectorUnitize(dir_vec, &u);
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
    return rk::foot_on_line(*point, *line, proj_point);
}

extern "C" RK_API int Rk_PointDistFromLine(const Rk_PointStruct* point, const Rk_LineStruct* line, double* dist)
{
    const Rk_PointStruct p = rk::read_point(point);
    Rk_PointStruct foot = {};
    RK_TRY(rk::foot_on_line(p, *line, &foot));
    *dist = std::sqrt(rk::squared_distance(p, foot));
    return 0;
}

extern "C" RK_API int Rk_PointIsOnLine(const Rk_PointStruct* point, const Rk_LineStruct* line, int* on_line)
{
    const Rk_PointStruct p = rk::read_point(point);
    Rk_PointStruct foot = {};
    RK_TRY(rk::foot_on_line(p, *line, &foot));
    *on_line = rk::same_point(p, foot) ? 1 : 0;
    return 0;
}

extern "C" RK_API int Rk_PointProjOnPlane(const Rk_PointStruct* point, const Rk_PlaneStruct* plane,
                                          Rk_PointStruct* proj_pt)
{
    if (!rk::foot_on_plane(*point, *plane, proj_pt)) return RK_FAIL(RK_ERR_DEGENERATE_PLANE);
    return 0;
}

extern "C" RK_API int Rk_PointDistFromPlane(const Rk_PointStruct* point, const Rk_PlaneStruct* plane, double* dist)
{
    const Rk_PointStruct p = rk::read_point(point);
    Rk_PointStruct foot = {};
    RK_TRY(Rk_PointProjOnPlane(&p, plane, &foot));
    *dist = std::sqrt(rk::squared_distance(p, foot));
    return 0;
}

extern "C" RK_API int Rk_PointDistFromPlaneAlongVec(const Rk_PointStruct* point, const Rk_PlaneStruct* plane,
                                                    const Rk_VectorStruct* vec, double* dist)
{
    const Rk_PointStruct p = rk::read_point(point);
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
    const Rk_PointStruct p = rk::read_point(point);
    const rk::PlaneStep step = rk::plane_step(p, *plane);
    if (!(std::fabs(step.s) < rk::zero_eps())) {
        const int on = rk::on_plane_by_squares(p, step);
        if (on >= 0) {
            *on_plane = on;
            return 0;
        }
    }
    Rk_PointStruct foot = {};
    RK_TRY(Rk_PointProjOnPlane(&p, plane, &foot));
    *on_plane = rk::same_point(p, foot) ? 1 : 0;
    return 0;
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
