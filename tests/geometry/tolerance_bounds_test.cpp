// The three tolerances (rk_geom), and the tests decided on cosines and shortcuts against the
// comparisons they stand for (the measured angle right at the bounds, the points a vector joins);
// and the hot paths that allocate nothing.
#include "geometry_helpers.hpp"

namespace {

using namespace geomtest;
using Bounds = GeomTest;

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

TEST_F(Bounds, TolerancesAreStoredAsAbsoluteValuesAndAngleTestsAnswerAsTheMeasuredAngle)
{
    double t[3] = {};
    OK(Rk_GeometrySet(-3.0, -0.25, -1e-3) + Rk_GeometrySetPointEpsilon(-0.5) + Rk_GeometryGet(&t[0], &t[1], &t[2]));
    EXPECT_TRUE(t[0] == 3.0 && t[1] == 0.5 && t[2] == 1e-3);
    // Cosines from 2^-40 below to 2^-40 above each bound, a few units in the last place apart near it.
    for (double eps : {1.0, 2.5e-6, 0.0, 45.0, 90.0, 135.0}) {
        SCOPED_TRACE(eps);
        OK(Rk_GeometrySetAngleEpsilon(eps));
        for (double bound : {eps, 180.0 - eps, 90.0 - eps, 90.0 + eps}) {
            const double c = std::cos(bound * kPi / 180.0);
            for (int k = -60; k <= 60; ++k) {
                const double q = c + std::ldexp(1.0, -52) * k * std::abs(k) * std::abs(k);
                if (q > 1.0 || q < -1.0) continue;
                ASSERT_TRUE(AnswersAsTheAngle(V(3, 0, 0), V(3.0 * q, 3.0 * std::sqrt(1.0 - q * q), 0.0), eps)) << q;
            }
        }
    }
}

// A vector carried by a transform is its tip less the origin carried as points, bit for bit: here
// the third column maps the tip to -0 and the origin to +0, and their difference is -0.
TEST_F(Bounds, TransformedVectorIsTheDifferenceOfTheTransformedPointsAndHotPathsAllocateNothing)
{
    double m[4][3] = {{1, 2, 1}, {0, 1, -0.0}, {0, 3, 1}, {3, 5, -0.0}};
    Rk_TransformStruct t;
    OK(Rk_TransformSet(&t, m));
    const auto map = [&](Rk_PointStruct p) { return Query<Rk_PointStruct>(Rk_TransformApplyToPoint, &t, &p); };
    const Rk_VectorStruct v = Query<Rk_VectorStruct>(Rk_TransformApplyToVector, &t, Ptr(V(-0.0, 1, -0.0)));
    EXPECT_TRUE(Same(v, Sub(map(P(-0.0, 1, -0.0)), map(P(0, 0, 0)))) && std::signbit(v.k_comp)) << Show(v);
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
    ASSERT_EQ(Rk_LinePointClosestToLine(&l1, &l2, &pt) + Rk_PlaneIntersectPlane(&a, &b, &common), 0);
    ASSERT_EQ(Rk_RefFrameSetByGeom(&frame, 3, plane, 2, line, 1, point, 5.0, &redundant), 0);
    ASSERT_EQ(Rk_TransformsSetByGeom(&num, tfms, 3, plane, 3, plane, 2, line, 2, line, 1, point, 1, point, 5.0), 0);
    Rk_MathSeededRandom(&seed);
    EXPECT_EQ(rk::seam::alloc_calls(), before);
}

}  // namespace
