// Arcs: full circles in space (a centre, the normal of their plane, a radius) describing round
// features of parts. Circles through three points, their meetings with planes and other circles,
// and three fit measures of round features: the clearance of two parallel features, the apparent
// circle of a feature seen along a direction, and the virtual circle of a stack of features.
#include <algorithm>
#include <cmath>

#include "core/dump.hpp"
#include "core/fail.hpp"
#include "geometry/frame_axes.hpp"
#include "geometry/frame_transform.hpp"
#include "geometry/geometry.hpp"

namespace {

constexpr char kModule[] = "src/rk_arc";
constexpr double kPi = 3.14159265358979323846;

// Feature kinds: the inside of a hole is free space, the inside of a pin is material.
constexpr int kPin = 0;
constexpr int kHole = 1;

// The foot of `p` on the plane through the world origin normal to `n`.
int onto_normal_plane(const Rk_PointStruct& p, const Rk_VectorStruct& n, Rk_PointStruct* foot)
{
    const Rk_PlaneStruct through_origin = {{0.0, 0.0, 0.0}, n};
    return Rk_PointProjOnPlane(&p, &through_origin, foot);
}

// How far apart two centres appear seen along `n`, and where.
int apparent_offset(const Rk_PointStruct& c1, const Rk_PointStruct& c2, const Rk_VectorStruct& n,
                    Rk_PointStruct* seen1, Rk_PointStruct* seen2, double* offset)
{
    RK_TRY(onto_normal_plane(c1, n, seen1));
    RK_TRY(onto_normal_plane(c2, n, seen2));
    return Rk_PointDistFromPoint(seen1, seen2, offset);
}

// The perpendicular bisector of q1 q2 (`chord` = q2 - q1) in the plane normal to `normal`: from
// their midpoint along the unit in-plane vector perpendicular to the chord.
int bisector(const Rk_PointStruct& q1, const Rk_PointStruct& q2, const Rk_VectorStruct& chord,
             const Rk_VectorStruct& normal, Rk_LineStruct* line)
{
    Rk_PointStruct mid = {};
    Rk_PointGetMidpoint(&q1, &q2, &mid);
    rk::Axes axes = {};
    RK_TRY(rk::axes_by_zx(normal, chord, &axes));
    *line = {mid, {mid.pt_x + axes.y.i_comp, mid.pt_y + axes.y.j_comp, mid.pt_z + axes.y.k_comp}};
    return 0;
}

// `from` moved `dist` toward `to`.
int move_toward(const Rk_PointStruct& from, const Rk_PointStruct& to, double dist, Rk_PointStruct* moved)
{
    Rk_VectorStruct toward = {};
    RK_TRY(Rk_VectorSetByPoints(&toward, &from, &to));
    return Rk_PointOffset(&from, dist, &toward, moved);
}

// A feature seen along `dir`: its apparent circle as a single end, as an arc normal to `dir`.
int projected_arc(const Rk_ArcStruct& arc, const Rk_VectorStruct& dir, int kind, Rk_ArcStruct* seen)
{
    Rk_PointStruct center = {};
    double radius = 0.0;
    RK_TRY(Rk_ArcGetApparentArc(&arc, &arc, kind, &dir, &center, &radius));
    Rk_ArcStruct made = {};
    RK_TRY(Rk_ArcSet(&made, &center, &dir, radius));
    *seen = made;
    return 0;
}

}  // namespace

extern "C" RK_API int Rk_ArcInit(Rk_ArcStruct* arc)
{
    *arc = {{0.0, 0.0, 0.0}, {0.0, 0.0, 1.0}, 1.0};
    return 0;
}

extern "C" RK_API int Rk_ArcSet(Rk_ArcStruct* arc, const Rk_PointStruct* center, const Rk_VectorStruct* normal,
                                double radius)
{
    const Rk_PointStruct c = *center;
    const Rk_VectorStruct n = *normal;
    arc->center = c;
    arc->normal = n;
    return Rk_ArcSetRadius(arc, radius);
}

extern "C" RK_API int Rk_ArcSetCenter(Rk_ArcStruct* arc, const Rk_PointStruct* center)
{
    arc->center = *center;
    return 0;
}

