// Frames of datum reference frames: every case of a point, line or plane primary with each
// secondary and tertiary, the fallbacks that drop a feature, the angle within which lines and
// planes count as parallel or perpendicular, and the refusals.
#include <cmath>
#include <random>

#include "datum_helpers.hpp"
#include "rk_test.hpp"

namespace {

using namespace datumtest;

using FrameByGeom = rktest::LibraryTest;
using FrameByGeomPointPrimary = rktest::LibraryTest;
using FrameByGeomLinePrimary = rktest::LibraryTest;
using FrameByGeomPlanePrimary = rktest::LibraryTest;

constexpr double kZeroEps = 1e-9;  // the default zero tolerance
constexpr double kNear = 1e-8;     // hand-derived origins and axes, after iterative intersections

struct Built {
    int status;
    Rk_RefFrameStruct frame;
    int redundant;
};

// The frame and the flag start as garbage, so a result the call did not write shows.
Built Build(Feature pri, Feature sec, Feature ter, double eps = 1.0)
{
    Built b = {-1, {{9, 9, 9}, {9, 9, 9}, {9, 9, 9}, {9, 9, 9}}, 7};
    b.status = Rk_RefFrameSetByGeom(&b.frame, pri.type, pri.rows, sec.type, sec.rows, ter.type, ter.rows, eps,
                                    &b.redundant);
    return b;
}

struct Row {
    const char* why;
    Feature pri, sec, ter;
    double eps;
    Rk_PointStruct origin;
    Rk_VectorStruct z, x;  // directions; the frame's axes are their unit vectors
    int redundant;
};

void ExpectFrames(const Row* rows, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        const Row& r = rows[i];
        const Built b = Build(r.pri, r.sec, r.ter, r.eps);
        ASSERT_EQ(b.status, 0) << r.why;
        ExpectPointNear(b.frame.origin, r.origin, kNear, r.why);
        ExpectVectorNear(b.frame.z_axis, Unit(r.z), kNear, r.why);
        ExpectVectorNear(b.frame.x_axis, Unit(r.x), kNear, r.why);
        ExpectRightHandedOrthonormal(b.frame, kZeroEps, r.why);
        EXPECT_EQ(b.redundant, r.redundant) << r.why;
    }
}

template <size_t N>
void ExpectFrames(const Row (&rows)[N])
{
    ExpectFrames(rows, N);
}

const Rk_PointStruct kO = P(0, 0, 0);
const Rk_VectorStruct kX = V(1, 0, 0), kY = V(0, 1, 0), kZ = V(0, 0, 1);

// A plane through the origin with normal (0, -1, 1), and one through (0, 0, 4) with normal (0, 1, 1).
const Feature kTiltedDown = Pl(P(0, 0, 0), P(1, 0, 0), P(0, 1, 1));
const Feature kTiltedUp = Pl(P(0, 0, 4), P(1, 0, 4), P(0, 1, 3));

