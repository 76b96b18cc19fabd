// The geometry kernel's operations next to hand-written closed forms of the same work (and Eigen's
// where it has one): vectors, points, lines, planes, the closest point of two lines and the line
// two planes share at angles from the angle tolerance to a right angle, transforms, and arcs.
#include <Eigen/Geometry>

#include <cmath>

#include "bench_pairs.hpp"
#include "rk_basekit.h"

// Inputs, read afresh in every iteration, and results, with external linkage: the optimiser can
// neither fold the inputs nor drop the results.
namespace rkbench_data {
Rk_VectorStruct g_a = {1.5, -2.25, 0.75}, g_b = {-0.5, 3.0, 2.0}, g_axis = {0.2, 0.3, 1.0};
Rk_PointStruct g_p = {5, 5, 5}, g_q = {5.004, 4.997, 5.002};
Rk_LineStruct g_line = {{1, 2, 3}, {4, -1, 7}}, g_line2 = {{0, 1, -2}, {3, 4, 5}};
Rk_PlaneStruct g_plane = {{1, 2, 3}, {0.3, -0.2, 2.0}}, g_plane2 = {{0, 0, -2}, {1.0, 0.4, 0.3}};
Rk_VectorStruct g_v;
Rk_PointStruct g_pt;
Rk_LineStruct g_out_line;
Rk_PlaneStruct g_out_plane;
double g_d;
int g_flag;
double g_angle = 37.0;  // degrees: a constant argument would let the optimiser fold a peer's cos and sin

const Rk_RefFrameStruct kFrame = {{0.0, 0.6, 0.8}, {1.0, 0.0, 0.0}, {0.0, 0.8, -0.6}, {4.0, -2.0, 7.0}};
Rk_TransformStruct g_tfm, g_tfm2, g_tfm_out;
double g_m[4][3], g_m2[4][3], g_m_out[4][3];

}  // namespace rkbench_data

