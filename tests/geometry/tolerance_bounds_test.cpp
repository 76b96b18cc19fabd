// The angle and distance tests decided on cosines and squares against the comparisons they stand
// for (the measured angle with the angle tolerance, the distance with the point tolerance), right
// at the bounds and under tolerances set after load; and the hot paths that allocate nothing.
#include <cmath>
#include <vector>

#include "rk_test.hpp"

namespace {

using Bounds = rktest::LibraryTest;

double Angle(const Rk_VectorStruct& a, const Rk_VectorStruct& b)
{
    double angle = 0.0;
    Rk_VectorAngleFromVector(&a, &b, &angle);
    return angle;
}

// Cosines from 2^-40 below to 2^-40 above cos(degrees), in steps a few units in the last place
// apart near the bound and wider away from it.
std::vector<double> CosinesAround(double degrees)
{
    const double c = std::cos(degrees * M_PI / 180.0);
    std::vector<double> qs;
    for (int k = -60; k <= 60; ++k) {
        const double step = std::ldexp(1.0, -52) * k * std::abs(k) * std::abs(k);
        qs.push_back(c + step);
    }
    return qs;
}

TEST_F(Bounds, AngleTestsAnswerAsTheMeasuredAngleRightAtTheBounds)
{
    for (double eps : {1.0, 0.5, 2.5e-6, 0.0, 45.0, 89.999, 90.0, 135.0, 200.0}) {
        SCOPED_TRACE(eps);
        Rk_GeometrySetAngleEpsilon(eps);
        int checked = 0;
        for (double bound : {eps, 180.0 - eps, 90.0 - eps, 90.0 + eps, 30.0}) {
            if (!(0.0 <= bound && bound <= 180.0)) continue;
            for (double q : CosinesAround(bound)) {
                if (q > 1.0 || q < -1.0) continue;
                const Rk_VectorStruct a = {3.0, 0.0, 0.0}, b = {3.0 * q, 3.0 * std::sqrt(1.0 - q * q), 0.0};
                const double angle = Angle(a, b);
                int parallel = -1, perpendicular = -1;
                ASSERT_EQ(Rk_VectorIsParallelToVector(&a, &b, &parallel), 0);
                ASSERT_EQ(Rk_VectorIsPerpToVector(&a, &b, &perpendicular), 0);
                ASSERT_EQ(parallel, angle < eps || angle > 180.0 - eps) << "q " << q << " angle " << angle;
                ASSERT_EQ(perpendicular, 90.0 - eps <= angle && angle <= 90.0 + eps) << "q " << q;
                ++checked;
            }
        }
        EXPECT_GT(checked, 100);
    }
}

TEST_F(Bounds, PointEqualityAnswersAsTheDistanceRightAtTheTolerance)
{
    for (double eps : {0.01, 1e-7, 3.0, 0.0, 1e-160, 1e120}) {
        SCOPED_TRACE(eps);
        Rk_GeometrySetPointEpsilon(eps);
        for (int k = -64; k <= 64; ++k) {
            const double d = eps * (1.0 + std::ldexp(k * std::abs(k), -52));
            const Rk_PointStruct p = {1.0, -2.0, 0.5}, q = {1.0 + d * 0.6, -2.0, 0.5 + d * 0.8};
            double dist = 0.0;
            int equal = -1;
            Rk_PointDistFromPoint(&p, &q, &dist);
            ASSERT_EQ(Rk_PointIsEqualToPoint(&p, &q, &equal), 0);
            ASSERT_EQ(equal, dist < eps) << "distance " << dist;
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