TEST_F(FrameByGeomPointPrimary, EveryCaseAndFallback)
{
    const Row rows[] = {
        {"point alone: world axes at the point", Pt(P(1, 2, 3)), None(), None(), 1, P(1, 2, 3), kZ, kX, 0},
        {"a tertiary without a secondary is ignored, not even built", Pt(P(1, 2, 3)), None(),
         Pl(P(0, 0, 0), P(1, 1, 1), P(2, 2, 2)), 1, P(1, 2, 3), kZ, kX, 0},
        {"point, point: z toward S, completed from z", Pt(P(1, 2, 3)), Pt(P(1, 5, 7)), None(), 1, P(1, 2, 3),
         V(0, 3, 4), kX, 0},
        {"point, point: S equal to P is dropped", Pt(P(1, 2, 3)), Pt(P(1.005, 2, 3)), None(), 1, P(1, 2, 3), kZ, kX,
         1},
        {"three points", Pt(kO), Pt(P(0, 0, 5)), Pt(P(3, 0, 0)), 1, kO, kZ, kX, 0},
        {"three points: x toward T", Pt(kO), Pt(P(0, 0, 5)), Pt(P(3, 4, 7)), 1, kO, kZ, V(3, 4, 0), 0},
        {"three points: S equal to P drops S, T takes its place", Pt(kO), Pt(P(0.001, 0, 0)), Pt(P(0, 3, 4)), 1, kO,
         V(0, 3, 4), kX, 1},
        {"three points: T on the line of P and S is dropped", Pt(kO), Pt(P(0, 0, 5)), Pt(P(0, 0, 9)), 1, kO, kZ, kX,
         1},
        {"point, point, line: x along T", Pt(kO), Pt(P(0, 0, 5)), Ln(P(1, 1, 1), P(1, 3, 1)), 1, kO, kZ, kY, 0},
        {"point, point, line: T parallel to PS, x toward its first point", Pt(kO), Pt(P(0, 0, 5)),
         Ln(P(2, 0, 1), P(2, 0, 4)), 1, kO, kZ, kX, 0},
        {"point, point, line: T equal to PS is dropped", Pt(kO), Pt(P(0, 0, 5)), Ln(P(0, 0, -3), P(0, 0, 7)), 1, kO,
         kZ, kX, 1},
        {"point, point, line: S equal to P drops S", Pt(kO), Pt(kO), Ln(P(0, 2, 0), P(0, 2, 4)), 1, kO, kZ, kY, 1},
        {"point, point, plane: z projected on T", Pt(kO), Pt(P(0, 0, 5)), kTiltedDown, 1, kO, kZ, kY, 0},
        {"point, point, plane: PS parallel to T, x = n(T) x z", Pt(kO), Pt(P(0, 0, 5)), XPlane(3), 1, kO, kZ,
         V(0, -1, 0), 0},
        {"point, point, plane: PS perpendicular to T is dropped", Pt(kO), Pt(P(0, 0, 5)), ZPlane(2), 1, kO, kZ, kX,
         1},
        {"point, point, plane: S equal to P drops S", Pt(kO), Pt(kO), XPlane(3), 1, kO, kX, V(0, 0, -1), 1},
        {"point, line: x toward the foot of P", Pt(P(1, 0, 0)), Ln(kO, P(0, 0, 2)), None(), 1, P(1, 0, 0), kZ,
         V(-1, 0, 0), 0},
        {"point, line: P on S, completed from z", Pt(P(0, 0, 1)), Ln(kO, P(0, 0, 2)), None(), 1, P(0, 0, 1), kZ, kX,
         0},
        {"point, line, point: x toward T", Pt(P(0, 0, 1)), Ln(kO, P(0, 0, 2)), Pt(P(0, 2, 5)), 1, P(0, 0, 1), kZ, kY,
         0},
        {"point, line, point: P off S drops T", Pt(P(1, 0, 0)), Ln(kO, P(0, 0, 2)), Pt(P(0, 2, 5)), 1, P(1, 0, 0), kZ,
         V(-1, 0, 0), 1},
        {"point, line, point: T on S is dropped", Pt(P(0, 0, 1)), Ln(kO, P(0, 0, 2)), Pt(P(0, 0, 7)), 1, P(0, 0, 1),
         kZ, kX, 1},
        {"point, line, line: x along T", Pt(P(0, 0, 1)), Ln(kO, P(0, 0, 2)), Ln(P(5, 5, 5), P(6, 6, 5)), 1,
         P(0, 0, 1), kZ, V(1, 1, 0), 0},
        {"point, line, line: T parallel to S, x toward its first point", Pt(P(0, 0, 1)), Ln(kO, P(0, 0, 2)),
         Ln(P(0, 3, 0), P(0, 3, 1)), 1, P(0, 0, 1), kZ, kY, 0},
        {"point, line, line: T equal to S is dropped", Pt(P(0, 0, 1)), Ln(kO, P(0, 0, 2)),
         Ln(P(0, 0, -4), P(0, 0, 9)), 1, P(0, 0, 1), kZ, kX, 1},
        {"point, line, line: P off S drops T", Pt(P(1, 0, 0)), Ln(kO, P(0, 0, 2)), Ln(P(0, 3, 0), P(0, 3, 1)), 1,
         P(1, 0, 0), kZ, V(-1, 0, 0), 1},
        {"point, line, plane: x along S projected on T", Pt(P(0, 0, 1)), Ln(kO, P(0, 0, 2)), kTiltedDown, 1,
         P(0, 0, 1), kZ, kY, 0},
        {"point, line, plane: S parallel to T, x = n(T) x z", Pt(P(0, 0, 1)), Ln(kO, P(0, 0, 2)), XPlane(3), 1,
         P(0, 0, 1), kZ, V(0, -1, 0), 0},
        {"point, line, plane: S perpendicular to T is dropped", Pt(P(0, 0, 1)), Ln(kO, P(0, 0, 2)), ZPlane(2), 1,
         P(0, 0, 1), kZ, kX, 1},
        {"point, line, plane: P off S drops T", Pt(P(1, 0, 0)), Ln(kO, P(0, 0, 2)), XPlane(3), 1, P(1, 0, 0), kZ,
         V(-1, 0, 0), 1},
        {"point, plane: z along the normal", Pt(P(1, 2, 3)), XPlane(0), None(), 1, P(1, 2, 3), kX, V(0, 0, -1), 0},
        {"point, plane, point: x toward T", Pt(kO), ZPlane(0), Pt(P(2, 2, 5)), 1, kO, kZ, V(1, 1, 0), 0},
        {"point, plane, point: T on the normal through P is dropped", Pt(kO), ZPlane(0), Pt(P(0, 0, 4)), 1, kO, kZ,
         kX, 1},
        {"point, plane, line: x along T", Pt(kO), ZPlane(0), Ln(P(0, 0, 1), P(1, 2, 1)), 1, kO, kZ, V(1, 2, 0), 0},
        {"point, plane, line: T along the normal, x toward where it meets S", Pt(kO), ZPlane(0),
         Ln(P(3, 4, 1), P(3, 4, 2)), 1, kO, kZ, V(3, 4, 0), 0},
        {"point, plane, line: T equal to the normal through P is dropped", Pt(kO), ZPlane(0),
         Ln(P(0, 0, 5), P(0, 0, -1)), 1, kO, kZ, kX, 1},
        {"point, plane, plane: x along S meet T, n(S) x n(T)", Pt(kO), ZPlane(0), YPlane(2), 1, kO, kZ, V(-1, 0, 0),
         0},
        {"point, plane, plane: T parallel to S is dropped", Pt(kO), ZPlane(0), ZPlane(5), 1, kO, kZ, kX, 1},
    };
    ExpectFrames(rows);
}