extern "C" RK_API int Rk_ArcSetNormal(Rk_ArcStruct* arc, const Rk_VectorStruct* normal)
{
    arc->normal = *normal;
    return 0;
}

extern "C" RK_API int Rk_ArcSetRadius(Rk_ArcStruct* arc, double radius)
{
    if (!(std::fabs(radius) >= rk::zero_eps())) return RK_FAIL(RK_ERR_ZERO_RADIUS);
    arc->radius = std::fabs(radius);
    return 0;
}

extern "C" RK_API int Rk_ArcSetByPoints(Rk_ArcStruct* arc1, const Rk_PointStruct* pt1, const Rk_PointStruct* pt2,
                                        const Rk_PointStruct* pt3)
{
    const Rk_PointStruct p1 = *pt1, p2 = *pt2, p3 = *pt3;
    const Rk_PointStruct* pairs[3][2] = {{&p1, &p2}, {&p1, &p3}, {&p2, &p3}};
    for (const auto& pair : pairs) {
        int equal = 0;
        Rk_PointIsEqualToPoint(pair[0], pair[1], &equal);
        if (equal) return RK_FAIL(RK_ERR_NO_ARC);
    }
    const Rk_LineStruct chord = {p1, p2};
    int collinear = 0;
    RK_TRY(Rk_PointIsOnLine(&p3, &chord, &collinear));
    if (collinear) return RK_FAIL(RK_ERR_NO_ARC);

    // Work in a frame of the points' plane with its origin at p1.
    Rk_VectorStruct e12 = {}, e13 = {}, normal = {};
    RK_TRY(Rk_VectorSetByPoints(&e12, &p1, &p2));
    RK_TRY(Rk_VectorSetByPoints(&e13, &p1, &p3));
    RK_TRY(Rk_VectorCross(&e12, &e13, &normal));
    Rk_RefFrameStruct local = {};
    RK_TRY(Rk_RefFrameSetAxesByZ(&local, &normal));
    local.origin = p1;
    const Rk_PointStruct q1 = rk::world_to_frame(local, p1);
    const Rk_PointStruct q2 = rk::world_to_frame(local, p2);
    const Rk_PointStruct q3 = rk::world_to_frame(local, p3);

    Rk_VectorStruct d12 = {}, d13 = {}, in_plane_normal = {};
    RK_TRY(Rk_VectorSetByPoints(&d12, &q1, &q2));
    RK_TRY(Rk_VectorSetByPoints(&d13, &q1, &q3));
    RK_TRY(Rk_VectorCross(&d12, &d13, &in_plane_normal));
    Rk_LineStruct bisector12 = {}, bisector13 = {};
    RK_TRY(bisector(q1, q2, d12, in_plane_normal, &bisector12));
    RK_TRY(bisector(q1, q3, d13, in_plane_normal, &bisector13));
    int parallel = 0;
    RK_TRY(Rk_LineIsParallelToLine(&bisector12, &bisector13, &parallel));
    if (parallel) return RK_FAIL(RK_ERR_NO_ARC);

    Rk_PointStruct center = {};
    RK_TRY(Rk_LinePointClosestToLine(&bisector12, &bisector13, &center));
    double radius = 0.0;
    Rk_PointDistFromPoint(&center, &q1, &radius);
    Rk_PointStruct world_center = {};
    RK_TRY(Rk_RefFrameTransformFramePt(&local, &center, &world_center));
    return Rk_ArcSet(arc1, &world_center, &local.z_axis, radius);
}

extern "C" RK_API int Rk_ArcGet(const Rk_ArcStruct* arc, Rk_PointStruct* center, Rk_VectorStruct* normal,
                                double* radius)
{
    const Rk_ArcStruct a = *arc;
    *center = a.center;
    *normal = a.normal;
    *radius = a.radius;
    return 0;
}

extern "C" RK_API int Rk_ArcGetCenter(const Rk_ArcStruct* arc, Rk_PointStruct* center)
{
    *center = arc->center;
    return 0;
}

extern "C" RK_API int Rk_ArcGetNormal(const Rk_ArcStruct* arc, Rk_VectorStruct* normal)
{
    *normal = arc->normal;
    return 0;
}

extern "C" RK_API int Rk_ArcGetRadius(const Rk_ArcStruct* arc, double* radius)
{
    *radius = arc->radius;
    return 0;
}

