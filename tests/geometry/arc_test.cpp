// Arcs: circles through points, their meetings with lines, planes and circles, and the fit
// measures of round features.
#include <cmath>
#include <random>

#include "geometry_helpers.hpp"
#include "rk_test.hpp"

namespace {

using namespace geomtest;

using Arc = rktest::LibraryTest;
using ArcThroughPoints = rktest::LibraryTest;
using ArcMeetings = rktest::LibraryTest;
using ArcFit = rktest::LibraryTest;

constexpr int kPin = 0;
constexpr int kHole = 1;

Rk_ArcStruct A(Rk_PointStruct c, Rk_VectorStruct n, double r) { return {c, n, r}; }

const Rk_ArcStruct kUnit = A(P(0, 0, 0), V(0, 0, 1), 1.0);

// Distance of a point from the circle (0 when it lies on it).
double OffCircle(const Rk_PointStruct& p, const Rk_ArcStruct& a)
{
    const Rk_VectorStruct d = Sub(p, a.center), n = Unit(a.normal);
    const double h = Dot(d, n);
    const double in_plane = std::sqrt(std::max(0.0, Dot(d, d) - h * h));
    return std::hypot(h, in_plane - a.radius);
}

TEST_F(Arc, RadiusIsStoredAsItsAbsoluteValue)
{
    Rk_ArcStruct arc;
    Rk_ArcInit(&arc);
    EXPECT_EQ(arc.radius, 1.0);
    ExpectVectorNear(arc.normal, V(0, 0, 1), 0, "init normal");
    ASSERT_EQ(Rk_ArcSetRadius(&arc, -2), 0);
    double r = 0;
    Rk_ArcGetRadius(&arc, &r);
    EXPECT_EQ(r, 2.0);
    EXPECT_EQ(Rk_ArcSetRadius(&arc, 1e-10), 1);
    EXPECT_ERROR(7, "rk_arc(");
    EXPECT_EQ(arc.radius, 2.0) << "unchanged";

    Rk_PointStruct c = P(1, 2, 3);
    Rk_VectorStruct n = V(0, 4, 0);
    EXPECT_EQ(Rk_ArcSet(&arc, &c, &n, 0.0), 1);
    EXPECT_ERROR(7, "rk_arc(");
    Rk_VectorStruct gn;
    Rk_PointStruct gc;
    Rk_ArcGet(&arc, &gc, &gn, &r);
    ExpectPointNear(gc, c, 0, "the centre is already replaced");
    ExpectVectorNear(gn, n, 0, "so is the normal");
    EXPECT_EQ(r, 2.0) << "the radius is not";
    Rk_PlaneStruct plane;
    Rk_ArcGetPlane(&arc, &plane);
    ExpectPointNear(plane.point, c, 0, "the circle's plane");
    ExpectVectorNear(plane.normal, n, 0, "the circle's plane");
}

TEST_F(Arc, EqualityAndPlaneTests)
{
    struct Case {
        Rk_ArcStruct other;
        int equal;
        const char* why;
    } cases[] = {
        {A(P(0.005, 0, 0), V(0, 0, -3), 1.0), 1, "close centre, opposite normal"},
        {A(P(0.01, 0, 0), V(0, 0, 1), 1.0), 0, "centres the point tolerance apart"},
        {A(P(0, 0, 0), V(0, 0, 1), 1.0 + 2e-9), 0, "radii 2e-9 apart"},
        {A(P(0, 0, 0), V(0, 0.02, 1), 1.0), 0, "normals 1.15 degrees apart"},
    };
    for (const Case& c : cases) {
        int equal = -1;
        ASSERT_EQ(Rk_ArcIsEqualToArc(&kUnit, &c.other, &equal), 0);
        EXPECT_EQ(equal, c.equal) << c.why;
    }
    int flag = -1;
    const Rk_PlaneStruct floor = Pl(P(5, 5, 0.005), V(0, 0, -1)), above = Pl(P(0, 0, 2), V(0, 0.01, 1));
    Rk_ArcIsOnPlane(&kUnit, &floor, &flag);
    EXPECT_EQ(flag, 1) << "on the floor";
    Rk_ArcIsOnPlane(&kUnit, &above, &flag);
    EXPECT_EQ(flag, 0);
    Rk_ArcIsParallelToPlane(&kUnit, &above, &flag);
    EXPECT_EQ(flag, 1) << "parallel to a plane 0.57 degrees off";
}

TEST_F(ArcThroughPoints, ThreePointsOfAUnitCircle)
{
    Rk_PointStruct a = P(1, 0, 0), b = P(0, 1, 0), c = P(-1, 0, 0);
    Rk_ArcStruct arc;
    ASSERT_EQ(Rk_ArcSetByPoints(&arc, &a, &b, &c), 0);
    ExpectPointNear(arc.center, P(0, 0, 0), 1e-9, "centre");
    EXPECT_NEAR(arc.radius, 1.0, 1e-9);
    ExpectVectorNear(arc.normal, V(0, 0, 1), 1e-15, "right-hand rule over the points");
    ASSERT_EQ(Rk_ArcSetByPoints(&arc, &a, &c, &b), 0);
    ExpectVectorNear(arc.normal, V(0, 0, -1), 1e-15, "the other order");

    arc.center = P(0, 3, 0);
    ASSERT_EQ(Rk_ArcSetByPoints(&arc, &a, &arc.center, &c), 0) << "a point read from the arc itself";
    ExpectPointNear(arc.center, P(0, 4.0 / 3, 0), 1e-9, "centre of (1, 0), (0, 3), (-1, 0)");
    EXPECT_NEAR(arc.radius, 5.0 / 3, 1e-9);
}

TEST_F(ArcThroughPoints, RecoversRandomCircles)
{
    std::mt19937 gen(67);
    std::uniform_real_distribution<double> u(-20.0, 20.0), turn(0.0, 2 * kPi), radius(0.5, 30.0);
    int checked = 0;
    for (int n = 0; n < 100; ++n) {
        const Rk_PointStruct centre = P(u(gen), u(gen), u(gen));
        const Rk_VectorStruct normal = Unit(V(u(gen), u(gen), u(gen)));
        const Rk_VectorStruct e1 = Unit(Cross(normal, V(u(gen), u(gen), u(gen))));
        const Rk_VectorStruct e2 = Cross(normal, e1);
        const double r = radius(gen);
        Rk_PointStruct pts[3];
        double angles[3] = {turn(gen), turn(gen), turn(gen)};
        for (int k = 0; k < 3; ++k)
            pts[k] = Along(Along(centre, e1, r * std::cos(angles[k])), e2, r * std::sin(angles[k]));
        // Keep the points well apart so the bisectors are far from parallel.
        const double chord_min = std::min({Norm(Sub(pts[0], pts[1])), Norm(Sub(pts[0], pts[2])),
                                           Norm(Sub(pts[1], pts[2]))});
        if (chord_min < 0.3 * r) continue;
        Rk_ArcStruct arc;
        ASSERT_EQ(Rk_ArcSetByPoints(&arc, &pts[0], &pts[1], &pts[2]), 0);
        ExpectPointNear(arc.center, centre, 1e-6, "centre of a random circle");
        EXPECT_NEAR(arc.radius, r, 1e-6);
        const Rk_VectorStruct want = Unit(Cross(Sub(pts[1], pts[0]), Sub(pts[2], pts[0])));
        ExpectVectorNear(arc.normal, want, 1e-12, "unit normal by the right-hand rule");
        ++checked;
    }
    EXPECT_GT(checked, 40);
}

TEST_F(ArcThroughPoints, NoCircleIsError26)
{
    struct Case {
        Rk_PointStruct a, b, c;
        const char* why;
    } cases[] = {
        {P(0, 0, 0), P(0.005, 0, 0), P(0, 1, 0), "first two points equal"},
        {P(0, 0, 0), P(1, 0, 0), P(0, 0.005, 0), "first and third equal"},
        {P(0, 0, 0), P(1, 0, 0), P(1, 0.005, 0), "last two equal"},
        {P(0, 0, 0), P(1, 0, 0), P(5, 0.009, 0), "the third on the line of the first two"},
        {P(0, 0, 0), P(1, 0, 0), P(2, 0.01, 0), "directions 0.29 degrees apart: parallel bisectors"},
    };
    for (const Case& c : cases) {
        Rk_ArcStruct arc = kUnit;
        EXPECT_EQ(Rk_ArcSetByPoints(&arc, &c.a, &c.b, &c.c), 1) << c.why;
        EXPECT_ERROR(26, "rk_arc(");
        EXPECT_EQ(arc.radius, 1.0) << "unchanged";
    }

    // With a point tolerance of 0 no point is on the line of the others, and exactly collinear
    // points are caught by their zero normal instead.
    Rk_GeometrySetPointEpsilon(0.0);
    const Rk_PointStruct a = P(0, 0, 0), b = P(1, 0, 0), c = P(2, 0, 0);
    Rk_ArcStruct arc = kUnit;
    EXPECT_EQ(Rk_ArcSetByPoints(&arc, &a, &b, &c), 1);
    EXPECT_ERROR(6, "rk_vec(");
    EXPECT_EQ(arc.radius, 1.0) << "unchanged";
}

TEST_F(ArcMeetings, LineAndCircle)
{
    struct Case {
        double y;
        int num;
        Rk_PointStruct pt1, pt2;
        const char* why;
    } cases[] = {
        {0.5, 2, P(std::sqrt(0.75), 0.5, 0), P(-std::sqrt(0.75), 0.5, 0), "pt1 ahead along the line"},
        {0.995, 1, P(0, 0.995, 0), P(0, 0.995, 0), "within the point tolerance inside: tangent"},
        {1.001, 0, P(9, 9, 9), P(9, 9, 9), "just outside: no point, whatever the tolerance"},
    };
    for (const Case& c : cases) {
        const Rk_LineStruct line = L(P(-3, c.y, 0), P(-2, c.y, 0));
        int num = -1;
        Rk_PointStruct p1 = P(9, 9, 9), p2 = P(9, 9, 9);
        ASSERT_EQ(Rk_LineIntersectArc(&line, &kUnit, &num, &p1, &p2), 0) << c.why;
        EXPECT_EQ(num, c.num) << c.why;
        ExpectPointNear(p1, c.pt1, 1e-12, c.why);
        ExpectPointNear(p2, c.pt2, 1e-12, c.why);
    }
    Rk_LineStruct chord = L(P(-3, 0, 0), P(-2, 0, 0));
    int num = -1;
    ASSERT_EQ(Rk_LineIntersectArc(&chord, &kUnit, &num, &chord.point1, &chord.point2), 0) << "over the line";
    ExpectPointNear(chord.point1, P(1, 0, 0), 1e-12, "written over point1");
    ExpectPointNear(chord.point2, P(-1, 0, 0), 1e-12, "written over point2");

    const Rk_LineStruct off = L(P(0, 0, 0), P(1, 0, 0.02));
    num = 5;
    EXPECT_EQ(Rk_LineIntersectArc(&off, &kUnit, &num, &chord.point1, &chord.point2), 1);
    EXPECT_ERROR(1, "rk_line(");
    EXPECT_EQ(num, 0) << "the count is cleared first";
}

TEST_F(ArcMeetings, CircleAndPlane)
{
    const Rk_PlaneStruct wall = Pl(P(0.5, 7, 7), V(1, 0, 0));
    int num = -1;
    Rk_PointStruct p1, p2;
    ASSERT_EQ(Rk_ArcIntersectPlane(&kUnit, &wall, &num, &p1, &p2), 0);
    ASSERT_EQ(num, 2);
    EXPECT_NEAR(std::fabs(p1.pt_y), std::sqrt(0.75), 1e-9);
    EXPECT_NEAR(p1.pt_y, -p2.pt_y, 1e-9);
    EXPECT_NEAR(OffCircle(p1, kUnit), 0.0, 1e-9);
    EXPECT_NEAR(p1.pt_x, 0.5, 1e-9);

    const Rk_PlaneStruct above = Pl(P(0, 0, 3), V(0, 0, 1));
    num = -1;
    ASSERT_EQ(Rk_ArcIntersectPlane(&kUnit, &above, &num, &p1, &p2), 0);
    EXPECT_EQ(num, 0) << "a parallel plane";
    const Rk_PlaneStruct same = Pl(P(2, 2, 0), V(0, 0, -1));
    EXPECT_EQ(Rk_ArcIntersectPlane(&kUnit, &same, &num, &p1, &p2), 1) << "the circle lies in the plane";
    EXPECT_ERROR(1, "rk_arc(");
}

TEST_F(ArcMeetings, TwoCoplanarCircles)
{
    const double h = std::sqrt(0.75);
    struct Case {
        Rk_ArcStruct a1, a2;
        int num;
        Rk_PointStruct pt1, pt2;
        const char* why;
    } cases[] = {
        {kUnit, A(P(1, 0, 0), V(0, 0, 1), 1), 2, P(0.5, -h, 0), P(0.5, h, 0), "pt1 on the -y side of the centre line"},
        {kUnit, A(P(2, 0, 0), V(0, 0, 5), 1), 1, P(1, 0, 0), P(9, 9, 9), "touching from outside"},
        {kUnit, A(P(0.1, 0, 0), V(0, 0, 1), 0.2), 0, P(9, 9, 9), P(9, 9, 9), "one inside the other"},
        {kUnit, A(P(3, 0, 0), V(0, 0, 1), 1), 0, P(9, 9, 9), P(9, 9, 9), "apart"},
        {kUnit, A(P(0, 0, 0), V(0, 0, 1), 0.5), 0, P(9, 9, 9), P(9, 9, 9), "concentric"},
        {kUnit, A(P(0.5, 0, 0), V(0, 0, 1), 0.5), 2, P(1, 0, 0), P(1, 0, 0),
         "the second touches the first from inside, toward the second centre"},
        {A(P(0.5, 0, 0), V(0, 0, 1), 0.5), kUnit, 2, P(1, 0, 0), P(1, 0, 0),
         "the first touches the second from inside, on the far side of the first centre"},
        {A(P(0, 0, 0), V(0, 0, 1), 0.3), A(P(0, 0.7, 0), V(0, 0, 1), 1), 2, P(0, -0.3, 0), P(0, -0.3, 0),
         "the same, along y"},
    };
    for (const Case& c : cases) {
        int num = -1;
        Rk_PointStruct p1 = P(9, 9, 9), p2 = P(9, 9, 9);
        ASSERT_EQ(Rk_ArcIntersectArc(&c.a1, &c.a2, &num, &p1, &p2), 0) << c.why;
        EXPECT_EQ(num, c.num) << c.why;
        ExpectPointNear(p1, c.pt1, 1e-9, c.why);
        ExpectPointNear(p2, c.pt2, 1e-9, c.why);
    }
    Rk_ArcStruct a1 = kUnit, a2 = A(P(1, 0, 0), V(0, 0, 1), 1);
    int num = -1;
    ASSERT_EQ(Rk_ArcIntersectArc(&a1, &a2, &num, &a2.center, &a1.center), 0) << "written over the centres";
    ExpectPointNear(a2.center, P(0.5, -h, 0), 1e-9, "pt1 over the second centre");
    ExpectPointNear(a1.center, P(0.5, h, 0), 1e-9, "pt2 over the first centre");
}

TEST_F(ArcMeetings, RandomCoplanarCirclesMeetOnBoth)
{
    std::mt19937 gen(71);
    std::uniform_real_distribution<double> u(-5.0, 5.0), radius(0.5, 4.0);
    int checked = 0;
    for (int n = 0; n < 300; ++n) {
        const Rk_VectorStruct normal = V(u(gen), u(gen), u(gen));
        const Rk_PointStruct c1 = P(u(gen), u(gen), u(gen));
        const Rk_VectorStruct side = Unit(Cross(normal, V(u(gen), u(gen), u(gen))));
        const Rk_ArcStruct a1 = A(c1, normal, radius(gen));
        const Rk_ArcStruct a2 = A(Along(c1, side, u(gen) + 5.0), normal, radius(gen));
        int num = -1;
        Rk_PointStruct p1, p2;
        ASSERT_EQ(Rk_ArcIntersectArc(&a1, &a2, &num, &p1, &p2), 0);
        const double d = Norm(Sub(a2.center, a1.center));
        const bool meet = d < a1.radius + a2.radius && d > std::fabs(a1.radius - a2.radius);
        if (!meet || std::fabs(d - a1.radius - a2.radius) < 1e-6) continue;
        ASSERT_EQ(num, 2);
        for (const Rk_PointStruct& p : {p1, p2}) {
            EXPECT_NEAR(OffCircle(p, a1), 0.0, 1e-9);
            EXPECT_NEAR(OffCircle(p, a2), 0.0, 1e-9);
        }
        // pt1 lies on the -y side of the frame at c1 with x toward c2.
        EXPECT_LT(Dot(Cross(Sub(a2.center, a1.center), Sub(p1, a1.center)), normal), 0.0);
        ++checked;
    }
    EXPECT_GT(checked, 50);
}

TEST_F(ArcMeetings, EqualOrNonCoplanarCirclesAreError9)
{
    const Rk_ArcStruct same = A(P(0.005, 0, 0), V(0, 0, -1), 1.0);
    const Rk_ArcStruct lifted = A(P(1, 0, 0.02), V(0, 0, 1), 1.0);
    const Rk_ArcStruct tilted_plane_far = A(P(1, 0, 0.005), V(1, 0, 0), 1.0);
    int num = -1;
    Rk_PointStruct p1 = P(9, 9, 9), p2;
    EXPECT_EQ(Rk_ArcIntersectArc(&kUnit, &same, &num, &p1, &p2), 1) << "equal circles";
    EXPECT_ERROR(9, "rk_arc(");
    EXPECT_EQ(num, 0);
    EXPECT_EQ(Rk_ArcIntersectArc(&kUnit, &lifted, &num, &p1, &p2), 1) << "second centre off the first plane";
    EXPECT_ERROR(9, "rk_arc(");
    ExpectPointNear(p1, P(9, 9, 9), 0, "unchanged");
    EXPECT_EQ(Rk_ArcIntersectArc(&kUnit, &tilted_plane_far, &num, &p1, &p2), 0)
        << "only the second centre is tested, not the normals";
}

TEST_F(ArcFit, ClearanceOfHolesAndPins)
{
    struct Case {
        double r1;
        int k1;
        double r2;
        int k2;
        double offset, least, most;
        const char* why;
    } cases[] = {
        {5, kHole, 4, kPin, 0.5, 0.5, 1.5, "pin in a hole, axes 0.5 apart"},
        {4, kPin, 5, kHole, 0.5, 0.5, 1.5, "the same, pin first"},
        {5, kHole, 5, kHole, 1, 9, 9, "overlap of two holes"},
        {5, kHole, 3, kHole, 1, 6, 6, "a hole inside another: the smaller diameter"},
        {5, kHole, 3, kHole, 9, 0, 0, "holes that do not overlap"},
        {5, kPin, 5, kPin, 1, 11, 11, "envelope of two pins"},
        {5, kPin, 3, kPin, 1, 10, 10, "a pin inside another: the larger diameter"},
    };
    for (const Case& c : cases) {
        const Rk_ArcStruct a1 = A(P(0, 0, 0), V(0, 0, 1), c.r1);
        const Rk_ArcStruct a2 = A(P(c.offset, 0, 40), V(0, 0, -2), c.r2);
        double least = -1, most = -1;
        ASSERT_EQ(Rk_ArcClearance(&a1, c.k1, &a2, c.k2, &least, &most), 0) << c.why;
        EXPECT_NEAR(least, c.least, 1e-12) << c.why;
        EXPECT_NEAR(most, c.most, 1e-12) << c.why;
    }
    const Rk_ArcStruct tilted = A(P(0, 0, 0), V(0, 0.1, 1), 2);
    double least = -1, most = -1;
    EXPECT_EQ(Rk_ArcClearance(&kUnit, kHole, &tilted, kPin, &least, &most), 1);
    EXPECT_ERROR(8, "rk_arc(");
    EXPECT_EQ(Rk_ArcClearance(&kUnit, 2, &kUnit, kPin, &least, &most), 1) << "a kind other than 0 or 1";
    EXPECT_ERROR(1, "rk_arc(");
    EXPECT_EQ(least, -1.0);
    EXPECT_EQ(most, -1.0);
}

TEST_F(ArcFit, ApparentArcOfAFeatureSeenAlongADirection)
{
    const Rk_ArcStruct bottom = A(P(0, 0, 0), V(0, 0, 1), 5), top = A(P(0, 0, 10), V(0, 0, -1), 5);
    const double t = 10 * kPi / 180;
    struct Case {
        Rk_VectorStruct view;
        int kind;
        double radius;
        const char* why;
    } cases[] = {
        {V(0, 0, 1), kHole, 5, "a hole seen along its axis"},
        {V(0, std::sin(t), std::cos(t)), kHole, (10 * std::cos(t) - 10 * std::sin(t)) / 2, "10 degrees off"},
        {V(0, std::sin(t), std::cos(t)), kPin, (10 * std::cos(t) + 10 * std::sin(t)) / 2, "a pin 10 degrees off"},
        {V(0, 1, 0), kHole, 0, "a hole seen from the side shows no passage"},
    };
    for (const Case& c : cases) {
        Rk_PointStruct centre = P(9, 9, 9);
        double radius = -1;
        ASSERT_EQ(Rk_ArcGetApparentArc(&bottom, &top, c.kind, &c.view, &centre, &radius), 0) << c.why;
        EXPECT_NEAR(radius, c.radius, 1e-12) << c.why;
    }
    Rk_PointStruct centre;
    double radius = 0;
    const Rk_VectorStruct side = V(1, 0, 0);
    Rk_ArcGetApparentArc(&bottom, &top, kPin, &side, &centre, &radius);
    ExpectPointNear(centre, P(0, 0, 5), 1e-12, "midway between the ends, seen from the side");
    EXPECT_NEAR(radius, 5.0, 1e-12) << "half of the 10 the ends span";

    const Rk_ArcStruct shifted = A(P(0.01, 0, 10), V(0, 0, 1), 5);
    EXPECT_EQ(Rk_ArcGetApparentArc(&bottom, &shifted, kHole, &side, &centre, &radius), 0)
        << "ends exactly the point tolerance off-axis are accepted";

    struct Bad {
        Rk_ArcStruct other;
        int kind;
        long id;
        const char* why;
    } bad[] = {
        {A(P(0, 0, 10), V(0, 0, 1), 5.1), kHole, 9, "radii differ"},
        {A(P(0, 0, 10), V(0, 0.1, 1), 5), kHole, 9, "normals not parallel"},
        {A(P(0.02, 0, 10), V(0, 0, 1), 5), kHole, 9, "ends not coaxial"},
        {top, 3, 1, "a kind other than 0 or 1"},
    };
    for (const Bad& c : bad) {
        centre = P(9, 9, 9);
        radius = -1;
        EXPECT_EQ(Rk_ArcGetApparentArc(&bottom, &c.other, c.kind, &side, &centre, &radius), 1) << c.why;
        EXPECT_ERROR(c.id, "rk_arc(");
        ExpectPointNear(centre, P(9, 9, 9), 0, "unchanged");
        EXPECT_EQ(radius, -1.0) << c.why;
    }
}

TEST_F(ArcFit, VirtualArcThroughAStackOfFeatures)
{
    const Rk_VectorStruct along = V(0, 0, 1);
    Rk_ArcStruct virt;
    double diam = -1;
    int found = -1;

    const Rk_ArcStruct coaxial[2] = {A(P(1, 1, 0), V(0, 0, 1), 5), A(P(1, 1, 20), V(0, 0, 1), 4)};
    ASSERT_EQ(Rk_ArcGetVirtualArc(&virt, 2, coaxial, &along, kHole, &diam, &found), 0);
    EXPECT_EQ(found, 1);
    EXPECT_NEAR(diam, 8, 1e-12) << "the smaller hole limits the passage";
    ExpectPointNear(virt.center, P(1, 1, 0), 1e-12, "on the common axis, in the plane through the origin");
    ExpectVectorNear(virt.normal, along, 0, "normal along the direction");

    const Rk_ArcStruct apart[2] = {A(P(0, 0, 0), V(0, 0, 1), 5), A(P(2, 0, 30), V(0, 0, -1), 5)};
    ASSERT_EQ(Rk_ArcGetVirtualArc(&virt, 2, apart, &along, kHole, &diam, &found), 0);
    EXPECT_NEAR(diam, 8, 1e-12);
    ExpectPointNear(virt.center, P(1, 0, 0), 1e-12, "halfway between the axes");
    ASSERT_EQ(Rk_ArcGetVirtualArc(&virt, 2, apart, &along, kPin, &diam, &found), 0);
    EXPECT_NEAR(diam, 12, 1e-12) << "the envelope of two pins";
    ExpectPointNear(virt.center, P(1, 0, 0), 1e-12, "halfway between the axes");

    const Rk_ArcStruct single[1] = {A(P(3, 4, 5), V(0, 0.6, 0.8), 2)};
    ASSERT_EQ(Rk_ArcGetVirtualArc(&virt, 1, single, &along, kHole, &diam, &found), 0);
    EXPECT_NEAR(diam, 2 * 2 * 0.8, 1e-12) << "one feature: its foreshortened circle";
    ExpectPointNear(virt.center, P(3, 4, 0), 1e-12, "projected on the plane through the origin");

    virt = kUnit;
    const Rk_ArcStruct blocked[3] = {A(P(0, 0, 0), V(0, 0, 1), 5), A(P(12, 0, 1), V(0, 0, 1), 5),
                                     A(P(0, 0, 2), V(0, 0, 1), 5)};
    ASSERT_EQ(Rk_ArcGetVirtualArc(&virt, 3, blocked, &along, kHole, &diam, &found), 0);
    EXPECT_EQ(found, 0) << "holes 12 apart leave no passage";
    EXPECT_EQ(diam, 0.0);
    EXPECT_EQ(virt.radius, 1.0) << "the virtual arc is left alone";
}

TEST_F(ArcFit, VirtualArcFailures)
{
    const Rk_VectorStruct along = V(0, 0, 1);
    const Rk_ArcStruct arcs[2] = {A(P(0, 0, 0), V(0, 0, 1), 5), A(P(0, 0, 1), V(1, 0, 0), 5)};
    Rk_ArcStruct virt = kUnit;
    double diam = -1;
    int found = -1;
    EXPECT_EQ(Rk_ArcGetVirtualArc(&virt, 2, arcs, &along, 2, &diam, &found), 1) << "kind 2";
    EXPECT_ERROR(1, "rk_arc(");
    EXPECT_EQ(found, 1) << "set first";
    EXPECT_EQ(Rk_ArcGetVirtualArc(&virt, 0, arcs, &along, kHole, &diam, &found), 1) << "no feature at all";
    EXPECT_ERROR(1, "rk_arc(");
    EXPECT_EQ(Rk_ArcGetVirtualArc(&virt, 2, arcs, &along, kPin, &diam, &found), 1) << "a pin seen edge-on";
    EXPECT_ERROR(7, "rk_arc(");
    EXPECT_EQ(diam, -1.0);
    EXPECT_EQ(virt.radius, 1.0);
}

}  // namespace