const Feature kZLine = Ln(P(0, 0, 0), P(0, 0, 10));
const Feature kBeside = Ln(P(4, 0, 0), P(4, 0, 10));  // parallel to kZLine, 4 along x

TEST_F(FrameByGeomLinePrimary, EveryCaseAndFallback)
{
    const double r3 = std::sqrt(3.0) / 2;
    // The plane through the origin at 30 degrees to the z axis (its normal 120 degrees from it).
    const Feature thirty = Pl(kO, P(1, 0, 0), P(0, -0.5, r3));
    const Row rows[] = {
        {"line alone: origin at its middle", kZLine, None(), None(), 1, P(0, 0, 5), kZ, kX, 0},
        {"line, point on it: origin at the point", kZLine, Pt(P(0, 0, 3)), None(), 1, P(0, 0, 3), kZ, kX, 0},
        {"line, point off it: origin at its foot, x toward it", kZLine, Pt(P(0, 3, 4)), None(), 1, P(0, 0, 4), kZ, kY,
         0},
        {"line, point, point: x toward T", kZLine, Pt(P(0, 0, 3)), Pt(P(1, 1, 9)), 1, P(0, 0, 3), kZ, V(1, 1, 0), 0},
        {"line, point, point: S off P drops T", kZLine, Pt(P(0, 3, 4)), Pt(P(1, 1, 9)), 1, P(0, 0, 4), kZ, kY, 1},
        {"line, point, point: T on P is dropped", kZLine, Pt(P(0, 0, 3)), Pt(P(0, 0, 8)), 1, P(0, 0, 3), kZ, kX, 1},
        {"line, point, line: x along T", kZLine, Pt(P(0, 0, 3)), Ln(kO, P(0, 5, 5)), 1, P(0, 0, 3), kZ, kY, 0},
        {"line, point, line: T parallel to P, x toward its first point", kZLine, Pt(P(0, 0, 3)),
         Ln(P(4, 0, 0), P(4, 0, 1)), 1, P(0, 0, 3), kZ, kX, 0},
        {"line, point, line: T equal to P is dropped", kZLine, Pt(P(0, 0, 3)), Ln(P(0, 0, -1), P(0, 0, 20)), 1,
         P(0, 0, 3), kZ, kX, 1},
        {"line, point, line: S off P drops T", kZLine, Pt(P(0, 3, 4)), Ln(kO, P(0, 5, 5)), 1, P(0, 0, 4), kZ, kY, 1},
        {"line, point, plane: x is n(T) made perpendicular to z", kZLine, Pt(P(0, 0, 3)),
         Pl(kO, P(1, 0, 0), P(0, 1, -1)), 1, P(0, 0, 3), kZ, kY, 0},
        {"line, point, plane: P perpendicular to T is dropped", kZLine, Pt(P(0, 0, 3)), ZPlane(7), 1, P(0, 0, 3), kZ,
         kX, 1},
        {"line, point, plane: S off P drops T", kZLine, Pt(P(0, 3, 4)), ZPlane(7), 1, P(0, 0, 4), kZ, kY, 1},
        {"two parallel lines: origin at P's middle, x toward S", kZLine, kBeside, None(), 1, P(0, 0, 5), kZ, kX, 0},
        {"two skew lines: origin at P's point nearest S, x along S", kZLine, Ln(P(0, 3, 2), P(1, 3, 2)), None(), 1,
         P(0, 0, 2), kZ, kX, 0},
        {"line, line: S equal to P is dropped", kZLine, Ln(P(0, 0, 2), P(0, 0, 4)), None(), 1, P(0, 0, 5), kZ, kX, 1},
        {"line, line, point: origin at the foot of T", kZLine, kBeside, Pt(P(7, 7, 3)), 1, P(0, 0, 3), kZ, kX, 0},
        {"line, line, point: S not parallel to P drops T", kZLine, Ln(P(0, 3, 2), P(1, 3, 2)), Pt(P(7, 7, 3)), 1,
         P(0, 0, 2), kZ, kX, 1},
        {"line, line, point: S equal to P drops S", kZLine, Ln(P(0, 0, 2), P(0, 0, 4)), Pt(P(0, 5, 6)), 1, P(0, 0, 6),
         kZ, kY, 1},
        {"line, line, line: origin at P's point nearest T", kZLine, kBeside, Ln(P(0, 5, 3), P(1, 5, 3)), 1,
         P(0, 0, 3), kZ, kX, 0},
        {"line, line, line: T parallel to P is dropped", kZLine, kBeside, Ln(P(0, 5, 0), P(0, 5, 1)), 1, P(0, 0, 5),
         kZ, kX, 1},
        {"line, line, line: S not parallel to P drops T", kZLine, Ln(P(0, 3, 2), P(1, 3, 2)),
         Ln(P(0, 5, 3), P(1, 5, 3)), 1, P(0, 0, 2), kZ, kX, 1},
        {"line, line, plane: origin where P meets T", kZLine, kBeside, ZPlane(2), 1, P(0, 0, 2), kZ, kX, 0},
        {"line, line, plane: P parallel to T is dropped", kZLine, kBeside, XPlane(9), 1, P(0, 0, 5), kZ, kX, 1},
        {"line, line, plane: S equal to P drops S", kZLine, Ln(P(0, 0, 2), P(0, 0, 4)), ZPlane(2), 1, P(0, 0, 2), kZ,
         kX, 1},
        {"line, plane parallel: origin at P's middle, x = n(S) x z", kZLine, XPlane(3), None(), 1, P(0, 0, 5), kZ,
         V(0, -1, 0), 0},
        {"line, plane perpendicular: origin where they meet, completed from z", kZLine, ZPlane(2), None(), 1,
         P(0, 0, 2), kZ, kX, 0},
        {"line, plane at 45 degrees: x along P projected on S", kZLine, kTiltedUp, None(), 1, P(0, 0, 4), kZ,
         V(0, -1, 0), 0},
        {"line, plane, point: parallel, origin at the foot of T", kZLine, XPlane(3), Pt(P(5, 5, 7)), 1, P(0, 0, 7),
         kZ, V(0, -1, 0), 0},
        {"line, plane, point: perpendicular, x toward T", kZLine, ZPlane(2), Pt(P(1, 0, 9)), 1, P(0, 0, 2), kZ, kX,
         0},
        {"line, plane, point: 30 degrees, neither, drops T", kZLine, thirty, Pt(P(5, 5, 5)), 1, kO, kZ, V(0, -1, 0),
         1},
        {"line, plane, point: perpendicular and T on P drops T", kZLine, ZPlane(2), Pt(P(0, 0, 8)), 1, P(0, 0, 2), kZ,
         kX, 1},
        {"line, plane, line: parallel, origin at P's point nearest T", kZLine, XPlane(3), Ln(P(0, 5, 6), P(1, 5, 6)),
         1, P(0, 0, 6), kZ, V(0, -1, 0), 0},
        {"line, plane, line: perpendicular, x along T", kZLine, ZPlane(2), Ln(P(0, 0, 5), P(1, 1, 5)), 1, P(0, 0, 2),
         kZ, V(1, 1, 0), 0},
        {"line, plane, line: perpendicular, T parallel to P, x from P.p1 to T.p1", kZLine, ZPlane(2),
         Ln(P(3, 0, 0), P(3, 0, 1)), 1, P(0, 0, 2), kZ, kX, 0},
        {"line, plane, line: neither drops T", kZLine, kTiltedUp, Ln(P(0, 0, 5), P(1, 1, 5)), 1, P(0, 0, 4), kZ,
         V(0, -1, 0), 1},
        {"line, plane, line: perpendicular and T equal to P drops T", kZLine, ZPlane(2), Ln(P(0, 0, 1), P(0, 0, 3)),
         1, P(0, 0, 2), kZ, kX, 1},
        {"line, plane, line: parallel and T parallel to P drops T", kZLine, XPlane(3), Ln(P(0, 5, 0), P(0, 5, 1)), 1,
         P(0, 0, 5), kZ, V(0, -1, 0), 1},
        {"line, plane, plane: parallel, origin where P meets T", kZLine, XPlane(3), ZPlane(6), 1, P(0, 0, 6), kZ,
         V(0, -1, 0), 0},
        {"line, plane, plane: perpendicular, x along S meet T, n(S) x n(T)", kZLine, ZPlane(2),
         Pl(kO, P(0, 0, 1), P(1, -1, 0)), 1, P(0, 0, 2), kZ, V(-1, 1, 0), 0},
        {"line, plane, plane: neither drops T", kZLine, kTiltedUp, ZPlane(6), 1, P(0, 0, 4), kZ, V(0, -1, 0), 1},
        {"line, plane, plane: perpendicular and P perpendicular to T drops T", kZLine, ZPlane(2), ZPlane(7), 1,
         P(0, 0, 2), kZ, kX, 1},
        {"line, plane, plane: parallel and P parallel to T drops T", kZLine, XPlane(3), YPlane(1), 1, P(0, 0, 5), kZ,
         V(0, -1, 0), 1},
    };
    ExpectFrames(rows);
}

