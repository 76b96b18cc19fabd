// Lines, and the relations of a point to a line.
#include <chrono>
#include <cmath>
#include <limits>
#include <random>

#include "geometry_helpers.hpp"
#include "rk_test.hpp"

namespace {

using namespace geomtest;

using Line = rktest::LibraryTest;
using PointOnLine = rktest::LibraryTest;
using LineAngles = rktest::LibraryTest;
using LineClosestPoint = rktest::LibraryTest;

// Exact equality, coordinate by coordinate.
void ExpectPointEq(const Rk_PointStruct& got, const Rk_PointStruct& want, const char* why)
{
    ExpectPointNear(got, want, 0.0, why);
}

// Independent closed forms.
Rk_PointStruct FootOnLine(const Rk_PointStruct& p, const Rk_LineStruct& l)
{
    const Rk_VectorStruct d = Sub(l.point2, l.point1);
    return Along(l.point1, d, Dot(Sub(p, l.point1), d) / Dot(d, d));
}

// The point of line1 nearest to line2, from the normal equations of the common perpendicular.
Rk_PointStruct ClosestOnFirst(const Rk_LineStruct& l1, const Rk_LineStruct& l2)
{
    const Rk_VectorStruct d1 = Sub(l1.point2, l1.point1), d2 = Sub(l2.point2, l2.point1);
    const Rk_VectorStruct w = Sub(l1.point1, l2.point1);
    const double a = Dot(d1, d1), b = Dot(d1, d2), c = Dot(d2, d2), d = Dot(d1, w), e = Dot(d2, w);
    return Along(l1.point1, d1, (b * e - c * d) / (a * c - b * b));
}

double LineAngleDeg(const Rk_LineStruct& l1, const Rk_LineStruct& l2)
{
    return AngleDeg(Sub(l1.point2, l1.point1), Sub(l2.point2, l2.point1));
}

TEST_F(Line, InitIsOriginToOneOneOne)
{
    Rk_LineStruct line;
    Rk_LineInit(&line);
    ExpectPointEq(line.point1, P(0, 0, 0), "point1");
    ExpectPointEq(line.point2, P(1, 1, 1), "point2");
}

TEST_F(Line, SetKeepsThePointsAtLeastThePointToleranceApart)
{
    Rk_LineStruct line = L(P(7, 7, 7), P(8, 8, 8));
    Rk_PointStruct a = P(0, 0, 0), close = P(0.005, 0, 0), exact = P(0.01, 0, 0);
    EXPECT_EQ(Rk_LineSet(&line, &a, &close), 1);
    EXPECT_ERROR(10, "rk_line(");
    ExpectPointEq(line.point1, P(7, 7, 7), "a refused line is unchanged");
    ExpectPointEq(line.point2, P(8, 8, 8), "a refused line is unchanged");

    EXPECT_EQ(Rk_LineSet(&line, &a, &exact), 0) << "exactly the tolerance apart is accepted";
    Rk_PointStruct g1, g2;
    Rk_LineGet(&line, &g1, &g2);
    ExpectPointEq(g1, a, "point1");
    ExpectPointEq(g2, exact, "point2");
}

TEST_F(Line, SettingOnePointChecksItAgainstTheOther)
{
    Rk_LineStruct line = L(P(0, 0, 0), P(1, 0, 0));
    Rk_PointStruct near1 = P(0.004, 0, 0), near2 = P(1, 0.004, 0), far = P(0, 5, 0);
    EXPECT_EQ(Rk_LineSetPoint2(&line, &near1), 1);
    EXPECT_ERROR(10, "rk_line(");
    EXPECT_EQ(Rk_LineSetPoint1(&line, &near2), 1);
    EXPECT_ERROR(10, "rk_line(");
    ExpectPointEq(line.point1, P(0, 0, 0), "unchanged after refusals");
    ExpectPointEq(line.point2, P(1, 0, 0), "unchanged after refusals");

    EXPECT_EQ(Rk_LineSetPoint1(&line, &far), 0);
    Rk_PointStruct got;
    Rk_LineGetPoint1(&line, &got);
    ExpectPointEq(got, far, "point1 replaced");
    Rk_LineGetPoint2(&line, &got);
    ExpectPointEq(got, P(1, 0, 0), "point2 kept");
    EXPECT_EQ(Rk_LineSetPoint2(&line, &line.point1), 1) << "point2 set to point1 itself";
    EXPECT_ERROR(10, "rk_line(");
}

TEST_F(Line, PointAndVectorPlacesTheSecondPointOneUnitAway)
{
    Rk_LineStruct line = L(P(1, 2, 3), P(4, 4, 4));
    Rk_VectorStruct up = {0, 0, 7};
    ASSERT_EQ(Rk_LineSetByPointAndVector(&line, &line.point2, &up), 0) << "the point may be read from the line";
    ExpectPointEq(line.point1, P(4, 4, 4), "point1 is the point");
    ExpectPointEq(line.point2, P(4, 4, 5), "exactly one unit above");

    Rk_VectorStruct tiny = {1e-10, 0, 0};
    Rk_PointStruct o = P(0, 0, 0);
    EXPECT_EQ(Rk_LineSetByPointAndVector(&line, &o, &tiny), 1);
    EXPECT_ERROR(6, "rk_vec(");
    ExpectPointEq(line.point1, P(4, 4, 4), "unchanged on failure");
}

TEST_F(Line, CoordsAreStoredUncheckedAndADegenerateLineHasNoDirection)
{
    Rk_LineStruct line;
    EXPECT_EQ(Rk_LineSetByCoords(&line, 1, 2, 3, 1, 2, 3), 0);
    Rk_VectorStruct dir = {5, 5, 5};
    EXPECT_EQ(Rk_VectorSetByLine(&dir, &line), 1);
    EXPECT_ERROR(6, "rk_vec(");

    Rk_PointStruct p = P(9, 9, 9), foot = P(-1, -1, -1);
    EXPECT_EQ(Rk_PointProjOnLine(&p, &line, &foot), 1) << "a point away from both defining points";
    EXPECT_ERROR(6, "rk_vec(");
    ExpectPointEq(foot, P(-1, -1, -1), "the projection is left alone on failure");

    Rk_LineStruct x_axis = L(P(0, 0, 0), P(1, 0, 0));
    int flag = 3;
    EXPECT_EQ(Rk_LineIsParallelToLine(&x_axis, &line, &flag), 1);
    EXPECT_ERROR(6, "rk_vec(");
    EXPECT_EQ(flag, 3);

    Rk_LineSetByCoords(&line, 0, 0, 0, 2, -1, 4);
    ASSERT_EQ(Rk_VectorSetByLine(&dir, &line), 0);
    EXPECT_EQ(dir.i_comp, 2.0);
    EXPECT_EQ(dir.j_comp, -1.0);
    EXPECT_EQ(dir.k_comp, 4.0);
}

TEST_F(PointOnLine, ProjectionSnapsToTheDefiningPoints)
{
    const Rk_LineStruct line = L(P(0, 0, 0), P(10, 0, 0));
    struct Case {
        Rk_PointStruct p, foot;
        double tol;
        const char* why;
    } cases[] = {
        {P(0.005, 0, 0), P(0, 0, 0), 0.0, "within the tolerance of point1: point1 exactly"},
        {P(10, 0.003, 0.004), P(10, 0, 0), 0.0, "0.005 from point2: point2 exactly"},
        {P(5, 3, 0), P(5, 0, 0), 1e-14, "an ordinary foot"},
        {P(-4, 1, 0), P(-4, 0, 0), 1e-14, "the line is unbounded behind point1"},
        {P(25, 0, -2), P(25, 0, 0), 1e-14, "and beyond point2"},
    };
    for (const Case& c : cases) {
        Rk_PointStruct foot;
        ASSERT_EQ(Rk_PointProjOnLine(&c.p, &line, &foot), 0) << c.why;
        ExpectPointNear(foot, c.foot, c.tol, c.why);
    }
    Rk_PointStruct p = P(3, 4, 0);
    ASSERT_EQ(Rk_PointProjOnLine(&p, &line, &p), 0);
    ExpectPointNear(p, P(3, 0, 0), 1e-14, "the foot written over the point");
}

TEST_F(PointOnLine, ProjectionMatchesTheClosedFormOnRandomInputs)
{
    std::mt19937 gen(5);
    std::uniform_real_distribution<double> u(-100.0, 100.0);
    for (int n = 0; n < 300; ++n) {
        const Rk_LineStruct line = L(P(u(gen), u(gen), u(gen)), P(u(gen), u(gen), u(gen)));
        const Rk_PointStruct p = P(u(gen), u(gen), u(gen));
        Rk_PointStruct foot;
        ASSERT_EQ(Rk_PointProjOnLine(&p, &line, &foot), 0);
        ExpectPointNear(foot, FootOnLine(p, line), 1e-9, "foot of a random point");
        double dist = 0;
        ASSERT_EQ(Rk_PointDistFromLine(&p, &line, &dist), 0);
        EXPECT_NEAR(dist, Norm(Sub(p, FootOnLine(p, line))), 1e-9);
    }
}

TEST_F(PointOnLine, DistanceAndOnLine)
{
    const Rk_LineStruct line = L(P(0, 0, 0), P(10, 0, 0));
    struct Case {
        Rk_PointStruct p;
        double dist;
        int on;
        const char* why;
    } cases[] = {
        {P(5, 3, 0), 3, 0, "three units off"},
        {P(5, 0.009, 0), 0.009, 1, "closer than the point tolerance"},
        {P(5, 0.01, 0), 0.01, 0, "exactly the tolerance off is not on"},
        {P(0.006, 0.006, 0), 0.006 * std::sqrt(2.0), 1, "snapped onto point1: measured to point1, not 0.006"},
    };
    for (const Case& c : cases) {
        double dist = -1;
        int on = -1;
        ASSERT_EQ(Rk_PointDistFromLine(&c.p, &line, &dist), 0);
        ASSERT_EQ(Rk_PointIsOnLine(&c.p, &line, &on), 0);
        EXPECT_NEAR(dist, c.dist, 1e-17) << c.why;
        EXPECT_EQ(on, c.on) << c.why;
    }
}

TEST_F(Line, EqualityMeasuresOnlyTheSecondLinesPoints)
{
    struct Case {
        Rk_LineStruct l1, l2;
        int equal;
        const char* why;
    } cases[] = {
        {L(P(0, 0, 0), P(1, 0, 0)), L(P(5, 0, 0), P(-3, 0, 0)), 1, "same carrier, other points and sense"},
        {L(P(0, 0, 0), P(1, 0, 0)), L(P(5, 0.02, 0), P(-3, 0, 0)), 0, "point1 of line2 off the carrier"},
        {L(P(0, 0, 0), P(1, 0, 0)), L(P(5, 0, 0), P(-3, 0, 0.5)), 0, "point2 of line2 off the carrier"},
        {L(P(0, 0, 0), P(1, 0, 0)), L(P(0, 0, 0), P(0.02, 0.009, 0)), 1,
         "both points of a short line2 lie within the tolerance of line1"},
        {L(P(0, 0, 0), P(0.02, 0.009, 0)), L(P(0, 0, 0), P(1, 0, 0)), 0,
         "but line1 read against it: (1, 0, 0) is far from that short line"},
    };
    for (const Case& c : cases) {
        int equal = -1;
        ASSERT_EQ(Rk_LineIsEqualToLine(&c.l1, &c.l2, &equal), 0);
        EXPECT_EQ(equal, c.equal) << c.why;
    }
}

TEST_F(LineAngles, ParallelAndPerpendicularIgnorePosition)
{
    struct Case {
        Rk_LineStruct l2;
        int parallel, perp;
        const char* why;
    } cases[] = {
        {L(P(0, 5, 5), P(-3, 5, 5)), 1, 0, "opposite sense, elsewhere"},
        {L(P(0, 5, 5), P(0, 5, 9)), 0, 1, "skew and perpendicular"},
        {L(P(0, 0, 0), P(1, 0.0174, 0)), 1, 0, "just under a degree"},
        {L(P(0, 0, 0), P(1, 1, 0)), 0, 0, "45 degrees"},
    };
    const Rk_LineStruct x_axis = L(P(0, 0, 0), P(1, 0, 0));
    for (const Case& c : cases) {
        int parallel = -1, perp = -1;
        ASSERT_EQ(Rk_LineIsParallelToLine(&x_axis, &c.l2, &parallel), 0);
        ASSERT_EQ(Rk_LineIsPerpToLine(&x_axis, &c.l2, &perp), 0);
        EXPECT_EQ(parallel, c.parallel) << c.why;
        EXPECT_EQ(perp, c.perp) << c.why;
    }
}

TEST_F(LineAngles, WithinAngleUsesTheCallersAngleWidenedByTheZeroTolerance)
{
    const Rk_LineStruct x_axis = L(P(0, 0, 0), P(1, 0, 0));
    auto at = [](double degrees) {
        return L(P(2, 3, 4), P(2 + std::cos(degrees * kPi / 180), 3 + std::sin(degrees * kPi / 180), 4));
    };
    struct Case {
        double degrees;
        int para;
        const char* why;
    } cases[] = {
        {4.9, 1, "inside 5 degrees"},
        {175.1, 1, "inside 5 degrees of the opposite sense"},
        {6.0, 0, "outside"},
        {174.0, 0, "outside on the far side"},
    };
    for (const Case& c : cases) {
        const Rk_LineStruct l2 = at(c.degrees);
        int para = -1;
        ASSERT_EQ(Rk_LineIsParaToLineWithinAngle(&x_axis, &l2, 5.0, &para), 0);
        EXPECT_EQ(para, c.para) << c.why;
    }

    // Near 0 the band is a < angle + zero_eps: a caller's angle half a zero tolerance below the
    // measured angle still accepts it, two zero tolerances below does not.
    const Rk_LineStruct l2 = at(3.0);
    double a = 0;
    Rk_VectorStruct d1 = {1, 0, 0}, d2;
    Rk_VectorSetByLine(&d2, &l2);
    Rk_VectorAngleFromVector(&d1, &d2, &a);
    int para = -1;
    Rk_LineIsParaToLineWithinAngle(&x_axis, &l2, a - 0.5e-9, &para);
    EXPECT_EQ(para, 1);
    Rk_LineIsParaToLineWithinAngle(&x_axis, &l2, a - 2e-9, &para);
    EXPECT_EQ(para, 0);

    // With a zero tolerance of 0 the near bound is strict and the far bound inclusive.
    Rk_GeometrySetZeroEpsilon(0.0);
    Rk_LineIsParaToLineWithinAngle(&x_axis, &l2, a, &para);
    EXPECT_EQ(para, 0) << "a == angle is outside the near band";
    const Rk_LineStruct back = at(177.0);
    Rk_VectorSetByLine(&d2, &back);
    Rk_VectorAngleFromVector(&d1, &d2, &a);
    ASSERT_EQ(180.0 - (180.0 - a), a) << "the bound must be representable";
    Rk_LineIsParaToLineWithinAngle(&x_axis, &back, 180.0 - a, &para);
    EXPECT_EQ(para, 1) << "a == 180 - angle is inside the far band";
}

TEST_F(LineClosestPoint, FootOfTheCommonPerpendicular)
{
    const Rk_LineStruct x_axis = L(P(3, 0, 0), P(4, 0, 0));
    const Rk_LineStruct vertical = L(P(0, 5, 3), P(0, 5, 4));
    Rk_PointStruct pt;
    ASSERT_EQ(Rk_LinePointClosestToLine(&x_axis, &vertical, &pt), 0);
    ExpectPointNear(pt, P(0, 0, 0), 1e-9, "a point of the first line");
    ASSERT_EQ(Rk_LinePointClosestToLine(&vertical, &x_axis, &pt), 0);
    ExpectPointNear(pt, P(0, 5, 0), 1e-9, "read the other way round");
}

TEST_F(LineClosestPoint, MatchesTheClosedFormOnRandomSkewLines)
{
    std::mt19937 gen(29);
    std::uniform_real_distribution<double> u(-50.0, 50.0);
    int checked = 0;
    for (int n = 0; n < 200; ++n) {
        Rk_LineStruct l1 = L(P(u(gen), u(gen), u(gen)), P(u(gen), u(gen), u(gen)));
        const Rk_LineStruct l2 = L(P(u(gen), u(gen), u(gen)), P(u(gen), u(gen), u(gen)));
        const double angle = LineAngleDeg(l1, l2);
        if (angle < 3.0 || angle > 177.0) continue;
        const Rk_PointStruct want = ClosestOnFirst(l1, l2);
        ASSERT_EQ(Rk_LinePointClosestToLine(&l1, &l2, &l1.point2), 0) << "result over an input point";
        // Converged steps are below 1e-9; the remaining distance is at most step / sin^2.
        ExpectPointNear(l1.point2, want, 1e-6, "closest point of random skew lines");
        ++checked;
    }
    EXPECT_GT(checked, 150);
}

TEST_F(LineClosestPoint, ConvergesForLinesJustOutsideTheAngleToleranceFarFromTheOrigin)
{
    for (double degrees : {1.05, 178.95}) {
        const double r = degrees * kPi / 180.0;
        const Rk_LineStruct l1 = L(P(1000, 2000, -3000), P(1001, 2000, -3000));
        const Rk_LineStruct l2 = L(P(4000, 2000, -2995), P(4000 + std::cos(r), 2000 + std::sin(r), -2995));
        Rk_PointStruct pt;
        ASSERT_EQ(Rk_LinePointClosestToLine(&l1, &l2, &pt), 0) << degrees;
        ExpectPointNear(pt, P(4000, 2000, -3000), 1e-4, "3000 units from where the search starts");
    }
    // A narrowed angle tolerance lets nearer lines through, and they still converge.
    Rk_GeometrySetAngleEpsilon(0.5);
    const double r = 0.6 * kPi / 180.0;
    const Rk_LineStruct l1 = L(P(0, 0, 0), P(1, 0, 0));
    const Rk_LineStruct l2 = L(P(300, 0, 2), P(300 + std::cos(r), std::sin(r), 2));
    Rk_PointStruct pt;
    ASSERT_EQ(Rk_LinePointClosestToLine(&l1, &l2, &pt), 0);
    ExpectPointNear(pt, P(300, 0, 0), 1e-4, "0.6 degrees apart under a 0.5 degree tolerance");
}

TEST_F(LineClosestPoint, ParallelLinesAreError1)
{
    const double r = 0.5 * kPi / 180.0;
    const Rk_LineStruct l1 = L(P(0, 0, 0), P(1, 0, 0));
    const Rk_LineStruct l2 = L(P(0, 3, 1), P(-std::cos(r), 3 + std::sin(r), 1));
    Rk_PointStruct pt = P(6, 6, 6);
    EXPECT_EQ(Rk_LinePointClosestToLine(&l1, &l2, &pt), 1) << "half a degree apart, opposite sense";
    EXPECT_ERROR(1, "rk_line(");
    ExpectPointEq(pt, P(6, 6, 6), "unchanged on failure");
}

TEST_F(LineClosestPoint, SearchThatCannotSettleEndsWithError1)
{
    struct Case {
        Rk_LineStruct l1, l2;
        bool finite;
        const char* why;
    } cases[] = {
        {L(P(std::numeric_limits<double>::quiet_NaN(), 0, 0), P(1, 0, 0)), L(P(0, 5, 3), P(0, 5, 4)), false,
         "a coordinate that is not a number"},
        // Coordinates near 1e14 leave about 0.02 between neighbouring doubles: these two lines,
        // 100 units long and far from parallel, make the iterate cycle between doubles forever.
        {L(P(-94144622059337.062, -76846781579076.406, -13407239071696.053),
           P(-94144622059372.875, -76846781579012.875, -13407239071665.42)),
         L(P(-94144622059326.766, -76846781579033.219, -13407239071697.062),
           P(-94144622059310.734, -76846781579014.5, -13407239071682.887)),
         true, "rounding keeps every step above the zero tolerance"},
    };
    for (const Case& c : cases) {
        if (c.finite) {
            ASSERT_GT(LineAngleDeg(c.l1, c.l2), 10.0) << "not a parallel refusal";
        }
        Rk_PointStruct pt = P(6, 6, 6);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(Rk_LinePointClosestToLine(&c.l1, &c.l2, &pt), 1) << c.why;
        EXPECT_ERROR(1, "rk_line(");
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << c.why;
        ExpectPointEq(pt, P(6, 6, 6), "unchanged on failure");
    }
}

}  // namespace
