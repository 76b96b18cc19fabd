// The three tolerances (rk_geom), and the angle and distance tests decided on cosines and squares
// against the comparisons they stand for (the measured angle with the angle tolerance, the distance
// with the point tolerance), right at the bounds and under tolerances set after load; and the hot
// paths that allocate nothing.
#include "geometry_helpers.hpp"

namespace {

using namespace geomtest;
using Bounds = GeomTest;

// Cosines from 2^-40 below to 2^-40 above cos(degrees), in steps a few units in the last place
// apart near the bound and wider away from it.
std::vector<double> CosinesAround(double degrees)
{
    const double c = std::cos(degrees * kPi / 180.0);
    std::vector<double> qs;
    for (int k = -60; k <= 60; ++k) qs.push_back(c + std::ldexp(1.0, -52) * k * std::abs(k) * std::abs(k));
    return qs;
}

// The parallel band excludes its bounds (strictly within angle_eps of 0 or 180), the perpendicular
// band includes them (within angle_eps of 90), as the measured angle tells.
::testing::AssertionResult AnswersAsTheAngle(const Rk_VectorStruct& a, const Rk_VectorStruct& b, double eps)
{
    const double angle = Query<double>(Rk_VectorAngleFromVector, &a, &b);
    const int parallel = Query(Rk_VectorIsParallelToVector, &a, &b), perp = Query(Rk_VectorIsPerpToVector, &a, &b);
    if (parallel == (angle < eps || angle > 180.0 - eps) && perp == (90.0 - eps <= angle && angle <= 90.0 + eps))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "angle " << angle << ": parallel " << parallel << ", perp " << perp;
}

TEST_F(Bounds, TolerancesStartAtTheDefaultsAndAreStoredAsAbsoluteValues)
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

TEST_F(Bounds, AngleTestsAnswerAsTheMeasuredAngleRightAtTheBounds)
{
    const Rk_VectorStruct a = V(3, 0, 0), x = V(1, 0, 0);
    for (double eps : {1.0, 0.5, 2.5e-6, 0.0, 45.0, 89.999, 90.0, 135.0, 200.0}) {
        SCOPED_TRACE(eps);
        OK(Rk_GeometrySetAngleEpsilon(eps));
        int checked = 0;
        for (double bound : {eps, 180.0 - eps, 90.0 - eps, 90.0 + eps, 30.0}) {
            if (!(0.0 <= bound && bound <= 180.0)) continue;
            for (double q : CosinesAround(bound)) {
                if (q > 1.0 || q < -1.0) continue;
                ASSERT_TRUE(AnswersAsTheAngle(a, V(3.0 * q, 3.0 * std::sqrt(1.0 - q * q), 0.0), eps)) << "q " << q;
                ++checked;
            }
        }
        EXPECT_GT(checked, 100);
    }
    // The tolerance set to the measured angle's distance from 0, 180 or 90: exactly on the bound.
    for (double deg : {0.7, 179.25, 88.5, 91.5}) {
        const double angle = Query<double>(Rk_VectorAngleFromVector, &x, Ptr(AtDegrees(deg)));
        const double eps = deg > 45 && deg < 135 ? std::fabs(90.0 - angle) : std::min(angle, 180.0 - angle);
        ASSERT_TRUE(eps == angle || 180.0 - eps == angle || 90.0 - eps == angle || 90.0 + eps == angle) << deg;
        OK(Rk_GeometrySetAngleEpsilon(eps));
        EXPECT_TRUE(AnswersAsTheAngle(x, AtDegrees(deg), eps)) << deg;
    }
}

TEST_F(Bounds, PointEqualityAnswersAsTheDistanceRightAtTheTolerance)
{
    for (double eps : {0.01, 1e-7, 3.0, 0.0, 1e-160, 1e120}) {
        SCOPED_TRACE(eps);
        OK(Rk_GeometrySetPointEpsilon(eps));
        for (int k = -64; k <= 64; ++k) {
            const double d = eps * (1.0 + std::ldexp(k * std::abs(k), -52));
            const Rk_PointStruct p = P(1.0, -2.0, 0.5), q = P(1.0 + d * 0.6, -2.0, 0.5 + d * 0.8);
            const double dist = Query<double>(Rk_PointDistFromPoint, &p, &q);
            ASSERT_EQ(Query(Rk_PointIsEqualToPoint, &p, &q), dist < eps) << "distance " << dist;
        }
    }
}

TEST_F(Bounds, HotPathsAllocateNothing)
{
    double plane[3][3] = {{0.5, -1.0, 2.0}, {4.2, 0.3, 2.9}, {0.1, 3.4, 1.7}};
    double line[2][3] = {{1.0, 0.5, 3.0}, {6.0, 2.1, 3.9}};
    double point[1][3] = {{2.0, 7.0, -1.0}};
    const Rk_LineStruct l1 = {{-100, 0, 0}, {-99, 0, 0}}, l2 = {{0, 0, 5}, {0.9998, 0.02, 5}};
    const Rk_PlaneStruct a = {{10, 20, 0}, {0, 0, 1}}, b = {{0, 0, 3}, {0.02, 0.1, 1}};
    const long before = rk::seam::alloc_calls();
    Rk_PointStruct pt;
    Rk_LineStruct common;
    Rk_RefFrameStruct frame;
    Rk_TransformStruct tfms[4];
    int redundant = 0, num = 0, seed = 1;
    ASSERT_EQ(Rk_LinePointClosestToLine(&l1, &l2, &pt), 0);
    ASSERT_EQ(Rk_PlaneIntersectPlane(&a, &b, &common), 0);
    ASSERT_EQ(Rk_PointProjOnLine(&pt, &l1, &pt), 0);
    ASSERT_EQ(Rk_RefFrameSetByGeom(&frame, 3, plane, 2, line, 1, point, 5.0, &redundant), 0);
    ASSERT_EQ(Rk_TransformsSetByGeom(&num, tfms, 3, plane, 3, plane, 2, line, 2, line, 1, point, 1, point, 5.0), 0);
    Rk_MathSeededRandom(&seed);
    EXPECT_EQ(rk::seam::alloc_calls(), before);
}

}  // namespace
