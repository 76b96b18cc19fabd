// Tolerances and points.
#include "rk_test.hpp"

namespace {

using GeometryTolerances = rktest::LibraryTest;
using Point = rktest::LibraryTest;

TEST_F(GeometryTolerances, DefaultsAreInForceWithoutAnyCall)
{
    double angle = 0, point = 0, zero = 0;
    Rk_GeometryGet(&angle, &point, &zero);
    EXPECT_EQ(angle, 1.0);
    EXPECT_EQ(point, 0.01);
    EXPECT_EQ(zero, 1e-9);
}

TEST_F(GeometryTolerances, EverySetterStoresTheAbsoluteValue)
{
    double value = 0;
    Rk_GeometrySetAngleEpsilon(-2.5);
    Rk_GeometryGetAngleEpsilon(&value);
    EXPECT_EQ(value, 2.5);
    Rk_GeometrySetPointEpsilon(-0.5);
    Rk_GeometryGetPointEpsilon(&value);
    EXPECT_EQ(value, 0.5);
    Rk_GeometrySetZeroEpsilon(-1e-6);
    Rk_GeometryGetZeroEpsilon(&value);
    EXPECT_EQ(value, 1e-6);

    double angle = 0, point = 0, zero = 0;
    Rk_GeometrySet(-3.0, -0.25, -1e-3);
    Rk_GeometryGet(&angle, &point, &zero);
    EXPECT_EQ(angle, 3.0);
    EXPECT_EQ(point, 0.25);
    EXPECT_EQ(zero, 1e-3);
}

TEST_F(GeometryTolerances, DefaultsSurviveChangesAndCanBeRestored)
{
    Rk_GeometrySet(5.0, 0.5, 0.1);
    double angle = 0, point = 0, zero = 0;
    Rk_GeometryGetDefaults(&angle, &point, &zero);
    EXPECT_EQ(angle, 1.0);
    EXPECT_EQ(point, 0.01);
    EXPECT_EQ(zero, 1e-9);

    Rk_GeometrySetToDefaults();
    Rk_GeometryGet(&angle, &point, &zero);
    EXPECT_EQ(angle, 1.0);
    EXPECT_EQ(point, 0.01);
    EXPECT_EQ(zero, 1e-9);
}

TEST_F(Point, SettersTouchOnlyTheirCoordinate)
{
    Rk_PointStruct p;
    Rk_PointSet(&p, 1, 2, 3);
    Rk_PointSetY(&p, 7);
    double x = 0, y = 0, z = 0;
    Rk_PointGet(&p, &x, &y, &z);
    EXPECT_EQ(x, 1);
    EXPECT_EQ(y, 7);
    EXPECT_EQ(z, 3);
    Rk_PointSetX(&p, -4);
    Rk_PointSetZ(&p, 9);
    Rk_PointGetX(&p, &x);
    Rk_PointGetY(&p, &y);
    Rk_PointGetZ(&p, &z);
    EXPECT_EQ(x, -4);
    EXPECT_EQ(y, 7);
    EXPECT_EQ(z, 9);
    Rk_PointInit(&p);
    Rk_PointGet(&p, &x, &y, &z);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(z, 0);
}

TEST_F(Point, DistanceIsEuclidean)
{
    Rk_PointStruct a = {1, 2, 3}, b = {4, 6, 15};
    double d = 0;
    EXPECT_EQ(Rk_PointDistFromPoint(&a, &b, &d), 0);
    EXPECT_EQ(d, 13.0);
}

TEST_F(Point, EqualityIsStrictlyBelowThePointTolerance)
{
    struct Case {
        double gap;
        int equal;
        const char* why;
    } cases[] = {
        {0.0099, 1, "0.0099 apart is within the default 0.01"},
        {0.01, 0, "exactly the tolerance apart is not equal"},
        {0.02, 0, "well apart"},
    };
    for (const Case& c : cases) {
        Rk_PointStruct a = {0, 0, 0}, b = {c.gap, 0, 0};
        int equal = -1;
        Rk_PointIsEqualToPoint(&a, &b, &equal);
        EXPECT_EQ(equal, c.equal) << c.why;
    }
}

TEST_F(Point, WithZeroPointToleranceNoPointEqualsItself)
{
    Rk_GeometrySetPointEpsilon(0.0);
    Rk_PointStruct a = {1, 1, 1};
    int equal = -1;
    Rk_PointIsEqualToPoint(&a, &a, &equal);
    EXPECT_EQ(equal, 0);
}

TEST_F(Point, MidpointMayOverwriteAnInput)
{
    Rk_PointStruct a = {1, 2, 3}, b = {3, 6, -3};
    Rk_PointGetMidpoint(&a, &b, &a);
    EXPECT_EQ(a.pt_x, 2);
    EXPECT_EQ(a.pt_y, 4);
    EXPECT_EQ(a.pt_z, 0);
    Rk_PointStruct c = {0, 0, 0}, d = {2, 2, 2};
    Rk_PointGetMidpoint(&c, &d, &d);
    EXPECT_EQ(d.pt_x, 1);
    EXPECT_EQ(d.pt_y, 1);
    EXPECT_EQ(d.pt_z, 1);
}

}  // namespace
