// The reference frame of a datum reference frame: the frame that a primary, a secondary and a
// tertiary feature (point, line or plane) fix, in that order of precedence. A lower feature that
// adds nothing to the higher ones is dropped and the frame is built from the rest. One function
// per case, named by the three feature types, dispatched through one table. Part of module
// src/rk_reffr, whose other operations are in rk_reffr.cpp.
#include "datum/datum_frame.hpp"
#include "core/fail.hpp"
#include "geometry/frame_axes.hpp"
#include "geometry/geometry.hpp"
#include "geometry/line_projector.hpp"

namespace {

constexpr char kModule[] = "src/rk_reffr";

using rk::DatumFeature;
using rk::DatumFeatures;

// What a case ends in. kBuilt and kFailed are the usual statuses, so RK_TRY serves inside a case;
// kGoOn is what a group of degeneracy tests answers when it drops nothing.
enum Outcome { kBuilt = 0, kGoOn = 0, kFailed = 1, kDropSecondary = 2, kDropTertiary = 3 };

struct Datum {
    Rk_RefFrameStruct* frame;
    const DatumFeature& pri;
    const DatumFeature& sec;
    const DatumFeature& ter;
    double eps;
};

/* ---- Constructions, named as the cases read ----
 * Each works as the geometry operation it names, inline; where that operation would fail, it is
 * called, so that it raises its own error. */

int dir(const Rk_LineStruct& line, Rk_VectorStruct* d) { return rk::line_direction(line, d); }

// b - a.
int from_to(const Rk_PointStruct& a, const Rk_PointStruct& b, Rk_VectorStruct* v)
{
    const Rk_VectorStruct d = rk::from_to(a, b);
    if (rk::is_zero_vector(d)) return Rk_VectorSetByPoints(v, &a, &b);
    *v = d;
    return 0;
}

int cross(const Rk_VectorStruct& u, const Rk_VectorStruct& w, Rk_VectorStruct* v)
{
    const Rk_VectorStruct c = rk::cross(u, w);
    if (rk::is_zero_vector(c)) return Rk_VectorCross(&u, &w, v);
    *v = c;
    return 0;
}

int foot(const Rk_PointStruct& p, const Rk_LineStruct& line, Rk_PointStruct* q)
{
    return rk::foot_on_line(p, line, q);
}

int proj(const Rk_PointStruct& p, const Rk_PlaneStruct& plane, Rk_PointStruct* q)
{
    return rk::foot_on_plane(p, plane, q) ? 0 : Rk_PointProjOnPlane(&p, &plane, q);
}

// The line projected on the plane.
int onto(const Rk_LineStruct& line, const Rk_PlaneStruct& plane, Rk_LineStruct* projected)
{
    return Rk_LineProjOnPlane(&line, &plane, projected);
}

int meet(const Rk_LineStruct& line, const Rk_PlaneStruct& plane, Rk_PointStruct* p)
{
    return Rk_LineIntersectPlane(&line, &plane, p);
}

int meet(const Rk_PlaneStruct& q1, const Rk_PlaneStruct& q2, Rk_LineStruct* common)
{
    return Rk_PlaneIntersectPlane(&q1, &q2, common);
}

// The point of `l1` nearest to `l2`.
int closest(const Rk_LineStruct& l1, const Rk_LineStruct& l2, Rk_PointStruct* p)
{
    return Rk_LinePointClosestToLine(&l1, &l2, p);
}

Rk_PointStruct mid(const Rk_LineStruct& line)
{
    const Rk_PointStruct &a = line.point1, &b = line.point2;
    return {(a.pt_x + b.pt_x) / 2.0, (a.pt_y + b.pt_y) / 2.0, (a.pt_z + b.pt_z) / 2.0};
}

int through(const Rk_PointStruct& a, const Rk_PointStruct& b, Rk_LineStruct* line)
{
    if (rk::same_point(a, b)) return Rk_LineSet(line, &a, &b);
    *line = {a, b};
    return 0;
}

int along(const Rk_PointStruct& p, const Rk_VectorStruct& v, Rk_LineStruct* line)
{
    return Rk_LineSetByPointAndVector(line, &p, &v);
}

// The direction of `common`, the line that planes q1 and q2 share, in the sense of
// n(q1) x n(q2). The line found by intersecting runs whichever way the world axes lead the search,
// and a frame must turn with its features, not with the world; the sense of the normals gives the
// four orientations of a mating their distinct frames.
int meet_dir(const Rk_LineStruct& common, const Rk_PlaneStruct& q1, const Rk_PlaneStruct& q2, Rk_VectorStruct* d)
{
    RK_TRY(dir(common, d));
    const Rk_VectorStruct& a = q1.normal;
    const Rk_VectorStruct& b = q2.normal;
    const double sense = d->i_comp * (a.j_comp * b.k_comp - a.k_comp * b.j_comp) +
                         d->j_comp * (a.k_comp * b.i_comp - a.i_comp * b.k_comp) +
                         d->k_comp * (a.i_comp * b.j_comp - a.j_comp * b.i_comp);
    if (sense < 0.0) Rk_VectorInvert(d, d);
    return 0;
}

/* ---- Predicates: the geometry tolerances, unless named within ---- */

int is_equal(const Rk_PointStruct& a, const Rk_PointStruct& b, int* flag)
{
    *flag = rk::same_point(a, b) ? 1 : 0;
    return 0;
}

// Only l2's points are measured against l1.
int is_equal(const Rk_LineStruct& l1, const Rk_LineStruct& l2, int* flag) { return Rk_LineIsEqualToLine(&l1, &l2, flag); }

int is_on(const Rk_PointStruct& p, const Rk_LineStruct& line, int* flag)
{
    Rk_PointStruct f = {};
    RK_TRY(foot(p, line, &f));
    *flag = rk::same_point(p, f) ? 1 : 0;
    return 0;
}

int is_parallel(const Rk_LineStruct& l1, const Rk_LineStruct& l2, int* flag)
{
    return Rk_LineIsParallelToLine(&l1, &l2, flag);
}

int is_parallel(const Rk_LineStruct& line, const Rk_PlaneStruct& plane, int* flag)
{
    return Rk_LineIsParallelToPlane(&line, &plane, flag);
}

int is_parallel(const Rk_PlaneStruct& q1, const Rk_PlaneStruct& q2, int* flag)
{
    return Rk_PlaneIsParallelToPlane(&q1, &q2, flag);
}

int is_perpendicular(const Rk_LineStruct& line, const Rk_PlaneStruct& plane, int* flag)
{
    return Rk_LineIsPerpToPlane(&line, &plane, flag);
}

int parallel_within(const Rk_LineStruct& l1, const Rk_LineStruct& l2, double eps, int* flag)
{
    return Rk_LineIsParaToLineWithinAngle(&l1, &l2, eps, flag);
}

// A line against a plane within `eps`, parallel flag first. Both may be set: each degeneracy test
// then applies by its own flag, and the construction takes the parallel branch.
struct Within {
    int parallel = 0;
    int perpendicular = 0;
};

// The two tests of Rk_LineIsParaToPlaneWithinAngle and Rk_LineIsPerpToPlaneWithinAngle on the one
// angle they both measure.
int within(const Rk_LineStruct& line, const Rk_PlaneStruct& plane, double eps, Within* w)
{
    Rk_VectorStruct d = {};
    RK_TRY(rk::line_direction(line, &d));
    double q = 0.0;
    RK_TRY(rk::measured_cosine(d, plane.normal, &q));
    const double from_normal = rk::angle_of_cosine(q);
    const double zero = rk::zero_eps();
    w->parallel = 90.0 - eps - zero <= from_normal && from_normal <= 90.0 + eps + zero;
    w->perpendicular = from_normal <= eps || from_normal >= 180.0 - eps;
    return 0;
}

// The tests of a line against a plane when a tertiary follows: neither parallel nor perpendicular
// within eps drops T; then `if_perpendicular` and `if_parallel`, each answering whether T adds
// nothing, apply by their own flags, in that order.
template <class IfPerpendicular, class IfParallel>
int tertiary_tests(const Rk_LineStruct& line, const Rk_PlaneStruct& plane, double eps, Within* w,
                   IfPerpendicular if_perpendicular, IfParallel if_parallel)
{
    RK_TRY(within(line, plane, eps, w));
    if (!w->parallel && !w->perpendicular) return kDropTertiary;
    int flag = 0;
    if (w->perpendicular) {
        RK_TRY(if_perpendicular(&flag));
        if (flag) return kDropTertiary;
    }
    if (w->parallel) {
        RK_TRY(if_parallel(&flag));
        if (flag) return kDropTertiary;
    }
    return kGoOn;
}

// The test of a row that tests nothing under one of the flags.
int no_test(int* flag)
{
    *flag = 0;
    return 0;
}

/* ---- Setting the frame: the origin, then the axes ---- */

int set_z(Rk_RefFrameStruct* frame, const Rk_PointStruct& origin, const Rk_VectorStruct& z)
{
    frame->origin = origin;
    return Rk_RefFrameSetAxesByZ(frame, &z);
}

int set_zx(Rk_RefFrameStruct* frame, const Rk_PointStruct& origin, const Rk_VectorStruct& z,
           const Rk_VectorStruct& x)
{
    frame->origin = origin;
    rk::Axes axes = {};
    RK_TRY(rk::axes_by_zx(z, x, &axes));
    frame->x_axis = axes.x;
    frame->y_axis = axes.y;
    frame->z_axis = axes.z;
    return 0;
}

// A point on a line (P on S, or S on P), then a tertiary point: the point off the line drops T,
// and so does T on the line. Origin at the point; z along the line, x toward T.
int on_line_then_point(const Datum& d, const Rk_PointStruct& at, const Rk_LineStruct& line)
{
    const Rk_PointStruct& t = d.ter.point;
    int flag = 0;
    RK_TRY(is_on(at, line, &flag));
    if (!flag) return kDropTertiary;
    RK_TRY(is_on(t, line, &flag));
    if (flag) return kDropTertiary;
    Rk_VectorStruct z = {}, x = {};
    RK_TRY(dir(line, &z));
    RK_TRY(from_to(at, t, &x));
    return set_zx(d.frame, at, z, x);
}

// A point on a line, then a tertiary line: the point off the line drops T, and so does T equal to
// the line. Origin at the point; z along the line, x along T, or toward T's first point when T is
// parallel to the line.
int on_line_then_line(const Datum& d, const Rk_PointStruct& at, const Rk_LineStruct& line)
{
    const Rk_LineStruct& t = d.ter.line;
    int flag = 0;
    RK_TRY(is_on(at, line, &flag));
    if (!flag) return kDropTertiary;
    RK_TRY(is_equal(line, t, &flag));
    if (flag) return kDropTertiary;
    Rk_VectorStruct z = {}, x = {};
    RK_TRY(dir(line, &z));
    RK_TRY(is_parallel(line, t, &flag));
    RK_TRY(flag ? from_to(at, t.point1, &x) : dir(t, &x));
    return set_zx(d.frame, at, z, x);
}

/* ---- Primary point P ---- */

// No secondary: the world axes at P; a tertiary is ignored.
int point_alone(const Datum& d) { return Rk_RefFrameSetOrigin(d.frame, &d.pri.point); }

int point_point(const Datum& d)
{
    const Rk_PointStruct &p = d.pri.point, &s = d.sec.point;
    int flag = 0;
    RK_TRY(is_equal(p, s, &flag));
    if (flag) return kDropSecondary;
    Rk_VectorStruct z = {};
    RK_TRY(from_to(p, s, &z));
    return set_z(d.frame, p, z);
}

int point_point_point(const Datum& d)
{
    const Rk_PointStruct &p = d.pri.point, &s = d.sec.point, &t = d.ter.point;
    int flag = 0;
    RK_TRY(is_equal(p, s, &flag));
    if (flag) return kDropSecondary;
    Rk_LineStruct ps = {};
    RK_TRY(through(p, s, &ps));
    RK_TRY(is_on(t, ps, &flag));
    if (flag) return kDropTertiary;
    Rk_VectorStruct z = {}, x = {};
    RK_TRY(from_to(p, s, &z));
    RK_TRY(from_to(p, t, &x));
    return set_zx(d.frame, p, z, x);
}

int point_point_line(const Datum& d)
{
    const Rk_PointStruct &p = d.pri.point, &s = d.sec.point;
    const Rk_LineStruct& t = d.ter.line;
    int flag = 0;
    RK_TRY(is_equal(p, s, &flag));
    if (flag) return kDropSecondary;
    Rk_LineStruct ps = {};
    RK_TRY(through(p, s, &ps));
    RK_TRY(is_equal(ps, t, &flag));
    if (flag) return kDropTertiary;
    Rk_VectorStruct z = {}, x = {};
    RK_TRY(from_to(p, s, &z));
    RK_TRY(is_parallel(t, ps, &flag));
    RK_TRY(flag ? from_to(p, t.point1, &x) : dir(t, &x));
    return set_zx(d.frame, p, z, x);
}

int point_point_plane(const Datum& d)
{
    const Rk_PointStruct &p = d.pri.point, &s = d.sec.point;
    const Rk_PlaneStruct& t = d.ter.plane;
    int flag = 0;
    RK_TRY(is_equal(p, s, &flag));
    if (flag) return kDropSecondary;
    Rk_LineStruct ps = {};
    RK_TRY(through(p, s, &ps));
    RK_TRY(is_perpendicular(ps, t, &flag));
    if (flag) return kDropTertiary;
    Rk_VectorStruct z = {}, x = {};
    RK_TRY(from_to(p, s, &z));
    RK_TRY(is_parallel(ps, t, &flag));
    RK_TRY(flag ? cross(t.normal, z, &x) : Rk_VectorProjOnPlane(&z, &t, &x));
    return set_zx(d.frame, p, z, x);
}

int point_line(const Datum& d)
{
    const Rk_PointStruct& p = d.pri.point;
    const Rk_LineStruct& s = d.sec.line;
    Rk_VectorStruct z = {};
    RK_TRY(dir(s, &z));
    int flag = 0;
    RK_TRY(is_on(p, s, &flag));
    if (flag) return set_z(d.frame, p, z);
    Rk_PointStruct f = {};
    Rk_VectorStruct x = {};
    RK_TRY(foot(p, s, &f));
    RK_TRY(from_to(p, f, &x));
    return set_zx(d.frame, p, z, x);
}

int point_line_point(const Datum& d) { return on_line_then_point(d, d.pri.point, d.sec.line); }

int point_line_line(const Datum& d) { return on_line_then_line(d, d.pri.point, d.sec.line); }

int point_line_plane(const Datum& d)
{
    const Rk_PointStruct& p = d.pri.point;
    const Rk_LineStruct& s = d.sec.line;
    const Rk_PlaneStruct& t = d.ter.plane;
    int flag = 0;
    RK_TRY(is_on(p, s, &flag));
    if (!flag) return kDropTertiary;
    RK_TRY(is_perpendicular(s, t, &flag));
    if (flag) return kDropTertiary;
    Rk_VectorStruct z = {}, x = {};
    RK_TRY(dir(s, &z));
    RK_TRY(is_parallel(s, t, &flag));
    if (flag) {
        RK_TRY(cross(t.normal, z, &x));
    } else {
        Rk_LineStruct s_on_t = {};
        RK_TRY(onto(s, t, &s_on_t));
        RK_TRY(dir(s_on_t, &x));
    }
    return set_zx(d.frame, p, z, x);
}

int point_plane(const Datum& d) { return set_z(d.frame, d.pri.point, d.sec.plane.normal); }

int point_plane_point(const Datum& d)
{
    const Rk_PointStruct &p = d.pri.point, &t = d.ter.point;
    const Rk_PlaneStruct& s = d.sec.plane;
    Rk_LineStruct normal_line = {};
    RK_TRY(along(p, s.normal, &normal_line));
    int flag = 0;
    RK_TRY(is_on(t, normal_line, &flag));
    if (flag) return kDropTertiary;
    Rk_VectorStruct x = {};
    RK_TRY(from_to(p, t, &x));
    return set_zx(d.frame, p, s.normal, x);
}

int point_plane_line(const Datum& d)
{
    const Rk_PointStruct& p = d.pri.point;
    const Rk_PlaneStruct& s = d.sec.plane;
    const Rk_LineStruct& t = d.ter.line;
    Rk_LineStruct normal_line = {};
    RK_TRY(along(p, s.normal, &normal_line));
    int flag = 0;
    RK_TRY(is_equal(normal_line, t, &flag));
    if (flag) return kDropTertiary;
    Rk_VectorStruct x = {};
    RK_TRY(is_parallel(t, normal_line, &flag));
    if (flag) {
        Rk_PointStruct t_meet_s = {};
        RK_TRY(meet(t, s, &t_meet_s));
        RK_TRY(from_to(p, t_meet_s, &x));
    } else {
        RK_TRY(dir(t, &x));
    }
    return set_zx(d.frame, p, s.normal, x);
}

int point_plane_plane(const Datum& d)
{
    const Rk_PlaneStruct &s = d.sec.plane, &t = d.ter.plane;
    int flag = 0;
    RK_TRY(is_parallel(s, t, &flag));
    if (flag) return kDropTertiary;
    Rk_LineStruct s_meet_t = {};
    Rk_VectorStruct x = {};
    RK_TRY(meet(s, t, &s_meet_t));
    RK_TRY(meet_dir(s_meet_t, s, t, &x));
    return set_zx(d.frame, d.pri.point, s.normal, x);
}

/* ---- Primary line P ---- */

int line_alone(const Datum& d)
{
    Rk_VectorStruct z = {};
    RK_TRY(dir(d.pri.line, &z));
    return set_z(d.frame, mid(d.pri.line), z);
}

int line_point(const Datum& d)
{
    const Rk_LineStruct& p = d.pri.line;
    const Rk_PointStruct& s = d.sec.point;
    Rk_VectorStruct z = {};
    RK_TRY(dir(p, &z));
    int flag = 0;
    RK_TRY(is_on(s, p, &flag));
    if (flag) return set_z(d.frame, s, z);
    Rk_PointStruct f = {};
    Rk_VectorStruct x = {};
    RK_TRY(foot(s, p, &f));
    RK_TRY(from_to(f, s, &x));
    return set_zx(d.frame, f, z, x);
}

int line_point_point(const Datum& d) { return on_line_then_point(d, d.sec.point, d.pri.line); }

int line_point_line(const Datum& d) { return on_line_then_line(d, d.sec.point, d.pri.line); }

int line_point_plane(const Datum& d)
{
    const Rk_LineStruct& p = d.pri.line;
    const Rk_PointStruct& s = d.sec.point;
    const Rk_PlaneStruct& t = d.ter.plane;
    int flag = 0;
    RK_TRY(is_on(s, p, &flag));
    if (!flag) return kDropTertiary;
    RK_TRY(is_perpendicular(p, t, &flag));
    if (flag) return kDropTertiary;
    Rk_VectorStruct z = {}, y = {}, x = {};
    RK_TRY(dir(p, &z));
    RK_TRY(cross(z, t.normal, &y));
    RK_TRY(cross(y, z, &x));
    return set_zx(d.frame, s, z, x);
}

int line_line(const Datum& d)
{
    const Rk_LineStruct &p = d.pri.line, &s = d.sec.line;
    int flag = 0;
    RK_TRY(is_equal(p, s, &flag));
    if (flag) return kDropSecondary;
    int parallel = 0;
    RK_TRY(parallel_within(p, s, d.eps, &parallel));
    const Rk_PointStruct middle = mid(p);
    Rk_PointStruct origin = middle;
    Rk_VectorStruct z = {}, x = {};
    if (!parallel) RK_TRY(closest(p, s, &origin));
    RK_TRY(dir(p, &z));
    RK_TRY(parallel ? from_to(middle, s.point1, &x) : dir(s, &x));
    return set_zx(d.frame, origin, z, x);
}

// Primary and secondary lines parallel within eps, the tertiary kept: z along P, x from P toward S.
int line_line_axes(const Datum& d, const Rk_PointStruct& origin)
{
    Rk_VectorStruct z = {}, x = {};
    RK_TRY(dir(d.pri.line, &z));
    RK_TRY(from_to(d.pri.line.point1, d.sec.line.point1, &x));
    return set_zx(d.frame, origin, z, x);
}

// The first two tests of a primary and a secondary line with a tertiary.
int line_line_degeneracy(const Datum& d)
{
    int flag = 0;
    RK_TRY(is_equal(d.pri.line, d.sec.line, &flag));
    if (flag) return kDropSecondary;
    RK_TRY(parallel_within(d.pri.line, d.sec.line, d.eps, &flag));
    return flag ? kGoOn : kDropTertiary;
}

int line_line_point(const Datum& d)
{
    if (const int outcome = line_line_degeneracy(d)) return outcome;
    Rk_PointStruct origin = {};
    RK_TRY(foot(d.ter.point, d.pri.line, &origin));
    return line_line_axes(d, origin);
}

int line_line_line(const Datum& d)
{
    if (const int outcome = line_line_degeneracy(d)) return outcome;
    const Rk_LineStruct &p = d.pri.line, &t = d.ter.line;
    int flag = 0;
    RK_TRY(is_parallel(t, p, &flag));
    if (flag) return kDropTertiary;
    Rk_PointStruct origin = {};
    RK_TRY(closest(p, t, &origin));
    return line_line_axes(d, origin);
}

int line_line_plane(const Datum& d)
{
    if (const int outcome = line_line_degeneracy(d)) return outcome;
    const Rk_LineStruct& p = d.pri.line;
    const Rk_PlaneStruct& t = d.ter.plane;
    int flag = 0;
    RK_TRY(is_parallel(p, t, &flag));
    if (flag) return kDropTertiary;
    Rk_PointStruct origin = {};
    RK_TRY(meet(p, t, &origin));
    return line_line_axes(d, origin);
}

int line_plane(const Datum& d)
{
    const Rk_LineStruct& p = d.pri.line;
    const Rk_PlaneStruct& s = d.sec.plane;
    Within w;
    RK_TRY(within(p, s, d.eps, &w));
    Rk_PointStruct origin = {};
    Rk_VectorStruct z = {}, x = {};
    if (w.parallel) {
        origin = mid(p);
    } else {
        RK_TRY(meet(p, s, &origin));
    }
    RK_TRY(dir(p, &z));
    if (w.parallel) {
        RK_TRY(cross(s.normal, z, &x));
    } else if (w.perpendicular) {
        return set_z(d.frame, origin, z);
    } else {
        Rk_LineStruct p_on_s = {};
        RK_TRY(onto(p, s, &p_on_s));
        RK_TRY(dir(p_on_s, &x));
    }
    return set_zx(d.frame, origin, z, x);
}

int line_plane_point(const Datum& d)
{
    const Rk_LineStruct& p = d.pri.line;
    const Rk_PlaneStruct& s = d.sec.plane;
    const Rk_PointStruct& t = d.ter.point;
    Within w;
    const int tests = tertiary_tests(p, s, d.eps, &w,
                                     [&](int* f) { return is_on(t, p, f); },  // perpendicular within eps
                                     no_test);  // parallel within eps
    if (tests != kGoOn) return tests;
    Rk_PointStruct origin = {};
    Rk_VectorStruct z = {}, x = {};
    RK_TRY(w.parallel ? foot(t, p, &origin) : meet(p, s, &origin));
    RK_TRY(dir(p, &z));
    RK_TRY(w.parallel ? cross(s.normal, z, &x) : from_to(origin, t, &x));
    return set_zx(d.frame, origin, z, x);
}

int line_plane_line(const Datum& d)
{
    const Rk_LineStruct &p = d.pri.line, &t = d.ter.line;
    const Rk_PlaneStruct& s = d.sec.plane;
    Within w;
    const int tests = tertiary_tests(p, s, d.eps, &w,
                                     [&](int* f) { return is_equal(p, t, f); },  // perpendicular within eps
                                     [&](int* f) { return is_parallel(t, p, f); });  // parallel within eps
    if (tests != kGoOn) return tests;
    Rk_PointStruct origin = {};
    Rk_VectorStruct z = {}, x = {};
    RK_TRY(w.parallel ? closest(p, t, &origin) : meet(p, s, &origin));
    RK_TRY(dir(p, &z));
    if (w.parallel) {
        RK_TRY(cross(s.normal, z, &x));
    } else {
        int parallel = 0;
        RK_TRY(is_parallel(p, t, &parallel));
        RK_TRY(parallel ? from_to(p.point1, t.point1, &x) : dir(t, &x));
    }
    return set_zx(d.frame, origin, z, x);
}

int line_plane_plane(const Datum& d)
{
    const Rk_LineStruct& p = d.pri.line;
    const Rk_PlaneStruct &s = d.sec.plane, &t = d.ter.plane;
    Within w;
    const int tests = tertiary_tests(p, s, d.eps, &w,
                                     [&](int* f) { return is_perpendicular(p, t, f); },  // perpendicular within eps
                                     [&](int* f) { return is_parallel(p, t, f); });  // parallel within eps
    if (tests != kGoOn) return tests;
    Rk_PointStruct origin = {};
    Rk_VectorStruct z = {}, x = {};
    RK_TRY(meet(p, w.parallel ? t : s, &origin));
    RK_TRY(dir(p, &z));
    if (w.parallel) {
        RK_TRY(cross(s.normal, z, &x));
    } else {
        Rk_LineStruct s_meet_t = {};
        RK_TRY(meet(s, t, &s_meet_t));
        RK_TRY(meet_dir(s_meet_t, s, t, &x));
    }
    return set_zx(d.frame, origin, z, x);
}

/* ---- Primary plane P ---- */

int plane_alone(const Datum& d) { return set_z(d.frame, d.pri.plane.point, d.pri.plane.normal); }

int plane_point(const Datum& d)
{
    Rk_PointStruct origin = {};
    RK_TRY(proj(d.sec.point, d.pri.plane, &origin));
    return set_z(d.frame, origin, d.pri.plane.normal);
}

int plane_point_point(const Datum& d)
{
    const Rk_PlaneStruct& p = d.pri.plane;
    Rk_PointStruct s_on_p = {}, t_on_p = {};
    RK_TRY(proj(d.sec.point, p, &s_on_p));
    RK_TRY(proj(d.ter.point, p, &t_on_p));
    int flag = 0;
    RK_TRY(is_equal(s_on_p, t_on_p, &flag));
    if (flag) return kDropTertiary;
    Rk_VectorStruct x = {};
    RK_TRY(from_to(s_on_p, t_on_p, &x));
    return set_zx(d.frame, s_on_p, p.normal, x);
}

int plane_point_line(const Datum& d)
{
    const Rk_PlaneStruct& p = d.pri.plane;
    const Rk_PointStruct& s = d.sec.point;
    const Rk_LineStruct& t = d.ter.line;
    Rk_LineStruct normal_line = {};
    RK_TRY(along(s, p.normal, &normal_line));
    int flag = 0;
    RK_TRY(is_equal(normal_line, t, &flag));
    if (flag) return kDropTertiary;
    Rk_PointStruct origin = {};
    Rk_VectorStruct x = {};
    RK_TRY(proj(s, p, &origin));
    RK_TRY(is_parallel(t, normal_line, &flag));
    RK_TRY(flag ? from_to(origin, t.point1, &x) : dir(t, &x));
    return set_zx(d.frame, origin, p.normal, x);
}

int plane_point_plane(const Datum& d)
{
    const Rk_PlaneStruct &p = d.pri.plane, &t = d.ter.plane;
    int flag = 0;
    RK_TRY(is_parallel(p, t, &flag));
    if (flag) return kDropTertiary;
    Rk_PointStruct origin = {};
    Rk_LineStruct p_meet_t = {};
    Rk_VectorStruct x = {};
    RK_TRY(proj(d.sec.point, p, &origin));
    RK_TRY(meet(p, t, &p_meet_t));
    RK_TRY(meet_dir(p_meet_t, p, t, &x));
    return set_zx(d.frame, origin, p.normal, x);
}

int plane_line(const Datum& d)
{
    const Rk_PlaneStruct& p = d.pri.plane;
    const Rk_LineStruct& s = d.sec.line;
    Within w;
    RK_TRY(within(s, p, d.eps, &w));
    Rk_PointStruct origin = {};
    if (w.parallel) {
        // On the trace of S, as every other case with a line parallel to P puts it: P's first
        // point itself would leave S's place in the plane out of the frame.
        Rk_LineStruct s_on_p = {};
        RK_TRY(onto(s, p, &s_on_p));
        RK_TRY(foot(p.point, s_on_p, &origin));
    } else {
        RK_TRY(meet(s, p, &origin));
    }
    if (w.perpendicular && !w.parallel) return set_z(d.frame, origin, p.normal);
    Rk_VectorStruct x = {};
    RK_TRY(dir(s, &x));
    return set_zx(d.frame, origin, p.normal, x);
}

int plane_line_point(const Datum& d)
{
    const Rk_PlaneStruct& p = d.pri.plane;
    const Rk_LineStruct& s = d.sec.line;
    const Rk_PointStruct& t = d.ter.point;
    Within w;
    const int tests = tertiary_tests(s, p, d.eps, &w,
                                     [&](int* f) { return is_on(t, s, f); },  // perpendicular within eps
                                     no_test);  // parallel within eps
    if (tests != kGoOn) return tests;
    Rk_PointStruct origin = {};
    Rk_VectorStruct x = {};
    if (w.parallel) {
        Rk_LineStruct s_on_p = {};
        RK_TRY(onto(s, p, &s_on_p));
        RK_TRY(foot(t, s_on_p, &origin));
        RK_TRY(dir(s_on_p, &x));
    } else {
        RK_TRY(meet(s, p, &origin));
        RK_TRY(from_to(origin, t, &x));
    }
    return set_zx(d.frame, origin, p.normal, x);
}

int plane_line_line(const Datum& d)
{
    const Rk_PlaneStruct& p = d.pri.plane;
    const Rk_LineStruct &s = d.sec.line, &t = d.ter.line;
    Within w;
    const int tests = tertiary_tests(s, p, d.eps, &w,
                                     [&](int* f) { return is_equal(s, t, f); },  // perpendicular within eps
                                     [&](int* f) { return is_parallel(s, t, f); });  // parallel within eps
    if (tests != kGoOn) return tests;
    Rk_PointStruct origin = {};
    Rk_VectorStruct x = {};
    if (w.parallel) {
        Rk_LineStruct s_on_p = {};
        RK_TRY(onto(s, p, &s_on_p));
        RK_TRY(closest(s_on_p, t, &origin));
        RK_TRY(dir(s_on_p, &x));
        return set_zx(d.frame, origin, p.normal, x);
    }
    RK_TRY(meet(s, p, &origin));
    int across = 0;
    RK_TRY(is_perpendicular(t, p, &across));
    if (across) {
        Rk_PointStruct t_meet_p = {};
        RK_TRY(meet(t, p, &t_meet_p));
        RK_TRY(from_to(origin, t_meet_p, &x));
    } else {
        RK_TRY(dir(t, &x));
    }
    return set_zx(d.frame, origin, p.normal, x);
}

int plane_line_plane(const Datum& d)
{
    const Rk_PlaneStruct &p = d.pri.plane, &t = d.ter.plane;
    const Rk_LineStruct& s = d.sec.line;
    Within w;
    const int tests = tertiary_tests(s, p, d.eps, &w,
                                     [&](int* f) { return is_parallel(p, t, f); },  // perpendicular within eps
                                     [&](int* f) { return is_parallel(s, t, f); });  // parallel within eps
    if (tests != kGoOn) return tests;
    Rk_PointStruct origin = {};
    Rk_VectorStruct x = {};
    if (w.parallel) {
        Rk_LineStruct s_on_p = {};
        RK_TRY(onto(s, p, &s_on_p));
        RK_TRY(meet(s_on_p, t, &origin));
        RK_TRY(dir(s_on_p, &x));
    } else {
        Rk_LineStruct p_meet_t = {};
        RK_TRY(meet(s, p, &origin));
        RK_TRY(meet(p, t, &p_meet_t));
        RK_TRY(meet_dir(p_meet_t, p, t, &x));
    }
    return set_zx(d.frame, origin, p.normal, x);
}

// Primary and secondary planes: S parallel to P drops S; otherwise the line they share, P meet S,
// gives the x axis, and `origin_on` places the origin (or drops T).
template <class OriginOn>
int plane_plane_frame(const Datum& d, OriginOn origin_on)
{
    const Rk_PlaneStruct &p = d.pri.plane, &s = d.sec.plane;
    int flag = 0;
    RK_TRY(is_parallel(p, s, &flag));
    if (flag) return kDropSecondary;
    Rk_LineStruct p_meet_s = {};
    RK_TRY(meet(p, s, &p_meet_s));
    Rk_PointStruct origin = {};
    if (const int outcome = origin_on(p_meet_s, &origin)) return outcome;
    Rk_VectorStruct x = {};
    RK_TRY(meet_dir(p_meet_s, p, s, &x));
    return set_zx(d.frame, origin, p.normal, x);
}

int plane_plane(const Datum& d)
{
    return plane_plane_frame(d, [&d](const Rk_LineStruct& p_meet_s, Rk_PointStruct* origin) {
        return foot(d.pri.plane.point, p_meet_s, origin);
    });
}

int plane_plane_point(const Datum& d)
{
    return plane_plane_frame(d, [&d](const Rk_LineStruct& p_meet_s, Rk_PointStruct* origin) {
        return foot(d.ter.point, p_meet_s, origin);
    });
}

int plane_plane_line(const Datum& d)
{
    return plane_plane_frame(d, [&d](const Rk_LineStruct& p_meet_s, Rk_PointStruct* origin) {
        int flag = 0;
        RK_TRY(is_parallel(p_meet_s, d.ter.line, &flag));
        if (flag) return static_cast<int>(kDropTertiary);
        return closest(p_meet_s, d.ter.line, origin);
    });
}

int plane_plane_plane(const Datum& d)
{
    return plane_plane_frame(d, [&d](const Rk_LineStruct& p_meet_s, Rk_PointStruct* origin) {
        int flag = 0;
        RK_TRY(is_parallel(p_meet_s, d.ter.plane, &flag));
        if (flag) return static_cast<int>(kDropTertiary);
        return meet(p_meet_s, d.ter.plane, origin);
    });
}

/* ---- Dispatch ---- */

using Case = int (*)(const Datum&);

// By primary type (1 to 3), then secondary and tertiary type (0 none, 1 point, 2 line, 3 plane).
// Null: a line or plane primary with a tertiary but no secondary.
constexpr Case kCases[3][4][4] = {
    {
        {point_alone, point_alone, point_alone, point_alone},
        {point_point, point_point_point, point_point_line, point_point_plane},
        {point_line, point_line_point, point_line_line, point_line_plane},
        {point_plane, point_plane_point, point_plane_line, point_plane_plane},
    },
    {
        {line_alone, nullptr, nullptr, nullptr},
        {line_point, line_point_point, line_point_line, line_point_plane},
        {line_line, line_line_point, line_line_line, line_line_plane},
        {line_plane, line_plane_point, line_plane_line, line_plane_plane},
    },
    {
        {plane_alone, nullptr, nullptr, nullptr},
        {plane_point, plane_point_point, plane_point_line, plane_point_plane},
        {plane_line, plane_line_point, plane_line_line, plane_line_plane},
        {plane_plane, plane_plane_point, plane_plane_line, plane_plane_plane},
    },
};

Case case_for(int pri_type, int sec_type, int ter_type)
{
    const bool known = 1 <= pri_type && pri_type <= 3 && 0 <= sec_type && sec_type <= 3 && 0 <= ter_type &&
                       ter_type <= 3;
    return known ? kCases[pri_type - 1][sec_type][ter_type] : nullptr;
}

Rk_PointStruct row_point(const double* row) { return {row[0], row[1], row[2]}; }

// A plane through three points as Rk_PlaneSetByPoints makes it (point a, normal (b - a) × (c - a)),
// a line through two as Rk_LineSet does; what those operations refuse they are called to refuse.
int build_feature(int type, double (*rows)[3], DatumFeature* feature)
{
    feature->type = type;
    switch (type) {
    case rk::kPointFeature:
        feature->point = row_point(rows[0]);
        return 0;
    case rk::kLineFeature:
        return through(row_point(rows[0]), row_point(rows[1]), &feature->line);
    case rk::kPlaneFeature: {
        const Rk_PointStruct a = row_point(rows[0]), b = row_point(rows[1]), c = row_point(rows[2]);
        const Rk_VectorStruct e1 = rk::from_to(a, b), e2 = rk::from_to(a, c), n = rk::cross(e1, e2);
        if (rk::is_zero_vector(e1) || rk::is_zero_vector(e2) || rk::is_zero_vector(n))
            return Rk_PlaneSetByPoints(&feature->plane, &a, &b, &c);
        feature->plane = {a, n};
        return 0;
    }
    default:
        return 0;
    }
}

// The frame of the features after a fallback: built from its own start, then marked redundant.
int fall_back(Rk_RefFrameStruct* frame, const DatumFeature& pri, const DatumFeature& sec, double eps,
              int* redundant)
{
    const DatumFeatures rest = {pri, sec, DatumFeature{}};
    RK_TRY(rk::datum_frame(frame, rest, eps, redundant));
    *redundant = 1;
    return 0;
}

}  // namespace

