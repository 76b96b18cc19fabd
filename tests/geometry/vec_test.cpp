// Vectors (rk_vec): products, the angle and its parallel and perpendicular bands right at the tolerance
// (rk_geom), signed angles, rotation; and points (rk_point).
#include "geometry_helpers.hpp"

namespace {

using namespace geomtest;
using Vector = GeomTest;

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

TEST_F(Vector, OperationsMatchTheClosedFormsOnRandomVectorsAndMayOverwriteTheirInputs)
{
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> turn(-360.0, 360.0);
    for (int n = 0; n < 200; ++n) {
        Rk_VectorStruct a = RandomVector(gen), b = RandomVector(gen), c = a, k = Unit(b), ka = Cross(k, a);
        EXPECT_NEAR(Query<double>(Rk_VectorDot, &a, &b), Dot(a, b), 1e-12);
        EXPECT_NEAR(Query<double>(Rk_VectorMagnitude, &a), Norm(a), 1e-12);
        OK(Rk_VectorCross(&c, &b, &c));
        EXPECT_TRUE(Near(c, Cross(a, b), 1e-12));
        OK(Rk_VectorUnitize(&a, &c) || Rk_VectorInvert(&c, &c));
        EXPECT_TRUE(Near(c, Scale(Unit(a), -1), 1e-15));
        const double angle = Query<double>(Rk_VectorAngleFromVector, &a, &b), deg = turn(gen), r = deg * kPi / 180;
        EXPECT_NEAR(angle, AngleDeg(a, b), 1e-9);
        if (angle < 5 || angle > 175 || std::fabs(std::remainder(deg, 360.0)) > 179) continue;
        // a turned about b (Rodrigues' formula), and the signed angle it is turned by.
        const double cs = std::cos(r), sn = std::sin(r), kv = Dot(k, a) * (1 - cs);
        OK(Rk_VectorRotate(&a, &b, deg, &c));
        const Rk_PointStruct tip = Along(Along(Along(P(0, 0, 0), a, cs), ka, sn), k, kv);
        EXPECT_TRUE(Near(c, V(tip.pt_x, tip.pt_y, tip.pt_z), 1e-10));
        EXPECT_NEAR(Query<double>(Rk_VectorSignedAngleFromVector, &a, &c, &b), std::remainder(deg, 360.0), 1e-8);
    }
}

TEST_F(Vector, TolerancesAreStoredAsAbsoluteValuesAndAngleTestsAnswerAsTheMeasuredAngleAtTheBounds)
{
    double t[3] = {};
    OK(Rk_GeometrySet(-3.0, -0.25, -1e-3) || Rk_GeometrySetPointEpsilon(-0.5) || Rk_GeometryGet(&t[0], &t[1], &t[2]));
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

TEST_F(Vector, ConventionsOfInitSetEqualityViewSignClampedCosinesAndPoints)
{
    Rk_VectorStruct v, x = V(1, 0, 0), z = V(0, 0, 1), up = V(0, 0, 2);
    EXPECT_TRUE(Same(Query<Rk_VectorStruct>(Rk_VectorInit), V(1, 1, 1)));
    OK(Rk_VectorSet(&v, 0.0, -1e-9, 0.0)) << "a component at the zero tolerance is not zero";
    const Rk_PointStruct a = P(1, 2, 3), b = P(1 + 4e-10, 2, 3);
    EXPECT_EQ(Rk_VectorSetByPoints(&v, &a, &b), 1);
    EXPECT_TRUE(NextErrorIs(6, "rk_vec(") && Same(v, Sub(b, a))) << "the difference is written before it is found zero";
    EXPECT_TRUE(Same(Query<Rk_VectorStruct>(Rk_VectorRotate, &up, &z, 33.0), up)) << "along the axis: copied";
    for (auto [w, equal] : {std::pair{V(5, 0, 0), 1}, {V(-1, 0, 0), 0}, {V(1, 0.0099, 0), 1}, {V(1, 0.0101, 0), 0}})
        EXPECT_EQ(Query(Rk_VectorIsEqualToVector, &x, &w), equal) << "unit tips compared: " << Show(w);
    EXPECT_NEAR(Query<double>(Rk_VectorAngleFromVecInView, Ptr(V(1, 0, 5)), Ptr(V(0, 1, -3)), &up), 90.0, 1e-12);
    // Half a turn is 180, never -180; the same direction seen along z is 0.
    for (auto [v1, v2, dir, want] : {std::tuple{x, V(0, 1, 0), V(0, 0, -1), -90.0},
                                     {x, V(-1, 0, 0), z, 180.0},
                                     {V(2, 0, 3), V(4, 0, -1), z, 0.0}})
        EXPECT_NEAR(Query<double>(Rk_VectorSignedAngleFromVector, &v1, &v2, &dir), want, 1e-12) << Show(v2);
    // Lengths multiplying to the zero tolerance; sqrt(3) squared rounds below 3, so the cosine of (1, 1, 1)
    // with itself (with its opposite) is past 1 (-1).
    for (auto [a, b, want] : {std::tuple{V(1e-5, 0, 0), V(0, 1e-4, 0), 90.0}, {V(1, 1, 1), V(1, 1, 1), 0.0},
                              {V(1, 1, 1), V(-1, -1, -1), 180.0}})
        EXPECT_NEAR(Query<double>(Rk_VectorAngleFromVector, &a, &b), want, 1e-12) << Show(b);
    Rk_PointStruct p = P(9, 9, 9), q = P(4, 6, 15), o = P(0, 0, 0);
    double px = 0, py = 0, pz = 0;
    OK(Rk_PointSet(&p, 1, 2, 3) || Rk_PointSetY(&p, 7) || Rk_PointGet(&p, &px, &py, &pz));
    EXPECT_TRUE(px == 1 && py == 7 && pz == 3 && Query<double>(Rk_PointDistFromPoint, &p, Ptr(P(4, 3, 15))) == 13);
    OK(Rk_PointGetMidpoint(&p, &q, &q));
    EXPECT_TRUE(Same(q, P(2.5, 6.5, 9))) << "written over an input";
    p = P(1, 2, 3);
    OK(Rk_PointOffset(&p, -2.5, Ptr(V(0, 0, 7)), &p));
    EXPECT_TRUE(Same(p, P(1, 2, 0.5))) << "moved backward along the unit direction, over the input";
    EXPECT_NEAR(Query<double>(Rk_PointDistFromPointAlongVec, &o, Ptr(P(3, 4, 5)), Ptr(V(1, 1, 0))), std::sqrt(25.5),
                1e-12);
    // Signed extent: behind, within the point tolerance, ahead along an unnormalised direction.
    for (auto [to, dir, want] : {std::tuple{P(3, 4, -5), V(0, 0, 1), -5.0},
                                 {P(0, 0, 0.005), V(0, 0, 1), 0.0},
                                 {P(1, 1, 1), V(2, 2, 2), std::sqrt(3.0)}})
        EXPECT_NEAR(Query<double>(Rk_PointClearanceFromPoint, &o, &to, &dir), want, 1e-12) << Show(to) << Show(dir);
}

TEST_F(Vector, RefusalsLeaveTheOutputsAlone)
{
    // tiny and ty have lengths multiplying to 1e-10, shorter is 7e-10 long, near_minus_z 0.57 degrees from -z.
    const Rk_VectorStruct x = V(1, 0, 0), z = V(0, 0, 1), zero = V(0, 0, 0), tiny = V(1e-5, 0, 0), ty = V(0, 1e-5, 0);
    const Rk_VectorStruct shorter = V(5e-10, 5e-10, 0), near_minus_z = V(0.01, 0, -1);
    const Rk_PointStruct o = P(0, 0, 0), p = P(3, 4, 5);
    Rk_VectorStruct out = V(8, 8, 8);
    Rk_PointStruct pt = P(8, 8, 8);
    double d = 42;
    int flag = 7;
    ExpectRefusals(
        {REFUSES(6, vec, Rk_VectorSet(&out, 1e-10, -1e-10, 0)), REFUSES(6, vec, Rk_VectorUnitize(&shorter, &out)),
         REFUSES(6, vec, Rk_VectorCross(&x, &x, &out)), REFUSES(6, vec, Rk_VectorAngleFromVector(&tiny, &ty, &d)),
         REFUSES(6, vec, Rk_VectorIsPerpToVector(&tiny, &ty, &flag)),
         REFUSES(6, vec, Rk_VectorIsEqualToVector(&x, &zero, &flag)),
         REFUSES(24, point, Rk_VectorAngleFromVecInView(&z, &ty, &tiny, &d)),
         REFUSES(23, vec, Rk_VectorSignedAngleFromVector(&x, &near_minus_z, &z, &d)),
         REFUSES(6, vec, Rk_VectorRotate(&x, &zero, 10, &out)), REFUSES(6, vec, Rk_PointOffset(&o, 1, &shorter, &pt)),
         REFUSES(24, point, Rk_PointDistFromPointAlongVec(&o, &p, &tiny, &d)),
         REFUSES(6, vec, Rk_PointClearanceFromPoint(&o, &p, &zero, &d))},
        [&] { return Same(out, V(8, 8, 8)) && Same(pt, P(8, 8, 8)) && d == 42 && flag == 7; });
}

}  // namespace
