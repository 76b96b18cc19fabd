// Reference frames: axis rules, world and frame coordinates, alignment, vector angles.
#include <cmath>
#include <random>

#include "geometry_helpers.hpp"
#include "rk_test.hpp"

namespace {

using namespace geomtest;

using RefFrameAxes = rktest::LibraryTest;
using RefFrameTransform = rktest::LibraryTest;
using RefFrameAlign = rktest::LibraryTest;
using RefFrameAngles = rktest::LibraryTest;

Rk_RefFrameStruct Frame(Rk_VectorStruct x, Rk_VectorStruct y, Rk_VectorStruct z, Rk_PointStruct o)
{
    return {x, y, z, o};
}

void ExpectAxes(const Rk_RefFrameStruct& f, const Rk_VectorStruct& x, const Rk_VectorStruct& y,
                const Rk_VectorStruct& z, double tol, const char* why)
{
    ExpectVectorNear(f.x_axis, x, tol, why);
    ExpectVectorNear(f.y_axis, y, tol, why);
    ExpectVectorNear(f.z_axis, z, tol, why);
}

void ExpectRightHandedOrthonormal(const Rk_RefFrameStruct& f, const char* why)
{
    EXPECT_NEAR(Norm(f.x_axis), 1.0, 1e-12) << why;
    EXPECT_NEAR(Norm(f.y_axis), 1.0, 1e-12) << why;
    EXPECT_NEAR(Dot(f.x_axis, f.y_axis), 0.0, 1e-12) << why;
    ExpectVectorNear(Cross(f.x_axis, f.y_axis), f.z_axis, 1e-12, why);
}

TEST_F(RefFrameAxes, CompletingAFrameFromItsZAxis)
{
    const double s = 1 / std::sqrt(1.0001);
    struct Case {
        Rk_VectorStruct z, x, y;
        const char* why;
    } cases[] = {
        {V(0, 0, 5), V(1, 0, 0), V(0, 1, 0), "along world z: the world axes"},
        {V(0, 3, 4), V(1, 0, 0), V(0, 0.8, -0.6), "world x is kept when it is perpendicular"},
        {V(1, 0, 0), V(0, 0, -1), V(0, 1, 0), "along world x: world y is the reference"},
        {V(-1, 0, 0), V(0, 0, 1), V(0, 1, 0), "against world x"},
        {V(1, 0.01, 0), V(0, 0, -1), V(-0.01 * s, s, 0), "0.57 degrees from world x takes the fallback"},
    };
    for (const Case& c : cases) {
        Rk_RefFrameStruct f;
        Rk_RefFrameInit(&f);
        f.origin = P(7, 8, 9);
        ASSERT_EQ(Rk_RefFrameSetAxesByZ(&f, &c.z), 0) << c.why;
        ExpectAxes(f, c.x, c.y, Unit(c.z), 1e-15, c.why);
        ExpectPointNear(f.origin, P(7, 8, 9), 0, "the axis setters leave the origin alone");
    }

    Rk_RefFrameStruct f;
    Rk_RefFrameInit(&f);
    Rk_VectorStruct zero = V(0, 0, 0);
    EXPECT_EQ(Rk_RefFrameSetAxesByZ(&f, &zero), 1);
    EXPECT_ERROR(6, "rk_vec(");
    ExpectAxes(f, V(1, 0, 0), V(0, 1, 0), V(0, 0, 1), 0, "unchanged on failure");
}

TEST_F(RefFrameAxes, TwoVectorRulesKeepTheirFirstAxisExactly)
{
    Rk_RefFrameStruct f;
    Rk_VectorStruct x = V(2, 0, 0), y = V(1, 1, 0);
    ASSERT_EQ(Rk_RefFrameSetAxesByXY(&f, &x, &y), 0);
    ExpectAxes(f, V(1, 0, 0), V(0, 1, 0), V(0, 0, 1), 0, "x along x, y picks the half-plane");
    Rk_VectorStruct below = V(1, -1, 0);
    ASSERT_EQ(Rk_RefFrameSetAxesByXY(&f, &x, &below), 0);
    ExpectAxes(f, V(1, 0, 0), V(0, -1, 0), V(0, 0, -1), 0, "the other half-plane");

    Rk_VectorStruct z = V(0, 0, 1), xz = V(1, 0, 0.5);
    ASSERT_EQ(Rk_RefFrameSetAxesByZX(&f, &z, &xz), 0);
    ExpectAxes(f, V(1, 0, 0), V(0, 1, 0), V(0, 0, 1), 0, "x made perpendicular to z");

    std::mt19937 gen(43);
    std::uniform_real_distribution<double> u(-10.0, 10.0);
    for (int n = 0; n < 100; ++n) {
        const Rk_VectorStruct a = V(u(gen), u(gen), u(gen)), b = V(u(gen), u(gen), u(gen));
        ASSERT_EQ(Rk_RefFrameSetAxesByXY(&f, &a, &b), 0);
        ExpectRightHandedOrthonormal(f, "by x and y");
        ExpectVectorNear(f.x_axis, Unit(a), 1e-15, "x along the first vector");
        EXPECT_GT(Dot(f.y_axis, b), 0.0) << "y on the side of the second";
        ASSERT_EQ(Rk_RefFrameSetAxesByZX(&f, &a, &b), 0);
        ExpectRightHandedOrthonormal(f, "by z and x");
        ExpectVectorNear(f.z_axis, Unit(a), 1e-15, "z along the first vector");
        EXPECT_GT(Dot(f.x_axis, b), 0.0) << "x on the side of the second";
    }

    Rk_VectorStruct along = V(-4, 0, 0);
    const Rk_RefFrameStruct before = f;
    EXPECT_EQ(Rk_RefFrameSetAxesByXY(&f, &x, &along), 1);
    EXPECT_ERROR(6, "rk_vec(");
    EXPECT_EQ(Rk_RefFrameSetAxesByZX(&f, &x, &along), 1);
    EXPECT_ERROR(6, "rk_vec(");
    ExpectAxes(f, before.x_axis, before.y_axis, before.z_axis, 0, "unchanged on failure");
}

TEST_F(RefFrameAxes, ArrayRowsAreMadeUnitButNotOrthogonal)
{
    double vals[4][3] = {{2, 0, 0}, {1, 1, 0}, {0, 0, -3}, {4, 5, 6}};
    Rk_RefFrameStruct f;
    ASSERT_EQ(Rk_RefFrameSetByArray(&f, vals), 0);
    const double h = std::sqrt(0.5);
    ExpectAxes(f, V(1, 0, 0), V(h, h, 0), V(0, 0, -1), 1e-15, "left as given, each made unit");
    double out[4][3] = {};
    Rk_RefFrameGetArray(&f, out);
    EXPECT_EQ(out[1][0], f.y_axis.i_comp);
    EXPECT_EQ(out[3][2], 6.0);
    Rk_VectorStruct x, y, z;
    Rk_PointStruct o;
    Rk_RefFrameGet(&f, &x, &y, &z, &o);
    ExpectPointNear(o, P(4, 5, 6), 0, "origin");
    Rk_RefFrameGetOrigin(&f, &o);
    Rk_RefFrameGetZAxis(&f, &z);
    ExpectVectorNear(z, V(0, 0, -1), 0, "z axis");

    Rk_RefFrameInit(&f);
    double bad[4][3] = {{3, 0, 0}, {0, 0, 0}, {0, 0, 1}, {1, 1, 1}};
    EXPECT_EQ(Rk_RefFrameSetByArray(&f, bad), 1);
    EXPECT_ERROR(6, "rk_vec(");
    ExpectVectorNear(f.x_axis, V(3, 0, 0), 0, "the x row is already stored, not yet made unit");
    ExpectVectorNear(f.y_axis, V(0, 1, 0), 0, "the y axis is kept");
    ExpectPointNear(f.origin, P(0, 0, 0), 0, "the origin is not reached");
}

TEST_F(RefFrameTransform, WorkedExample)
{
    Rk_PointStruct world = P(1, 3, 3), local;
    ASSERT_EQ(Rk_RefFrameTransformWorldPt(&kTurned, &world, &local), 0);
    ExpectPointNear(local, P(1, 0, 0), 0, "world to frame");
    ASSERT_EQ(Rk_RefFrameTransformFramePt(&kTurned, &local, &local), 0) << "in place";
    ExpectPointNear(local, P(1, 3, 3), 1e-15, "frame to world");

    Rk_VectorStruct v = V(0, 2, 0);
    ASSERT_EQ(Rk_RefFrameTransformWorldVec(&kTurned, &v, &v), 0);
    ExpectVectorNear(v, V(2, 0, 0), 0, "a world vector along y runs along the frame's x");
    ASSERT_EQ(Rk_RefFrameTransformFrameVec(&kTurned, &v, &v), 0);
    ExpectVectorNear(v, V(0, 2, 0), 1e-15, "and back");

    Rk_VectorStruct zero = V(0, 0, 0), out = V(5, 5, 5);
    EXPECT_EQ(Rk_RefFrameTransformWorldVec(&kTurned, &zero, &out), 1);
    EXPECT_ERROR(6, "rk_vec(");
    EXPECT_EQ(Rk_RefFrameTransformFrameVec(&kTurned, &zero, &out), 1);
    EXPECT_ERROR(6, "rk_vec(");
    ExpectVectorNear(out, V(5, 5, 5), 0, "unchanged on failure");
}

TEST_F(RefFrameTransform, RoundTripsOnRandomRigidFrames)
{
    std::mt19937 gen(47);
    std::uniform_real_distribution<double> u(-100.0, 100.0);
    for (int n = 0; n < 200; ++n) {
        const Rk_RefFrameStruct f = RandomFrame(gen);
        const Rk_PointStruct p = P(u(gen), u(gen), u(gen));
        Rk_PointStruct local, back;
        ASSERT_EQ(Rk_RefFrameTransformWorldPt(&f, &p, &local), 0);
        EXPECT_NEAR(local.pt_x, Dot(Sub(p, f.origin), f.x_axis), 1e-10);
        ASSERT_EQ(Rk_RefFrameTransformFramePt(&f, &local, &back), 0);
        ExpectPointNear(back, p, 1e-10, "world to frame to world");
        const Rk_PointStruct direct = Along(Along(Along(f.origin, f.x_axis, local.pt_x), f.y_axis, local.pt_y),
                                            f.z_axis, local.pt_z);
        ExpectPointNear(back, direct, 1e-10, "O + x X + y Y + z Z");

        const Rk_VectorStruct v = V(u(gen), u(gen), u(gen));
        Rk_VectorStruct lv, wv;
        ASSERT_EQ(Rk_RefFrameTransformWorldVec(&f, &v, &lv), 0);
        ASSERT_EQ(Rk_RefFrameTransformFrameVec(&f, &lv, &wv), 0);
        ExpectVectorNear(wv, v, 1e-10, "world vector to frame and back");
    }
}

TEST_F(RefFrameTransform, FramePointsOfASkewFrameGoThroughTheInverseFrame)
{
    // Axes stored as given: not orthogonal. Frame to world then builds the inverse frame from the
    // world x and y axes in frame components, completed right-handed, and reads the point in it.
    double vals[4][3] = {{1, 0, 0}, {1, 1, 0}, {0, 0.5, 1}, {1, -2, 3}};
    Rk_RefFrameStruct f;
    ASSERT_EQ(Rk_RefFrameSetByArray(&f, vals), 0);
    const Rk_VectorStruct X = f.x_axis, Y = f.y_axis, Z = f.z_axis;
    const Rk_VectorStruct o = V(f.origin.pt_x, f.origin.pt_y, f.origin.pt_z);
    const Rk_PointStruct inv_origin = P(-Dot(o, X), -Dot(o, Y), -Dot(o, Z));
    const Rk_VectorStruct wx = V(X.i_comp, Y.i_comp, Z.i_comp), wy = V(X.j_comp, Y.j_comp, Z.j_comp);
    const Rk_VectorStruct ix = Unit(wx), iz = Unit(Cross(wx, wy)), iy = Unit(Cross(Cross(wx, wy), wx));

    const Rk_PointStruct local = P(2, -1, 4);
    const Rk_VectorStruct rel = Sub(local, inv_origin);
    const Rk_PointStruct want = P(Dot(rel, ix), Dot(rel, iy), Dot(rel, iz));
    Rk_PointStruct world;
    ASSERT_EQ(Rk_RefFrameTransformFramePt(&f, &local, &world), 0);
    ExpectPointNear(world, want, 1e-12, "the inverse-frame construction");
    const Rk_PointStruct direct = Along(Along(Along(f.origin, X, 2), Y, -1), Z, 4);
    EXPECT_GT(Norm(Sub(world, direct)), 0.1) << "and not O + x X + y Y + z Z for such axes";
}

TEST_F(RefFrameAlign, TurnsTheInPlaneAxesTowardTheOtherFrame)
{
    Rk_RefFrameStruct world;
    Rk_RefFrameInit(&world);
    Rk_RefFrameStruct f = Frame(V(1, 0, 0), V(0, 0, -1), V(0, 1, 0), P(4, 5, 6));
    ASSERT_EQ(Rk_RefFrameAlignXY(&f, &world, &f), 0) << "written over the frame";
    ExpectAxes(f, V(0, 0, 1), V(1, 0, 0), V(0, 1, 0), 1e-15, "z along world y: world z is the reference");
    ExpectPointNear(f.origin, P(4, 5, 6), 0, "the origin is kept");

    const double t = 0.1;
    Rk_RefFrameStruct tilted = Frame(V(0, 1, 0), V(-1, 0, 0), V(0, std::sin(t), std::cos(t)), P(0, 0, 0));
    ASSERT_EQ(Rk_RefFrameAlignXY(&tilted, &world, &world), 0) << "written over the frame aligned to";
    ExpectVectorNear(world.x_axis, V(1, 0, 0), 1e-15, "world x, already perpendicular to z, is kept");
    ExpectVectorNear(world.z_axis, V(0, std::sin(t), std::cos(t)), 1e-15, "z is kept");
    ExpectRightHandedOrthonormal(world, "aligned frame");
}

TEST_F(RefFrameAngles, AzimuthAndInclination)
{
    Rk_RefFrameStruct world;
    Rk_RefFrameInit(&world);
    struct Case {
        Rk_VectorStruct v;
        double rot, inc;
        const char* why;
    } cases[] = {
        {V(1, 1, 0), 45, 0, "toward y is positive"},
        {V(1, -1, 0), -45, 0, "toward -y is negative"},
        {V(-1, 0, 0), 180, 0, "half a turn is 180, not -180"},
        {V(0, 0, -2), 0, -90, "straight down"},
        {V(0, 0.01, 3), 0, 90, "within the angle tolerance of z"},
        {V(1, 0, 1), 0, 45, "half way up"},
        {V(1, -0.01, 0), std::atan(0.01) * 180 / kPi, 0, "within the angle tolerance of x: left unsigned"},
        {V(0, 2, -2), 90, -45, "toward y and down"},
    };
    for (const Case& c : cases) {
        double rot = 99, inc = 99;
        ASSERT_EQ(Rk_RefFrameGetVectorAngles(&world, &c.v, &rot, &inc), 0) << c.why;
        EXPECT_NEAR(rot, c.rot, 1e-12) << c.why;
        EXPECT_NEAR(inc, c.inc, 1e-12) << c.why;
    }
    // In a turned frame the same vector has other angles: world -x is the frame's y.
    Rk_VectorStruct minus_x = V(-1, 0, 0);
    double rot = 0, inc = 0;
    ASSERT_EQ(Rk_RefFrameGetVectorAngles(&kTurned, &minus_x, &rot, &inc), 0);
    EXPECT_NEAR(rot, 90, 1e-12);

    Rk_VectorStruct zero = V(0, 0, 0);
    rot = inc = 7;
    EXPECT_EQ(Rk_RefFrameGetVectorAngles(&world, &zero, &rot, &inc), 1);
    EXPECT_ERROR(6, "rk_vec(");
    EXPECT_EQ(rot, 7.0);
    EXPECT_EQ(inc, 7.0);
}

}  // namespace
