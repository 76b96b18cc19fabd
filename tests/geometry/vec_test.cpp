// Vectors, and the point operations that take a direction.
#include <cmath>
#include <random>

#include "geometry_helpers.hpp"
#include "rk_test.hpp"

namespace {

using namespace geomtest;

using Vector = rktest::LibraryTest;
using VectorAngle = rktest::LibraryTest;
using VectorSignedAngle = rktest::LibraryTest;
using VectorRotate = rktest::LibraryTest;
using PointAlongDirection = rktest::LibraryTest;

// The vector at `degrees` from (1, 0, 0) in the xy plane.
Rk_VectorStruct AtDegrees(double degrees)
{
    return {std::cos(degrees * kPi / 180.0), std::sin(degrees * kPi / 180.0), 0.0};
}

Rk_VectorStruct RandomVector(std::mt19937& gen)
{
    std::uniform_real_distribution<double> u(-10.0, 10.0);
    return {u(gen), u(gen), u(gen)};
}

TEST_F(Vector, InitIsOneOneOne)
{
    Rk_VectorStruct v = V(0, 0, 0);
    Rk_VectorInit(&v);
    double mag = 0;
    Rk_VectorMagnitude(&v, &mag);
    EXPECT_EQ(v.i_comp, 1.0);
    EXPECT_EQ(v.j_comp, 1.0);
    EXPECT_EQ(v.k_comp, 1.0);
    EXPECT_EQ(mag, std::sqrt(3.0));
}

TEST_F(Vector, SetRefusesAZeroVectorAndLeavesTheOldOne)
{
    Rk_VectorStruct v = V(4, 5, 6);
    EXPECT_EQ(Rk_VectorSet(&v, 1e-10, -1e-10, 0.0), 1);
    EXPECT_ERROR(6, "rk_vec(");
    EXPECT_EQ(v.i_comp, 4.0);
    EXPECT_EQ(v.j_comp, 5.0);
    EXPECT_EQ(v.k_comp, 6.0);

    EXPECT_EQ(Rk_VectorSet(&v, 1e-9, 0.0, 0.0), 0) << "1e-9 is not below the zero tolerance";
    double i = 0, j = 1, k = 1;
    Rk_VectorGet(&v, &i, &j, &k);
    EXPECT_EQ(i, 1e-9);
    EXPECT_EQ(j, 0.0);
    EXPECT_EQ(k, 0.0);
}

TEST_F(Vector, SetByPointsKeepsTheNearZeroDifferenceOnFailure)
{
    Rk_PointStruct a = {1, 2, 3}, b = {1 + 4e-10, 2, 3};
    Rk_VectorStruct v = V(7, 7, 7);
    EXPECT_EQ(Rk_VectorSetByPoints(&v, &a, &b), 1);
    EXPECT_ERROR(6, "rk_vec(");
    EXPECT_EQ(v.i_comp, b.pt_x - a.pt_x) << "the difference is written before the check";
    EXPECT_EQ(v.j_comp, 0.0);

    Rk_PointStruct c = {4, 6, 3};
    EXPECT_EQ(Rk_VectorSetByPoints(&v, &a, &c), 0);
    EXPECT_EQ(v.i_comp, 3.0);
    EXPECT_EQ(v.j_comp, 4.0);
    EXPECT_EQ(v.k_comp, 0.0);
}

TEST_F(Vector, UnitizeRefusesShortVectorsAndMayWorkInPlace)
{
    Rk_VectorStruct shortv = V(5e-10, 5e-10, 0), out = V(9, 9, 9);
    EXPECT_EQ(Rk_VectorUnitize(&shortv, &out), 1) << "length 7e-10 is below the zero tolerance";
    EXPECT_ERROR(6, "rk_vec(");
    EXPECT_EQ(out.i_comp, 9.0);

    Rk_VectorStruct v = V(3, 0, -4);
    EXPECT_EQ(Rk_VectorUnitize(&v, &v), 0);
    EXPECT_DOUBLE_EQ(v.i_comp, 0.6);
    EXPECT_DOUBLE_EQ(v.k_comp, -0.8);

    Rk_VectorInvert(&v, &v);
    EXPECT_DOUBLE_EQ(v.i_comp, -0.6);
    EXPECT_DOUBLE_EQ(v.k_comp, 0.8);
}

TEST_F(Vector, CrossFollowsTheRightHandRuleAndRefusesParallelVectors)
{
    std::mt19937 gen(7);
    for (int n = 0; n < 100; ++n) {
        Rk_VectorStruct a = RandomVector(gen), b = RandomVector(gen), c;
        ASSERT_EQ(Rk_VectorCross(&a, &b, &c), 0);
        ExpectVectorNear(c, Cross(a, b), 1e-12, "cross product");
        double dot = 0;
        Rk_VectorDot(&a, &b, &dot);
        EXPECT_NEAR(dot, Dot(a, b), 1e-12);
        Rk_VectorCross(&a, &b, &a);
        ExpectVectorNear(a, c, 0, "the result may be written over the first input");
    }

    Rk_VectorStruct x = V(1, 0, 0), two_x = V(2, 0, 0), out = V(3, 3, 3);
    EXPECT_EQ(Rk_VectorCross(&x, &two_x, &out), 1);
    EXPECT_ERROR(6, "rk_vec(");
    EXPECT_EQ(out.i_comp, 3.0) << "a failed cross product leaves the output alone";
}

TEST_F(VectorAngle, MatchesTheIndependentAngleOnRandomVectors)
{
    std::mt19937 gen(11);
    for (int n = 0; n < 200; ++n) {
        Rk_VectorStruct a = RandomVector(gen), b = RandomVector(gen);
        double angle = 0;
        ASSERT_EQ(Rk_VectorAngleFromVector(&a, &b, &angle), 0);
        EXPECT_NEAR(angle, AngleDeg(a, b), 1e-9);
    }
}

TEST_F(VectorAngle, OppositeVectorsAre180AndParallel)
{
    Rk_VectorStruct a = V(1, 0, 0), b = V(-1, 0, 0);
    double angle = 0;
    Rk_VectorAngleFromVector(&a, &b, &angle);
    EXPECT_DOUBLE_EQ(angle, 180.0);
    int parallel = 0;
    Rk_VectorIsParallelToVector(&a, &b, &parallel);
    EXPECT_EQ(parallel, 1);
}

TEST_F(VectorAngle, CosineRoundedPastOneIsClamped)
{
    // Find vectors whose dot product over the product of lengths rounds beyond ±1; without the
    // clamping acos would answer NaN.
    std::mt19937 gen(3);
    int above = 0, below = 0;
    for (int n = 0; n < 100000 && (above < 3 || below < 3); ++n) {
        const Rk_VectorStruct a = RandomVector(gen), b = RandomVector(gen);
        const Rk_VectorStruct minus = V(-b.i_comp, -b.j_comp, -b.k_comp);
        double angle = -1;
        if (Dot(a, a) / (Norm(a) * Norm(a)) > 1.0) {
            ASSERT_EQ(Rk_VectorAngleFromVector(&a, &a, &angle), 0);
            EXPECT_EQ(angle, 0.0) << "a vector with itself";
            ++above;
        }
        if (Dot(b, minus) / (Norm(b) * Norm(minus)) < -1.0) {
            ASSERT_EQ(Rk_VectorAngleFromVector(&b, &minus, &angle), 0);
            EXPECT_EQ(angle, std::acos(-1.0) * 57.29577951308232) << "a vector with its opposite";
            ++below;
        }
    }
    EXPECT_GE(above, 3) << "no vector found whose cosine with itself rounds above 1";
    EXPECT_GE(below, 3) << "no vector found whose cosine with its opposite rounds below -1";
}

TEST_F(VectorAngle, UnmeasurableAngleIsError6)
{
    struct Case {
        Rk_VectorStruct a, b;
        const char* why;
    } cases[] = {
        {V(1e-5, 0, 0), V(0, 1e-5, 0), "product of lengths 1e-10"},
        {V(0, 0, 0), V(1, 0, 0), "a zero vector"},
    };
    for (const Case& c : cases) {
        double angle = 42;
        int flag = 7;
        EXPECT_EQ(Rk_VectorAngleFromVector(&c.a, &c.b, &angle), 1) << c.why;
        EXPECT_ERROR(6, "rk_vec(");
        EXPECT_EQ(angle, 42.0) << c.why;
        EXPECT_EQ(Rk_VectorIsParallelToVector(&c.a, &c.b, &flag), 1) << c.why;
        EXPECT_ERROR(6, "rk_vec(");
        EXPECT_EQ(Rk_VectorIsPerpToVector(&c.a, &c.b, &flag), 1) << c.why;
        EXPECT_ERROR(6, "rk_vec(");
        EXPECT_EQ(flag, 7) << c.why;
    }
    // 1e-5 by 1e-4 is exactly at the zero tolerance: measurable.
    Rk_VectorStruct a = V(1e-5, 0, 0), b = V(0, 1e-4, 0);
    double angle = 0;
    EXPECT_EQ(Rk_VectorAngleFromVector(&a, &b, &angle), 0);
}

TEST_F(VectorAngle, ParallelBandExcludesItsBounds)
{
    struct Case {
        Rk_VectorStruct b;
        int parallel;
        const char* why;
    } cases[] = {
        {V(1, 0.0174, 0), 1, "about 0.997 degrees is inside the band"},
        {V(1, 0.0175, 0), 0, "about 1.003 degrees is outside"},
        {V(-1, -0.0174, 0), 1, "the opposite sense counts too"},
        {V(-1, 0.0175, 0), 0, "178.997 degrees is outside"},
    };
    const Rk_VectorStruct x = V(1, 0, 0);
    for (const Case& c : cases) {
        int parallel = -1;
        ASSERT_EQ(Rk_VectorIsParallelToVector(&x, &c.b, &parallel), 0);
        EXPECT_EQ(parallel, c.parallel) << c.why;
    }

    // An angle equal to the tolerance is not parallel; one ulp of tolerance more makes it parallel.
    const Rk_VectorStruct b = AtDegrees(0.7);
    double angle = 0;
    Rk_VectorAngleFromVector(&x, &b, &angle);
    int parallel = -1;
    Rk_GeometrySetAngleEpsilon(angle);
    Rk_VectorIsParallelToVector(&x, &b, &parallel);
    EXPECT_EQ(parallel, 0) << "angle == angle_eps";
    Rk_GeometrySetAngleEpsilon(std::nextafter(angle, 1.0));
    Rk_VectorIsParallelToVector(&x, &b, &parallel);
    EXPECT_EQ(parallel, 1);

    // Likewise at the 180 end: angle == 180 - angle_eps is not parallel.
    const Rk_VectorStruct back = AtDegrees(179.25);
    Rk_VectorAngleFromVector(&x, &back, &angle);
    const double eps = 180.0 - angle;
    ASSERT_EQ(180.0 - eps, angle) << "the bound must be representable for this check";
    Rk_GeometrySetAngleEpsilon(eps);
    Rk_VectorIsParallelToVector(&x, &back, &parallel);
    EXPECT_EQ(parallel, 0) << "angle == 180 - angle_eps";
}

TEST_F(VectorAngle, PerpendicularBandIncludesItsBounds)
{
    const Rk_VectorStruct x = V(1, 0, 0);
    struct Case {
        double degrees;
        int perp;
        const char* why;
    } cases[] = {
        {89.5, 1, "half a degree off is perpendicular"},
        {88.9, 0, "1.1 degrees off is not"},
        {90.9, 1, "on the far side of 90"},
        {91.2, 0, "beyond the far bound"},
    };
    for (const Case& c : cases) {
        const Rk_VectorStruct b = AtDegrees(c.degrees);
        int perp = -1;
        ASSERT_EQ(Rk_VectorIsPerpToVector(&x, &b, &perp), 0);
        EXPECT_EQ(perp, c.perp) << c.why;
    }

    // Set the tolerance so that the measured angle lies exactly on 90 - angle_eps, then on
    // 90 + angle_eps: both bounds belong to the band.
    for (double degrees : {88.5, 91.5}) {
        const Rk_VectorStruct b = AtDegrees(degrees);
        double angle = 0;
        Rk_VectorAngleFromVector(&x, &b, &angle);
        const double eps = std::fabs(90.0 - angle);
        ASSERT_EQ(angle < 90 ? 90.0 - eps : 90.0 + eps, angle) << "the bound must be representable";
        Rk_GeometrySetAngleEpsilon(eps);
        int perp = -1;
        Rk_VectorIsPerpToVector(&x, &b, &perp);
        EXPECT_EQ(perp, 1) << "angle on the bound at " << degrees;
        const double narrower = eps * (1.0 - 1e-12);
        ASSERT_NE(angle < 90 ? 90.0 - narrower : 90.0 + narrower, angle) << "the bound must move";
        Rk_GeometrySetAngleEpsilon(narrower);
        Rk_VectorIsPerpToVector(&x, &b, &perp);
        EXPECT_EQ(perp, 0) << "just outside the bound at " << degrees;
    }
}

TEST_F(Vector, EqualityComparesDirectionsOnly)
{
    struct Case {
        Rk_VectorStruct a, b;
        int equal;
        const char* why;
    } cases[] = {
        {V(1, 0, 0), V(5, 0, 0), 1, "lengths do not matter"},
        {V(1, 0, 0), V(-1, 0, 0), 0, "opposite directions are not equal"},
        {V(1, 0, 0), V(1, 0.0099, 0), 1, "unit tips 0.0099 apart"},
        {V(1, 0, 0), V(1, 0.0101, 0), 0, "unit tips 0.0101 apart"},
    };
    for (const Case& c : cases) {
        int equal = -1;
        ASSERT_EQ(Rk_VectorIsEqualToVector(&c.a, &c.b, &equal), 0);
        EXPECT_EQ(equal, c.equal) << c.why;
    }
    Rk_VectorStruct zero = V(0, 0, 0), x = V(1, 0, 0);
    int equal = 5;
    EXPECT_EQ(Rk_VectorIsEqualToVector(&x, &zero, &equal), 1);
    EXPECT_ERROR(6, "rk_vec(");
    EXPECT_EQ(equal, 5);
}

TEST_F(VectorAngle, AngleInViewMeasuresTheProjections)
{
    Rk_VectorStruct a = V(1, 0, 5), b = V(0, 1, -3), z = V(0, 0, 2);
    double angle = 0;
    ASSERT_EQ(Rk_VectorAngleFromVecInView(&a, &b, &z, &angle), 0);
    EXPECT_NEAR(angle, 90.0, 1e-12);

    Rk_VectorStruct c = V(1, 1, 0);
    Rk_VectorStruct y = V(0, 1, 0);
    ASSERT_EQ(Rk_VectorAngleFromVecInView(&a, &c, &y, &angle), 0);
    EXPECT_NEAR(angle, std::atan2(1.0, 0.0) * 180 / kPi - std::atan2(1.0, 5.0) * 180 / kPi + 0.0, 1e-9)
        << "seen along y: (1, 5) against (1, 0) in the xz plane";

    Rk_VectorStruct up = V(0, 0, 7);
    angle = 3;
    EXPECT_EQ(Rk_VectorAngleFromVecInView(&a, &up, &z, &angle), 1) << "the second vector is along the view";
    EXPECT_ERROR(6, "rk_vec(");
    EXPECT_EQ(angle, 3.0);

    Rk_VectorStruct tiny_view = V(1e-5, 0, 0), unit_y = V(0, 1, 0), unit_z = V(0, 0, 1);
    EXPECT_EQ(Rk_VectorAngleFromVecInView(&unit_y, &unit_z, &tiny_view, &angle), 1)
        << "a view direction whose squared length is 1e-10 defines no plane";
    EXPECT_ERROR(24, "rk_point(");
}

TEST_F(VectorSignedAngle, SignFollowsTheRightHandRuleAboutTheDirection)
{
    struct Case {
        Rk_VectorStruct a, b, dir;
        double angle;
        const char* why;
    } cases[] = {
        {V(1, 0, 0), V(0, 1, 0), V(0, 0, 1), 90, "x to y about +z is counter-clockwise"},
        {V(1, 0, 0), V(0, 1, 0), V(0, 0, -1), -90, "about -z it is clockwise"},
        {V(1, 0, 0), V(-1, 0, 0), V(0, 0, 1), 180, "half a turn is 180, never -180"},
        {V(1, 0, 0), V(-1, 0, 0), V(0, 0, -1), 180, "in either sense"},
        {V(2, 0, 3), V(4, 0, -1), V(0, 0, 1), 0, "the same direction seen along z"},
        {V(0, 1, 0), V(1, 0, 0), V(0, 0, 1), -90, "y to x about +z"},
    };
    for (const Case& c : cases) {
        double angle = 1234;
        ASSERT_EQ(Rk_VectorSignedAngleFromVector(&c.a, &c.b, &c.dir, &angle), 0) << c.why;
        EXPECT_NEAR(angle, c.angle, 1e-12) << c.why;
    }
}

TEST_F(VectorSignedAngle, MatchesAtan2OnRandomVectors)
{
    std::mt19937 gen(19);
    int checked = 0;
    for (int n = 0; n < 300; ++n) {
        Rk_VectorStruct a = RandomVector(gen), b = RandomVector(gen), dir = RandomVector(gen);
        const Rk_VectorStruct u = Unit(dir);
        auto flatten = [&](const Rk_VectorStruct& v) {
            const double s = Dot(v, u);
            return V(v.i_comp - s * u.i_comp, v.j_comp - s * u.j_comp, v.k_comp - s * u.k_comp);
        };
        const Rk_VectorStruct pa = flatten(a), pb = flatten(b);
        // Keep clear of the bands where the answer depends on the tolerances.
        if (Norm(pa) < 0.1 * Norm(a) || Norm(pb) < 0.1 * Norm(b)) continue;
        const double want = std::atan2(Dot(Cross(pa, pb), u), Dot(pa, pb)) * 180.0 / kPi;
        if (std::fabs(std::fabs(want) - 180.0) < 1e-6) continue;
        double angle = 0;
        ASSERT_EQ(Rk_VectorSignedAngleFromVector(&a, &b, &dir, &angle), 0);
        EXPECT_NEAR(angle, want, 1e-8);
        ++checked;
    }
    EXPECT_GT(checked, 200);
}

TEST_F(VectorSignedAngle, VectorsAlongTheDirectionAreError23)
{
    Rk_VectorStruct x = V(1, 0, 0), z = V(0, 0, 1), near_z = V(0.01, 0, -1);
    double angle = 55;
    EXPECT_EQ(Rk_VectorSignedAngleFromVector(&z, &x, &z, &angle), 1) << "vec1 along dir";
    EXPECT_ERROR(23, "rk_vec(");
    EXPECT_EQ(Rk_VectorSignedAngleFromVector(&x, &near_z, &z, &angle), 1) << "vec2 0.57 degrees from -dir";
    EXPECT_ERROR(23, "rk_vec(");
    EXPECT_EQ(angle, 55.0);

    Rk_VectorStruct zero = V(0, 0, 0);
    EXPECT_EQ(Rk_VectorSignedAngleFromVector(&x, &z, &zero, &angle), 1) << "a zero direction";
    EXPECT_ERROR(6, "rk_vec(");
}

TEST_F(VectorRotate, QuarterTurnAboutZ)
{
    Rk_VectorStruct x = V(1, 0, 0), z = V(0, 0, 1), out;
    ASSERT_EQ(Rk_VectorRotate(&x, &z, 90.0, &out), 0);
    ExpectVectorNear(out, V(0, 1, 0), 1e-15, "x turned 90 degrees about z");
    ASSERT_EQ(Rk_VectorRotate(&x, &z, -90.0, &out), 0);
    ExpectVectorNear(out, V(0, -1, 0), 1e-15, "a negative angle turns clockwise");

    Rk_VectorStruct up = V(0, 0, 2);
    ASSERT_EQ(Rk_VectorRotate(&up, &z, 33.0, &out), 0);
    EXPECT_EQ(out.i_comp, 0.0);
    EXPECT_EQ(out.j_comp, 0.0);
    EXPECT_EQ(out.k_comp, 2.0) << "a vector along the axis is copied unchanged";
}

TEST_F(VectorRotate, MatchesRodriguesOnRandomInputsAndMayWorkInPlace)
{
    std::mt19937 gen(23);
    std::uniform_real_distribution<double> turn(-360.0, 360.0);
    for (int n = 0; n < 200; ++n) {
        Rk_VectorStruct v = RandomVector(gen), axis = RandomVector(gen);
        const double degrees = turn(gen);
        double between = 0;
        Rk_VectorAngleFromVector(&v, &axis, &between);
        if (between < 2.0 || between > 178.0) continue;
        const double r = degrees * kPi / 180.0;
        const Rk_VectorStruct k = Unit(axis);
        const Rk_VectorStruct kxv = Cross(k, v);
        const double kv = Dot(k, v) * (1 - std::cos(r));
        const Rk_VectorStruct want = V(v.i_comp * std::cos(r) + kxv.i_comp * std::sin(r) + k.i_comp * kv,
                                       v.j_comp * std::cos(r) + kxv.j_comp * std::sin(r) + k.j_comp * kv,
                                       v.k_comp * std::cos(r) + kxv.k_comp * std::sin(r) + k.k_comp * kv);
        ASSERT_EQ(Rk_VectorRotate(&v, &axis, degrees, &v), 0);
        ExpectVectorNear(v, want, 1e-10, "Rodrigues' rotation formula, result over the input");
    }
}

TEST_F(VectorRotate, ZeroAxisIsError6)
{
    Rk_VectorStruct x = V(1, 0, 0), zero = V(0, 0, 0), out = V(8, 8, 8);
    EXPECT_EQ(Rk_VectorRotate(&x, &zero, 10, &out), 1);
    EXPECT_ERROR(6, "rk_vec(");
    EXPECT_EQ(out.i_comp, 8.0);
}

TEST_F(PointAlongDirection, OffsetMovesAlongTheUnitDirection)
{
    Rk_PointStruct p = {1, 2, 3};
    Rk_VectorStruct dir = V(0, 0, 7);
    ASSERT_EQ(Rk_PointOffset(&p, -2.5, &dir, &p), 0) << "result written over the input point";
    EXPECT_EQ(p.pt_x, 1.0);
    EXPECT_EQ(p.pt_y, 2.0);
    EXPECT_EQ(p.pt_z, 0.5);

    Rk_VectorStruct tiny = V(1e-10, 0, 0);
    EXPECT_EQ(Rk_PointOffset(&p, 1.0, &tiny, &p), 1);
    EXPECT_ERROR(6, "rk_vec(");
    EXPECT_EQ(p.pt_z, 0.5);
}

TEST_F(PointAlongDirection, DistanceAcrossADirection)
{
    Rk_PointStruct o = {0, 0, 0}, p = {3, 4, 5};
    Rk_VectorStruct z = V(0, 0, 1);
    double dist = -1;
    ASSERT_EQ(Rk_PointDistFromPointAlongVec(&o, &p, &z, &dist), 0);
    EXPECT_DOUBLE_EQ(dist, 5.0) << "measured in the xy plane";

    Rk_VectorStruct slanted = V(1, 1, 0);
    ASSERT_EQ(Rk_PointDistFromPointAlongVec(&o, &p, &slanted, &dist), 0);
    EXPECT_NEAR(dist, std::sqrt(0.5 + 25.0), 1e-12) << "the part of (3, 4, 5) normal to (1, 1, 0)";

    Rk_VectorStruct shortdir = V(3e-5, 0, 0);
    EXPECT_EQ(Rk_PointDistFromPointAlongVec(&o, &p, &shortdir, &dist), 1)
        << "a direction of squared length 9e-10";
    EXPECT_ERROR(24, "rk_point(");
}

TEST_F(PointAlongDirection, ClearanceIsSignedAlongTheDirection)
{
    struct Case {
        Rk_PointStruct to;
        Rk_VectorStruct dir;
        double clearance;
        const char* why;
    } cases[] = {
        {{3, 4, -5}, V(0, 0, 1), -5, "behind point1 along +z"},
        {{3, 4, -5}, V(0, 0, -1), 5, "ahead along -z"},
        {{0, 0, 0.005}, V(0, 0, 1), 0, "within the point tolerance of point1"},
        {{1, 1, 1}, V(2, 2, 2), std::sqrt(3.0), "along an unnormalised direction"},
    };
    const Rk_PointStruct o = {0, 0, 0};
    for (const Case& c : cases) {
        double clearance = 99;
        ASSERT_EQ(Rk_PointClearanceFromPoint(&o, &c.to, &c.dir, &clearance), 0) << c.why;
        EXPECT_NEAR(clearance, c.clearance, 1e-12) << c.why;
    }
    Rk_VectorStruct zero = V(0, 0, 0);
    double clearance = 99;
    EXPECT_EQ(Rk_PointClearanceFromPoint(&o, &cases[0].to, &zero, &clearance), 1);
    EXPECT_ERROR(6, "rk_vec(");
    EXPECT_EQ(clearance, 99.0);
}

}  // namespace
