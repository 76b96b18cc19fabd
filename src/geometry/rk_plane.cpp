// Planes: unbounded planes given by a point and a normal (any non-zero length, never made unit),
// their construction from coordinates, an equation, points and lines, their comparisons, offsets
// and the line two planes share.
#include <cmath>
#include <cstdio>

#include "core/fail.hpp"
#include "geometry/frame_axes.hpp"
#include "geometry/geometry.hpp"
#include "geometry/refine.hpp"

namespace {

constexpr char kModule[] = "src/rk_plane";

// Settles the run of `p` onto the common line.
int settle(const rk::CommonLine& common, const rk::CommonLine::Run& run, Rk_PointStruct* p)
{
    switch (common.settle(run, p)) {
    case rk::Refinement::failed:
        return 1;
    case rk::Refinement::stuck:
        return RK_FAIL(RK_ERR_GENERAL);
    case rk::Refinement::converged:
        break;
    }
    return 0;
}

}  // namespace

extern "C" RK_API int Rk_PlaneInit(Rk_PlaneStruct* plane)
{
    *plane = {{0.0, 0.0, 0.0}, {0.0, 0.0, 1.0}};
    return 0;
}

extern "C" RK_API int Rk_PlaneSet(Rk_PlaneStruct* plane, const Rk_PointStruct* point,
                                  const Rk_VectorStruct* normal)
{
    *plane = {*point, *normal};
    return 0;
}

extern "C" RK_API int Rk_PlaneSetPoint(Rk_PlaneStruct* plane, const Rk_PointStruct* point)
{
    plane->point = *point;
    return 0;
}

extern "C" RK_API int Rk_PlaneSetNormal(Rk_PlaneStruct* plane, const Rk_VectorStruct* normal)
{
    plane->normal = *normal;
    return 0;
}

extern "C" RK_API int Rk_PlaneSetByCoords(Rk_PlaneStruct* plane, double x, double y, double z, double i, double j,
                                          double k)
{
    plane->point = {x, y, z};
    return Rk_VectorSet(&plane->normal, i, j, k);
}

extern "C" RK_API int Rk_PlaneSetByEquation(Rk_PlaneStruct* plane, double a, double b, double c, double d)
{
    RK_TRY(Rk_VectorSet(&plane->normal, a, b, c));
    // The point is where the plane crosses the first axis it is not parallel to.
    if (std::fabs(a) > rk::zero_eps())
        plane->point = {-d / a, 0.0, 0.0};
    else if (std::fabs(b) > rk::zero_eps())
        plane->point = {0.0, -d / b, 0.0};
    else if (std::fabs(c) > rk::zero_eps())
        plane->point = {0.0, 0.0, -d / c};
    else
        return RK_FAIL(RK_ERR_CANNOT_SERVE);
    return 0;
}

extern "C" RK_API int Rk_PlaneSetByPoints(Rk_PlaneStruct* plane, const Rk_PointStruct* pt1,
                                          const Rk_PointStruct* pt2, const Rk_PointStruct* pt3)
{
    // Read field by field: a copy of the whole records can cost a stalled load.
    const Rk_PointStruct p1 = rk::read_point(pt1), p2 = rk::read_point(pt2), p3 = rk::read_point(pt3);
    plane->point = p1;
    // The vector operations raise the errors of coincident points and of a zero normal.
    const Rk_VectorStruct e1 = rk::from_to(p1, p2), e2 = rk::from_to(p1, p3), n = rk::cross(e1, e2);
    if (rk::is_zero_vector(e1) || rk::is_zero_vector(e2) || rk::is_zero_vector(n)) {
        Rk_VectorStruct v1 = {}, v2 = {};
        RK_TRY(Rk_VectorSetByPoints(&v1, &p1, &p2));
        RK_TRY(Rk_VectorSetByPoints(&v2, &p1, &p3));
        return Rk_VectorCross(&v1, &v2, &plane->normal);
    }
    plane->normal = n;
    return 0;
}

extern "C" RK_API int Rk_PlaneSetByPointAndLine(Rk_PlaneStruct* plane, const Rk_PointStruct* pt,
                                                const Rk_LineStruct* line)
{
    int on_line = 0;
    RK_TRY(Rk_PointIsOnLine(pt, line, &on_line));
    if (on_line) return RK_FAIL(RK_ERR_GENERAL);
    Rk_PlaneStruct made = {};
    RK_TRY(Rk_PlaneSetByPoints(&made, pt, &line->point1, &line->point2));
    *plane = made;
    return 0;
}

