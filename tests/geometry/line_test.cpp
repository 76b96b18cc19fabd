// Lines (rk_line): construction under the point tolerance, feet of points and comparisons (the
// closest point of two lines is in refine_test).
#include "geometry_helpers.hpp"

namespace {

using namespace geomtest;
using Line = GeomTest;

TEST_F(Line, SettersAcceptPointsThePointToleranceApartAndFeetSnapToTheDefiningPoints)
{
    Rk_LineStruct line;
    Rk_PointStruct a = P(0, 0, 0), b = P(0.01, 0, 0), far = P(0, 5, 0), got1, got2;
    Rk_VectorStruct dir;
    EXPECT_TRUE(Same(Query<Rk_LineStruct>(Rk_LineInit), L(P(0, 0, 0), P(1, 1, 1))));
    OK(Rk_LineSet(&line, &a, &b) || Rk_LineSetPoint1(&line, &far) || Rk_LineGet(&line, &got1, &got2));
    EXPECT_TRUE(Same(got1, far) && Same(got2, b)) << "b exactly the tolerance from a";
    OK(Rk_LineSetPoint2(&line, &a) || Rk_LineGetPoint1(&line, &got1) || Rk_LineGetPoint2(&line, &got2));
    EXPECT_TRUE(Same(got1, far) && Same(got2, a));
    OK(Rk_LineSetByPointAndVector(&line, &line.point2, Ptr(V(0, 0, 7)))) << "the point read from the line";
    EXPECT_TRUE(Same(line, L(a, P(0, 0, 1)))) << "the second point one unit along the direction";
    OK(Rk_LineSetByCoords(&line, 1, 2, 3, 3, 1, 7) || Rk_VectorSetByLine(&dir, &line));
    EXPECT_TRUE(Same(dir, V(2, -1, 4)));
    line = L(P(0, 0, 0), P(10, 0, 0));
    // Within the point tolerance of point1 (of point2) the foot is that point exactly; elsewhere the
    // closed form (random feet are the oracle of refine_test).
    for (auto [p, foot] : {std::pair{P(0.005, 0, 0), P(0, 0, 0)}, {P(10, 0.003, 0.004), P(10, 0, 0)},
                           {P(4, 3, -2), P(4, 0, 0)}}) {
        ASSERT_EQ(Rk_PointProjOnLine(&p, &line, &p), 0);
        EXPECT_TRUE(Same(p, foot)) << "the foot written over the point " << Show(foot);
    }
    // Distances: off the line, within the tolerance, exactly the tolerance off, snapped onto point1.
    for (auto [p, dist, on] : {std::tuple{P(5, 3, 0), 3.0, 0},
                               {P(5, 0.009, 0), 0.009, 1},
                               {P(5, 0.01, 0), 0.01, 0},
                               {P(0.006, 0.006, 0), 0.006 * std::sqrt(2.0), 1}})
        EXPECT_TRUE(std::fabs(Query<double>(Rk_PointDistFromLine, &p, &line) - dist) < 1e-17 &&
                    Query(Rk_PointIsOnLine, &p, &line) == on) << Show(p);
}

TEST_F(Line, RefusalsLeaveTheOutputsAlone)
{
    const Rk_PointStruct o = P(0, 0, 0), close = P(0.005, 0, 0), p = P(9, 9, 9);
    const Rk_LineStruct x_axis = L(o, P(1, 0, 0)), dot = L(P(1, 2, 3), P(1, 2, 3)), skew = L(P(0, 5, 3), P(0, 5, 4));
    const Rk_LineStruct half_degree = L(P(0, 3, 1), P(-std::cos(0.5 * kPi / 180), 3 + std::sin(0.5 * kPi / 180), 1));
    // Near 1e14 neighbouring doubles are 0.02 apart: this search cycles between doubles for ever.
    const Rk_LineStruct far1 = L(P(-94144622059337.062, -76846781579076.406, -13407239071696.053),
                                 P(-94144622059372.875, -76846781579012.875, -13407239071665.42));
    const Rk_LineStruct far2 = L(P(-94144622059326.766, -76846781579033.219, -13407239071697.062),
                                 P(-94144622059310.734, -76846781579014.5, -13407239071682.887));
    Rk_LineStruct line = x_axis;
    Rk_PointStruct pt = P(6, 6, 6);
    int flag = 3;
    ExpectRefusals(
        {REFUSES(10, line, Rk_LineSet(&line, &o, &close)), REFUSES(10, line, Rk_LineSetPoint2(&line, &close)),
         REFUSES(10, line, Rk_LineSetPoint1(&line, Ptr(P(1, 0.004, 0)))),
         REFUSES(6, vec, Rk_LineSetByPointAndVector(&line, &o, Ptr(V(1e-10, 0, 0)))),
         REFUSES(6, vec, Rk_PointProjOnLine(&p, &dot, &pt)),
         REFUSES(6, vec, Rk_LineIsParallelToLine(&x_axis, &dot, &flag)),
         REFUSES(1, line, Rk_LinePointClosestToLine(&x_axis, &half_degree, &pt)),
         REFUSES(1, line, Rk_LinePointClosestToLine(Ptr(L(P(std::nan(""), 0, 0), P(1, 0, 0))), &skew, &pt)),
         REFUSES(1, line, Rk_LinePointClosestToLine(&far1, &far2, &pt))},
        [&] { return Same(line, x_axis) && Same(pt, P(6, 6, 6)) && flag == 3; });
}

TEST_F(Line, ComparisonsReadTheDirectionsAndEqualityOnlyTheSecondLinesPoints)
{
    const Rk_LineStruct x_axis = L(P(0, 0, 0), P(1, 0, 0)), stub = L(P(0, 0, 0), P(0.02, 0.009, 0));
    for (auto [l1, l2, equal] : {std::tuple{x_axis, L(P(5, 0, 0), P(-3, 0, 0)), 1},
                                 {x_axis, L(P(5, 0.02, 0), P(-3, 0, 0)), 0},
                                 {x_axis, L(P(5, 0, 0), P(-3, 0, 0.5)), 0},
                                 {x_axis, stub, 1},
                                 {stub, x_axis, 0}})
        EXPECT_EQ(Query(Rk_LineIsEqualToLine, &l1, &l2), equal) << Show(l1) << Show(l2);
    // Opposite and elsewhere, skew and perpendicular, just under a degree.
    for (auto [l2, parallel, perp] : {std::tuple{L(P(0, 5, 5), P(-3, 5, 5)), 1, 0},
                                      {L(P(0, 5, 5), P(0, 5, 9)), 0, 1},
                                      {L(P(0, 0, 0), P(1, 0.0174, 0)), 1, 0}})
        EXPECT_TRUE(Query(Rk_LineIsParallelToLine, &x_axis, &l2) == parallel &&
                    Query(Rk_LineIsPerpToLine, &x_axis, &l2) == perp) << Show(l2);
    // Within the caller's angle: below angle + zero_eps near 0, from 180 - angle - zero_eps near 180.
    const auto at = [](double deg) { return L(P(2, 3, 4), Along(P(2, 3, 4), AtDegrees(deg), 1)); };
    const auto para = [&](double deg, double angle) {
        return Query(Rk_LineIsParaToLineWithinAngle, &x_axis, Ptr(at(deg)), angle);
    };
    const auto measured = [&](double deg) {
        return Query<double>(Rk_VectorAngleFromVector, Ptr(V(1, 0, 0)), Ptr(Sub(at(deg).point2, at(deg).point1)));
    };
    const double a3 = measured(3), a177 = measured(177);
    EXPECT_TRUE(para(3, a3 - 0.5e-9) == 1 && para(3, a3 - 2e-9) == 0);
    OK(Rk_GeometrySetZeroEpsilon(0.0));
    EXPECT_TRUE(para(3, a3) == 0 && para(177, 180.0 - a177) == 1) << "the near bound excluded, the far included";
}

}  // namespace
