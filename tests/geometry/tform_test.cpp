// Rigid transforms: the row-vector convention, the identity flag, composition, inversion, frames.
#include <cmath>
#include <random>

#include "geometry_helpers.hpp"
#include "rk_test.hpp"

namespace {

using namespace geomtest;

using Transform = rktest::LibraryTest;
using TransformIdentity = rktest::LibraryTest;
using TransformFrames = rktest::LibraryTest;
using TransformEquality = rktest::LibraryTest;

Rk_TransformStruct Make(double rows[4][3])
{
    Rk_TransformStruct t;
    Rk_TransformSet(&t, rows);
    return t;
}

Rk_PointStruct Map(const Rk_TransformStruct& t, const Rk_PointStruct& p)
{
    Rk_PointStruct out;
    Rk_TransformApplyToPoint(&t, &p, &out);
    return out;
}

TEST_F(TransformIdentity, InitMapsEveryPointToItself)
{
    Rk_TransformStruct t;
    Rk_TransformInit(&t);
    EXPECT_EQ(t.is_identity, 1);
    const Rk_PointStruct p = P(1e300, -3.25, 1e-300);
    ExpectPointNear(Map(t, p), p, 0, "exactly");
    double rows[4][3];
    Rk_TransformGet(&t, rows);
    EXPECT_EQ(rows[2][2], 1.0);
    EXPECT_EQ(rows[3][0], 0.0);
}

TEST_F(TransformIdentity, FlagToleratesTheZeroToleranceInclusively)
{
    struct Case {
        int row, col;
        double value;
        int flag;
        const char* why;
    } cases[] = {
        {0, 0, 1 + 5e-10, 1, "a diagonal 5e-10 off"},
        {0, 0, 1 + 2e-9, 0, "a diagonal 2e-9 off"},
        {2, 1, 1e-9, 1, "an off-diagonal entry equal to the tolerance"},
        {3, 2, -1.0000001e-9, 0, "a translation just over it"},
        {1, 0, std::nan(""), 0, "not a number"},
    };
    for (const Case& c : cases) {
        double rows[4][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 0}};
        rows[c.row][c.col] = c.value;
        Rk_TransformStruct t = Make(rows);
        EXPECT_EQ(t.is_identity, c.flag) << c.why;
        int flag = -1;
        Rk_TransformIsIdentity(&t, &flag);
        EXPECT_EQ(flag, c.flag) << c.why;
    }

    double rows[4][3] = {{1 + 5e-10, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 0}};
    const Rk_TransformStruct t = Make(rows);
    double x = 0, y = 0, z = 0;
    Rk_TransformApply(&t, 3, 4, 5, &x, &y, &z);
    EXPECT_EQ(x, 3.0) << "a flagged matrix acts exactly as the identity, not scaled";
    Rk_TransformStruct inverse;
    Rk_TransformInvert(&t, &inverse);
    EXPECT_EQ(inverse.transform[0][0], 1 + 5e-10) << "its inverse is an exact copy";

    double shift[4][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {5, 0, 0}};
    Rk_TransformStruct forced = Make(shift);
    forced.is_identity = 1;
    ExpectPointNear(Map(forced, P(1, 1, 1)), P(1, 1, 1), 0, "applications trust the cached flag");
}

TEST_F(Transform, RowVectorConvention)
{
    double rows[4][3] = {{1, 2, 3}, {4, 5, 6}, {7, 8, 10}, {-1, -2, -3}};
    const Rk_TransformStruct t = Make(rows);
    ExpectPointNear(Map(t, P(1, 0, 0)), P(0, 0, 0), 0, "row 0 plus the translation");
    ExpectPointNear(Map(t, P(2, 3, 4)), P(2 + 12 + 28 - 1, 4 + 15 + 32 - 2, 6 + 18 + 40 - 3), 0,
                    "x r0 + y r1 + z r2 + r3");
    double x = 0, y = 0, z = 0;
    Rk_TransformApply(&t, 0, 0, 1, &x, &y, &z);
    EXPECT_EQ(x, 6.0);
    EXPECT_EQ(y, 6.0);
    EXPECT_EQ(z, 7.0);

    Rk_VectorStruct v = V(0, 1, 0);
    ASSERT_EQ(Rk_TransformApplyToVector(&t, &v, &v), 0);
    ExpectVectorNear(v, V(4, 5, 6), 1e-15, "a vector is rotated, not translated");
}

