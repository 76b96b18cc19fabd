// Planes (rk_plane) and the relations of points, vectors and lines to a plane.
#include "geometry_helpers.hpp"

namespace {

using namespace geomtest;
using Plane = GeomTest;

double Height(const Rk_PointStruct& p, const Rk_PlaneStruct& pl)
{
    return std::fabs(Dot(Sub(p, pl.point), Unit(pl.normal)));
}

TEST_F(Plane, ConstructionsStoreWhatTheySayEvenWhenTheyFail)
{
    Rk_PlaneStruct plane;
    Rk_PointStruct o = P(0, 0, 0), x = P(1, 0, 0), q = P(-1, -1, -1), gp, p2, p3;
    Rk_VectorStruct n = V(0, 3, 0), gn;
    double e[4];
    EXPECT_TRUE(Same(Query<Rk_PlaneStruct>(Rk_PlaneInit), Pl(o, V(0, 0, 1))));
    OK(Rk_PlaneSet(&plane, &x, Ptr(V(0, 0, 0))) || Rk_PlaneSetNormal(&plane, &n) || Rk_PlaneSetPoint(&plane, &q) ||
       Rk_PlaneGet(&plane, &gp, &gn) || Rk_PlaneGetEquationConstants(&plane, &e[0], &e[1], &e[2], &e[3]));
    EXPECT_TRUE(Same(gp, q) && Same(gn, n) && Same(plane, Pl(q, n))) << "a zero normal stored untested, then replaced";
    EXPECT_TRUE(e[0] == 0 && e[1] == 3 && e[2] == 0 && e[3] == 3) << "3 y + 3 = 0";
    // The point where the plane crosses the first axis whose coefficient exceeds zero_eps.
    for (auto [a, b, c, d, point] :
         {std::tuple{-3.0, 0.0, 0.0, 6.0, P(2, 0, 0)}, {0.0, 1e-10, 2.0, -4.0, P(0, 0, 2)}}) {
        OK(Rk_PlaneSetByEquation(&plane, a, b, c, d));
        EXPECT_TRUE(Near(plane.point, point, 1e-15) && Same(plane.normal, V(a, b, c))) << Show(point);
    }
    OK(Rk_PlaneSetByPoints(&plane, Ptr(P(0, 1, 0)), &plane.point, &q)) << "an input read from the plane itself";
    EXPECT_TRUE(Same(plane, Pl(P(0, 1, 0), Cross(V(0, -1, 2), V(-1, -2, -1))))) << "(pt2 - pt1) x (pt3 - pt1)";
    OK(Rk_PlaneSetByPointAndLine(&plane, Ptr(P(3, 0, 2)), Ptr(L(o, x))));
    EXPECT_TRUE(Same(plane, Pl(P(3, 0, 2), Cross(V(-3, 0, -2), V(-2, 0, -2)))));
    // Parallel, crossing between line2's points: the plane of line1's point.
    for (const Rk_LineStruct& other : {L(P(0, 3, 1), P(5, 3, 1)), L(P(2, -4, 0), P(2, 4, 0))}) {
        OK(Rk_PlaneSetByLines(&plane, Ptr(L(o, x)), &other));
        EXPECT_TRUE(Same(plane.point, o) &&
                    Height(x, plane) + Height(other.point1, plane) + Height(other.point2, plane) < 1e-12);
    }
    // The plane's point and one unit along its default axes: world x projected on the plane, then right-handed.
    Rk_PlaneStruct slanted = Pl(P(1, 2, 3), V(1, 2, 2));
    OK(Rk_PlaneGet3Points(&slanted, &slanted.point, &p2, &p3)) << "pt1 over the plane's own point";
    const Rk_VectorStruct ax = Sub(p2, slanted.point), ay = Sub(p3, slanted.point), un = Unit(slanted.normal);
    EXPECT_TRUE(Same(slanted.point, P(1, 2, 3)) &&
                Near(ax, Unit(Sub(P(1, 0, 0), Along(P(0, 0, 0), un, un.i_comp))), 1e-15) &&
                Near(Cross(ax, ay), un, 1e-15) && std::fabs(Norm(ay) - 1) < 1e-15);
    // What a failure has already stored is said: the normal, before the point is refused.
    plane = Pl(x, n);
    EXPECT_EQ(Rk_PlaneSetByEquation(&plane, 0, 0, 1e-9, 5), 1) << "the largest coefficient equals zero_eps";
    EXPECT_TRUE(NextErrorIs(5, "rk_plane(") && Same(plane, Pl(x, V(0, 0, 1e-9)))) << "the normal stored, the point not";
    EXPECT_EQ(Rk_PlaneSetByCoords(&plane, 4, 5, 6, 0, 1e-10, 0), 1) << "a normal within the zero tolerance";
    EXPECT_TRUE(NextErrorIs(6, "rk_vec(") && Same(plane, Pl(P(4, 5, 6), V(0, 0, 1e-9)))) << "the point stored first";
}

TEST_F(Plane, ComparisonsIntersectionAndOffsetFollowTheFirstPlane)
{
    const Rk_PlaneStruct up = Pl(P(1, 1, 0), V(0, 0, 1)), down = Pl(P(1, 1, 0), V(0, 0, -1)),
                         wall = Pl(P(2, 7, 7), V(1, 0, 0.01)), lifted = Pl(P(4, 4, 0.01), V(0, 0, 2));
    using Test = int (*)(const Rk_PlaneStruct*, const Rk_PlaneStruct*, int*);
    // Opposite senses are parallel and coincident, not equal; a point the point tolerance off is within
    // the equality bound but not on the plane; one further is neither.
    for (auto [test, b, want] : {std::tuple<Test, Rk_PlaneStruct, int>{Rk_PlaneIsParallelToPlane, down, 1},
                                 {Rk_PlaneIsCoincidentToPlane, down, 1},
                                 {Rk_PlaneIsEqualToPlane, down, 0},
                                 {Rk_PlaneIsEqualToPlane, Query<Rk_PlaneStruct>(Rk_PlaneInvert, &down), 1},
                                 {Rk_PlaneIsPerpToPlane, wall, 1},
                                 {Rk_PlaneIsEqualToPlane, lifted, 1},
                                 {Rk_PlaneIsCoincidentToPlane, lifted, 0},
                                 {Rk_PlaneIsEqualToPlane, Pl(P(0, 0, 0.02), V(0, 0, 1)), 0}})
        EXPECT_EQ(Query(test, &up, &b), want) << Show(b);
    const Rk_PlaneStruct tilted = Pl(P(1, 1, 0), V(std::sin(0.6 * kPi / 180), 0, std::cos(0.6 * kPi / 180)));
    OK(Rk_GeometrySetAngleEpsilon(Query<double>(Rk_PlaneAngleFromPlane, &up, &tilted)));
    EXPECT_EQ(Query(Rk_PlaneIsEqualToPlane, &up, &tilted), 1) << "an angle equal to the tolerance is within the bound";
    // Ahead of the first normal, behind it whatever the other normal, within the point tolerance.
    for (auto [first, z, found, offset] : {std::tuple{up, 3.0, 1, 3.0}, {down, 3.0, 1, -3.0}, {up, 0.005, 0, 0.0}}) {
        int f = -1;
        double got = 99;
        OK(Rk_PlaneGetPlaneOffset(&first, Ptr(Pl(P(5, 5, z), V(0, 0, -7))), &f, &got));
        EXPECT_TRUE(f == found && std::fabs(got - offset) < 1e-15) << z;
    }
    // The common line lies in both planes along n1 x n2; the floor's first two points meet on it
    // for the slope, so its third is used (random planes are in refine_test).
    const Rk_LineStruct line = Query<Rk_LineStruct>(Rk_PlaneIntersectPlane, &up, &wall);
    const Rk_VectorStruct d = Sub(line.point2, line.point1);
    EXPECT_TRUE(Height(line.point1, up) + Height(line.point2, up) + Height(line.point1, wall) +
                        Height(line.point2, wall) < 1e-12 &&
                Norm(Cross(Unit(d), Unit(Cross(up.normal, wall.normal)))) < 1e-12 && Norm(d) >= 0.01);
}

TEST_F(Plane, PointsVectorsAndLinesAgainstAPlane)
{
    const Rk_PlaneStruct plane = Pl(P(0, 0, 1), V(0, 0, 5)), floor = Pl(P(0, 0, 0), V(0, 0, -2));
    Rk_PointStruct p = P(1, 2, 3);
    EXPECT_EQ(Query<double>(Rk_PointDistFromPlane, &p, &plane), 2.0);
    // Along a direction: ahead, behind, slanted.
    for (auto [dir, want] : {std::pair{V(0, 0, -1), 2.0}, {V(0, 0, 1), -2.0}, {V(0, 3, -3), 2 * std::sqrt(2.0)}})
        EXPECT_NEAR(Query<double>(Rk_PointDistFromPlaneAlongVec, &p, &plane, &dir), want, 1e-12) << Show(dir);
    Rk_VectorStruct v = V(3, -1, 7);
    OK(Rk_PointProjOnPlane(&p, &plane, &p) || Rk_VectorProjOnPlane(&v, &plane, &v)) << "over the inputs";
    EXPECT_TRUE(Same(p, P(1, 2, 1)) && Near(v, V(3, -1, 0), 1e-15)) << "the plane's point plays no part for a vector";
    // Within the tolerance, point1 or point2 off, near the normal; the vector tests read the direction.
    for (auto [line, on, parallel, perp] : {std::tuple{L(P(1, 1, 0), P(5, 2, 0.0099)), 1, 1, 0},
                                            {L(P(1, 1, 0.01), P(5, 2, 0)), 0, 1, 0},
                                            {L(P(1, 1, 0), P(5, 2, 0.02)), 0, 1, 0},
                                            {L(P(1, 1, 0), P(1.01, 1, 1)), 0, 0, 1}}) {
        const Rk_VectorStruct d = Sub(line.point2, line.point1);
        EXPECT_TRUE(Query(Rk_LineIsOnPlane, &line, &floor) == on &&
                    Query(Rk_LineIsParallelToPlane, &line, &floor) == parallel &&
                    Query(Rk_LineIsPerpToPlane, &line, &floor) == perp &&
                    Query(Rk_VectorIsParallelToPlane, &d, &floor) == parallel &&
                    Query(Rk_VectorIsPerpToPlane, &d, &floor) == perp) << Show(line);
    }
    Rk_LineStruct line = L(P(1, 2, 3), P(4, 6, -2)), steep = L(P(0, 0, 0), P(0.00875, 0, 0.5));
    OK(Rk_LineIntersectPlane(&line, &floor, &p) || Rk_LineProjOnPlane(&line, &floor, &line) ||
       Rk_LineProjOnPlane(&steep, &floor, &steep));
    EXPECT_TRUE(Near(p, P(2.8, 4.4, 0), 1e-14) && Same(line, L(P(1, 2, 0), P(4, 6, 0))) && steep.point2.pt_x < 0.01)
        << "a line 1.003 degrees off the normal projects to points closer than the point tolerance";
    // A line `deg` from the normal: within 2 degrees of parallel, the zero tolerance widening the band.
    const auto at = [](double d) { return L(P(0, 0, 0), P(std::sin(d * kPi / 180), 0, std::cos(d * kPi / 180))); };
    for (auto [degrees, para] : {std::pair{88.0, 1}, {87.9, 0}, {92.0, 1}, {92.1, 0}})
        EXPECT_EQ(Query(Rk_LineIsParaToPlaneWithinAngle, Ptr(at(degrees)), &plane, 2.0), para) << degrees;
    // Perpendicular: the caller's angle set to the measured angle from the normal is within the bound,
    // and narrowed is not.
    const Rk_LineStruct tilt = at(3.0);
    const double g = Query<double>(Rk_VectorAngleFromVector, Ptr(Sub(tilt.point2, tilt.point1)), &plane.normal);
    EXPECT_TRUE(Query(Rk_LineIsPerpToPlaneWithinAngle, &tilt, &plane, g) == 1 &&
                Query(Rk_LineIsPerpToPlaneWithinAngle, &tilt, &plane, g * (1 - 1e-12)) == 0);
}

TEST_F(Plane, RefusalsLeaveTheOutputsAlone)
{
    const Rk_PlaneStruct floor = Pl(P(0, 0, 0), V(0, 0, 1)), thin = Pl(P(0, 0, 0), V(0, 0, 3e-5)),
                         wall = Pl(P(0, 0, 0), V(1, 0, 0)), tilted = Pl(P(0, 0, 5), V(0.0087, 0, -1));
    const Rk_PointStruct p = P(1, 2, 3);
    const Rk_LineStruct level = L(P(0, 0, 5), P(3, 1, 5.01)), x_axis = L(P(0, 0, 0), P(1, 0, 0));
    Rk_LineStruct line = L(P(7, 7, 7), P(8, 8, 8));
    Rk_PlaneStruct plane = floor;
    Rk_PointStruct pt = P(4, 4, 4);
    Rk_VectorStruct v = V(8, 8, 8);
    double d = 77;
    int found = 7;
    ExpectRefusals(
        {REFUSES(6, vec, Rk_PlaneSetByEquation(&plane, 0, 0, 0, 1)),
         REFUSES(1, plane, Rk_PlaneSetByPointAndLine(&plane, Ptr(P(7, 0.005, 0)), &x_axis)),
         REFUSES(1, plane, Rk_PlaneSetByLines(&plane, &x_axis, Ptr(L(P(-3, 0, 0), P(8, 0.005, 0))))),
         REFUSES(24, point, Rk_PointProjOnPlane(&p, &thin, &pt)),
         REFUSES(1, point, Rk_PointDistFromPlaneAlongVec(&p, &floor, Ptr(V(1, 1, 0.01)), &d)),
         REFUSES(6, vec, Rk_VectorProjOnPlane(Ptr(V(0.01, 0, -1)), &floor, &v)),
         REFUSES(1, line, Rk_LineIntersectPlane(&level, &floor, &pt)),
         REFUSES(23, line, Rk_LineProjOnPlane(Ptr(L(P(0, 0, 0), P(0.008, 0, 0.5))), &floor, &line)),
         REFUSES(1, plane, Rk_PlaneGetPlaneOffset(&floor, &wall, &found, &d)),
         REFUSES(1, plane, Rk_PlaneIntersectPlane(&floor, &tilted, &line)),
         REFUSES(1, plane, Rk_PlaneIntersectPlane(&floor, Ptr(Pl(P(std::nan(""), 0, 0), V(1, 0, 0))), &line)),
         REFUSES(24, point, Rk_PlaneIntersectPlane(&wall, &thin, &line))},
        [&] {
            return Same(plane, floor) && Same(line, L(P(7, 7, 7), P(8, 8, 8))) && Same(pt, P(4, 4, 4)) &&
                   Same(v, V(8, 8, 8)) && d == 77 && found == 7;
        });
}

}  // namespace