namespace rk {

int build_datum_features(int pri_type, double (*pri)[3], int sec_type, double (*sec)[3], int ter_type,
                         double (*ter)[3], DatumFeatures* features)
{
    if (case_for(pri_type, sec_type, ter_type) == nullptr) return RK_FAIL(RK_ERR_GENERAL);
    const bool ter_ignored = pri_type == kPointFeature && sec_type == kNoFeature;
    *features = {};
    RK_TRY(build_feature(pri_type, pri, &features->pri));
    RK_TRY(build_feature(sec_type, sec, &features->sec));
    return ter_ignored ? 0 : build_feature(ter_type, ter, &features->ter);
}

int datum_frame(Rk_RefFrameStruct* frame, const DatumFeatures& features, double eps, int* redundant)
{
    *redundant = 0;
    Rk_RefFrameInit(frame);
    const DatumFeature &pri = features.pri, &sec = features.sec, &ter = features.ter;
    const Case build = case_for(pri.type, sec.type, ter.type);
    switch (build(Datum{frame, pri, sec, ter, eps})) {
    case kBuilt:
        return 0;
    case kDropSecondary:
        return fall_back(frame, pri, ter, eps, redundant);
    case kDropTertiary:
        return fall_back(frame, pri, sec, eps, redundant);
    default:
        return 1;
    }
}

void reverse_sense(DatumFeature* feature)
{
    if (feature->type == kLineFeature) {
        const Rk_PointStruct first = feature->line.point1;
        feature->line.point1 = feature->line.point2;
        feature->line.point2 = first;
    } else if (feature->type == kPlaneFeature) {
        Rk_VectorInvert(&feature->plane.normal, &feature->plane.normal);
    }
}

}  // namespace rk

extern "C" RK_API int Rk_RefFrameSetByGeom(Rk_RefFrameStruct* frame, int pri_type, double (*pri)[3], int sec_type,
                                           double (*sec)[3], int ter_type, double (*ter)[3], double eps,
                                           int* redundant)
{
    *redundant = 0;
    Rk_RefFrameInit(frame);
    rk::DatumFeatures features;
    RK_TRY(rk::build_datum_features(pri_type, pri, sec_type, sec, ter_type, ter, &features));
    return rk::datum_frame(frame, features, eps, redundant);
}
