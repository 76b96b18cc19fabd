// Arcs (rk_arc): circles through points, their meetings with lines, planes and circles, and the fit
// measures of round features (1 a hole, 0 a pin).
#include "geometry_helpers.hpp"

namespace {

using namespace geomtest;
using Arc = GeomTest;

constexpr int kPin = 0, kHole = 1;
const Rk_ArcStruct kUnit = A(P(0, 0, 0), V(0, 0, 1), 1.0);

TEST_F(Arc, SettersKeepTheRadiusPositiveComparisonsReadEveryFieldAndMeetingsOfALineAPlaneAndACircle)
{
    Rk_ArcStruct arc;
    OK(Rk_ArcInit(&arc) || Rk_ArcSetRadius(&arc, -2));
    EXPECT_TRUE(Same(arc, A(P(0, 0, 0), V(0, 0, 1), 2)) && Query<double>(Rk_ArcGetRadius, &arc) == 2);
    OK(Rk_ArcSet(&arc, Ptr(P(1, 2, 3)), Ptr(V(0, 2, 0)), -4));
    EXPECT_TRUE(Same(arc, A(P(1, 2, 3), V(0, 2, 0), 4))) << "the normal as given, the radius made positive";
    OK(Rk_ArcSetByPoints(&arc, Ptr(P(1, 0, 0)), Ptr(P(0, 3, 0)), Ptr(P(-1, 0, 0))));
    EXPECT_TRUE(Near(arc, A(P(0, 4.0 / 3, 0), V(0, 0, 1), 5.0 / 3), 1e-9)) << "(pt2 - pt1) x (pt3 - pt1) along +z";
    // Near centres, opposite normals; centres the point tolerance, radii 2e-9, normals 1.15 degrees apart.
    for (auto [other, equal] : {std::pair{A(P(0.005, 0, 0), V(0, 0, -3), 1.0), 1},
                                {A(P(0.01, 0, 0), V(0, 0, 1), 1.0), 0},
                                {A(P(0, 0, 0), V(0, 0, 1), 1.0 + 2e-9), 0},
                                {A(P(0, 0, 0), V(0, 0.02, 1), 1.0), 0}})
        EXPECT_EQ(Query(Rk_ArcIsEqualToArc, &kUnit, &other), equal) << Show(other);
    const Rk_PlaneStruct floor = Pl(P(5, 5, 0.005), V(0, 0, -1)), above = Pl(P(0, 0, 2), V(0, 0.01, 1));
    EXPECT_TRUE(Query(Rk_ArcIsOnPlane, &kUnit, &floor) == 1 && Query(Rk_ArcIsOnPlane, &kUnit, &above) == 0);
    EXPECT_EQ(Query(Rk_ArcIsParallelToPlane, &kUnit, &above), 1) << "a plane 0.57 degrees off";
    // A chord (pt1 ahead along the line), a line touching from inside within the point tolerance, one just outside.
    const double h = std::sqrt(0.75);
    Rk_PointStruct p1, p2;
    int n = -1;
    for (auto [y, num, pt1, pt2] : {std::tuple{0.5, 2, P(h, 0.5, 0), P(-h, 0.5, 0)},
                                    {0.995, 1, P(0, 0.995, 0), P(0, 0.995, 0)},
                                    {1.001, 0, P(9, 9, 9), P(9, 9, 9)}}) {
        p1 = p2 = P(9, 9, 9);
        OK(Rk_LineIntersectArc(Ptr(L(P(-3, y, 0), P(-2, y, 0))), &kUnit, &n, &p1, &p2));
        EXPECT_TRUE(n == num && Near(p1, pt1, 1e-12) && Near(p2, pt2, 1e-12)) << y;
    }
    OK(Rk_ArcIntersectPlane(&kUnit, Ptr(Pl(P(0.5, 7, 7), V(1, 0, 0))), &n, &p1, &p2));
    EXPECT_TRUE(n == 2 && Near(p1, P(0.5, -p2.pt_y, 0), 1e-9) && Near(p2, P(0.5, std::copysign(h, p2.pt_y), 0), 1e-9));
    // Touching from outside (pt2 unwritten); one inside the other; apart; concentric; touching from
    // inside, toward the second centre and away from it; crossing, pt1 on the right of the line of
    // centres seen down the normal.
    const Rk_ArcStruct half = A(P(0.5, 0, 0), V(0, 0, 1), 0.5);
    for (auto [a1, a2, num, pt1, pt2] :
         {std::tuple{kUnit, A(P(2, 0, 0), V(0, 0, 5), 1), 1, P(1, 0, 0), P(9, 9, 9)},
          {kUnit, A(P(0.1, 0, 0), V(0, 0, 1), 0.2), 0, P(9, 9, 9), P(9, 9, 9)},
          {kUnit, A(P(3, 0, 0), V(0, 0, 1), 1), 0, P(9, 9, 9), P(9, 9, 9)},
          {kUnit, A(P(0, 0, 0), V(0, 0, 1), 0.5), 0, P(9, 9, 9), P(9, 9, 9)},
          {kUnit, half, 2, P(1, 0, 0), P(1, 0, 0)},
          {A(P(0, 0, 0), V(0, 0, 1), 0.3), A(P(0, 0.7, 0), V(0, 0, 1), 1), 2, P(0, -0.3, 0), P(0, -0.3, 0)},
          {kUnit, A(P(1, 0, 0), V(0, 0, 1), 1), 2, P(0.5, -h, 0), P(0.5, h, 0)}}) {
        p1 = p2 = P(9, 9, 9);
        OK(Rk_ArcIntersectArc(&a1, &a2, &n, &p1, &p2));
        EXPECT_TRUE(n == num && Near(p1, pt1, 1e-9) && Near(p2, pt2, 1e-9)) << Show(a1) << Show(a2);
    }
}

TEST_F(Arc, ClearanceApparentAndVirtualCirclesOfRoundFeatures)
{
    // Pin in a hole either way round; overlap of two holes, one inside the other; envelope of two pins.
    for (auto [r1, k1, r2, k2, offset, least, most] : {std::tuple{5.0, kHole, 4.0, kPin, 0.5, 0.5, 1.5},
                                                       {4.0, kPin, 5.0, kHole, 0.5, 0.5, 1.5},
                                                       {5.0, kHole, 5.0, kHole, 1.0, 9.0, 9.0},
                                                       {5.0, kHole, 3.0, kHole, 1.0, 6.0, 6.0},
                                                       {5.0, kPin, 3.0, kPin, 1.0, 10.0, 10.0}}) {
        const Rk_ArcStruct a1 = A(P(0, 0, 0), V(0, 0, 1), r1), a2 = A(P(offset, 0, 40), V(0, 0, -2), r2);
        double lo = -1, hi = -1;
        OK(Rk_ArcClearance(&a1, k1, &a2, k2, &lo, &hi));
        EXPECT_TRUE(std::fabs(lo - least) < 1e-12 && std::fabs(hi - most) < 1e-12)
            << r1 << k1 << r2 << k2 << " " << offset;
    }
    const Rk_ArcStruct bottom = A(P(0, 0, 0), V(0, 0, 1), 5), top = A(P(0, 0, 10), V(0, 0, -1), 5);
    const double t = 10 * kPi / 180;
    const Rk_VectorStruct tilt = V(0, std::sin(t), std::cos(t)), along = V(0, 0, 1);
    // 10 degrees off for a hole and a pin; a hole from the side shows no passage. The centre is the axis'
    // midpoint seen along the view.
    Rk_PointStruct centre;
    double radius = 0, diam = -1;
    for (auto [view, kind, want] : {std::tuple{tilt, kHole, 5 * std::cos(t) - 5 * std::sin(t)},
                                    {tilt, kPin, 5 * std::cos(t) + 5 * std::sin(t)},
                                    {V(0, 1, 0), kHole, 0.0}}) {
        OK(Rk_ArcGetApparentArc(&bottom, &top, kind, &view, &centre, &radius));
        const Rk_VectorStruct u = Unit(view);
        EXPECT_TRUE(std::fabs(radius - want) < 1e-12 && Near(centre, Along(P(0, 0, 5), u, -5 * u.k_comp), 1e-12))
            << Show(view) << kind;
    }
    Rk_ArcStruct virt;
    int found = -1;
    // The smaller hole limits the passage; holes and pins with axes 2 apart; one tilted feature.
    for (auto [a1, a2, n, kind, d, c] :
         {std::tuple{A(P(1, 1, 0), along, 5), A(P(1, 1, 20), along, 4), 2, kHole, 8.0, P(1, 1, 0)},
          {A(P(0, 0, 0), along, 5), A(P(2, 0, 30), V(0, 0, -1), 5), 2, kHole, 8.0, P(1, 0, 0)},
          {A(P(0, 0, 0), along, 5), A(P(2, 0, 30), V(0, 0, -1), 5), 2, kPin, 12.0, P(1, 0, 0)},
          {A(P(3, 4, 5), V(0, 0.6, 0.8), 2), kUnit, 1, kHole, 3.2, P(3, 4, 0)}}) {
        const Rk_ArcStruct arcs[2] = {a1, a2};
        OK(Rk_ArcGetVirtualArc(&virt, n, arcs, &along, kind, &diam, &found));
        EXPECT_TRUE(found == 1 && std::fabs(diam - d) < 1e-12 && Near(virt.center, c, 1e-12) &&
                    Same(virt.normal, along)) << d;
    }
    virt = kUnit;
    const Rk_ArcStruct blocked[3] = {A(P(0, 0, 0), along, 5), A(P(12, 0, 1), along, 5), A(P(0, 0, 2), along, 5)};
    OK(Rk_ArcGetVirtualArc(&virt, 3, blocked, &along, kHole, &diam, &found));
    EXPECT_TRUE(found == 0 && diam == 0 && Same(virt, kUnit)) << "holes 12 apart leave no passage";
}

TEST_F(Arc, RefusalsLeaveTheOutputsAlone)
{
    Rk_ArcStruct arc = kUnit;
    Rk_PointStruct o = P(0, 0, 0), x = P(1, 0, 0), p1 = P(9, 9, 9), p2 = P(9, 9, 9);
    const Rk_ArcStruct bottom = A(P(0, 0, 0), V(0, 0, 1), 5), stack[2] = {bottom, A(P(0, 0, 1), V(1, 0, 0), 5)};
    const Rk_VectorStruct side = V(1, 0, 0);
    double lo = -1, hi = -1;
    int n = 0, found = 0;
    // Two equal points; radii of the ends that differ; kinds other than 0 or 1.
    ExpectRefusals(
        {REFUSES(7, arc, Rk_ArcSetRadius(&arc, 1e-10)),
         REFUSES(26, arc, Rk_ArcSetByPoints(&arc, &o, Ptr(P(0.005, 0, 0)), &x)),
         REFUSES(1, line, Rk_LineIntersectArc(Ptr(L(P(0, 0, 0), P(1, 0, 0.02))), &kUnit, &n, &p1, &p2)),
         REFUSES(1, arc, Rk_ArcIntersectPlane(&kUnit, Ptr(Pl(P(2, 2, 0), V(0, 0, -1))), &n, &p1, &p2)),
         REFUSES(9, arc, Rk_ArcIntersectArc(&kUnit, Ptr(A(P(0.005, 0, 0), V(0, 0, -1), 1.0)), &n, &p1, &p2)),
         REFUSES(8, arc, Rk_ArcClearance(&kUnit, kHole, Ptr(A(P(0, 0, 0), V(0, 0.1, 1), 2)), kPin, &lo, &hi)),
         REFUSES(1, arc, Rk_ArcClearance(&kUnit, 2, &kUnit, kPin, &lo, &hi)),
         REFUSES(9, arc, Rk_ArcGetApparentArc(&bottom, Ptr(A(P(0, 0, 10), V(0, 0, 1), 5.1)), kHole, &side, &p1, &lo)),
         REFUSES(1, arc, Rk_ArcGetApparentArc(&bottom, &bottom, 3, &side, &p1, &lo)),
         REFUSES(1, arc, Rk_ArcGetVirtualArc(&arc, 2, stack, &side, 2, &hi, &found)),
         REFUSES(7, arc, Rk_ArcGetVirtualArc(&arc, 2, stack, Ptr(V(0, 0, 1)), kPin, &hi, &found))},
        [&] {
            return Same(arc, kUnit) && Same(p1, P(9, 9, 9)) && Same(p2, P(9, 9, 9)) && lo == -1 && hi == -1 && n == 0;
        });
    EXPECT_EQ(found, 1) << "a virtual arc's flag is written 1 first";
}

}  // namespace