namespace {

using namespace rkbench_data;
using rkbench::add;
using rkbench::lib;
using P = Rk_PointStruct;
using V = Rk_VectorStruct;

constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180.0;
const double kCosTolerance = std::cos(1.0 * kDeg);  // the default angle tolerance, 1 degree
const double kSinTolerance = std::sin(1.0 * kDeg);
constexpr double kPointTolerance = 0.01;

// ---- Hand-written closed forms ----

double Dot(const V& a, const V& b) { return a.i_comp * b.i_comp + a.j_comp * b.j_comp + a.k_comp * b.k_comp; }
V Sub(const P& a, const P& b) { return {a.pt_x - b.pt_x, a.pt_y - b.pt_y, a.pt_z - b.pt_z}; }
V Scale(const V& v, double s) { return {v.i_comp * s, v.j_comp * s, v.k_comp * s}; }
P Move(const P& p, const V& v, double s) { return {p.pt_x + s * v.i_comp, p.pt_y + s * v.j_comp, p.pt_z + s * v.k_comp}; }
V CrossOf(const V& a, const V& b)
{
    return {a.j_comp * b.k_comp - a.k_comp * b.j_comp, a.k_comp * b.i_comp - a.i_comp * b.k_comp,
            a.i_comp * b.j_comp - a.j_comp * b.i_comp};
}
double Cosine(const V& a, const V& b) { return Dot(a, b) / std::sqrt(Dot(a, a) * Dot(b, b)); }

RK_NOINLINE void HandSet(V* v, double i, double j, double k) { *v = {i, j, k}; }
RK_NOINLINE V HandUnit(const V& v) { return Scale(v, 1.0 / std::sqrt(Dot(v, v))); }
RK_NOINLINE double HandDot(const V& a, const V& b) { return Dot(a, b); }
RK_NOINLINE V HandCross(const V& a, const V& b) { return CrossOf(a, b); }
RK_NOINLINE double HandMagnitude(const V& v) { return std::sqrt(Dot(v, v)); }
RK_NOINLINE double HandAngle(const V& a, const V& b) { return std::acos(Cosine(a, b)) / kDeg; }
RK_NOINLINE int HandParallel(const V& a, const V& b) { return std::fabs(Cosine(a, b)) > kCosTolerance; }
RK_NOINLINE int HandPerpendicular(const V& a, const V& b) { return std::fabs(Cosine(a, b)) <= kSinTolerance; }
RK_NOINLINE int HandVectorsEqual(const V& a, const V& b)
{
    const V d = {a.i_comp / std::sqrt(Dot(a, a)) - b.i_comp / std::sqrt(Dot(b, b)),
                 a.j_comp / std::sqrt(Dot(a, a)) - b.j_comp / std::sqrt(Dot(b, b)),
                 a.k_comp / std::sqrt(Dot(a, a)) - b.k_comp / std::sqrt(Dot(b, b))};
    return Dot(d, d) < kPointTolerance * kPointTolerance;
}
// Rodrigues' rotation of v about the unit axis.
RK_NOINLINE V HandRotate(const V& v, const V& axis, double degrees)
{
    const V k = HandUnit(axis);
    const double c = std::cos(degrees * kDeg), s = std::sin(degrees * kDeg);
    const V kxv = CrossOf(k, v);
    const double kv = Dot(k, v) * (1.0 - c);
    return {v.i_comp * c + kxv.i_comp * s + k.i_comp * kv, v.j_comp * c + kxv.j_comp * s + k.j_comp * kv,
            v.k_comp * c + kxv.k_comp * s + k.k_comp * kv};
}
RK_NOINLINE double HandSignedAngle(const V& a, const V& b, const V& dir)
{
    const V n = HandUnit(dir);
    const V a1 = {a.i_comp - Dot(a, n) * n.i_comp, a.j_comp - Dot(a, n) * n.j_comp, a.k_comp - Dot(a, n) * n.k_comp};
    const V b1 = {b.i_comp - Dot(b, n) * n.i_comp, b.j_comp - Dot(b, n) * n.j_comp, b.k_comp - Dot(b, n) * n.k_comp};
    return std::atan2(Dot(CrossOf(a1, b1), n), Dot(a1, b1)) / kDeg;
}
RK_NOINLINE V HandVectorOnPlane(const V& v, const V& n)
{
    const double t = Dot(v, n) / Dot(n, n);
    return {v.i_comp - t * n.i_comp, v.j_comp - t * n.j_comp, v.k_comp - t * n.k_comp};
}

RK_NOINLINE double HandDistance(const P& a, const P& b)
{
    const V d = Sub(b, a);
    return std::sqrt(Dot(d, d));
}
RK_NOINLINE int HandPointsEqual(const P& a, const P& b)
{
    const V d = Sub(b, a);
    return Dot(d, d) < kPointTolerance * kPointTolerance;
}
RK_NOINLINE P HandMidpoint(const P& a, const P& b)
{
    return {(a.pt_x + b.pt_x) / 2, (a.pt_y + b.pt_y) / 2, (a.pt_z + b.pt_z) / 2};
}
RK_NOINLINE P HandOffset(const P& p, double dist, const V& dir) { return Move(p, HandUnit(dir), dist); }
P FootOnLine(const P& p, const Rk_LineStruct& l)
{
    const V d = Sub(l.point2, l.point1);
    return Move(l.point1, d, Dot(Sub(p, l.point1), d) / Dot(d, d));
}
RK_NOINLINE P HandFootOnLine(const P& p, const Rk_LineStruct& l) { return FootOnLine(p, l); }
RK_NOINLINE double HandDistFromLine(const P& p, const Rk_LineStruct& l)
{
    const V e = Sub(p, FootOnLine(p, l));
    return std::sqrt(Dot(e, e));
}
RK_NOINLINE int HandOnLine(const P& p, const Rk_LineStruct& l)
{
    const V e = Sub(p, FootOnLine(p, l));
    return Dot(e, e) < kPointTolerance * kPointTolerance;
}
P FootOnPlane(const P& p, const Rk_PlaneStruct& pl)
{
    const V& n = pl.normal;
    return Move(p, n, -Dot(Sub(p, pl.point), n) / Dot(n, n));
}
RK_NOINLINE P HandFootOnPlane(const P& p, const Rk_PlaneStruct& pl) { return FootOnPlane(p, pl); }
RK_NOINLINE double HandDistFromPlane(const P& p, const Rk_PlaneStruct& pl)
{
    return std::fabs(Dot(Sub(p, pl.point), pl.normal)) / std::sqrt(Dot(pl.normal, pl.normal));
}
RK_NOINLINE int HandOnPlane(const P& p, const Rk_PlaneStruct& pl)
{
    const double h = Dot(Sub(p, pl.point), pl.normal);
    return h * h < kPointTolerance * kPointTolerance * Dot(pl.normal, pl.normal);
}

RK_NOINLINE int HandLinesEqual(const Rk_LineStruct& a, const Rk_LineStruct& b)
{
    return HandOnLine(b.point1, a) && HandOnLine(b.point2, a);
}
RK_NOINLINE P HandMeet(const Rk_LineStruct& l, const Rk_PlaneStruct& pl)
{
    const V d = Sub(l.point2, l.point1);
    return Move(l.point1, d, -Dot(Sub(l.point1, pl.point), pl.normal) / Dot(d, pl.normal));
}
RK_NOINLINE P EigenMeet(const Rk_LineStruct& l, const Rk_PlaneStruct& pl)
{
    const Eigen::Vector3d a(l.point1.pt_x, l.point1.pt_y, l.point1.pt_z);
    const Eigen::Vector3d b(l.point2.pt_x, l.point2.pt_y, l.point2.pt_z);
    const Eigen::Vector3d n(pl.normal.i_comp, pl.normal.j_comp, pl.normal.k_comp);
    const Eigen::Vector3d o(pl.point.pt_x, pl.point.pt_y, pl.point.pt_z);
    const Eigen::ParametrizedLine<double, 3> line = Eigen::ParametrizedLine<double, 3>::Through(a, b);
    const Eigen::Vector3d m = line.intersectionPoint(Eigen::Hyperplane<double, 3>(n, o));
    return {m.x(), m.y(), m.z()};
}
RK_NOINLINE Rk_LineStruct HandLineOnPlane(const Rk_LineStruct& l, const Rk_PlaneStruct& pl)
{
    return {FootOnPlane(l.point1, pl), FootOnPlane(l.point2, pl)};
}
RK_NOINLINE int HandLineParallelToPlane(const Rk_LineStruct& l, const Rk_PlaneStruct& pl)
{
    return std::fabs(Cosine(Sub(l.point2, l.point1), pl.normal)) <= kSinTolerance;
}

// The point of line a closest to line b.
RK_NOINLINE P HandClosest(const Rk_LineStruct& a, const Rk_LineStruct& b)
{
    const V u = Sub(a.point2, a.point1), v = Sub(b.point2, b.point1), n = CrossOf(u, v);
    return Move(a.point1, u, Dot(CrossOf(Sub(b.point1, a.point1), v), n) / Dot(n, n));
}

RK_NOINLINE Rk_PlaneStruct HandPlaneByPoints(const P& a, const P& b, const P& c)
{
    return {a, CrossOf(Sub(b, a), Sub(c, a))};
}
RK_NOINLINE int HandPlanesEqual(const Rk_PlaneStruct& a, const Rk_PlaneStruct& b)
{
    return Cosine(a.normal, b.normal) > kCosTolerance && HandOnPlane(a.point, b);
}
// Two points of the line planes a and b share: the point nearest the origin, and one unit along.
RK_NOINLINE Rk_LineStruct HandCommonLine(const Rk_PlaneStruct& a, const Rk_PlaneStruct& b)
{
    const V l = CrossOf(a.normal, b.normal);
    const double ha = Dot(a.normal, {a.point.pt_x, a.point.pt_y, a.point.pt_z});
    const double hb = Dot(b.normal, {b.point.pt_x, b.point.pt_y, b.point.pt_z});
    const V na = CrossOf(b.normal, l), nb = CrossOf(l, a.normal);
    const double ll = Dot(l, l);
    const P c = {(ha * na.i_comp + hb * nb.i_comp) / ll, (ha * na.j_comp + hb * nb.j_comp) / ll,
                 (ha * na.k_comp + hb * nb.k_comp) / ll};
    return {c, Move(c, l, 1.0 / std::sqrt(ll))};
}

// ---- Registration ----

// Lines `degrees` apart, 5 units apart at their closest, the search starting 100 units away.
void ClosestPairs(double degrees)
{
    const double r = degrees * kDeg;
    static Rk_LineStruct lines[2 * 16];
    static int used = 0;
    Rk_LineStruct* pair = &lines[2 * used++];
    pair[0] = {{-100, 0, 0}, {-99, 0, 0}};
    pair[1] = {{0, 0, 5}, {std::cos(r), std::sin(r), 5}};
    const std::string work = "LinePointClosestToLine/" + rkbench::degrees(degrees);
    lib(work, [pair] { Rk_LinePointClosestToLine(&pair[0], &pair[1], &g_pt); });
    add(work, "closed_form", [pair] { g_pt = HandClosest(pair[0], pair[1]); });
}

void CommonLinePairs(double degrees)
{
    const double r = degrees * kDeg;
    static Rk_PlaneStruct planes[2 * 16];
    static int used = 0;
    Rk_PlaneStruct* pair = &planes[2 * used++];
    pair[0] = {{10, 20, 0}, {0, 0, 1}};
    pair[1] = {{0, 0, 3}, {std::sin(r), 0.1, std::cos(r)}};
    const std::string work = "PlaneIntersectPlane/" + rkbench::degrees(degrees);
    lib(work, [pair] { Rk_PlaneIntersectPlane(&pair[0], &pair[1], &g_out_line); });
    add(work, "closed_form", [pair] { g_out_line = HandCommonLine(pair[0], pair[1]); });
}

RK_NOINLINE P HandApply(const double (&t)[4][3], const P& p)
{
    return {t[0][0] * p.pt_x + t[1][0] * p.pt_y + t[2][0] * p.pt_z + t[3][0],
            t[0][1] * p.pt_x + t[1][1] * p.pt_y + t[2][1] * p.pt_z + t[3][1],
            t[0][2] * p.pt_x + t[1][2] * p.pt_y + t[2][2] * p.pt_z + t[3][2]};
}
RK_NOINLINE V HandApplyToVector(const double (&t)[4][3], const V& v)
{
    return {t[0][0] * v.i_comp + t[1][0] * v.j_comp + t[2][0] * v.k_comp,
            t[0][1] * v.i_comp + t[1][1] * v.j_comp + t[2][1] * v.k_comp,
            t[0][2] * v.i_comp + t[1][2] * v.j_comp + t[2][2] * v.k_comp};
}
RK_NOINLINE void HandCompose(const double (&a)[4][3], const double (&b)[4][3], double (&m)[4][3])
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) m[r][c] = a[r][0] * b[0][c] + a[r][1] * b[1][c] + a[r][2] * b[2][c] + (r == 3 ? b[3][c] : 0.0);
}
RK_NOINLINE void HandInvert(const double (&a)[4][3], double (&m)[4][3])
{
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) m[r][c] = a[c][r];
    for (int c = 0; c < 3; ++c) m[3][c] = -(a[3][0] * a[c][0] + a[3][1] * a[c][1] + a[3][2] * a[c][2]);
}