// Primary plane z = 0 whose first point is (1, 1, 0).
const Feature kFloor = Pl(P(1, 1, 0), P(2, 1, 0), P(1, 2, 0));
const Feature kAlongX = Ln(P(0, 5, 3), P(1, 5, 3));  // parallel to kFloor
const Feature kUpright = Ln(P(3, 4, 5), P(3, 4, 9));  // perpendicular to kFloor
const Feature kSlanted = Ln(P(0, 0, 1), P(0, 1, 2));  // 45 degrees to kFloor

TEST_F(FrameByGeomPlanePrimary, EveryCaseAndFallback)
{
    const Row rows[] = {
        {"plane alone: origin at its first point", kFloor, None(), None(), 1, P(1, 1, 0), kZ, kX, 0},
        {"plane, point: origin at its foot", kFloor, Pt(P(2, 3, 7)), None(), 1, P(2, 3, 0), kZ, kX, 0},
        {"plane, point, point: x between the feet", kFloor, Pt(P(2, 3, 7)), Pt(P(5, 7, -2)), 1, P(2, 3, 0), kZ,
         V(3, 4, 0), 0},
        {"plane, point, point: feet equal, T dropped", kFloor, Pt(P(2, 3, 7)), Pt(P(2, 3, -4)), 1, P(2, 3, 0), kZ, kX,
         1},
        {"plane, point, line: x along T", kFloor, Pt(P(2, 3, 7)), Ln(P(0, 0, 5), P(0, 1, 5)), 1, P(2, 3, 0), kZ, kY, 0},
        {"plane, point, line: T along the normal, x toward its first point", kFloor, Pt(P(2, 3, 7)),
         Ln(P(5, 3, 1), P(5, 3, 2)), 1, P(2, 3, 0), kZ, kX, 0},
        {"plane, point, line: T the normal through S is dropped", kFloor, Pt(P(2, 3, 7)), Ln(P(2, 3, -1), P(2, 3, 4)),
         1, P(2, 3, 0), kZ, kX, 1},
        {"plane, point, plane: x along P meet T, n(P) x n(T)", kFloor, Pt(P(2, 3, 7)), XPlane(4), 1, P(2, 3, 0), kZ,
         kY, 0},
        {"plane, point, plane: T parallel to P is dropped", kFloor, Pt(P(2, 3, 7)), ZPlane(5), 1, P(2, 3, 0), kZ, kX,
         1},
        {"plane, line parallel: origin on S's trace, x along S", kFloor, kAlongX, None(), 1, P(1, 5, 0), kZ, kX, 0},
        {"plane, line perpendicular: origin where it meets P", kFloor, kUpright, None(), 1, P(3, 4, 0), kZ, kX, 0},
        {"plane, line at 45 degrees: origin where it meets P, x along it", kFloor, kSlanted, None(), 1, P(0, -1, 0),
         kZ, kY, 0},
        {"plane, line, point: parallel, origin at T's foot on S's trace", kFloor, kAlongX, Pt(P(7, 9, 9)), 1,
         P(7, 5, 0), kZ, kX, 0},
        {"plane, line, point: perpendicular, x toward T", kFloor, kUpright, Pt(P(6, 8, 1)), 1, P(3, 4, 0), kZ,
         V(3, 4, 0), 0},
        {"plane, line, point: neither drops T", kFloor, kSlanted, Pt(P(7, 9, 9)), 1, P(0, -1, 0), kZ, kY, 1},
        {"plane, line, point: perpendicular and T on S drops T", kFloor, kUpright, Pt(P(3, 4, 20)), 1, P(3, 4, 0), kZ,
         kX, 1},
        {"plane, line, line: parallel, origin on S's trace nearest T", kFloor, kAlongX, Ln(P(2, 0, 7), P(2, 1, 7)), 1,
         P(2, 5, 0), kZ, kX, 0},
        {"plane, line, line: perpendicular, T along the normal", kFloor, kUpright, Ln(P(6, 8, 1), P(6, 8, 2)), 1,
         P(3, 4, 0), kZ, V(3, 4, 0), 0},
        {"plane, line, line: perpendicular, x along T", kFloor, kUpright, Ln(P(0, 0, 1), P(0, 1, 1)), 1, P(3, 4, 0),
         kZ, kY, 0},
        {"plane, line, line: neither drops T", kFloor, kSlanted, Ln(P(0, 0, 1), P(0, 1, 1)), 1, P(0, -1, 0), kZ, kY,
         1},
        {"plane, line, line: perpendicular and T equal to S drops T", kFloor, kUpright, Ln(P(3, 4, 0), P(3, 4, 1)), 1,
         P(3, 4, 0), kZ, kX, 1},
        {"plane, line, line: parallel and S parallel to T drops T", kFloor, kAlongX, Ln(P(0, 9, 9), P(1, 9, 9)), 1,
         P(1, 5, 0), kZ, kX, 1},
        {"plane, line, plane: parallel, origin where S's trace meets T", kFloor, kAlongX, XPlane(4), 1, P(4, 5, 0), kZ,
         kX, 0},
        {"plane, line, plane: perpendicular, x along P meet T", kFloor, kUpright, XPlane(4), 1, P(3, 4, 0), kZ, kY, 0},
        {"plane, line, plane: neither drops T", kFloor, kSlanted, XPlane(4), 1, P(0, -1, 0), kZ, kY, 1},
        {"plane, line, plane: perpendicular and P parallel to T drops T", kFloor, kUpright, ZPlane(8), 1, P(3, 4, 0),
         kZ, kX, 1},
        {"plane, line, plane: parallel and S parallel to T drops T", kFloor, kAlongX, YPlane(1), 1, P(1, 5, 0), kZ, kX,
         1},
        {"two planes: origin at the foot of P's first point on their line", kFloor, XPlane(4), None(), 1, P(4, 1, 0),
         kZ, kY, 0},
        {"two planes: S parallel to P is dropped", kFloor, ZPlane(6), None(), 1, P(1, 1, 0), kZ, kX, 1},
        {"plane, plane, point: origin at the foot of T on their line", kFloor, XPlane(4), Pt(P(9, 7, 5)), 1,
         P(4, 7, 0), kZ, kY, 0},
        {"plane, plane, point: S parallel to P drops S", kFloor, ZPlane(6), Pt(P(2, 3, 7)), 1, P(2, 3, 0), kZ, kX, 1},
        {"plane, plane, line: origin on their line nearest T", kFloor, XPlane(4), Ln(P(0, 0, 3), P(1, 0, 3)), 1,
         P(4, 0, 0), kZ, kY, 0},
        {"plane, plane, line: T parallel to their line is dropped", kFloor, XPlane(4), Ln(P(0, 0, 3), P(0, 1, 3)), 1,
         P(4, 1, 0), kZ, kY, 1},
        {"plane, plane, line: S parallel to P drops S", kFloor, ZPlane(6), kAlongX, 1, P(1, 5, 0), kZ, kX, 1},
        {"three planes: origin where they meet", kFloor, XPlane(4), YPlane(6), 1, P(4, 6, 0), kZ, kY, 0},
        {"three planes: T parallel to the line of P and S is dropped", kFloor, XPlane(4), XPlane(9), 1, P(4, 1, 0), kZ,
         kY, 1},
        {"three planes: S parallel to P drops S", kFloor, ZPlane(6), XPlane(4), 1, P(4, 1, 0), kZ, kY, 1},
    };
    ExpectFrames(rows);
}

