// The three tolerances (rk_geom) and points (rk_point).
#include "geometry_helpers.hpp"

namespace {

using namespace geomtest;
using Point = GeomTest;

TEST_F(Point, TolerancesStartAtTheDefaultsAndAreStoredAsAbsoluteValues)
{
    double t[3] = {}, d[3] = {};
    OK(Rk_GeometryGet(&t[0], &t[1], &t[2]) + Rk_GeometryGetDefaults(&d[0], &d[1], &d[2]));
    EXPECT_TRUE(t[0] == 1.0 && t[1] == 0.01 && t[2] == 1e-9 && std::memcmp(t, d, sizeof t) == 0);
    OK(Rk_GeometrySet(-3.0, -0.25, -1e-3) + Rk_GeometryGet(&t[0], &t[1], &t[2]));
    EXPECT_TRUE(t[0] == 3.0 && t[1] == 0.25 && t[2] == 1e-3);
    OK(Rk_GeometrySetAngleEpsilon(-2.5) + Rk_GeometrySetPointEpsilon(-0.5) + Rk_GeometrySetZeroEpsilon(-1e-6));
    OK(Rk_GeometryGetAngleEpsilon(&t[0]) + Rk_GeometryGetPointEpsilon(&t[1]) + Rk_GeometryGetZeroEpsilon(&t[2]));
    EXPECT_TRUE(t[0] == 2.5 && t[1] == 0.5 && t[2] == 1e-6);
    OK(Rk_GeometrySetToDefaults() + Rk_GeometryGet(&t[0], &t[1], &t[2]));
    EXPECT_EQ(std::memcmp(t, d, sizeof t), 0);
}

TEST_F(Point, SettersTouchOnlyTheirCoordinateAndEqualityIsStrictlyBelowThePointTolerance)
{
    Rk_PointStruct p = P(9, 9, 9), q = P(4, 6, 15);
    double x = 0, y = 0, z = 0;
    OK(Rk_PointInit(&p));
    EXPECT_TRUE(Same(p, P(0, 0, 0)));
    OK(Rk_PointSet(&p, 1, 2, 3) + Rk_PointSetY(&p, 7) + Rk_PointGet(&p, &x, &y, &z));
    EXPECT_TRUE(x == 1 && y == 7 && z == 3 && Query<double>(Rk_PointDistFromPoint, &p, Ptr(P(4, 3, 15))) == 13);
    OK(Rk_PointSetX(&p, -4) + Rk_PointSetZ(&p, 9) + Rk_PointGetX(&p, &x) + Rk_PointGetY(&p, &y) + Rk_PointGetZ(&p, &z));
    EXPECT_TRUE(x == -4 && y == 7 && z == 9);
    OK(Rk_PointGetMidpoint(&p, &q, &q));
    EXPECT_TRUE(Same(q, P(0, 6.5, 12))) << "written over an input";
    for (auto [gap, equal] : {std::pair{0.0099, 1}, {0.01, 0}})
        EXPECT_EQ(Query(Rk_PointIsEqualToPoint, Ptr(P(0, 0, 0)), Ptr(P(0, gap, 0))), equal) << gap;
    OK(Rk_GeometrySetPointEpsilon(0.0));
    EXPECT_EQ(Query(Rk_PointIsEqualToPoint, &p, &p), 0) << "under a tolerance of 0 no point equals itself";
}

}  // namespace