TEST_F(TransformFrames, WorkedExampleAndItsInverse)
{
    Rk_TransformStruct t, inv;
    Rk_TransformSetByRefFrame(&t, &kTurned);
    EXPECT_EQ(t.is_identity, 0);
    ExpectPointNear(Map(t, P(1, 0, 0)), P(1, 3, 3), 0, "frame to world");
    ExpectPointNear(Map(t, P(0, 0, 0)), P(1, 2, 3), 0, "the frame origin");
    Rk_TransformInvert(&t, &inv);
    ExpectPointNear(Map(inv, P(1, 3, 3)), P(1, 0, 0), 1e-15, "the inverse carries it back");
    Rk_TransformInvert(&t, &t);
    ExpectPointNear(Map(t, P(1, 3, 3)), P(1, 0, 0), 1e-15, "inverted in place");
}

TEST_F(Transform, CompositionAppliesTheFirstThenTheSecond)
{
    double shift[4][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 0}};
    double quarter[4][3] = {{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}, {0, 0, 0}};
    const Rk_TransformStruct a = Make(shift), b = Make(quarter);
    Rk_TransformStruct ab, ba;
    Rk_TransformSetByTransforms(&ab, &a, &b);
    Rk_TransformSetByTransforms(&ba, &b, &a);
    ExpectPointNear(Map(ab, P(0, 0, 0)), P(0, 1, 0), 0, "shift, then turn");
    ExpectPointNear(Map(ba, P(0, 0, 0)), P(1, 0, 0), 0, "turn, then shift");

    std::mt19937 gen(53);
    std::uniform_real_distribution<double> u(-5.0, 5.0);
    for (int n = 0; n < 50; ++n) {
        double r1[4][3], r2[4][3];
        for (auto* rows : {r1, r2})
            for (int r = 0; r < 4; ++r)
                for (int c = 0; c < 3; ++c) rows[r][c] = u(gen);
        Rk_TransformStruct t1 = Make(r1);
        const Rk_TransformStruct t2 = Make(r2);
        const Rk_PointStruct p = P(u(gen), u(gen), u(gen));
        const Rk_PointStruct want = Map(t2, Map(t1, p));
        Rk_TransformSetByTransforms(&t1, &t1, &t2);
        ExpectPointNear(Map(t1, p), want, 1e-11, "composition written over its first input");
    }
}

TEST_F(TransformFrames, RandomRigidTransformsComposedWithTheirInverseAreTheIdentity)
{
    std::mt19937 gen(59);
    for (int n = 0; n < 200; ++n) {
        const Rk_RefFrameStruct f = RandomFrame(gen);
        Rk_TransformStruct t, inv, both;
        Rk_TransformSetByRefFrame(&t, &f);
        Rk_TransformInvert(&t, &inv);
        Rk_TransformSetByTransforms(&both, &t, &inv);
        EXPECT_EQ(both.is_identity, 1) << "t then its inverse";
        Rk_TransformSetByTransforms(&both, &inv, &t);
        EXPECT_EQ(both.is_identity, 1) << "the inverse then t";
    }
}

TEST_F(TransformFrames, FrameToFrameCarriesTheFirstFrameOntoTheSecond)
{
    Rk_RefFrameStruct world;
    Rk_RefFrameInit(&world);
    Rk_TransformStruct t, by_frame;
    Rk_TransformSetByFrameToFrame(&t, &world, &kTurned);
    Rk_TransformSetByRefFrame(&by_frame, &kTurned);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(t.transform[r][c], by_frame.transform[r][c], 1e-15);
    Rk_TransformSetByFrameToFrame(&t, &kTurned, &kTurned);
    EXPECT_EQ(t.is_identity, 1) << "a frame onto itself";

    std::mt19937 gen(61);
    for (int n = 0; n < 200; ++n) {
        const Rk_RefFrameStruct f1 = RandomFrame(gen), f2 = RandomFrame(gen);
        ASSERT_EQ(Rk_TransformSetByFrameToFrame(&t, &f1, &f2), 0);
        ExpectPointNear(Map(t, f1.origin), f2.origin, 1e-10, "origin onto origin");
        const Rk_VectorStruct axes1[3] = {f1.x_axis, f1.y_axis, f1.z_axis};
        const Rk_VectorStruct axes2[3] = {f2.x_axis, f2.y_axis, f2.z_axis};
        for (int a = 0; a < 3; ++a) {
            Rk_VectorStruct moved;
            ASSERT_EQ(Rk_TransformApplyToVector(&t, &axes1[a], &moved), 0);
            ExpectVectorNear(moved, axes2[a], 1e-12, "axis onto axis");
        }
    }
}