extern "C" RK_API int Rk_ArcGetPlane(const Rk_ArcStruct* arc, Rk_PlaneStruct* plane)
{
    return Rk_PlaneSet(plane, &arc->center, &arc->normal);
}

extern "C" RK_API int Rk_ArcIsEqualToArc(const Rk_ArcStruct* arc1, const Rk_ArcStruct* arc2, int* equal)
{
    *equal = 0;
    int same = 0;
    Rk_PointIsEqualToPoint(&arc1->center, &arc2->center, &same);
    if (!same) return 0;
    if (!(std::fabs(arc1->radius - arc2->radius) < rk::zero_eps())) return 0;
    RK_TRY(Rk_VectorIsParallelToVector(&arc1->normal, &arc2->normal, &same));
    *equal = same;
    return 0;
}

extern "C" RK_API int Rk_ArcIsOnPlane(const Rk_ArcStruct* arc, const Rk_PlaneStruct* plane, int* on_plane)
{
    Rk_PlaneStruct arc_plane = {};
    Rk_ArcGetPlane(arc, &arc_plane);
    return Rk_PlaneIsCoincidentToPlane(plane, &arc_plane, on_plane);
}

extern "C" RK_API int Rk_ArcIsParallelToPlane(const Rk_ArcStruct* arc, const Rk_PlaneStruct* plane, int* parallel)
{
    Rk_PlaneStruct arc_plane = {};
    Rk_ArcGetPlane(arc, &arc_plane);
    return Rk_PlaneIsParallelToPlane(plane, &arc_plane, parallel);
}

extern "C" RK_API int Rk_ArcIntersectPlane(const Rk_ArcStruct* arc, const Rk_PlaneStruct* plane, int* numpts,
                                           Rk_PointStruct* pt1, Rk_PointStruct* pt2)
{
    *numpts = 0;
    int flag = 0;
    RK_TRY(Rk_ArcIsOnPlane(arc, plane, &flag));
    if (flag) return RK_FAIL(RK_ERR_GENERAL);
    RK_TRY(Rk_ArcIsParallelToPlane(arc, plane, &flag));
    if (flag) return 0;
    Rk_PlaneStruct arc_plane = {};
    Rk_ArcGetPlane(arc, &arc_plane);
    Rk_LineStruct common = {};
    RK_TRY(Rk_PlaneIntersectPlane(&arc_plane, plane, &common));
    return Rk_LineIntersectArc(&common, arc, numpts, pt1, pt2);
}

extern "C" RK_API int Rk_ArcIntersectArc(const Rk_ArcStruct* arc1, const Rk_ArcStruct* arc2, int* num_pts,
                                         Rk_PointStruct* pt1, Rk_PointStruct* pt2)
{
    *num_pts = 0;
    const Rk_ArcStruct a1 = *arc1, a2 = *arc2;
    int flag = 0;
    RK_TRY(Rk_ArcIsEqualToArc(&a1, &a2, &flag));
    if (flag) return RK_FAIL(RK_ERR_ARC_RELATION);
    Rk_PlaneStruct plane1 = {};
    Rk_ArcGetPlane(&a1, &plane1);
    Rk_PointStruct foot = {};
    RK_TRY(Rk_PointProjOnPlane(&a2.center, &plane1, &foot));
    Rk_PointIsEqualToPoint(&a2.center, &foot, &flag);
    if (!flag) return RK_FAIL(RK_ERR_ARC_RELATION);
    Rk_PointIsEqualToPoint(&a1.center, &a2.center, &flag);
    if (flag) return 0;

    // In a frame at c1 whose x axis runs toward c2.
    Rk_VectorStruct toward = {};
    RK_TRY(Rk_VectorSetByPoints(&toward, &a1.center, &a2.center));
    Rk_RefFrameStruct local = {};
    RK_TRY(Rk_RefFrameSetAxesByZX(&local, &a1.normal, &toward));
    local.origin = a1.center;
    const Rk_PointStruct c1 = rk::world_to_frame(local, a1.center);
    const Rk_PointStruct c2 = rk::world_to_frame(local, a2.center);
    double d = 0.0;
    Rk_PointDistFromPoint(&c1, &c2, &d);
    const double r1 = a1.radius, r2 = a2.radius;

    if (std::fabs(d - r1 - r2) < rk::zero_eps()) {
        Rk_PointStruct touch = {};
        RK_TRY(Rk_PointOffset(&a1.center, r1, &toward, &touch));
        *pt1 = touch;
        *num_pts = 1;
        return 0;
    }
    if (!(r1 + r2 > d)) return 0;
    // q is the cosine of the half-angle at c1 between the two meeting points.
    const double q = (r1 * r1 + d * d - r2 * r2) / (2 * r1 * d);
    if (std::fabs(q) - 1 >= rk::zero_eps()) return 0;
    // Touching from inside: at q near 1 the point lies on the centre line toward c2, at q near -1
    // on the far side of c1.
    double a = 0.0;
    if (std::fabs(std::fabs(q) - 1) < rk::zero_eps())
        a = q > 0 ? 0.0 : kPi;
    else
        a = std::acos(q);
    const Rk_PointStruct f1 = {c1.pt_x + r1 * std::cos(-a), c1.pt_y + r1 * std::sin(-a), c1.pt_z};
    const Rk_PointStruct f2 = {c1.pt_x + r1 * std::cos(a), c1.pt_y + r1 * std::sin(a), c1.pt_z};
    Rk_RefFrameStruct inverse = {};
    RK_TRY(rk::inverse_frame(local, &inverse));
    *pt1 = rk::world_to_frame(inverse, f1);
    *pt2 = rk::world_to_frame(inverse, f2);
    *num_pts = 2;
    return 0;
}