// The caller's angle decides "parallel within eps"; where a line is within eps of both parallel
// and perpendicular to a plane, each test applies by its own flag and the frame is built as for
// parallel.
TEST_F(FrameByGeom, TheCallersAngleDecidesParallelAndPerpendicular)
{
    const double tilt = std::tan(3.0 * kPi / 180.0) * 10;
    const Feature three_degrees = Ln(P(4, 0, 0), P(4, tilt, 10));
    const Row rows[] = {
        {"lines 3 degrees apart, eps 5: parallel, origin at P's middle", kZLine, three_degrees, None(), 5, P(0, 0, 5),
         kZ, kX, 0},
        {"lines 3 degrees apart, eps 1: origin at P's point nearest S, x along S", kZLine, three_degrees, None(), 1,
         kO, kZ, kY, 0},
        {"lines 3 degrees apart, eps 5, tertiary point kept", kZLine, three_degrees, Pt(P(9, 9, 2)), 5, P(0, 0, 2),
         kZ, kX, 0},
        {"lines 3 degrees apart, eps 1, tertiary point dropped", kZLine, three_degrees, Pt(P(9, 9, 2)), 1, kO, kZ, kY,
         1},
        {"line primary, plane at 45 degrees, eps 50: the parallel branch", kZLine, kTiltedUp, None(), 50, P(0, 0, 5),
         kZ, kX, 0},
        {"both flags, T on P: the perpendicular test drops T", kZLine, kTiltedUp, Pt(P(0, 0, 8)), 50, P(0, 0, 5), kZ,
         kX, 1},
        {"both flags, T off P: built as parallel", kZLine, kTiltedUp, Pt(P(3, 0, 7)), 50, P(0, 0, 7), kZ, kX, 0},
        {"both flags, T equal to P: the perpendicular test drops T", kZLine, kTiltedUp, Ln(P(0, 0, 1), P(0, 0, 2)), 50,
         P(0, 0, 5), kZ, kX, 1},
        {"plane primary, line at 45 degrees, eps 50: the parallel branch, not ByZ", kFloor, kSlanted, None(), 50,
         P(0, 1, 0), kZ, kY, 0},
        {"plane primary, line at 45 degrees, eps 50, T on S: dropped", kFloor, kSlanted, Pt(P(0, 2, 3)), 50,
         P(0, 1, 0), kZ, kY, 1},
    };
    ExpectFrames(rows);
}

