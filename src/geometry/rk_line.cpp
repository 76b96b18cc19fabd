// Lines: unbounded straight lines through two distinct points, the order of the points giving the
// direction; their comparisons, the closest point of one line to another, and the relations of a
// line to a plane and to a circle.
#include <cmath>
#include <cstdio>

#include "core/fail.hpp"
#include "geometry/geometry.hpp"
#include "geometry/line_projector.hpp"
#include "geometry/refine.hpp"

namespace {

constexpr char kModule[] = "src/rk_line";

// Stores both points when they are at least point_eps apart.
int set_checked(Rk_LineStruct* line, const Rk_PointStruct& pt1, const Rk_PointStruct& pt2)
{
    if (rk::same_point(pt1, pt2)) return RK_FAIL(RK_ERR_COINCIDENT_POINTS);
    *line = {pt1, pt2};
    return 0;
}

// The cosine of the angle between the directions of two lines, as the angle measurement has it.
int cosine_between_lines(const Rk_LineStruct* line1, const Rk_LineStruct* line2, double* q)
{
    Rk_VectorStruct dir1 = {}, dir2 = {};
    RK_TRY(rk::line_direction(*line1, &dir1));
    RK_TRY(rk::line_direction(*line2, &dir2));
    return rk::measured_cosine(dir1, dir2, q);
}

// The line's direction and the cosine of its angle from the plane's normal.
int cosine_from_normal(const Rk_LineStruct* line, const Rk_PlaneStruct* plane, Rk_VectorStruct* dir, double* q)
{
    RK_TRY(rk::line_direction(*line, dir));
    return rk::measured_cosine(*dir, plane->normal, q);
}

// `flag` answers `test` on the cosine of the angle between the directions of two lines.
template <class Test>
int flag_from_cosine(const Rk_LineStruct* line1, const Rk_LineStruct* line2, int* flag, Test test)
{
    double q = 0.0;
    RK_TRY(cosine_between_lines(line1, line2, &q));
    *flag = test(q) ? 1 : 0;
    return 0;
}

// `flag` answers `test` on the cosine of the angle between a line's direction and a plane's normal.
template <class Test>
int flag_from_normal_cosine(const Rk_LineStruct* line, const Rk_PlaneStruct* plane, int* flag, Test test)
{
    Rk_VectorStruct dir = {};
    double q = 0.0;
    RK_TRY(cosine_from_normal(line, plane, &dir, &q));
    *flag = test(q) ? 1 : 0;
    return 0;
}

}  // namespace

extern "C" RK_API int Rk_LineInit(Rk_LineStruct* line)
{
    *line = {{0.0, 0.0, 0.0}, {1.0, 1.0, 1.0}};
    return 0;
}

extern "C" RK_API int Rk_LineSet(Rk_LineStruct* line, const Rk_PointStruct* pt1, const Rk_PointStruct* pt2)
{
    return set_checked(line, *pt1, *pt2);
}

extern "C" RK_API int Rk_LineSetByCoords(Rk_LineStruct* line, double x1, double yy1, double z1, double x2,
                                         double y2, double z2)
{
    *line = {{x1, yy1, z1}, {x2, y2, z2}};
    return 0;
}

extern "C" RK_API int Rk_LineSetByPointAndVector(Rk_LineStruct* line, const Rk_PointStruct* pt,
                                                 const Rk_VectorStruct* dir)
{
    const Rk_PointStruct base = *pt;
    Rk_PointStruct ahead = {};
    RK_TRY(Rk_PointOffset(&base, 1.0, dir, &ahead));
    *line = {base, ahead};
    return 0;
}

extern "C" RK_API int Rk_LineSetPoint1(Rk_LineStruct* line, const Rk_PointStruct* pt1)
{
    return set_checked(line, *pt1, line->point2);
}

extern "C" RK_API int Rk_LineSetPoint2(Rk_LineStruct* line, const Rk_PointStruct* pt2)
{
    return set_checked(line, line->point1, *pt2);
}

extern "C" RK_API int Rk_LineGet(const Rk_LineStruct* line, Rk_PointStruct* pt1, Rk_PointStruct* pt2)
{
    const Rk_LineStruct copy = *line;
    *pt1 = copy.point1;
    *pt2 = copy.point2;
    return 0;
}

