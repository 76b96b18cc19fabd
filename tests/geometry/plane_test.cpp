// Planes (rk_plane) and the relations of points, vectors and lines to a plane.
#include <limits>

#include "geometry_helpers.hpp"

namespace {

using namespace geomtest;
using Plane = GeomTest;

// Signed distance of a point from a plane, in units of length.
double Height(const Rk_PointStruct& p, const Rk_PlaneStruct& pl)
{
    return Dot(Sub(p, pl.point), pl.normal) / Norm(pl.normal);
}

TEST_F(Plane, ConstructionsStoreWhatTheySayEvenWhenTheyFail)
{
    Rk_PlaneStruct plane = Pl(P(9, 9, 9), V(1, 0, 0));
    Rk_PointStruct o = P(0, 0, 0), x = P(1, 0, 0), y = P(0, 1, 0), q = P(-1, -1, -1), gp;
    Rk_VectorStruct zero = V(0, 0, 0), n = V(0, 3, 0), gn;
    OK(Rk_PlaneInit(&plane));
    EXPECT_TRUE(Same(plane, Pl(o, V(0, 0, 1))));
    OK(Rk_PlaneSet(&plane, &x, &zero) + Rk_PlaneSetNormal(&plane, &n) + Rk_PlaneSetPoint(&plane, &q));
    OK(Rk_PlaneGet(&plane, &gp, &gn));
    EXPECT_TRUE(Same(gp, q) && Same(gn, n) && Same(plane, Pl(q, n))) << "a zero normal stored untested, then replaced";
    OK(Rk_PlaneGetPoint(&plane, &gp) + Rk_PlaneGetNormal(&plane, &gn));
    EXPECT_TRUE(Same(gp, q) && Same(gn, n));
    // The point where the plane crosses the first axis whose coefficient exceeds zero_eps.
    for (auto [a, b, c, d, point] : {std::tuple{0.0, 0.0, 2.0, -4.0, P(0, 0, 2)}, {-3.0, 0.0, 0.0, 6.0, P(2, 0, 0)},
                                     {0.0, 4.0, 1.0, 8.0, P(0, -2, 0)},
                                     {1e-10, 1.0, 1.0, -1.0, P(0, 1, 0)}}) {
        double e[4];
        OK(Rk_PlaneSetByEquation(&plane, a, b, c, d) +
           Rk_PlaneGetEquationConstants(&plane, &e[0], &e[1], &e[2], &e[3]));
        EXPECT_TRUE(Near(plane.point, point, 1e-15) && Same(plane.normal, V(a, b, c)) && std::fabs(e[3] - d) < 1e-15);
    }
    OK(Rk_PlaneSetByPoints(&plane, &o, &y, &x));
    EXPECT_TRUE(Same(plane, Pl(o, V(0, 0, -1)))) << "(pt2 - pt1) x (pt3 - pt1)";
    OK(Rk_PlaneSetByPoints(&plane, &y, &plane.point, &q)) << "an input read from the plane itself";
    EXPECT_TRUE(Same(plane.point, y) && Near(plane.normal, Cross(V(0, -1, 0), V(-1, -2, -1)), 1e-15));
    const Rk_LineStruct x_axis = L(o, x);
    const Rk_PointStruct above = P(3, 0, 2), on = P(7, 0.005, 0);
    OK(Rk_PlaneSetByPointAndLine(&plane, &above, &x_axis));
    EXPECT_TRUE(Same(plane.point, above) && Near(plane.normal, Cross(V(-3, 0, -2), V(-2, 0, -2)), 1e-15));
    plane = Pl(P(9, 9, 9), V(1, 0, 0));
    EXPECT_EQ(Rk_PlaneSetByCoords(&plane, 1, 2, 3, 0, 1e-10, 0), 1);
    EXPECT_ERROR(6, "rk_vec(");
    EXPECT_TRUE(Same(plane, Pl(P(1, 2, 3), V(1, 0, 0)))) << "the point stored before the normal is refused";
    EXPECT_EQ(Rk_PlaneSetByPoints(&plane, &x, &o, &x), 1);
    EXPECT_ERROR(6, "rk_vec(");
    EXPECT_TRUE(Same(plane, Pl(x, V(1, 0, 0))));
    EXPECT_EQ(Rk_PlaneSetByEquation(&plane, 0, 0, 1e-9, 5), 1) << "the largest coefficient equals zero_eps";
    EXPECT_ERROR(5, "rk_plane(");
    EXPECT_TRUE(Same(plane, Pl(x, V(0, 0, 1e-9)))) << "the normal stored, the point not";
    const Rk_PlaneStruct kept = plane;
    ExpectRefusals({REFUSES(6, vec, Rk_PlaneSetByEquation(&plane, 0, 0, 0, 1)),
                    REFUSES(1, plane, Rk_PlaneSetByPointAndLine(&plane, &on, &x_axis))},
                   [&] { return Same(plane, kept); });
}

TEST_F(Plane, TwoLinesMustBeCoplanarAndDistinct)
{
    const Rk_LineStruct x_axis = L(P(0, 0, 0), P(1, 0, 0));
    // Parallel, crossing at line2's point1, point2 or between them, parallel and slanted; skew; equal.
    for (auto [other, status] : {std::pair{L(P(0, 3, 0), P(5, 3, 0)), 0}, {L(P(2, 0, 0), P(2, 4, 0)), 0},
                                 {L(P(2, -4, 0), P(2, 0, 0)), 0}, {L(P(2, -4, 0), P(2, 4, 0)), 0},
                                 {L(P(0, 3, 1), P(5, 3, 1)), 0}, {L(P(0, 3, 1), P(0, 3, 2)), 1},
                                 {L(P(-3, 0, 0), P(8, 0.005, 0)), 1}}) {
        SCOPED_TRACE(Show(other.point1) + Show(other.point2));
        Rk_PlaneStruct plane = Pl(P(9, 9, 9), V(0, 1, 0));
        ASSERT_EQ(Rk_PlaneSetByLines(&plane, &x_axis, &other), status);
        EXPECT_TRUE(!status || (NextErrorIs(1, "rk_plane(") && Same(plane, Pl(P(9, 9, 9), V(0, 1, 0)))));
        for (const Rk_PointStruct& p : {x_axis.point1, x_axis.point2, other.point1, other.point2})
            EXPECT_TRUE(status || (Same(plane.point, x_axis.point1) && std::fabs(Height(p, plane)) < 1e-12));
    }
}

TEST_F(Plane, ThreePointsFollowTheDefaultAxes)
{
    // World x and y; a downward normal flips y; along and against world x, world y is the reference.
    for (auto [normal, pt2, pt3] : {std::tuple{V(0, 0, 1), P(1, 0, 0), P(0, 1, 0)},
                                    {V(0, 0, -3), P(1, 0, 0), P(0, -1, 0)}, {V(1, 0, 0), P(0, 0, -1), P(0, 1, 0)},
                                    {V(-1, 0, 0), P(0, 0, 1), P(0, 1, 0)}}) {
        const Rk_PlaneStruct plane = Pl(P(0, 0, 0), normal);
        Rk_PointStruct p1, p2, p3;
        OK(Rk_PlaneGet3Points(&plane, &p1, &p2, &p3));
        EXPECT_TRUE(Same(p1, P(0, 0, 0)) && Near(p2, pt2, 1e-15) && Near(p3, pt3, 1e-15)) << Show(normal);
    }
}

TEST_F(Plane, ComparisonsAndTheOffsetSignedByTheFirstNormal)
{
    const Rk_PlaneStruct up = Pl(P(1, 1, 0), V(0, 0, 1)), down = Pl(P(1, 1, 0), V(0, 0, -1));
    const Rk_PlaneStruct lifted = Pl(P(4, 4, 0.01), V(0, 0, 2)), wall = Pl(P(0, 0, 0), V(1, 0, 0.01));
    Rk_PlaneStruct inverted;
    OK(Rk_PlaneInvert(&down, &inverted));
    using Test = int (*)(const Rk_PlaneStruct*, const Rk_PlaneStruct*, int*);
    // Opposite senses are parallel and coincident, not equal; a point the point tolerance off is
    // within the equality bound but not on the plane.
    for (auto [test, b, want] : {std::tuple<Test, Rk_PlaneStruct, int>{Rk_PlaneIsParallelToPlane, down, 1},
                                 {Rk_PlaneIsCoincidentToPlane, down, 1}, {Rk_PlaneIsEqualToPlane, down, 0},
                                 {Rk_PlaneIsEqualToPlane, inverted, 1}, {Rk_PlaneIsPerpToPlane, wall, 1},
                                 {Rk_PlaneIsParallelToPlane, wall, 0}, {Rk_PlaneIsEqualToPlane, lifted, 1},
                                 {Rk_PlaneIsCoincidentToPlane, lifted, 0}, {Rk_PlaneIsEqualToPlane, Pl(P(0, 0, 1), V(0, 0, 1)), 0}})
        EXPECT_EQ(Query(test, &up, &b), want) << Show(b.point) << Show(b.normal);
    EXPECT_DOUBLE_EQ(Query<double>(Rk_PlaneAngleFromPlane, &up, &down), 180.0);
    const Rk_PlaneStruct tilted = Pl(P(1, 1, 0), V(std::sin(0.6 * kPi / 180), 0, std::cos(0.6 * kPi / 180)));
    const double angle = Query<double>(Rk_PlaneAngleFromPlane, &up, &tilted);
    Rk_GeometrySetAngleEpsilon(angle);
    EXPECT_EQ(Query(Rk_PlaneIsEqualToPlane, &up, &tilted), 1) << "an angle equal to the tolerance is within the bound";
    Rk_GeometrySetAngleEpsilon(angle * (1 - 1e-12));
    EXPECT_EQ(Query(Rk_PlaneIsEqualToPlane, &up, &tilted), 0);
    // Ahead of the first normal, behind it whatever the other normal, within the point tolerance.
    for (auto [first, other, found, offset] : {std::tuple{up, Pl(P(5, 5, 3), V(0, 0, 1)), 1, 3.0},
                                               {up, Pl(P(5, 5, -3), V(0, 0, -7)), 1, -3.0},
                                               {down, Pl(P(5, 5, 3), V(0, 0, 1)), 1, -3.0},
                                               {up, Pl(P(5, 5, 0.005), V(0, 0, 1)), 0, 0.0}}) {
        int f = -1;
        double got = 99;
        OK(Rk_PlaneGetPlaneOffset(&first, &other, &f, &got));
        EXPECT_TRUE(f == found && std::fabs(got - offset) < 1e-15) << Show(other.point);
    }
}

TEST_F(Plane, IntersectionIsTheCommonLine)
{
    // The line lies in both planes along n1 x n2, its points at least the point tolerance apart.
    const auto common = [](const Rk_PlaneStruct& a, const Rk_PlaneStruct& b, double tol, Rk_LineStruct* line) {
        EXPECT_EQ(Rk_PlaneIntersectPlane(&a, &b, line), 0);
        const Rk_VectorStruct d = Sub(line->point2, line->point1), axis = Cross(a.normal, b.normal);
        double off = 0;
        for (const Rk_PointStruct& p : {line->point1, line->point2})
            off = std::max({off, std::fabs(Height(p, a)), std::fabs(Height(p, b))});
        return off < tol && Norm(Cross(d, axis)) / (Norm(d) * Norm(axis)) < 1e-6 && Norm(d) >= 0.01;
    };
    const Rk_PlaneStruct floor = Pl(P(0, 0, 0), V(0, 0, 1)), wall = Pl(P(2, 7, 7), V(1, 0, 0));
    const Rk_PlaneStruct slope = Pl(P(0, 0, 0), V(1, 0, 1)), far = Pl(P(1000, -2000, 3000), V(0, 0, 1));
    const Rk_PlaneStruct near_far =
        Pl(P(-1500, 2500, 3004), V(std::sin(1.05 * kPi / 180), 0, std::cos(1.05 * kPi / 180)));
    Rk_LineStruct line;
    EXPECT_TRUE(common(floor, wall, 1e-9, &line) && Near(line.point1, P(2, 0, 0), 1e-9)) << "the floor's point's foot";
    // The floor's x axis crosses the common line at a right angle: its first two points meet.
    EXPECT_TRUE(common(floor, slope, 1e-9, &line) && Near(line.point2, P(0, 1, 0), 1e-9)) << "the third point";
    EXPECT_TRUE(common(far, near_far, 1e-4, &line)) << "1.05 degrees apart, thousands of units out";
    std::mt19937 gen(37);
    for (int n = 0; n < 100; ++n) {
        const Rk_PlaneStruct a = Pl(RandomPoint(gen, 20), RandomVector(gen)),
                             b = Pl(RandomPoint(gen, 20), RandomVector(gen));
        EXPECT_TRUE(AngleDeg(a.normal, b.normal) < 3 || AngleDeg(a.normal, b.normal) > 177 || common(a, b, 1e-6, &line));
    }
}

TEST_F(Plane, PointsVectorsAndLinesAgainstAPlane)
{
    const Rk_PlaneStruct plane = Pl(P(0, 0, 1), V(0, 0, 5)), floor = Pl(P(0, 0, 0), V(0, 0, -2));
    Rk_PointStruct p = P(1, 2, 3);
    EXPECT_EQ(Query<double>(Rk_PointDistFromPlane, &p, &plane), 2.0);
    // Along a direction: ahead, behind, slanted ahead and behind.
    for (auto [dir, want] : {std::pair{V(0, 0, -1), 2.0}, {V(0, 0, 1), -2.0}, {V(0, 3, -3), 2 * std::sqrt(2.0)},
                             {V(1, 0, 1), -2 * std::sqrt(2.0)}})
        EXPECT_NEAR(Query<double>(Rk_PointDistFromPlaneAlongVec, &p, &plane, &dir), want, 1e-12) << Show(dir);
    OK(Rk_PointProjOnPlane(&p, &plane, &p));
    EXPECT_TRUE(Same(p, P(1, 2, 1))) << "the foot written over the point";
    for (auto [z, on] : {std::pair{0.0099, 1}, {-0.0099, 1}, {0.01, 0}, {1.0, 0}}) {
        const Rk_PointStruct q = P(3, -4, z);
        EXPECT_EQ(Query(Rk_PointIsOnPlane, &q, &floor), on) << z;
    }
    Rk_VectorStruct v = V(3, -1, 7);
    OK(Rk_VectorProjOnPlane(&v, &plane, &v));
    EXPECT_TRUE(Near(v, V(3, -1, 0), 1e-15)) << "the plane's point plays no part";
    // In the plane within the tolerance, point1 or point2 off it, near the normal, at 45 degrees;
    // the vector tests read the line's direction.
    for (auto [line, on, parallel, perp] : {std::tuple{L(P(1, 1, 0), P(5, 2, 0.009)), 1, 1, 0},
                                            {L(P(1, 1, 0.02), P(5, 2, 0)), 0, 1, 0},
                                            {L(P(1, 1, 0), P(5, 2, 0.02)), 0, 1, 0},
                                            {L(P(1, 1, 0), P(1.01, 1, 1)), 0, 0, 1},
                                            {L(P(1, 1, 0), P(2, 1, 1)), 0, 0, 0}}) {
        const Rk_VectorStruct d = Sub(line.point2, line.point1);
        EXPECT_TRUE(Query(Rk_LineIsOnPlane, &line, &floor) == on &&
                    Query(Rk_LineIsParallelToPlane, &line, &floor) == parallel &&
                    Query(Rk_LineIsPerpToPlane, &line, &floor) == perp &&
                    Query(Rk_VectorIsParallelToPlane, &d, &floor) == parallel &&
                    Query(Rk_VectorIsPerpToPlane, &d, &floor) == perp)
            << Show(line.point2);
    }
    Rk_LineStruct line = L(P(1, 2, 3), P(4, 6, -2)), steep = L(P(0, 0, 0), P(0.00875, 0, 0.5)), proj;
    OK(Rk_LineIntersectPlane(&line, &floor, &line.point2)) << "written over an input point";
    EXPECT_TRUE(Near(line.point2, P(2.8, 4.4, 0), 1e-14));
    line.point2 = P(4, 6, -2);
    OK(Rk_LineProjOnPlane(&line, &floor, &line)) << "written over the input";
    EXPECT_TRUE(Same(line, L(P(1, 2, 0), P(4, 6, 0))));
    OK(Rk_LineProjOnPlane(&steep, &floor, &proj)) << "1.003 degrees off the normal";
    EXPECT_LT(proj.point2.pt_x - proj.point1.pt_x, 0.01) << "closer than the point tolerance, stored anyway";
}

TEST_F(Plane, WithinAngleBandsIncludeTheirBounds)
{
    const Rk_PlaneStruct floor = Pl(P(0, 0, 0), V(0, 0, 1));
    // A line whose direction makes `deg` with the normal.
    const auto at = [](double deg) { return L(P(0, 0, 0), P(std::sin(deg * kPi / 180), 0, std::cos(deg * kPi / 180))); };
    for (auto [degrees, para] : {std::pair{88.0, 1}, {87.9, 0}, {92.0, 1}, {92.1, 0}})
        EXPECT_EQ(Query(Rk_LineIsParaToPlaneWithinAngle, Ptr(at(degrees)), &floor, 2.0), para) << degrees;
    // The caller's angle set to the measured angle's distance from 0 or 180 (perpendicular), or from
    // 90 with no zero tolerance (parallel), then narrowed.
    OK(Rk_GeometrySetZeroEpsilon(0));
    for (double degrees : {3.0, 177.0, 88.5, 91.5}) {
        const Rk_LineStruct line = at(degrees);
        const double g = Query<double>(Rk_VectorAngleFromVector, Ptr(Sub(line.point2, line.point1)), &floor.normal);
        const bool perp = degrees < 45 || degrees > 135;
        const double bound = perp ? std::min(g, 180 - g) : std::fabs(90 - g);
        ASSERT_EQ(perp ? (g < 90 ? bound : 180 - bound) : (g < 90 ? 90 - bound : 90 + bound), g);
        const auto test = perp ? Rk_LineIsPerpToPlaneWithinAngle : Rk_LineIsParaToPlaneWithinAngle;
        EXPECT_TRUE(Query(test, &line, &floor, bound) == 1 && Query(test, &line, &floor, bound * (1 - 1e-12)) == 0) << degrees;
    }
}

TEST_F(Plane, RefusalsLeaveTheOutputsAlone)
{
    const Rk_PlaneStruct floor = Pl(P(0, 0, 0), V(0, 0, 1)), thin = Pl(P(0, 0, 0), V(0, 0, 3e-5));
    const Rk_PlaneStruct tilted = Pl(P(0, 0, 5), V(0.0087, 0, -1)), wall = Pl(P(0, 0, 0), V(1, 0, 0));
    const Rk_PlaneStruct nan_plane = Pl(P(std::numeric_limits<double>::quiet_NaN(), 0, 0), V(1, 0, 0));
    const Rk_PointStruct p = P(1, 2, 3);
    const Rk_VectorStruct flat = V(1, 1, 0.01), zero = V(0, 0, 0), steep = V(0.01, 0, -1);
    const Rk_LineStruct level = L(P(0, 0, 5), P(3, 1, 5.01)), upright = L(P(0, 0, 0), P(0.008, 0, 0.5));
    Rk_LineStruct line = L(P(7, 7, 7), P(8, 8, 8));
    Rk_PointStruct pt = P(4, 4, 4);
    Rk_VectorStruct v = V(8, 8, 8);
    double d = 77;
    int found = 7;
    ExpectRefusals({REFUSES(24, point, Rk_PointProjOnPlane(&p, &thin, &pt)),
                    REFUSES(24, point, Rk_PointIsOnPlane(&p, &thin, &found)),
                    REFUSES(1, point, Rk_PointDistFromPlaneAlongVec(&p, &floor, &flat, &d)),
                    REFUSES(6, vec, Rk_PointDistFromPlaneAlongVec(&p, &floor, &zero, &d)),
                    REFUSES(6, vec, Rk_VectorProjOnPlane(&steep, &floor, &v)),
                    REFUSES(1, line, Rk_LineIntersectPlane(&level, &floor, &pt)),
                    REFUSES(23, line, Rk_LineProjOnPlane(&upright, &floor, &line)),
                    REFUSES(1, plane, Rk_PlaneGetPlaneOffset(&floor, &wall, &found, &d)),
                    REFUSES(1, plane, Rk_PlaneIntersectPlane(&floor, &tilted, &line)),
                    REFUSES(1, plane, Rk_PlaneIntersectPlane(&floor, &nan_plane, &line)),
                    REFUSES(24, point, Rk_PlaneIntersectPlane(&wall, &thin, &line))},
                   [&] {
                       return Same(line, L(P(7, 7, 7), P(8, 8, 8))) && Same(pt, P(4, 4, 4)) && Same(v, V(8, 8, 8)) &&
                              d == 77 && found == 7;
                   });
}

}  // namespace