TEST_F(FrameByGeom, ACombinationThatFixesNoFrameIsRefused)
{
    const Feature pt = Pt(P(1, 2, 3));
    const struct {
        int pri_type, sec_type, ter_type;
        const char* why;
    } cases[] = {
        {2, 0, 1, "line primary with a tertiary but no secondary"},
        {3, 0, 3, "plane primary with a tertiary but no secondary"},
        {0, 1, 1, "no primary"},
        {4, 0, 0, "primary type past plane"},
        {-1, 0, 0, "negative primary type"},
        {1, 4, 0, "secondary type past plane"},
        {1, 1, -1, "negative tertiary type"},
        {1, 0, 7, "tertiary type past plane, even after a point alone"},
    };
    for (const auto& c : cases) {
        Feature pri = pt, sec = pt, ter = pt;
        pri.type = c.pri_type;
        sec.type = c.sec_type;
        ter.type = c.ter_type;
        const Built b = Build(pri, sec, ter);
        EXPECT_EQ(b.status, 1) << c.why;
        EXPECT_ERROR(1, "rk_reffr(");
        ExpectPointNear(b.frame.origin, kO, 0, c.why);
        ExpectVectorNear(b.frame.x_axis, kX, 0, c.why);
        ExpectVectorNear(b.frame.y_axis, kY, 0, c.why);
        ExpectVectorNear(b.frame.z_axis, kZ, 0, c.why);
        EXPECT_EQ(b.redundant, 0) << c.why;
    }
}

