// Reference frames (rk_reffr): the axis rules and alignment, world and frame coordinates, and the angles
// of a vector in a frame.
#include "geometry_helpers.hpp"

namespace {

using namespace geomtest;
using RefFrame = GeomTest;

bool Orthonormal(const Rk_RefFrameStruct& f)
{
    return std::fabs(Norm(f.x_axis) - 1) < 1e-12 && std::fabs(Norm(f.y_axis) - 1) < 1e-12 &&
           std::fabs(Dot(f.x_axis, f.y_axis)) < 1e-12 && Near(Cross(f.x_axis, f.y_axis), f.z_axis, 1e-12);
}

TEST_F(RefFrame, AxisRulesAndAlignmentLeaveTheOriginAndArrayRowsAreMadeUnitButNotOrthogonal)
{
    const double s = 1 / std::sqrt(1.0001);
    // World x kept when perpendicular; along and 0.57 degrees from world x, world y is the reference.
    for (auto [z, x, y] : {std::tuple{V(0, 3, 4), V(1, 0, 0), V(0, 0.8, -0.6)},
                           {V(1, 0, 0), V(0, 0, -1), V(0, 1, 0)},
                           {V(1, 0.01, 0), V(0, 0, -1), V(-0.01 * s, s, 0)}}) {
        Rk_RefFrameStruct f = kTurned;
        OK(Rk_RefFrameSetAxesByZ(&f, &z));
        EXPECT_TRUE(Near(f, Rk_RefFrameStruct{x, y, Unit(z), kTurned.origin}, 1e-15)) << Show(z);
    }
    std::mt19937 gen(43);
    for (int n = 0; n < 100; ++n) {
        const Rk_VectorStruct a = RandomVector(gen), b = RandomVector(gen);
        Rk_RefFrameStruct f = kTurned, g = kTurned;
        OK(Rk_RefFrameSetAxesByXY(&f, &a, &b) || Rk_RefFrameSetAxesByZX(&g, &a, &b));
        EXPECT_TRUE(Orthonormal(f) && Near(f.x_axis, Unit(a), 1e-15) && Dot(f.y_axis, b) > 0 &&
                    Same(f.origin, kTurned.origin)) << "x along a, y toward b";
        EXPECT_TRUE(Orthonormal(g) && Near(g.z_axis, Unit(a), 1e-15) && Dot(g.x_axis, b) > 0 &&
                    Same(g.origin, kTurned.origin)) << "z along a, x toward b";
    }
    // Alignment turns the in-plane axes toward the other frame.
    Rk_RefFrameStruct world = kWorld, f = {V(1, 0, 0), V(0, 0, -1), V(0, 1, 0), P(4, 5, 6)};
    OK(Rk_RefFrameAlignXY(&f, &world, &f)) << "written over the frame";
    EXPECT_TRUE(Near(f, Rk_RefFrameStruct{V(0, 0, 1), V(1, 0, 0), V(0, 1, 0), P(4, 5, 6)}, 1e-15)) << "z along world y";
    const Rk_RefFrameStruct tilted = {V(0, 1, 0), V(-1, 0, 0), V(0, std::sin(0.1), std::cos(0.1)), P(0, 0, 0)};
    OK(Rk_RefFrameAlignXY(&tilted, &world, &world)) << "written over the frame aligned to";
    EXPECT_TRUE(Near(world.x_axis, V(1, 0, 0), 1e-15) && Same(world.z_axis, tilted.z_axis) && Orthonormal(world));
    double vals[4][3] = {{2, 0, 0}, {1, 1, 0}, {0, 0, -3}, {4, 5, 6}}, out[4][3] = {};
    Rk_RefFrameStruct m, g, p;
    OK(Rk_RefFrameSetByArray(&m, vals) || Rk_RefFrameGetArray(&m, out));
    EXPECT_TRUE(Near(m, Rk_RefFrameStruct{V(1, 0, 0), Unit(V(1, 1, 0)), V(0, 0, -1), P(4, 5, 6)}, 1e-15));
    EXPECT_EQ(std::memcmp(out, &m, sizeof out), 0) << "rows x, y, z, origin";
    OK(Rk_RefFrameGet(&m, &g.x_axis, &g.y_axis, &g.z_axis, &g.origin) || Rk_RefFrameGetOrigin(&m, &p.origin) ||
       Rk_RefFrameGetZAxis(&m, &p.z_axis) || Rk_RefFrameSetOrigin(&m, &kTurned.origin));
    EXPECT_TRUE(Same(g, Rk_RefFrameStruct{m.x_axis, m.y_axis, p.z_axis, p.origin}) && Same(p.origin, P(4, 5, 6)) &&
                Same(m.origin, kTurned.origin));
    double bad[4][3] = {{3, 0, 0}, {0, 0, 0}, {0, 0, 1}, {1, 1, 1}};
    OK(Rk_RefFrameInit(&m));
    EXPECT_EQ(Rk_RefFrameSetByArray(&m, bad), 1);
    EXPECT_TRUE(NextErrorIs(6, "rk_vec(") && Same(m, Rk_RefFrameStruct{V(3, 0, 0), V(0, 1, 0), V(0, 0, 1), P(0, 0, 0)}))
        << "the x row stored as given, the later axes and the origin unchanged";
}

TEST_F(RefFrame, FrameCoordinatesRoundTripOnRigidFramesAndVectorAnglesAreAzimuthAndInclination)
{
    std::mt19937 gen(47);
    for (int n = 0; n < 100; ++n) {
        const Rk_RefFrameStruct f = RandomFrame(gen);
        const Rk_PointStruct p = RandomPoint(gen, 100);
        const Rk_VectorStruct w = RandomVector(gen);
        Rk_PointStruct q = p;
        Rk_VectorStruct u = w;
        OK(Rk_RefFrameTransformWorldPt(&f, &q, &q) || Rk_RefFrameTransformWorldVec(&f, &u, &u));
        EXPECT_TRUE(Near(Carry(f, q), p, 1e-10));
        EXPECT_TRUE(Near(u, V(Dot(w, f.x_axis), Dot(w, f.y_axis), Dot(w, f.z_axis)), 1e-12));
        OK(Rk_RefFrameTransformFramePt(&f, &q, &q) || Rk_RefFrameTransformFrameVec(&f, &u, &u));
        EXPECT_TRUE(Near(q, p, 1e-10) && Near(u, w, 1e-10)) << "and back, over the inputs";
    }
    // Azimuth and inclination: toward -y, within the angle tolerance of z, within the angle tolerance of x
    // (left unsigned), toward y and down; world -x in the turned frame is its y.
    for (auto [f, v, rot, inc] : {std::tuple{kWorld, V(1, -1, 0), -45.0, 0.0},
                                  {kWorld, V(0, 0.01, 3), 0.0, 90.0},
                                  {kWorld, V(1, -0.01, 0), std::atan(0.01) * 180 / kPi, 0.0},
                                  {kWorld, V(0, 2, -2), 90.0, -45.0},
                                  {kTurned, V(-1, 0, 0), 90.0, 0.0}}) {
        double r = 99, i = 99;
        OK(Rk_RefFrameGetVectorAngles(&f, &v, &r, &i));
        EXPECT_TRUE(std::fabs(r - rot) < 1e-12 && std::fabs(i - inc) < 1e-12) << Show(v);
    }
}

TEST_F(RefFrame, RefusalsLeaveTheOutputsAlone)
{
    const Rk_VectorStruct x = V(2, 0, 0), along = V(-4, 0, 0), zero = V(0, 0, 0);
    Rk_RefFrameStruct f = kTurned, flat = {zero, zero, zero, P(0, 0, 0)};
    Rk_VectorStruct out = V(5, 5, 5);
    double rot = 7, inc = 7;
    ExpectRefusals(
        {REFUSES(6, vec, Rk_RefFrameSetAxesByXY(&f, &x, &along)),
         REFUSES(6, vec, Rk_RefFrameSetAxesByZX(&f, &x, &along)), REFUSES(6, vec, Rk_RefFrameSetAxesByZ(&f, &zero)),
         REFUSES(6, vec, Rk_RefFrameTransformWorldVec(&kTurned, &zero, &out)),
         REFUSES(6, vec, Rk_RefFrameTransformFrameVec(&kTurned, &zero, &out)),
         REFUSES(6, vec, Rk_RefFrameGetVectorAngles(&kWorld, &zero, &rot, &inc)),
         REFUSES(6, vec, Rk_RefFrameTransformFramePt(&flat, &kTurned.origin, &f.origin)),
         REFUSES(6, vec, Rk_RefFrameAlignXY(&flat, &kWorld, &f))},
        [&] { return Same(f, kTurned) && Same(out, V(5, 5, 5)) && rot == 7 && inc == 7; });
}

}  // namespace
