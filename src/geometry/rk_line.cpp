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

int directions(const Rk_LineStruct* line1, const Rk_LineStruct* line2, Rk_VectorStruct* dir1, Rk_VectorStruct* dir2)
{
    RK_TRY(rk::line_direction(*line1, dir1));
    return rk::line_direction(*line2, dir2);
}

// `flag` answers the parallel or perpendicular test on the directions of two lines.
int lines_test(const Rk_LineStruct* line1, const Rk_LineStruct* line2, rk::AngleTest test, int* flag)
{
    Rk_VectorStruct dir1 = {}, dir2 = {};
    RK_TRY(directions(line1, line2, &dir1, &dir2));
    return rk::angle_test(dir1, dir2, test, flag);
}

// `flag` answers the parallel or perpendicular test on a line's direction and a plane's normal.
int normal_test(const Rk_LineStruct* line, const Rk_PlaneStruct* plane, rk::AngleTest test, int* flag)
{
    Rk_VectorStruct dir = {};
    RK_TRY(rk::line_direction(*line, &dir));
    return rk::angle_test(dir, plane->normal, test, flag);
}

// `flag` answers `test` on the measured angle between the directions of two lines.
template <class Test>
int flag_from_angle(const Rk_LineStruct* line1, const Rk_LineStruct* line2, int* flag, Test test)
{
    Rk_VectorStruct dir1 = {}, dir2 = {};
    RK_TRY(directions(line1, line2, &dir1, &dir2));
    double q = 0.0;
    RK_TRY(rk::measured_cosine(dir1, dir2, &q));
    *flag = test(rk::angle_of_cosine(q)) ? 1 : 0;
    return 0;
}

// `flag` answers `test` on the measured angle between a line's direction and a plane's normal.
template <class Test>
int flag_from_normal_angle(const Rk_LineStruct* line, const Rk_PlaneStruct* plane, int* flag, Test test)
{
    Rk_VectorStruct dir = {};
    RK_TRY(rk::line_direction(*line, &dir));
    double q = 0.0;
    RK_TRY(rk::measured_cosine(dir, plane->normal, &q));
    *flag = test(rk::angle_of_cosine(q)) ? 1 : 0;
    return 0;
}

// Rk_PointProjOnPlane, the failure raised by that function.
int foot(const Rk_PointStruct& p, const Rk_PlaneStruct& plane, Rk_PointStruct* on_plane)
{
    return rk::foot_on_plane(p, plane, on_plane) ? 0 : Rk_PointProjOnPlane(&p, &plane, on_plane);
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
    return lines_test(line1, line2, rk::AngleTest::parallel, parallel);
}

extern "C" RK_API int Rk_LineIsPerpToLine(const Rk_LineStruct* line1, const Rk_LineStruct* line2, int* perp)
{
    return lines_test(line1, line2, rk::AngleTest::perpendicular, perp);
}

extern "C" RK_API int Rk_LineIsParaToLineWithinAngle(const Rk_LineStruct* line1, const Rk_LineStruct* line2,
                                                     double angle, int* para)
{
    return flag_from_angle(line1, line2, para, [angle](double between) {
        return between < angle + rk::zero_eps() || between >= 180.0 - angle - rk::zero_eps();
    });
}

extern "C" RK_API int Rk_LinePointClosestToLine(const Rk_LineStruct* line1, const Rk_LineStruct* line2,
                                                Rk_PointStruct* pt)
{
    int parallel = 0;
    RK_TRY(lines_test(line1, line2, rk::AngleTest::parallel, &parallel));
    if (parallel) return RK_FAIL(RK_ERR_GENERAL);
    Rk_PointStruct closest = {};
    switch (rk::closest_point_of_lines(*line1, *line2, &closest)) {
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
    RK_TRY(rk::line_direction(*line, &dir));
    int across = 0;
    RK_TRY(rk::angle_test(dir, plane->normal, rk::AngleTest::perpendicular, &across));
    if (across) return RK_FAIL(RK_ERR_GENERAL);
    // The point is point1 + t·dir, t = -(n·point1 + d) / n·dir: the same number, to a few units in
    // the last place, as offsetting point1 by t·|dir| along the unit direction, which fails for a
    // direction shorter than zero_eps.
    const Rk_PointStruct base = rk::read_point(&line->point1);
    if (!rk::length_at_least_zero_eps(rk::dot(dir, dir))) return Rk_PointOffset(&base, 0.0, &dir, pt);
    const double num = plane->normal.i_comp * base.pt_x + plane->normal.j_comp * base.pt_y +
                       plane->normal.k_comp * base.pt_z;
    const double t = -(rk::plane_constant(*plane) + num) / rk::dot(dir, plane->normal);
    *pt = rk::offset_by(base, t, dir);
    return 0;
}

extern "C" RK_API int Rk_LineProjOnPlane(const Rk_LineStruct* line, const Rk_PlaneStruct* plane,
                                         Rk_LineStruct* proj_line)
{
    int perp = 0;
    RK_TRY(normal_test(line, plane, rk::AngleTest::parallel, &perp));
    if (perp) return RK_FAIL(RK_ERR_UNDEFINED);
    // Not held to the point tolerance: a line steep to the plane can project to close points.
    Rk_LineStruct proj = {};
    RK_TRY(foot(line->point1, *plane, &proj.point1));
    RK_TRY(foot(line->point2, *plane, &proj.point2));
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
    return normal_test(line, plane, rk::AngleTest::perpendicular, parallel);
}

extern "C" RK_API int Rk_LineIsPerpToPlane(const Rk_LineStruct* line, const Rk_PlaneStruct* plane, int* perp)
{
    return normal_test(line, plane, rk::AngleTest::parallel, perp);
}

extern "C" RK_API int Rk_LineIsPerpToPlaneWithinAngle(const Rk_LineStruct* line, const Rk_PlaneStruct* plane,
                                                      double angle, int* perp)
{
    return flag_from_normal_angle(line, plane, perp, [angle](double from_normal) {
        return from_normal <= angle || from_normal >= 180.0 - angle;
    });
}

extern "C" RK_API int Rk_LineIsParaToPlaneWithinAngle(const Rk_LineStruct* line, const Rk_PlaneStruct* plane,
                                                      double angle, int* para)
{
    return flag_from_normal_angle(line, plane, para, [angle](double from_normal) {
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