TEST_F(FrameByGeom, ADegenerateFeatureFailsWithoutFallback)
{
    const Feature short_line = Ln(P(0, 0, 0), P(0.005, 0, 0));
    const Feature collinear = Pl(P(0, 0, 0), P(1, 1, 1), P(2, 2, 2));

    Built b = Build(short_line, None(), None());
    EXPECT_EQ(b.status, 1) << "a line primary closer than the point tolerance";
    EXPECT_ERROR(10, "rk_line(");
    EXPECT_EQ(b.redundant, 0);

    b = Build(kFloor, collinear, None());
    EXPECT_EQ(b.status, 1) << "a secondary plane on collinear points";
    EXPECT_ERROR(6, "rk_vec(");

    // The features are built before any test: a tertiary that would be dropped still fails.
    b = Build(kZLine, Pt(P(0, 3, 4)), short_line);
    EXPECT_EQ(b.status, 1) << "a degenerate tertiary with a secondary off the primary";
    EXPECT_ERROR(10, "rk_line(");
}

// Where a within-eps test and the geometry tolerance disagree, the construction is refused by
// its own operation.
TEST_F(FrameByGeom, AConstructionTheGeometryToleranceRefusesFails)
{
    const double tilt = std::tan(0.5 * kPi / 180.0) * 10;
    Built b = Build(kZLine, Ln(P(4, 0, 0), P(4, tilt, 10)), None(), 0.1);
    EXPECT_EQ(b.status, 1) << "lines 0.5 degrees apart are not parallel within 0.1, but have no nearest point";
    EXPECT_ERROR(1, "rk_line(");

    // After a fallback (S equal to P) the inner call fails: the flag stays as that call left it.
    const double lean = std::tan(0.5 * kPi / 180.0);
    const Feature almost_along = Pl(P(0, 0, 0), P(0, 1, 0), P(-lean, 0, 1));  // normal 89.5 degrees from z
    b = Build(kZLine, Ln(P(0, 0, 2), P(0, 0, 4)), almost_along, 0.1);
    EXPECT_EQ(b.status, 1) << "neither within 0.1, but too near parallel for the line to meet the plane";
    EXPECT_ERROR(1, "rk_line(");
    EXPECT_EQ(b.redundant, 0);

    const Feature almost_across = Pl(P(0, 0, 0), P(1, 0, lean), P(0, 1, 0));  // normal 0.5 degrees from z
    b = Build(kZLine, almost_across, None(), 0.1);
    EXPECT_EQ(b.status, 1) << "neither within 0.1, but too near perpendicular to project the line on the plane";
    EXPECT_ERROR(23, "rk_line(");
}

