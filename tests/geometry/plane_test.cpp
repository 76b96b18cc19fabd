// Planes, and the relations of points, vectors and lines to a plane.
#include <cmath>
#include <limits>
#include <random>

#include "geometry_helpers.hpp"
#include "rk_test.hpp"

namespace {

using namespace geomtest;

using Plane = rktest::LibraryTest;
using PlaneConstruction = rktest::LibraryTest;
using PlaneComparison = rktest::LibraryTest;
using PlaneIntersection = rktest::LibraryTest;
using PointOnPlane = rktest::LibraryTest;
using VectorOnPlane = rktest::LibraryTest;
using LineOnPlane = rktest::LibraryTest;

// Signed distance of a point from a plane, in units of length.
double Height(const Rk_PointStruct& p, const Rk_PlaneStruct& pl)
{
    return Dot(Sub(p, pl.point), pl.normal) / Norm(pl.normal);
}

TEST_F(PlaneConstruction, SettersStoreWithoutTesting)
{
    Rk_PlaneStruct plane;
    Rk_PlaneInit(&plane);
    ExpectPointNear(plane.point, P(0, 0, 0), 0, "init point");
    ExpectVectorNear(plane.normal, V(0, 0, 1), 0, "init normal");

    Rk_PointStruct p = P(1, 2, 3);
    Rk_VectorStruct zero = V(0, 0, 0);
    EXPECT_EQ(Rk_PlaneSet(&plane, &p, &zero), 0) << "a zero normal is stored as given";
    Rk_PointStruct gp;
    Rk_VectorStruct gn;
    Rk_PlaneGet(&plane, &gp, &gn);
    ExpectPointNear(gp, p, 0, "point");
    ExpectVectorNear(gn, zero, 0, "normal");

    Rk_PointStruct foot;
    EXPECT_EQ(Rk_PointProjOnPlane(&p, &plane, &foot), 1) << "the zero normal is found when it is used";
    EXPECT_ERROR(24, "rk_point(");

    Rk_VectorStruct n = V(0, 3, 0);
    Rk_PlaneSetNormal(&plane, &n);
    Rk_PointStruct q = P(-1, -1, -1);
    Rk_PlaneSetPoint(&plane, &q);
    Rk_PlaneGetPoint(&plane, &gp);
    Rk_PlaneGetNormal(&plane, &gn);
    ExpectPointNear(gp, q, 0, "point replaced");
    ExpectVectorNear(gn, n, 0, "normal replaced");
}

TEST_F(PlaneConstruction, CoordsStoreThePointBeforeRefusingAZeroNormal)
{
    Rk_PlaneStruct plane = Pl(P(9, 9, 9), V(1, 0, 0));
    EXPECT_EQ(Rk_PlaneSetByCoords(&plane, 1, 2, 3, 0, 1e-10, 0), 1);
    EXPECT_ERROR(6, "rk_vec(");
    ExpectPointNear(plane.point, P(1, 2, 3), 0, "the point is already replaced");
    ExpectVectorNear(plane.normal, V(1, 0, 0), 0, "the normal is kept");
    EXPECT_EQ(Rk_PlaneSetByCoords(&plane, 4, 5, 6, 0, 0, -2), 0);
    ExpectVectorNear(plane.normal, V(0, 0, -2), 0, "not made unit");
}

TEST_F(PlaneConstruction, EquationPutsThePointOnTheFirstAxisItCrosses)
{
    struct Case {
        double a, b, c, d;
        Rk_PointStruct point;
        const char* why;
    } cases[] = {
        {0, 0, 2, -4, P(0, 0, 2), "z = 2"},
        {-3, 0, 0, 6, P(2, 0, 0), "x = 2 with a negative normal"},
        {0, 4, 1, 8, P(0, -2, 0), "b is the first coefficient above the tolerance"},
        {1e-10, 1, 1, -1, P(0, 1, 0), "a below the tolerance is skipped"},
    };
    for (const Case& c : cases) {
        Rk_PlaneStruct plane;
        ASSERT_EQ(Rk_PlaneSetByEquation(&plane, c.a, c.b, c.c, c.d), 0) << c.why;
        ExpectPointNear(plane.point, c.point, 1e-15, c.why);
        ExpectVectorNear(plane.normal, V(c.a, c.b, c.c), 0, c.why);
        double a, b, cc, d;
        Rk_PlaneGetEquationConstants(&plane, &a, &b, &cc, &d);
        EXPECT_NEAR(d, c.d, 1e-15) << c.why << ": the equation read back";
    }

    Rk_PlaneStruct plane = Pl(P(1, 1, 1), V(0, 1, 0));
    EXPECT_EQ(Rk_PlaneSetByEquation(&plane, 0, 0, 0, 1), 1);
    EXPECT_ERROR(6, "rk_vec(");
    ExpectVectorNear(plane.normal, V(0, 1, 0), 0, "unchanged after error 6");

    EXPECT_EQ(Rk_PlaneSetByEquation(&plane, 1e-9, 0, 0, 5), 1)
        << "the largest coefficient equals the zero tolerance: a normal, but no axis crossing";
    EXPECT_ERROR(5, "rk_plane(");
    ExpectVectorNear(plane.normal, V(1e-9, 0, 0), 0, "the normal is already stored");
    ExpectPointNear(plane.point, P(1, 1, 1), 0, "the point is not");
}

TEST_F(PlaneConstruction, ThreePointsGiveARightHandedNormal)
{
    Rk_PlaneStruct plane;
    Rk_PointStruct o = P(0, 0, 0), x = P(1, 0, 0), y = P(0, 1, 0);
    ASSERT_EQ(Rk_PlaneSetByPoints(&plane, &o, &x, &y), 0);
    ExpectVectorNear(plane.normal, V(0, 0, 1), 0, "x then y: +z");
    ASSERT_EQ(Rk_PlaneSetByPoints(&plane, &o, &y, &x), 0);
    ExpectVectorNear(plane.normal, V(0, 0, -1), 0, "y then x: -z");

    plane = Pl(P(5, 5, 5), V(2, 0, 0));
    Rk_PointStruct p1 = P(0, 1, 0), p3 = P(0, 3, 0);
    ASSERT_EQ(Rk_PlaneSetByPoints(&plane, &p1, &plane.point, &p3), 0) << "an input read from the plane itself";
    ExpectVectorNear(plane.normal, Cross(V(5, 4, 5), V(0, 2, 0)), 1e-15, "(pt2 - pt1) x (pt3 - pt1)");
    ExpectPointNear(plane.point, p1, 0, "the point is pt1");

    plane = Pl(P(5, 5, 5), V(2, 0, 0));
    Rk_PointStruct a = P(0, 0, 0), b = P(1, 1, 1), c = P(3, 3, 3);
    EXPECT_EQ(Rk_PlaneSetByPoints(&plane, &b, &a, &c), 1) << "collinear points";
    EXPECT_ERROR(6, "rk_vec(");
    ExpectPointNear(plane.point, b, 0, "the point is stored before the normal fails");
    ExpectVectorNear(plane.normal, V(2, 0, 0), 0, "the normal is unchanged");
    EXPECT_EQ(Rk_PlaneSetByPoints(&plane, &a, &a, &c), 1) << "coincident points";
    EXPECT_ERROR(6, "rk_vec(");
}

TEST_F(PlaneConstruction, PointAndLine)
{
    const Rk_LineStruct line = L(P(0, 0, 0), P(1, 0, 0));
    Rk_PointStruct above = P(3, 0, 2);
    Rk_PlaneStruct plane = Pl(P(9, 9, 9), V(0, 1, 0));
    ASSERT_EQ(Rk_PlaneSetByPointAndLine(&plane, &above, &line), 0);
    ExpectPointNear(plane.point, above, 0, "the point comes first");
    ExpectVectorNear(plane.normal, Cross(V(-3, 0, -2), V(-2, 0, -2)), 1e-15, "over pt, point1, point2");

    Rk_PointStruct on = P(7, 0.005, 0);
    plane = Pl(P(9, 9, 9), V(0, 1, 0));
    EXPECT_EQ(Rk_PlaneSetByPointAndLine(&plane, &on, &line), 1);
    EXPECT_ERROR(1, "rk_plane(");
    ExpectPointNear(plane.point, P(9, 9, 9), 0, "unchanged");
}

TEST_F(PlaneConstruction, TwoLinesMustBeCoplanarAndDistinct)
{
    const Rk_LineStruct x_axis = L(P(0, 0, 0), P(1, 0, 0));
    struct Case {
        Rk_LineStruct other;
        int status;
        const char* why;
    } cases[] = {
        {L(P(0, 3, 0), P(5, 3, 0)), 0, "parallel and distinct"},
        {L(P(2, 0, 0), P(2, 4, 0)), 0, "crossing at point1 of line2"},
        {L(P(2, -4, 0), P(2, 0, 0)), 0, "crossing at point2 of line2"},
        {L(P(2, -4, 0), P(2, 4, 0)), 0, "crossing between line2's points"},
        {L(P(0, 3, 1), P(5, 3, 1)), 0, "parallel, plane slanted"},
        {L(P(0, 3, 1), P(0, 3, 2)), 1, "skew"},
        {L(P(-3, 0, 0), P(8, 0.005, 0)), 1, "the same line within the tolerance"},
    };
    for (const Case& c : cases) {
        Rk_PlaneStruct plane = Pl(P(9, 9, 9), V(0, 1, 0));
        ASSERT_EQ(Rk_PlaneSetByLines(&plane, &x_axis, &c.other), c.status) << c.why;
        if (c.status) {
            EXPECT_ERROR(1, "rk_plane(");
            ExpectPointNear(plane.point, P(9, 9, 9), 0, "unchanged on failure");
            continue;
        }
        ExpectPointNear(plane.point, x_axis.point1, 0, c.why);
        for (const Rk_PointStruct& p : {x_axis.point2, c.other.point1, c.other.point2})
            EXPECT_NEAR(Height(p, plane), 0.0, 1e-12) << c.why << ": every defining point lies on the plane";
    }
}

TEST_F(Plane, ThreePointsFollowTheDefaultAxes)
{
    struct Case {
        Rk_VectorStruct normal;
        Rk_PointStruct pt2, pt3;
        const char* why;
    } cases[] = {
        {V(0, 0, 1), P(1, 0, 0), P(0, 1, 0), "world x and y"},
        {V(0, 0, -3), P(1, 0, 0), P(0, -1, 0), "a downward normal flips y"},
        {V(1, 0, 0), P(0, 0, -1), P(0, 1, 0), "normal along world x: world y is the reference"},
        {V(-1, 0, 0), P(0, 0, 1), P(0, 1, 0), "and against it"},
    };
    for (const Case& c : cases) {
        const Rk_PlaneStruct plane = Pl(P(0, 0, 0), c.normal);
        Rk_PointStruct p1, p2, p3;
        ASSERT_EQ(Rk_PlaneGet3Points(&plane, &p1, &p2, &p3), 0) << c.why;
        ExpectPointNear(p1, P(0, 0, 0), 0, c.why);
        ExpectPointNear(p2, c.pt2, 1e-15, c.why);
        ExpectPointNear(p3, c.pt3, 1e-15, c.why);
    }

    std::mt19937 gen(31);
    std::uniform_real_distribution<double> u(-5.0, 5.0);
    for (int n = 0; n < 200; ++n) {
        Rk_PlaneStruct plane = Pl(P(u(gen), u(gen), u(gen)), V(u(gen), u(gen), u(gen)));
        const Rk_PlaneStruct copy = plane;
        Rk_PointStruct p2, p3;
        ASSERT_EQ(Rk_PlaneGet3Points(&plane, &plane.point, &p2, &p3), 0) << "pt1 is the plane's own point";
        const Rk_VectorStruct x = Sub(p2, copy.point), y = Sub(p3, copy.point);
        const Rk_VectorStruct z = Unit(copy.normal);
        EXPECT_NEAR(Norm(x), 1.0, 1e-12);
        EXPECT_NEAR(Norm(y), 1.0, 1e-12);
        EXPECT_NEAR(Dot(x, y), 0.0, 1e-12);
        ExpectVectorNear(Cross(x, y), z, 1e-12, "x, y and the unit normal are right-handed");
        if (std::fabs(z.i_comp) < 0.99) {
            EXPECT_NEAR(x.i_comp, std::sqrt(1 - z.i_comp * z.i_comp), 1e-12)
                << "x is world x made perpendicular to the normal";
        }
    }
}

TEST_F(PlaneComparison, SenseMattersForEqualityNotForCoincidence)
{
    const Rk_PlaneStruct up = Pl(P(1, 1, 0), V(0, 0, 1)), down = Pl(P(1, 1, 0), V(0, 0, -1));
    int flag = -1;
    Rk_PlaneIsParallelToPlane(&up, &down, &flag);
    EXPECT_EQ(flag, 1) << "parallel";
    Rk_PlaneIsCoincidentToPlane(&up, &down, &flag);
    EXPECT_EQ(flag, 1) << "coincident";
    Rk_PlaneIsEqualToPlane(&up, &down, &flag);
    EXPECT_EQ(flag, 0) << "but not equal";
    double angle = 0;
    Rk_PlaneAngleFromPlane(&up, &down, &angle);
    EXPECT_DOUBLE_EQ(angle, 180.0);

    Rk_PlaneStruct inverted;
    Rk_PlaneInvert(&down, &inverted);
    Rk_PlaneIsEqualToPlane(&up, &inverted, &flag);
    EXPECT_EQ(flag, 1) << "an inverted plane has the opposite sense";

    const Rk_PlaneStruct wall = Pl(P(0, 0, 0), V(1, 0, 0.01));
    Rk_PlaneIsPerpToPlane(&up, &wall, &flag);
    EXPECT_EQ(flag, 1);
}

TEST_F(PlaneComparison, EqualityBoundsAreInclusiveCoincidenceIsStrict)
{
    const Rk_PlaneStruct base = Pl(P(0, 0, 0), V(0, 0, 1));
    const Rk_PlaneStruct lifted = Pl(P(4, 4, 0.01), V(0, 0, 2));
    int equal = -1, coincident = -1;
    Rk_PlaneIsEqualToPlane(&base, &lifted, &equal);
    Rk_PlaneIsCoincidentToPlane(&base, &lifted, &coincident);
    EXPECT_EQ(equal, 1) << "a point exactly the point tolerance away is within the equality bound";
    EXPECT_EQ(coincident, 0) << "but not on the plane";

    const Rk_PlaneStruct tilted = Pl(P(0, 0, 0), V(std::sin(0.6 * kPi / 180), 0, std::cos(0.6 * kPi / 180)));
    double angle = 0;
    Rk_PlaneAngleFromPlane(&base, &tilted, &angle);
    Rk_GeometrySetAngleEpsilon(angle);
    Rk_PlaneIsEqualToPlane(&base, &tilted, &equal);
    EXPECT_EQ(equal, 1) << "an angle equal to the tolerance is within the equality bound";
    Rk_GeometrySetAngleEpsilon(angle * (1 - 1e-12));
    Rk_PlaneIsEqualToPlane(&base, &tilted, &equal);
    EXPECT_EQ(equal, 0);
}

TEST_F(PlaneComparison, OffsetIsSignedByTheFirstNormal)
{
    const Rk_PlaneStruct base = Pl(P(0, 0, 0), V(0, 0, 1));
    struct Case {
        Rk_PlaneStruct other;
        int found;
        double offset;
        const char* why;
    } cases[] = {
        {Pl(P(5, 5, 3), V(0, 0, 1)), 1, 3, "ahead of the normal"},
        {Pl(P(5, 5, -3), V(0, 0, -7)), 1, -3, "behind it, whatever the other normal"},
        {Pl(P(5, 5, 0.005), V(0, 0, 1)), 0, 0, "within the point tolerance"},
    };
    for (const Case& c : cases) {
        int found = -1;
        double offset = 99;
        ASSERT_EQ(Rk_PlaneGetPlaneOffset(&base, &c.other, &found, &offset), 0) << c.why;
        EXPECT_EQ(found, c.found) << c.why;
        EXPECT_NEAR(offset, c.offset, 1e-15) << c.why;
    }
    const Rk_PlaneStruct flipped = Pl(P(0, 0, 0), V(0, 0, -1));
    int found = -1;
    double offset = 0;
    Rk_PlaneGetPlaneOffset(&flipped, &cases[0].other, &found, &offset);
    EXPECT_NEAR(offset, -3, 1e-15) << "the first plane's normal gives the sign";

    const Rk_PlaneStruct wall = Pl(P(0, 0, 0), V(1, 0, 0));
    found = 7;
    offset = 7;
    EXPECT_EQ(Rk_PlaneGetPlaneOffset(&base, &wall, &found, &offset), 1);
    EXPECT_ERROR(1, "rk_plane(");
    EXPECT_EQ(found, 7);
    EXPECT_EQ(offset, 7.0);
}

// Checks that `line` lies in both planes and runs along n1 x n2.
void ExpectCommonLine(const Rk_LineStruct& line, const Rk_PlaneStruct& a, const Rk_PlaneStruct& b, double tol,
                      const char* why)
{
    for (const Rk_PointStruct& p : {line.point1, line.point2}) {
        EXPECT_NEAR(Height(p, a), 0.0, tol) << why;
        EXPECT_NEAR(Height(p, b), 0.0, tol) << why;
    }
    const Rk_VectorStruct d = Sub(line.point2, line.point1);
    const Rk_VectorStruct axis = Cross(a.normal, b.normal);
    EXPECT_NEAR(Norm(Cross(d, axis)) / (Norm(d) * Norm(axis)), 0.0, 1e-6) << why << ": along n1 x n2";
    EXPECT_GE(Norm(d), 0.01) << why;
}

TEST_F(PlaneIntersection, FloorAndWall)
{
    const Rk_PlaneStruct floor = Pl(P(0, 0, 0), V(0, 0, 1)), wall = Pl(P(2, 7, 7), V(1, 0, 0));
    Rk_LineStruct line;
    ASSERT_EQ(Rk_PlaneIntersectPlane(&floor, &wall, &line), 0);
    ExpectPointNear(line.point1, P(2, 0, 0), 1e-9, "the foot of the floor's point");
    EXPECT_NEAR(line.point2.pt_x, 2.0, 1e-9);
    EXPECT_NEAR(line.point2.pt_z, 0.0, 1e-9);
    EXPECT_NEAR(std::fabs(line.point2.pt_y - line.point1.pt_y), 1.0, 1e-9) << "along the y axis";
}

TEST_F(PlaneIntersection, FallsBackToTheThirdPointWhenTheFirstTwoMeet)
{
    // The floor's default x axis crosses the common line (along y) at a right angle, so its first
    // two points refine to the same point of that line.
    const Rk_PlaneStruct floor = Pl(P(0, 0, 0), V(0, 0, 1)), slope = Pl(P(0, 0, 0), V(1, 0, 1));
    Rk_LineStruct line;
    ASSERT_EQ(Rk_PlaneIntersectPlane(&floor, &slope, &line), 0);
    ExpectCommonLine(line, floor, slope, 1e-9, "floor and slope");
    ExpectPointNear(line.point2, P(0, 1, 0), 1e-9, "the third point of the floor");
}

TEST_F(PlaneIntersection, MatchesTheCommonLineOnRandomPlanes)
{
    std::mt19937 gen(37);
    std::uniform_real_distribution<double> u(-20.0, 20.0);
    int checked = 0;
    for (int n = 0; n < 200; ++n) {
        const Rk_PlaneStruct a = Pl(P(u(gen), u(gen), u(gen)), V(u(gen), u(gen), u(gen)));
        const Rk_PlaneStruct b = Pl(P(u(gen), u(gen), u(gen)), V(u(gen), u(gen), u(gen)));
        const double angle = AngleDeg(a.normal, b.normal);
        if (angle < 3 || angle > 177) continue;
        Rk_LineStruct line;
        ASSERT_EQ(Rk_PlaneIntersectPlane(&a, &b, &line), 0);
        ExpectCommonLine(line, a, b, 1e-6, "random planes");
        ++checked;
    }
    EXPECT_GT(checked, 150);
}

TEST_F(PlaneIntersection, ConvergesForPlanesJustOutsideTheAngleTolerance)
{
    const double r = 1.05 * kPi / 180.0;
    const Rk_PlaneStruct a = Pl(P(1000, -2000, 3000), V(0, 0, 1));
    const Rk_PlaneStruct b = Pl(P(-1500, 2500, 3004), V(std::sin(r), 0, std::cos(r)));
    Rk_LineStruct line;
    ASSERT_EQ(Rk_PlaneIntersectPlane(&a, &b, &line), 0);
    ExpectCommonLine(line, a, b, 1e-4, "1.05 degrees apart, thousands of units out");
}

TEST_F(PlaneIntersection, ParallelOrUnsettledPlanesAreError1)
{
    const Rk_PlaneStruct a = Pl(P(0, 0, 0), V(0, 0, 1));
    const Rk_PlaneStruct b = Pl(P(0, 0, 5), V(0.0087, 0, -1));
    Rk_LineStruct line = L(P(1, 1, 1), P(2, 2, 2));
    EXPECT_EQ(Rk_PlaneIntersectPlane(&a, &b, &line), 1) << "half a degree apart, opposite normals";
    EXPECT_ERROR(1, "rk_plane(");
    EXPECT_EQ(line.point1.pt_x, 1.0);

    const Rk_PlaneStruct nan_plane = Pl(P(std::numeric_limits<double>::quiet_NaN(), 0, 0), V(1, 0, 0));
    EXPECT_EQ(Rk_PlaneIntersectPlane(&a, &nan_plane, &line), 1) << "a point that is not a number never settles";
    EXPECT_ERROR(1, "rk_plane(");
    EXPECT_EQ(line.point1.pt_x, 1.0);
}

TEST_F(PointOnPlane, FootDistanceAndSignedDistanceAlongADirection)
{
    const Rk_PlaneStruct plane = Pl(P(0, 0, 1), V(0, 0, 5));
    Rk_PointStruct p = P(1, 2, 3), foot;
    ASSERT_EQ(Rk_PointProjOnPlane(&p, &plane, &foot), 0);
    ExpectPointNear(foot, P(1, 2, 1), 0, "foot");
    double dist = 0;
    Rk_PointDistFromPlane(&p, &plane, &dist);
    EXPECT_EQ(dist, 2.0);

    struct Case {
        Rk_VectorStruct dir;
        double dist;
        const char* why;
    } cases[] = {
        {V(0, 0, -1), 2, "the plane lies ahead"},
        {V(0, 0, 1), -2, "the plane lies behind"},
        {V(0, 3, -3), 2 * std::sqrt(2.0), "slanted, ahead"},
        {V(1, 0, 1), -2 * std::sqrt(2.0), "slanted, behind"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(Rk_PointDistFromPlaneAlongVec(&p, &plane, &c.dir, &dist), 0) << c.why;
        EXPECT_NEAR(dist, c.dist, 1e-12) << c.why;
    }
    Rk_VectorStruct flat = V(1, 1, 0.01), zero = V(0, 0, 0);
    dist = 77;
    EXPECT_EQ(Rk_PointDistFromPlaneAlongVec(&p, &plane, &flat, &dist), 1) << "a direction along the plane";
    EXPECT_ERROR(1, "rk_point(");
    EXPECT_EQ(Rk_PointDistFromPlaneAlongVec(&p, &plane, &zero, &dist), 1);
    EXPECT_ERROR(6, "rk_vec(");
    EXPECT_EQ(dist, 77.0);

    ASSERT_EQ(Rk_PointProjOnPlane(&p, &plane, &p), 0);
    ExpectPointNear(p, P(1, 2, 1), 0, "the foot written over the point");
}

TEST_F(PointOnPlane, OnPlaneIsStrictlyWithinThePointTolerance)
{
    const Rk_PlaneStruct plane = Pl(P(0, 0, 0), V(0, 0, 1));
    struct Case {
        double z;
        int on;
    } cases[] = {{0.0099, 1}, {-0.0099, 1}, {0.01, 0}, {1, 0}};
    for (const Case& c : cases) {
        const Rk_PointStruct p = P(3, -4, c.z);
        int on = -1;
        Rk_PointIsOnPlane(&p, &plane, &on);
        EXPECT_EQ(on, c.on) << "height " << c.z;
    }
    const Rk_PlaneStruct thin = Pl(P(0, 0, 0), V(0, 0, 3e-5));
    int on = -1;
    const Rk_PointStruct p = P(1, 1, 1);
    EXPECT_EQ(Rk_PointIsOnPlane(&p, &thin, &on), 1) << "a normal of squared length 9e-10";
    EXPECT_ERROR(24, "rk_point(");
    EXPECT_EQ(on, -1);
}

TEST_F(VectorOnPlane, ProjectionAndTests)
{
    const Rk_PlaneStruct plane = Pl(P(5, 5, 5), V(0, 0, 4));
    Rk_VectorStruct v = V(3, -1, 7);
    ASSERT_EQ(Rk_VectorProjOnPlane(&v, &plane, &v), 0) << "the projection written over the vector";
    ExpectVectorNear(v, V(3, -1, 0), 1e-15, "the plane's point plays no part");

    Rk_VectorStruct steep = V(0.01, 0, -1), out = V(8, 8, 8);
    EXPECT_EQ(Rk_VectorProjOnPlane(&steep, &plane, &out), 1) << "0.57 degrees from the normal";
    EXPECT_ERROR(6, "rk_vec(");
    ExpectVectorNear(out, V(8, 8, 8), 0, "unchanged");

    struct Case {
        Rk_VectorStruct v;
        int parallel, perp;
    } cases[] = {{V(1, 1, 0.01), 1, 0}, {V(0, 0.01, -3), 0, 1}, {V(1, 0, 1), 0, 0}};
    for (const Case& c : cases) {
        int parallel = -1, perp = -1;
        Rk_VectorIsParallelToPlane(&c.v, &plane, &parallel);
        Rk_VectorIsPerpToPlane(&c.v, &plane, &perp);
        EXPECT_EQ(parallel, c.parallel);
        EXPECT_EQ(perp, c.perp);
    }
}

TEST_F(LineOnPlane, IntersectionPoint)
{
    const Rk_PlaneStruct floor = Pl(P(0, 0, 0), V(0, 0, 1));
    Rk_LineStruct line = L(P(0, 0, 5), P(0, 0, 6));
    Rk_PointStruct pt;
    ASSERT_EQ(Rk_LineIntersectPlane(&line, &floor, &pt), 0);
    ExpectPointNear(pt, P(0, 0, 0), 1e-15, "straight down");
    ASSERT_EQ(Rk_LineIntersectPlane(&line, &floor, &line.point2), 0) << "the result over an input point";
    ExpectPointNear(line.point2, P(0, 0, 0), 1e-15, "written over point2");

    const Rk_LineStruct flat = L(P(0, 0, 5), P(3, 1, 5.01));
    pt = P(4, 4, 4);
    EXPECT_EQ(Rk_LineIntersectPlane(&flat, &floor, &pt), 1) << "a line in a plane parallel to the floor";
    EXPECT_ERROR(1, "rk_line(");
    ExpectPointNear(pt, P(4, 4, 4), 0, "unchanged");

    std::mt19937 gen(41);
    std::uniform_real_distribution<double> u(-30.0, 30.0);
    for (int n = 0; n < 200; ++n) {
        const Rk_LineStruct l = L(P(u(gen), u(gen), u(gen)), P(u(gen), u(gen), u(gen)));
        const Rk_PlaneStruct pl = Pl(P(u(gen), u(gen), u(gen)), V(u(gen), u(gen), u(gen)));
        const Rk_VectorStruct d = Sub(l.point2, l.point1);
        if (std::fabs(Dot(d, pl.normal)) < 0.1 * Norm(d) * Norm(pl.normal)) continue;
        ASSERT_EQ(Rk_LineIntersectPlane(&l, &pl, &pt), 0);
        EXPECT_NEAR(Height(pt, pl), 0.0, 1e-9) << "on the plane";
        int on = 0;
        Rk_PointIsOnLine(&pt, &l, &on);
        EXPECT_EQ(on, 1) << "on the line";
    }
}

TEST_F(LineOnPlane, ProjectionOfALine)
{
    const Rk_PlaneStruct floor = Pl(P(0, 0, 0), V(0, 0, 1));
    Rk_LineStruct line = L(P(1, 2, 3), P(4, 6, -2));
    ASSERT_EQ(Rk_LineProjOnPlane(&line, &floor, &line), 0) << "written over the input";
    ExpectPointNear(line.point1, P(1, 2, 0), 0, "point1's foot");
    ExpectPointNear(line.point2, P(4, 6, 0), 0, "point2's foot");

    const Rk_LineStruct steep = L(P(0, 0, 0), P(0.00875, 0, 0.5));
    Rk_LineStruct proj;
    ASSERT_EQ(Rk_LineProjOnPlane(&steep, &floor, &proj), 0) << "1.003 degrees off the normal";
    EXPECT_LT(proj.point2.pt_x - proj.point1.pt_x, 0.01) << "closer than the point tolerance, stored anyway";

    const Rk_LineStruct upright = L(P(0, 0, 0), P(0.008, 0, 0.5));
    proj = L(P(7, 7, 7), P(8, 8, 8));
    EXPECT_EQ(Rk_LineProjOnPlane(&upright, &floor, &proj), 1) << "0.92 degrees off the normal";
    EXPECT_ERROR(23, "rk_line(");
    ExpectPointNear(proj.point1, P(7, 7, 7), 0, "unchanged");
}

TEST_F(LineOnPlane, OnParallelAndPerpendicular)
{
    const Rk_PlaneStruct floor = Pl(P(0, 0, 0), V(0, 0, -2));
    struct Case {
        Rk_LineStruct line;
        int on, parallel, perp;
        const char* why;
    } cases[] = {
        {L(P(1, 1, 0), P(5, 2, 0.009)), 1, 1, 0, "both points within the tolerance"},
        {L(P(1, 1, 0.02), P(5, 2, 0)), 0, 1, 0, "point1 off the plane"},
        {L(P(1, 1, 0), P(5, 2, 0.02)), 0, 1, 0, "point2 off the plane"},
        {L(P(1, 1, 0), P(1.01, 1, 1)), 0, 0, 1, "0.57 degrees from the normal"},
        {L(P(1, 1, 0), P(2, 1, 1)), 0, 0, 0, "45 degrees"},
    };
    for (const Case& c : cases) {
        int on = -1, parallel = -1, perp = -1;
        ASSERT_EQ(Rk_LineIsOnPlane(&c.line, &floor, &on), 0);
        ASSERT_EQ(Rk_LineIsParallelToPlane(&c.line, &floor, &parallel), 0);
        ASSERT_EQ(Rk_LineIsPerpToPlane(&c.line, &floor, &perp), 0);
        EXPECT_EQ(on, c.on) << c.why;
        EXPECT_EQ(parallel, c.parallel) << c.why;
        EXPECT_EQ(perp, c.perp) << c.why;
    }
}

TEST_F(LineOnPlane, WithinAngleBands)
{
    const Rk_PlaneStruct floor = Pl(P(0, 0, 0), V(0, 0, 1));
    // A line whose direction makes `degrees` with the normal.
    auto at = [](double degrees) {
        const double r = degrees * kPi / 180.0;
        return L(P(0, 0, 0), P(std::sin(r), 0, std::cos(r)));
    };
    struct Case {
        double degrees;
        int para;
        const char* why;
    } cases[] = {
        {88.0, 1, "2 degrees from parallel, on the bound"},
        {87.9, 0, "2.1 degrees from parallel"},
        {92.0, 1, "the far bound"},
        {92.1, 0, "beyond it"},
    };
    for (const Case& c : cases) {
        const Rk_LineStruct line = at(c.degrees);
        int para = -1;
        ASSERT_EQ(Rk_LineIsParaToPlaneWithinAngle(&line, &floor, 2.0, &para), 0);
        EXPECT_EQ(para, c.para) << c.why;
    }

    // The perpendicular band is inclusive at both ends: an angle equal to the caller's angle counts.
    for (double degrees : {3.0, 177.0}) {
        const Rk_LineStruct line = at(degrees);
        Rk_VectorStruct dir;
        Rk_VectorSetByLine(&dir, &line);
        double g = 0;
        Rk_VectorAngleFromVector(&dir, &floor.normal, &g);
        const double bound = degrees < 90 ? g : 180.0 - g;
        ASSERT_EQ(degrees < 90 ? bound : 180.0 - bound, g) << "the bound must be representable";
        int perp = -1;
        Rk_LineIsPerpToPlaneWithinAngle(&line, &floor, bound, &perp);
        EXPECT_EQ(perp, 1) << degrees << " on the bound";
        Rk_LineIsPerpToPlaneWithinAngle(&line, &floor, bound * (1 - 1e-12), &perp);
        EXPECT_EQ(perp, 0) << degrees << " just outside";
    }
}

}  // namespace