extern "C" RK_API int Rk_PlaneSetByLines(Rk_PlaneStruct* plane, const Rk_LineStruct* line1,
                                         const Rk_LineStruct* line2)
{
    int equal = 0;
    RK_TRY(Rk_LineIsEqualToLine(line1, line2, &equal));
    if (equal) return RK_FAIL(RK_ERR_GENERAL);
    // Build on line1 and whichever point of line2 is off it; the other point must then lie on the
    // plane, else the lines are skew.
    int first_on_line1 = 0;
    RK_TRY(Rk_PointIsOnLine(&line2->point1, line1, &first_on_line1));
    const Rk_PointStruct& spanning = first_on_line1 ? line2->point2 : line2->point1;
    const Rk_PointStruct& checked = first_on_line1 ? line2->point1 : line2->point2;
    Rk_PlaneStruct made = {};
    RK_TRY(Rk_PlaneSetByPoints(&made, &line1->point1, &line1->point2, &spanning));
    int coplanar = 0;
    RK_TRY(Rk_PointIsOnPlane(&checked, &made, &coplanar));
    if (!coplanar) return RK_FAIL(RK_ERR_GENERAL);
    *plane = made;
    return 0;
}

extern "C" RK_API int Rk_PlaneGet(const Rk_PlaneStruct* plane, Rk_PointStruct* point, Rk_VectorStruct* normal)
{
    const Rk_PlaneStruct copy = *plane;
    *point = copy.point;
    *normal = copy.normal;
    return 0;
}

extern "C" RK_API int Rk_PlaneGetPoint(const Rk_PlaneStruct* plane, Rk_PointStruct* point)
{
    *point = plane->point;
    return 0;
}

extern "C" RK_API int Rk_PlaneGetNormal(const Rk_PlaneStruct* plane, Rk_VectorStruct* normal)
{
    *normal = plane->normal;
    return 0;
}

extern "C" RK_API int Rk_PlaneGetEquationConstants(const Rk_PlaneStruct* plane, double* a, double* b, double* c,
                                                   double* d)
{
    const Rk_PlaneStruct copy = *plane;
    *a = copy.normal.i_comp;
    *b = copy.normal.j_comp;
    *c = copy.normal.k_comp;
    *d = rk::plane_constant(copy);
    return 0;
}

extern "C" RK_API int Rk_PlaneGet3Points(const Rk_PlaneStruct* plane, Rk_PointStruct* pt1, Rk_PointStruct* pt2,
                                         Rk_PointStruct* pt3)
{
    const Rk_PointStruct origin = plane->point;
    rk::Axes axes = {};
    RK_TRY(rk::axes_by_z(plane->normal, &axes));
    *pt1 = origin;
    *pt2 = {origin.pt_x + axes.x.i_comp, origin.pt_y + axes.x.j_comp, origin.pt_z + axes.x.k_comp};
    *pt3 = {origin.pt_x + axes.y.i_comp, origin.pt_y + axes.y.j_comp, origin.pt_z + axes.y.k_comp};
    return 0;
}

extern "C" RK_API int Rk_PlaneInvert(const Rk_PlaneStruct* plane, Rk_PlaneStruct* inverse)
{
    const Rk_PlaneStruct p = *plane;
    *inverse = {p.point, {-p.normal.i_comp, -p.normal.j_comp, -p.normal.k_comp}};
    return 0;
}

extern "C" RK_API int Rk_PlaneAngleFromPlane(const Rk_PlaneStruct* plane1, const Rk_PlaneStruct* plane2,
                                             double* angle)
{
    return Rk_VectorAngleFromVector(&plane1->normal, &plane2->normal, angle);
}

extern "C" RK_API int Rk_PlaneIsParallelToPlane(const Rk_PlaneStruct* plane1, const Rk_PlaneStruct* plane2,
                                                int* parallel)
{
    return Rk_VectorIsParallelToVector(&plane1->normal, &plane2->normal, parallel);
}

extern "C" RK_API int Rk_PlaneIsPerpToPlane(const Rk_PlaneStruct* plane1, const Rk_PlaneStruct* plane2, int* perp)
{
    return Rk_VectorIsPerpToVector(&plane1->normal, &plane2->normal, perp);
}