TEST_F(FrameByGeom, LeavesTheCallersRowsAndAllocatesNothing)
{
    Feature pri = kFloor, sec = kAlongX, ter = Pt(P(7, 9, 9));
    const Feature pri0 = pri, sec0 = sec, ter0 = ter;
    const long allocs = rk::seam::alloc_calls();
    const Built b = Build(pri, sec, ter);
    EXPECT_EQ(b.status, 0);
    EXPECT_EQ(rk::seam::alloc_calls(), allocs);
    EXPECT_TRUE(SameRows(pri, pri0) && SameRows(sec, sec0) && SameRows(ter, ter0));
}

// A frame built from moved features is the moved frame, whatever the motion: the axes come from
// the features, not from the world axes (the line two planes share points along n1 x n2).
TEST_F(FrameByGeom, AFrameTurnsWithItsFeatures)
{
    const struct {
        const char* why;
        Feature pri, sec, ter;
    } schemes[] = {
        {"three points", Pt(P(1, 2, 3)), Pt(P(4, -1, 2)), Pt(P(0, 5, -2))},
        {"plane, line, point", kFloor, kAlongX, Pt(P(7, 9, 9))},
        {"three planes", kFloor, XPlane(4), YPlane(6)},
        {"point, plane, plane", Pt(P(1, 1, 1)), ZPlane(0), XPlane(4)},
        {"line, plane, plane", kZLine, ZPlane(2), Pl(kO, P(0, 0, 1), P(1, -1, 0))},
        {"plane, point, plane", kFloor, Pt(P(2, 3, 7)), XPlane(4)},
        {"line, line, point", kZLine, kBeside, Pt(P(7, 7, 3))},
    };
    std::mt19937 gen(20240611);
    for (const auto& s : schemes) {
        const Built home = Build(s.pri, s.sec, s.ter);
        ASSERT_EQ(home.status, 0) << s.why;
        for (int trial = 0; trial < 25; ++trial) {
            const Rk_RefFrameStruct m = RandomFrame(gen);
            const Built moved = Build(Move(s.pri, m), Move(s.sec, m), Move(s.ter, m));
            ASSERT_EQ(moved.status, 0) << s.why;
            const Rk_PointStruct tip_x = Carry(m, Along(home.frame.origin, home.frame.x_axis, 1.0));
            const Rk_PointStruct tip_z = Carry(m, Along(home.frame.origin, home.frame.z_axis, 1.0));
            const Rk_PointStruct origin = Carry(m, home.frame.origin);
            ExpectPointNear(moved.frame.origin, origin, 1e-7, s.why);
            ExpectVectorNear(moved.frame.x_axis, Sub(tip_x, origin), 1e-7, s.why);
            ExpectVectorNear(moved.frame.z_axis, Sub(tip_z, origin), 1e-7, s.why);
        }
    }
}

}  // namespace