[[maybe_unused]] const int g_registered = [] {
    lib("VectorSet", [] { Rk_VectorSet(&g_v, g_a.i_comp, g_a.j_comp, g_a.k_comp); });
    add("VectorSet", "closed_form", [] { HandSet(&g_v, g_a.i_comp, g_a.j_comp, g_a.k_comp); });
    lib("VectorUnitize", [] { Rk_VectorUnitize(&g_a, &g_v); });
    add("VectorUnitize", "closed_form", [] { g_v = HandUnit(g_a); });
    lib("VectorMagnitude", [] { Rk_VectorMagnitude(&g_a, &g_d); });
    add("VectorMagnitude", "closed_form", [] { g_d = HandMagnitude(g_a); });
    lib("VectorDot", [] { Rk_VectorDot(&g_a, &g_b, &g_d); });
    add("VectorDot", "closed_form", [] { g_d = HandDot(g_a, g_b); });
    lib("VectorCross", [] { Rk_VectorCross(&g_a, &g_b, &g_v); });
    add("VectorCross", "closed_form", [] { g_v = HandCross(g_a, g_b); });
    lib("VectorAngleFromVector", [] { Rk_VectorAngleFromVector(&g_a, &g_b, &g_d); });
    add("VectorAngleFromVector", "closed_form", [] { g_d = HandAngle(g_a, g_b); });
    lib("VectorIsParallelToVector", [] { Rk_VectorIsParallelToVector(&g_a, &g_b, &g_flag); });
    add("VectorIsParallelToVector", "closed_form", [] { g_flag = HandParallel(g_a, g_b); });
    lib("VectorIsPerpToVector", [] { Rk_VectorIsPerpToVector(&g_a, &g_b, &g_flag); });
    add("VectorIsPerpToVector", "closed_form", [] { g_flag = HandPerpendicular(g_a, g_b); });
    lib("VectorIsEqualToVector", [] { Rk_VectorIsEqualToVector(&g_a, &g_b, &g_flag); });
    add("VectorIsEqualToVector", "closed_form", [] { g_flag = HandVectorsEqual(g_a, g_b); });
    lib("VectorRotate", [] { Rk_VectorRotate(&g_a, &g_axis, g_angle, &g_v); });
    add("VectorRotate", "closed_form", [] { g_v = HandRotate(g_a, g_axis, g_angle); });
    lib("VectorSignedAngleFromVector", [] { Rk_VectorSignedAngleFromVector(&g_a, &g_b, &g_axis, &g_d); });
    add("VectorSignedAngleFromVector", "closed_form", [] { g_d = HandSignedAngle(g_a, g_b, g_axis); });
    lib("VectorProjOnPlane", [] { Rk_VectorProjOnPlane(&g_a, &g_plane, &g_v); });
    add("VectorProjOnPlane", "closed_form", [] { g_v = HandVectorOnPlane(g_a, g_plane.normal); });

    lib("PointDistFromPoint", [] { Rk_PointDistFromPoint(&g_p, &g_q, &g_d); });
    add("PointDistFromPoint", "closed_form", [] { g_d = HandDistance(g_p, g_q); });
    lib("PointIsEqualToPoint", [] { Rk_PointIsEqualToPoint(&g_p, &g_q, &g_flag); });
    add("PointIsEqualToPoint", "closed_form", [] { g_flag = HandPointsEqual(g_p, g_q); });
    lib("PointGetMidpoint", [] { Rk_PointGetMidpoint(&g_p, &g_q, &g_pt); });
    add("PointGetMidpoint", "closed_form", [] { g_pt = HandMidpoint(g_p, g_q); });
    lib("PointOffset", [] { Rk_PointOffset(&g_p, 2.5, &g_a, &g_pt); });
    add("PointOffset", "closed_form", [] { g_pt = HandOffset(g_p, 2.5, g_a); });
    lib("PointProjOnLine", [] { Rk_PointProjOnLine(&g_p, &g_line, &g_pt); });
    add("PointProjOnLine", "closed_form", [] { g_pt = HandFootOnLine(g_p, g_line); });
    lib("PointDistFromLine", [] { Rk_PointDistFromLine(&g_p, &g_line, &g_d); });
    add("PointDistFromLine", "closed_form", [] { g_d = HandDistFromLine(g_p, g_line); });
    lib("PointIsOnLine", [] { Rk_PointIsOnLine(&g_p, &g_line, &g_flag); });
    add("PointIsOnLine", "closed_form", [] { g_flag = HandOnLine(g_p, g_line); });
    lib("PointProjOnPlane", [] { Rk_PointProjOnPlane(&g_p, &g_plane, &g_pt); });
    add("PointProjOnPlane", "closed_form", [] { g_pt = HandFootOnPlane(g_p, g_plane); });
    lib("PointDistFromPlane", [] { Rk_PointDistFromPlane(&g_p, &g_plane, &g_d); });
    add("PointDistFromPlane", "closed_form", [] { g_d = HandDistFromPlane(g_p, g_plane); });
    lib("PointIsOnPlane", [] { Rk_PointIsOnPlane(&g_p, &g_plane, &g_flag); });
    add("PointIsOnPlane", "closed_form", [] { g_flag = HandOnPlane(g_p, g_plane); });

    lib("LineIsParallelToLine", [] { Rk_LineIsParallelToLine(&g_line, &g_line2, &g_flag); });
    add("LineIsParallelToLine", "closed_form", [] {
        g_flag = HandParallel(Sub(g_line.point2, g_line.point1), Sub(g_line2.point2, g_line2.point1));
    });
    lib("LineIsPerpToLine", [] { Rk_LineIsPerpToLine(&g_line, &g_line2, &g_flag); });
    add("LineIsPerpToLine", "closed_form", [] {
        g_flag = HandPerpendicular(Sub(g_line.point2, g_line.point1), Sub(g_line2.point2, g_line2.point1));
    });
    lib("LineIsEqualToLine", [] { Rk_LineIsEqualToLine(&g_line, &g_line2, &g_flag); });
    add("LineIsEqualToLine", "closed_form", [] { g_flag = HandLinesEqual(g_line, g_line2); });
    lib("LineIntersectPlane", [] { Rk_LineIntersectPlane(&g_line, &g_plane2, &g_pt); });
    add("LineIntersectPlane", "closed_form", [] { g_pt = HandMeet(g_line, g_plane2); });
    add("LineIntersectPlane", "eigen", [] { g_pt = EigenMeet(g_line, g_plane2); });
    lib("LineProjOnPlane", [] { Rk_LineProjOnPlane(&g_line, &g_plane, &g_out_line); });
    add("LineProjOnPlane", "closed_form", [] { g_out_line = HandLineOnPlane(g_line, g_plane); });
    lib("LineIsParallelToPlane", [] { Rk_LineIsParallelToPlane(&g_line, &g_plane, &g_flag); });
    add("LineIsParallelToPlane", "closed_form", [] { g_flag = HandLineParallelToPlane(g_line, g_plane); });
    for (double degrees : {1.0001, 1.05, 2.0, 5.0, 10.0, 30.0, 60.0, 90.0}) ClosestPairs(degrees);

    lib("PlaneSetByPoints", [] { Rk_PlaneSetByPoints(&g_out_plane, &g_line.point1, &g_line.point2, &g_p); });
    add("PlaneSetByPoints", "closed_form", [] { g_out_plane = HandPlaneByPoints(g_line.point1, g_line.point2, g_p); });
    lib("PlaneAngleFromPlane", [] { Rk_PlaneAngleFromPlane(&g_plane, &g_plane2, &g_d); });
    add("PlaneAngleFromPlane", "closed_form", [] { g_d = HandAngle(g_plane.normal, g_plane2.normal); });
    lib("PlaneIsParallelToPlane", [] { Rk_PlaneIsParallelToPlane(&g_plane, &g_plane2, &g_flag); });
    add("PlaneIsParallelToPlane", "closed_form", [] { g_flag = HandParallel(g_plane.normal, g_plane2.normal); });
    lib("PlaneIsEqualToPlane", [] { Rk_PlaneIsEqualToPlane(&g_plane, &g_plane, &g_flag); });
    add("PlaneIsEqualToPlane", "closed_form", [] { g_flag = HandPlanesEqual(g_plane, g_plane); });
    for (double degrees : {1.0001, 1.05, 2.0, 5.0, 10.0, 30.0, 60.0, 90.0}) CommonLinePairs(degrees);

    Rk_TransformSetByRefFrame(&g_tfm, &kFrame);
    Rk_TransformInvert(&g_tfm, &g_tfm2);
    Rk_TransformGet(&g_tfm, g_m);
    Rk_TransformGet(&g_tfm2, g_m2);
    lib("TransformApplyToPoint", [] { Rk_TransformApplyToPoint(&g_tfm, &g_p, &g_pt); });
    add("TransformApplyToPoint", "closed_form", [] { g_pt = HandApply(g_m, g_p); });
    lib("TransformApplyToVector", [] { Rk_TransformApplyToVector(&g_tfm, &g_a, &g_v); });
    add("TransformApplyToVector", "closed_form", [] { g_v = HandApplyToVector(g_m, g_a); });
    lib("TransformSetByTransforms", [] { Rk_TransformSetByTransforms(&g_tfm_out, &g_tfm2, &g_tfm); });
    add("TransformSetByTransforms", "closed_form", [] { HandCompose(g_m2, g_m, g_m_out); });
    lib("TransformInvert", [] { Rk_TransformInvert(&g_tfm, &g_tfm_out); });
    add("TransformInvert", "closed_form", [] { HandInvert(g_m, g_m_out); });
    lib("RefFrameTransformFramePt", [] { Rk_RefFrameTransformFramePt(&kFrame, &g_p, &g_pt); });
    lib("RefFrameSetAxesByZX", [] {
        Rk_RefFrameStruct frame = kFrame;
        Rk_RefFrameSetAxesByZX(&frame, &g_axis, &g_a);
        g_d = frame.x_axis.i_comp;
    });

    static const Rk_ArcStruct unit_arc = {{0, 0, 0}, {0, 0, 1}, 1.0};
    static P p1 = {3, 0, 1}, p2 = {0, 2, 1.5}, p3 = {-1, -1, 2};
    static Rk_ArcStruct arc;
    static P a1, a2;
    static int num = 0;
    lib("ArcSetByPoints", [] { Rk_ArcSetByPoints(&arc, &p1, &p2, &p3); });
    static const Rk_LineStruct chord = {{-3, 0.5, 0}, {-2, 0.6, 0}};
    lib("LineIntersectArc", [] { Rk_LineIntersectArc(&chord, &unit_arc, &num, &a1, &a2); });
    static const Rk_PlaneStruct cut = {{0.5, 0, 0}, {1, 0.2, 0.3}};
    lib("ArcIntersectPlane", [] { Rk_ArcIntersectPlane(&unit_arc, &cut, &num, &a1, &a2); });
    static const Rk_ArcStruct other = {{1, 0.5, 0}, {0, 0, 1}, 0.8};
    lib("ArcIntersectArc", [] { Rk_ArcIntersectArc(&unit_arc, &other, &num, &a1, &a2); });
    return 0;
}();

}  // namespace