extern "C" RK_API int Rk_LineGetPoint1(const Rk_LineStruct* line, Rk_PointStruct* pt1)
{
    *pt1 = line->point1;
    return 0;
}

extern "C" RK_API int Rk_LineGetPoint2(const Rk_LineStruct* line, Rk_PointStruct* pt2)
{
    *pt2 = line->point2;
    return 0;
}

extern "C" RK_API int Rk_LineIsEqualToLine(const Rk_LineStruct* line1, const Rk_LineStruct* line2, int* equal)
{
    // Only line2's points are measured against line1, by their distance from their feet.
    *equal = 0;
    rk::LineProjector on_line1(*line1);
    Rk_PointStruct foot = {};
    RK_TRY(on_line1.project(line2->point1, &foot));
    if (rk::at_least_point_eps(rk::squared_distance(line2->point1, foot))) return 0;
    RK_TRY(on_line1.project(line2->point2, &foot));
    *equal = rk::same_point(line2->point2, foot) ? 1 : 0;
    return 0;
}

extern "C" RK_API int Rk_LineIsParallelToLine(const Rk_LineStruct* line1, const Rk_LineStruct* line2,
                                              int* parallel)
{
    return flag_from_cosine(line1, line2, parallel, rk::parallel_cosine);
}

extern "C" RK_API int Rk_LineIsPerpToLine(const Rk_LineStruct* line1, const Rk_LineStruct* line2, int* perp)
{
    return flag_from_cosine(line1, line2, perp, rk::perpendicular_cosine);
}

extern "C" RK_API int Rk_LineIsParaToLineWithinAngle(const Rk_LineStruct* line1, const Rk_LineStruct* line2,
                                                     double angle, int* para)
{
    return flag_from_cosine(line1, line2, para, [angle](double q) {
        const double between = rk::angle_of_cosine(q);
        return between < angle + rk::zero_eps() || between >= 180.0 - angle - rk::zero_eps();
    });
}

extern "C" RK_API int Rk_LinePointClosestToLine(const Rk_LineStruct* line1, const Rk_LineStruct* line2,
                                                Rk_PointStruct* pt)
{
    double q = 0.0;
    RK_TRY(cosine_between_lines(line1, line2, &q));
    if (rk::parallel_cosine(q)) return RK_FAIL(RK_ERR_GENERAL);
    Rk_PointStruct closest = {};
    switch (rk::closest_point_of_lines(*line1, *line2, q, &closest)) {
    case rk::Refinement::failed:
        return 1;
    case rk::Refinement::stuck:
        return RK_FAIL(RK_ERR_GENERAL);
    case rk::Refinement::converged:
        break;
    }
    *pt = closest;
    return 0;
}

extern "C" RK_API int Rk_LineIntersectPlane(const Rk_LineStruct* line, const Rk_PlaneStruct* plane,
                                            Rk_PointStruct* pt)
{
    Rk_VectorStruct dir = {};
    double q = 0.0;
    RK_TRY(cosine_from_normal(line, plane, &dir, &q));
    if (rk::perpendicular_cosine(q)) return RK_FAIL(RK_ERR_GENERAL);
    // s is the signed distance from point1 to the plane along the line; the line's length is the
    // length of its direction.
    const Rk_PointStruct base = line->point1;
    const double length = rk::magnitude(dir);
    const double den = rk::dot(dir, plane->normal);
    const double num = plane->normal.i_comp * base.pt_x + plane->normal.j_comp * base.pt_y +
                       plane->normal.k_comp * base.pt_z;
    const double s = -(rk::plane_constant(*plane) + num) / den * length;
    // Offset along the direction made unit; too short a direction fails as Rk_PointOffset does.
    if (length < rk::zero_eps()) return Rk_PointOffset(&base, s, &dir, pt);
    const Rk_VectorStruct unit = {dir.i_comp / length, dir.j_comp / length, dir.k_comp / length};
    *pt = rk::offset_by(base, s, unit);
    return 0;
}