extern "C" RK_API int Rk_ArcClearance(const Rk_ArcStruct* arc1, int arc1_char, const Rk_ArcStruct* arc2, int arc2_char,
                                      double* min_virt_clr, double* max_virt_clr)
{
    int parallel = 0;
    RK_TRY(Rk_VectorIsParallelToVector(&arc1->normal, &arc2->normal, &parallel));
    if (!parallel) return RK_FAIL(RK_ERR_ARCS_NOT_PARALLEL);
    Rk_PointStruct seen1 = {}, seen2 = {};
    double d = 0.0;
    RK_TRY(apparent_offset(arc1->center, arc2->center, arc1->normal, &seen1, &seen2, &d));
    const double r1 = arc1->radius, r2 = arc2->radius;
    const double rmin = std::min(r1, r2), rmax = std::max(r1, r2);

    double least = 0.0, most = 0.0;
    if (arc1_char == kHole && arc2_char == kHole) {
        // The width of the overlap of the two holes along the centre line.
        if (r1 < rk::zero_eps() || r2 < rk::zero_eps() || r1 + r2 < d)
            least = 0.0;
        else if (d + rmin < rmax)
            least = 2 * rmin;
        else
            least = rmax + rmin - d;
        most = least;
    } else if (arc1_char == kPin && arc2_char == kPin) {
        // The width of the envelope of the two pins along the centre line.
        least = d + rmin < rmax ? 2 * rmax : rmax + rmin + d;
        most = least;
    } else if (arc1_char == kHole && arc2_char == kPin) {
        least = r1 - (d + r2);
        most = d - r2 + r1;
    } else if (arc1_char == kPin && arc2_char == kHole) {
        least = r2 - (d + r1);
        most = d - r1 + r2;
    } else {
        return RK_FAIL(RK_ERR_GENERAL);
    }
    *min_virt_clr = least;
    *max_virt_clr = most;
    return 0;
}