extern "C" RK_API int Rk_PlaneIsEqualToPlane(const Rk_PlaneStruct* plane1, const Rk_PlaneStruct* plane2,
                                             int* equal)
{
    // Equal planes share their side: opposite normals are not within angle_eps.
    *equal = 0;
    double q = 0.0;
    RK_TRY(rk::measured_cosine(plane1->normal, plane2->normal, &q));
    const int side = rk::side_of(q, rk::kParallel);
    if (side < 0 || (side == 0 && rk::angle_of_cosine(q) > rk::angle_eps())) return 0;
    Rk_PointStruct foot = {};
    RK_TRY(Rk_PointProjOnPlane(&plane1->point, plane2, &foot));
    if (rk::above_point_eps(rk::squared_distance(plane1->point, foot))) return 0;
    *equal = 1;
    return 0;
}

extern "C" RK_API int Rk_PlaneIsCoincidentToPlane(const Rk_PlaneStruct* plane1, const Rk_PlaneStruct* plane2,
                                                  int* coincident)
{
    *coincident = 0;
    Rk_PointStruct spanning[3] = {};
    RK_TRY(Rk_PlaneGet3Points(plane1, &spanning[0], &spanning[1], &spanning[2]));
    for (const Rk_PointStruct& p : spanning) {
        int on_plane = 0;
        RK_TRY(Rk_PointIsOnPlane(&p, plane2, &on_plane));
        if (!on_plane) return 0;
    }
    *coincident = 1;
    return 0;
}

extern "C" RK_API int Rk_PlaneGetPlaneOffset(const Rk_PlaneStruct* plane1, const Rk_PlaneStruct* plane2, int* found,
                                             double* offset)
{
    int parallel = 0;
    RK_TRY(Rk_PlaneIsParallelToPlane(plane1, plane2, &parallel));
    if (!parallel) return RK_FAIL(RK_ERR_GENERAL);
    const Rk_PointStruct p = plane1->point;
    Rk_PointStruct q = {};
    RK_TRY(Rk_PointProjOnPlane(&p, plane2, &q));
    if (rk::same_point(p, q)) {
        *found = 0;
        *offset = 0.0;
        return 0;
    }
    double dist = 0.0;
    Rk_PointDistFromPoint(&p, &q, &dist);
    // Positive when plane2 lies on the side plane1's normal points to.
    Rk_VectorStruct across = {};
    RK_TRY(Rk_VectorSetByPoints(&across, &p, &q));
    double angle = 0.0;
    RK_TRY(Rk_VectorAngleFromVector(&across, &plane1->normal, &angle));
    *found = 1;
    *offset = angle > 90.0 ? -dist : dist;
    return 0;
}

extern "C" RK_API int Rk_PlaneIntersectPlane(const Rk_PlaneStruct* plane1, const Rk_PlaneStruct* plane2,
                                             Rk_LineStruct* line)
{
    int parallel = 0;
    RK_TRY(rk::angle_test(plane1->normal, plane2->normal, rk::AngleTest::parallel, &parallel));
    if (parallel) return RK_FAIL(RK_ERR_GENERAL);
    // Two points of plane1 brought onto the common line give it; when they land on one point (the
    // first axis of plane1 crosses the line at a right angle) the third point is used instead.
    Rk_PointStruct p[3] = {};
    RK_TRY(Rk_PlaneGet3Points(plane1, &p[0], &p[1], &p[2]));
    const rk::CommonLine common(*plane1, *plane2);
    rk::CommonLine::Run runs[3] = {};
    common.closed_forms(p, runs, 2);
    RK_TRY(settle(common, runs[0], &p[0]));
    RK_TRY(settle(common, runs[1], &p[1]));
    if (!rk::same_point(p[0], p[1])) return Rk_LineSet(line, &p[0], &p[1]);
    common.closed_forms(&p[2], &runs[2], 1);
    RK_TRY(settle(common, runs[2], &p[2]));
    return Rk_LineSet(line, &p[0], &p[2]);
}

extern "C" RK_API int Rk_PlaneDebug(const Rk_PlaneStruct* plane)
{
    Rk_PointStruct p = {};
    Rk_VectorStruct n = {};
    Rk_PlaneGet(plane, &p, &n);
    std::printf("\n Plane Point %9.4f %9.4f %9.4f  Normal %9.4f %9.4f %9.4f", p.pt_x, p.pt_y, p.pt_z, n.i_comp,
                n.j_comp, n.k_comp);
    return 0;
}