extern "C" RK_API int Rk_LineProjOnPlane(const Rk_LineStruct* line, const Rk_PlaneStruct* plane,
                                         Rk_LineStruct* proj_line)
{
    int perp = 0;
    RK_TRY(Rk_LineIsPerpToPlane(line, plane, &perp));
    if (perp) return RK_FAIL(RK_ERR_UNDEFINED);
    // Not held to the point tolerance: a line steep to the plane can project to close points.
    Rk_LineStruct proj = {};
    RK_TRY(Rk_PointProjOnPlane(&line->point1, plane, &proj.point1));
    RK_TRY(Rk_PointProjOnPlane(&line->point2, plane, &proj.point2));
    *proj_line = proj;
    return 0;
}

extern "C" RK_API int Rk_LineIsOnPlane(const Rk_LineStruct* line, const Rk_PlaneStruct* plane, int* on_plane)
{
    *on_plane = 0;
    int on = 0;
    RK_TRY(Rk_PointIsOnPlane(&line->point1, plane, &on));
    if (!on) return 0;
    RK_TRY(Rk_PointIsOnPlane(&line->point2, plane, &on));
    *on_plane = on;
    return 0;
}

extern "C" RK_API int Rk_LineIsParallelToPlane(const Rk_LineStruct* line, const Rk_PlaneStruct* plane,
                                               int* parallel)
{
    return flag_from_normal_cosine(line, plane, parallel, rk::perpendicular_cosine);
}

extern "C" RK_API int Rk_LineIsPerpToPlane(const Rk_LineStruct* line, const Rk_PlaneStruct* plane, int* perp)
{
    return flag_from_normal_cosine(line, plane, perp, rk::parallel_cosine);
}

extern "C" RK_API int Rk_LineIsPerpToPlaneWithinAngle(const Rk_LineStruct* line, const Rk_PlaneStruct* plane,
                                                      double angle, int* perp)
{
    return flag_from_normal_cosine(line, plane, perp, [angle](double q) {
        const double from_normal = rk::angle_of_cosine(q);
        return from_normal <= angle || from_normal >= 180.0 - angle;
    });
}

extern "C" RK_API int Rk_LineIsParaToPlaneWithinAngle(const Rk_LineStruct* line, const Rk_PlaneStruct* plane,
                                                      double angle, int* para)
{
    return flag_from_normal_cosine(line, plane, para, [angle](double q) {
        const double from_normal = rk::angle_of_cosine(q);
        return 90.0 - angle - rk::zero_eps() <= from_normal && from_normal <= 90.0 + angle + rk::zero_eps();
    });
}

extern "C" RK_API int Rk_LineIntersectArc(const Rk_LineStruct* line, const Rk_ArcStruct* arc, int* num_pts,
                                          Rk_PointStruct* pt1, Rk_PointStruct* pt2)
{
    *num_pts = 0;
    Rk_PlaneStruct arc_plane = {};
    Rk_ArcGetPlane(arc, &arc_plane);
    int on_plane = 0;
    RK_TRY(Rk_LineIsOnPlane(line, &arc_plane, &on_plane));
    if (!on_plane) return RK_FAIL(RK_ERR_GENERAL);
    const Rk_PointStruct center = arc->center;
    const double r = arc->radius;
    Rk_PointStruct foot = {};
    RK_TRY(Rk_PointProjOnLine(&center, line, &foot));
    double e = 0.0;
    Rk_PointDistFromPoint(&center, &foot, &e);
    // Only a line inside the circle can be tangent within the point tolerance.
    if (e > r) return 0;
    if (std::fabs(e - r) < rk::point_eps()) {
        *pt1 = foot;
        *pt2 = foot;
        *num_pts = 1;
        return 0;
    }
    const double h = std::sqrt(r * r - e * e);
    Rk_VectorStruct u = {};
    RK_TRY(Rk_VectorSetByLine(&u, line));
    RK_TRY(Rk_VectorUnitize(&u, &u));
    *pt1 = rk::offset_by(foot, h, u);
    *pt2 = rk::offset_by(foot, -h, u);
    *num_pts = 2;
    return 0;
}

extern "C" RK_API int Rk_LineDebug(const Rk_LineStruct* line)
{
    Rk_PointStruct p1 = {};
    Rk_PointStruct p2 = {};
    Rk_LineGet(line, &p1, &p2);
    std::printf("\n Line Pt1 %9.4f %9.4f %9.4f  Pt2 %9.4f %9.4f %9.4f", p1.pt_x, p1.pt_y, p1.pt_z, p2.pt_x, p2.pt_y,
                p2.pt_z);
    return 0;
}