TEST_F(Transform, LinesPlanesAndVectors)
{
    double shift[4][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {7, 8, 9}};
    const Rk_TransformStruct move = Make(shift);
    Rk_VectorStruct v = V(1, -2, 3);
    ASSERT_EQ(Rk_TransformApplyToVector(&move, &v, &v), 0);
    ExpectVectorNear(v, V(1, -2, 3), 1e-14, "a translation leaves a vector alone");

    const Rk_TransformStruct turn = [] {
        Rk_TransformStruct t;
        Rk_TransformSetByRefFrame(&t, &kTurned);
        return t;
    }();
    Rk_LineStruct line = L(P(0, 0, 0), P(1, 0, 0));
    ASSERT_EQ(Rk_TransformApplyToLine(&turn, &line, &line), 0);
    ExpectPointNear(line.point1, P(1, 2, 3), 0, "point1");
    ExpectPointNear(line.point2, P(1, 3, 3), 0, "point2");
    Rk_PlaneStruct plane = Pl(P(1, 0, 0), V(2, 0, 0));
    ASSERT_EQ(Rk_TransformApplyToPlane(&turn, &plane, &plane), 0);
    ExpectPointNear(plane.point, P(1, 3, 3), 0, "the point moves");
    ExpectVectorNear(plane.normal, V(0, 2, 0), 0, "the normal turns");

    // A matrix that flattens y onto nothing.
    double flat[4][3] = {{1, 0, 0}, {0, 0, 0}, {0, 0, 1}, {0, 0, 0}};
    const Rk_TransformStruct squash = Make(flat);
    Rk_VectorStruct up = V(0, 5, 0);
    EXPECT_EQ(Rk_TransformApplyToVector(&squash, &up, &up), 1);
    EXPECT_ERROR(6, "rk_vec(");
    ExpectVectorNear(up, V(0, 5, 0), 0, "unchanged on failure");
    Rk_LineStruct vertical = L(P(0, 0, 0), P(0, 4, 0));
    EXPECT_EQ(Rk_TransformApplyToLine(&squash, &vertical, &vertical), 1);
    EXPECT_ERROR(10, "rk_line(");
    ExpectPointNear(vertical.point2, P(0, 4, 0), 0, "unchanged on failure");
    Rk_PlaneStruct wall = Pl(P(3, 3, 3), V(0, 1, 0));
    EXPECT_EQ(Rk_TransformApplyToPlane(&squash, &wall, &wall), 1);
    EXPECT_ERROR(6, "rk_vec(");
    ExpectPointNear(wall.point, P(3, 3, 3), 0, "unchanged on failure");
}

TEST_F(TransformEquality, RowDirectionsAndTranslations)
{
    double a[4][3] = {{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}, {1, 2, 3}};
    double scaled[4][3] = {{0, 3, 0}, {-3, 0, 0}, {0, 0, 3}, {1.005, 2, 3}};
    double far[4][3] = {{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}, {1.01, 2, 3}};
    double flipped[4][3] = {{0, -1, 0}, {-1, 0, 0}, {0, 0, 1}, {1, 2, 3}};
    double zero_row[4][3] = {{0, 1, 0}, {0, 0, 0}, {0, 0, 1}, {1, 2, 3}};
    const Rk_TransformStruct ta = Make(a);
    struct Case {
        Rk_TransformStruct other;
        int equal;
        const char* why;
    } cases[] = {
        {Make(scaled), 1, "rows three times as long, translations 0.005 apart"},
        {Make(far), 0, "translations exactly the point tolerance apart"},
        {Make(flipped), 0, "a row pointing the other way"},
    };
    for (const Case& c : cases) {
        int equal = -1;
        ASSERT_EQ(Rk_TransformIsEqualToTransform(&ta, &c.other, &equal), 0) << c.why;
        EXPECT_EQ(equal, c.equal) << c.why;
    }
    const Rk_TransformStruct tz = Make(zero_row);
    int equal = -1;
    EXPECT_EQ(Rk_TransformIsEqualToTransform(&ta, &tz, &equal), 1) << "a zero rotation row";
    EXPECT_ERROR(6, "rk_vec(");
    EXPECT_EQ(equal, -1);

    Rk_TransformStruct i1, i2;
    Rk_TransformInit(&i1);
    double near_identity[4][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 1e-9}};
    i2 = Make(near_identity);
    Rk_TransformIsEqualToTransform(&i1, &i2, &equal);
    EXPECT_EQ(equal, 1) << "two flagged identities";
}

}  // namespace