extern "C" RK_API int Rk_ArcGetApparentArc(const Rk_ArcStruct* arc1, const Rk_ArcStruct* arc2, int arc_char,
                                           const Rk_VectorStruct* view_vec, Rk_PointStruct* apparent_center,
                                           double* apparent_rad)
{
    // The two arcs must be the coaxial ends of one round feature.
    const double r1 = arc1->radius;
    if (std::fabs(arc2->radius - r1) > rk::zero_eps()) return RK_FAIL(RK_ERR_ARC_RELATION);
    int parallel = 0;
    RK_TRY(Rk_VectorIsParallelToVector(&arc1->normal, &arc2->normal, &parallel));
    if (!parallel) return RK_FAIL(RK_ERR_ARC_RELATION);
    Rk_PointStruct seen1 = {}, seen2 = {};
    double offset = 0.0;
    RK_TRY(apparent_offset(arc1->center, arc2->center, arc1->normal, &seen1, &seen2, &offset));
    if (offset > rk::point_eps()) return RK_FAIL(RK_ERR_ARC_RELATION);

    // The ends foreshortened along the view, and how far apart they appear.
    double tilt = 0.0;
    RK_TRY(Rk_VectorAngleFromVector(&arc1->normal, view_vec, &tilt));
    const double diameter = std::fabs(std::cos(tilt * rk::kRadiansPerDegree) * 2 * r1);
    double apart = 0.0;
    RK_TRY(apparent_offset(arc1->center, arc2->center, *view_vec, &seen1, &seen2, &apart));
    Rk_PointStruct center = {};
    Rk_PointGetMidpoint(&seen1, &seen2, &center);

    double radius = 0.0;
    if (arc_char == kPin)
        radius = (diameter + apart) / 2;
    else if (arc_char == kHole)
        radius = diameter - apart >= rk::zero_eps() ? (diameter - apart) / 2 : 0.0;
    else
        return RK_FAIL(RK_ERR_GENERAL);
    *apparent_center = center;
    *apparent_rad = radius;
    return 0;
}

extern "C" RK_API int Rk_ArcGetVirtualArc(Rk_ArcStruct* virt_arc, int num_arcs, const Rk_ArcStruct* arcs,
                                          const Rk_VectorStruct* dir_vec, int arc_type, double* diam, int* arc_found)
{
    *arc_found = 1;
    if (arc_type != kPin && arc_type != kHole) return RK_FAIL(RK_ERR_GENERAL);
    if (num_arcs < 1) return RK_FAIL(RK_ERR_GENERAL);
    const Rk_VectorStruct dir = *dir_vec;
    Rk_ArcStruct cumulative = {};
    RK_TRY(projected_arc(arcs[0], dir, arc_type, &cumulative));
    for (int i = 1; i < num_arcs; ++i) {
        Rk_ArcStruct seen = {};
        RK_TRY(projected_arc(arcs[i], dir, arc_type, &seen));
        const bool seen_is_big = seen.radius > cumulative.radius;
        const Rk_ArcStruct& big = seen_is_big ? seen : cumulative;
        const Rk_ArcStruct& small = seen_is_big ? cumulative : seen;
        double e = 0.0;
        Rk_PointDistFromPoint(&small.center, &big.center, &e);
        double least = 0.0, most = 0.0;
        RK_TRY(Rk_ArcClearance(&seen, arc_type, &cumulative, arc_type, &least, &most));
        if (std::fabs(least) <= rk::point_eps()) {
            // No passage is left through the stack.
            *arc_found = 0;
            *diam = 0.0;
            return 0;
        }
        // The new circle touches the small one's far side (holes) or the big one's (pins).
        const double radius = least / 2;
        Rk_PointStruct center = cumulative.center;
        if (arc_type == kHole) {
            const double o = small.radius - radius;
            if (o > rk::point_eps() && e > rk::point_eps()) RK_TRY(move_toward(small.center, big.center, o, &center));
        } else {
            const double o = radius - big.radius;
            if (o > rk::point_eps() && e > rk::point_eps()) RK_TRY(move_toward(big.center, small.center, o, &center));
        }
        RK_TRY(Rk_ArcSet(&cumulative, &center, &dir, radius));
    }
    *diam = 2 * cumulative.radius;
    *virt_arc = cumulative;
    return 0;
}

extern "C" RK_API int Rk_ArcDebugRpt(const Rk_ArcStruct* arc, Rk_ReportStruct* report)
{
    Rk_PointStruct c = {};
    Rk_VectorStruct n = {};
    double radius = 0.0;
    Rk_ArcGet(arc, &c, &n, &radius);
    return rk::dump::checked_line(report, kModule,
                                  "Arc Center %8.3f %8.3f %8.3f Normal %8.3f %8.3f %8.3f Radius %7.3f", c.pt_x,
                                  c.pt_y, c.pt_z, n.i_comp, n.j_comp, n.k_comp, radius);
}

extern "C" RK_API int Rk_ArcDebug(const Rk_ArcStruct* arc) { return rk::dump::to_console(Rk_ArcDebugRpt, arc); }
