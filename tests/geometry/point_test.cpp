// The three tolerances (rk_geom) and points (rk_point).
#include "geometry_helpers.hpp"

namespace {

using namespace geomtest;
using GeometryTolerances = GeomTest;
using Point = GeomTest;

TEST_F(GeometryTolerances, DefaultsAreInForceSettersStoreAbsoluteValuesAndDefaultsComeBack)
{
    double t[3] = {}, one = 0;
    Rk_GeometryGet(&t[0], &t[1], &t[2]);
    EXPECT_TRUE(t[0] == 1.0 && t[1] == 0.01 && t[2] == 1e-9) << "in force without any call";
    Rk_GeometrySet(-3.0, -0.25, -1e-3);
    Rk_GeometryGet(&t[0], &t[1], &t[2]);
    EXPECT_TRUE(t[0] == 3.0 && t[1] == 0.25 && t[2] == 1e-3);
    Rk_GeometryGetDefaults(&t[0], &t[1], &t[2]);
    EXPECT_TRUE(t[0] == 1.0 && t[1] == 0.01 && t[2] == 1e-9) << "the defaults survive a change";
    using Set = int (*)(double);
    using Get = int (*)(double*);
    for (auto [set, get, value] :
         {std::tuple<Set, Get, double>{Rk_GeometrySetAngleEpsilon, Rk_GeometryGetAngleEpsilon, 2.5},
          {Rk_GeometrySetPointEpsilon, Rk_GeometryGetPointEpsilon, 0.5},
          {Rk_GeometrySetZeroEpsilon, Rk_GeometryGetZeroEpsilon, 1e-6}}) {
        set(-value);
        get(&one);
        EXPECT_EQ(one, value);
    }
    Rk_GeometrySetToDefaults();
    Rk_GeometryGet(&t[0], &t[1], &t[2]);
    EXPECT_TRUE(t[0] == 1.0 && t[1] == 0.01 && t[2] == 1e-9);
}

TEST_F(Point, SettersTouchOnlyTheirCoordinate)
{
    Rk_PointStruct p = P(9, 9, 9);
    double x = 0, y = 0, z = 0;
    Rk_PointInit(&p);
    EXPECT_TRUE(Same(p, P(0, 0, 0)));
    Rk_PointSet(&p, 1, 2, 3);
    Rk_PointSetY(&p, 7);
    Rk_PointGet(&p, &x, &y, &z);
    EXPECT_TRUE(x == 1 && y == 7 && z == 3);
    Rk_PointSetX(&p, -4);
    Rk_PointSetZ(&p, 9);
    Rk_PointGetX(&p, &x);
    Rk_PointGetY(&p, &y);
    Rk_PointGetZ(&p, &z);
    EXPECT_TRUE(x == -4 && y == 7 && z == 9);
}

TEST_F(Point, DistanceMidpointAndEqualityStrictlyBelowThePointTolerance)
{
    Rk_PointStruct a = P(1, 2, 3), b = P(4, 6, 15);
    double d = 0;
    Rk_PointDistFromPoint(&a, &b, &d);
    EXPECT_EQ(d, 13.0);
    Rk_PointGetMidpoint(&a, &b, &b);
    EXPECT_TRUE(Same(b, P(2.5, 4, 9))) << "written over an input";
    for (auto [gap, equal] : {std::pair{0.0099, 1}, {0.01, 0}, {0.02, 0}}) {
        const Rk_PointStruct o = P(0, 0, 0), q = P(0, gap, 0);
        int flag = -1;
        Rk_PointIsEqualToPoint(&o, &q, &flag);
        EXPECT_EQ(flag, equal) << gap;
    }
    Rk_GeometrySetPointEpsilon(0.0);
    int flag = -1;
    Rk_PointIsEqualToPoint(&a, &a, &flag);
    EXPECT_EQ(flag, 0) << "under a tolerance of 0 no point equals itself";
}

}  // namespace
