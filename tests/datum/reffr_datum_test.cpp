// Frames of datum reference frames (rk_reffr): each case of a point, line or plane primary, the fallbacks that
// drop a feature adding nothing, the caller's angle, the refusals; tform_datum_test moves frames with features.
#include "datum_helpers.hpp"

namespace {

using namespace datumtest;
using FrameByGeom = GeomTest;

struct Built {
    int status;
    Rk_RefFrameStruct frame;
    int redundant;
};

// The frame and the flag start as garbage, so a result the call did not write shows; rows are the caller's own.
Built Build(const Feature& pri, const Feature& sec, const Feature& ter, double eps = 1.0)
{
    Built b = {-1, {{9, 9, 9}, {9, 9, 9}, {9, 9, 9}, {9, 9, 9}}, 7};
    const auto rows = [](const Feature& f) { return const_cast<double(*)[3]>(f.rows); };
    b.status = Rk_RefFrameSetByGeom(&b.frame, pri.type, rows(pri), sec.type, rows(sec), ter.type, rows(ter), eps,
                                    &b.redundant);
    return b;
}

struct Row {
    const char* why;
    Feature pri, sec, ter;
    Rk_PointStruct origin;
    Rk_VectorStruct z, x;  // directions; the frame's axes are their unit vectors
    int redundant;
    double eps = 1;
};

const Feature kZ5 = Pt(P(0, 0, 5)), kZLine = Ln(P(0, 0, 0), P(0, 0, 10)), kZ2 = Ln(kO, P(0, 0, 2));
const Feature kBeside = Ln(P(4, 0, 0), P(4, 0, 10));  // parallel to kZLine, 4 along x
const Feature kTiltedDown = Pl(kO, P(1, 0, 0), P(0, 1, 1)), kTiltedUp = Pl(P(0, 0, 4), P(1, 0, 4), P(0, 1, 3));
const Feature kAlongX = Ln(P(0, 5, 3), P(1, 5, 3)), kUpright = Ln(P(3, 4, 5), P(3, 4, 9));
const Feature kSlanted = Ln(P(0, 0, 1), P(0, 1, 2)), kOnZ = Ln(P(0, 0, 1), P(0, 0, 2));

TEST_F(FrameByGeom, EachCaseBuildsItsFrame)
{
    const Feature thirty = Pl(kO, P(1, 0, 0), P(0, -0.5, std::sqrt(3.0) / 2));  // 30 degrees to the z axis
    const Feature across = Pl(kO, P(0, 0, 1), P(1, -1, 0));
    const Feature three = Ln(P(4, 0, 0), P(4, std::tan(3.0 * kPi / 180.0) * 10, 10));  // 3 degrees from kZLine
    const Row rows[] = {
        {"no S: T ignored, not built", Pt(P(1, 2, 3)), None(), Pl(kO, P(1, 1, 1), P(2, 2, 2)), P(1, 2, 3), kZ, kX, 0},
        {"pt equal to P: S dropped", Pt(P(1, 2, 3)), Pt(P(1.005, 2, 3)), None(), P(1, 2, 3), kZ, kX, 1},
        {"pt, pt: x toward T", Pt(kO), kZ5, Pt(P(3, 4, 7)), kO, kZ, V(3, 4, 0), 0},
        {"pt, pt on PS: T dropped", Pt(kO), kZ5, Pt(P(0, 0, 9)), kO, kZ, kX, 1},
        {"S equal to P: T takes its place", Pt(kO), Pt(P(0.001, 0, 0)), Pt(P(0, 3, 4)), kO, V(0, 3, 4), kX, 1},
        {"pt, line: x along T", Pt(kO), kZ5, Ln(P(1, 1, 1), P(1, 3, 1)), kO, kZ, kY, 0},
        {"pt, line parallel to PS: x toward T's first point", Pt(kO), kZ5, Ln(P(2, 0, 1), P(2, 0, 4)), kO, kZ, kX, 0},
        {"pt, plane: z projected on T", Pt(kO), kZ5, kTiltedDown, kO, kZ, kY, 0},
        {"pt, plane parallel to PS: x = n(T) x z", Pt(kO), kZ5, XPlane(3), kO, kZ, kMY, 0},
        {"line: x toward the foot of P", Pt(P(1, 0, 0)), kZ2, None(), P(1, 0, 0), kZ, kMX, 0},
        {"line through P: completed from z", Pt(P(0, 0, 1)), kZ2, None(), P(0, 0, 1), kZ, kX, 0},
        {"line, pt: x toward T", Pt(P(0, 0, 1)), kZ2, Pt(P(0, 2, 5)), P(0, 0, 1), kZ, kY, 0},
        {"line, line: x along T", Pt(P(0, 0, 1)), kZ2, Ln(P(5, 5, 5), P(6, 6, 5)), P(0, 0, 1), kZ, V(1, 1, 0), 0},
        {"line, plane: x along S projected on T", Pt(P(0, 0, 1)), kZ2, kTiltedDown, P(0, 0, 1), kZ, kY, 0},
        {"plane: z along the normal", Pt(P(1, 2, 3)), XPlane(0), None(), P(1, 2, 3), kX, V(0, 0, -1), 0},
        {"plane, pt: x toward T", Pt(kO), ZPlane(0), Pt(P(2, 2, 5)), kO, kZ, V(1, 1, 0), 0},
        {"plane, line: x along T", Pt(kO), ZPlane(0), Ln(P(0, 0, 1), P(1, 2, 1)), kO, kZ, V(1, 2, 0), 0},
        {"plane, line along n: x to its foot", Pt(kO), ZPlane(0), Ln(P(3, 4, 1), P(3, 4, 2)), kO, kZ, V(3, 4, 0), 0},
        {"plane, plane: x along n(S) x n(T)", Pt(kO), ZPlane(0), YPlane(2), kO, kZ, kMX, 0},
        {"pt on it: origin at S", kZLine, Pt(P(0, 0, 3)), None(), P(0, 0, 3), kZ, kX, 0},
        {"pt off P, pt: T dropped", kZLine, Pt(P(0, 3, 4)), Pt(P(1, 1, 9)), P(0, 0, 4), kZ, kY, 1},
        {"pt, line: x along T", kZLine, Pt(P(0, 0, 3)), Ln(kO, P(0, 5, 5)), P(0, 0, 3), kZ, kY, 0},
        {"pt, plane: n(T) normal to z", kZLine, Pt(P(0, 0, 3)), Pl(kO, P(1, 0, 0), P(0, 1, -1)), P(0, 0, 3), kZ, kY, 0},
        {"line equal to P: S dropped", kZLine, Ln(P(0, 0, 2), P(0, 0, 4)), None(), P(0, 0, 5), kZ, kX, 1},
        {"line, line: origin nearest T", kZLine, kBeside, Ln(P(0, 5, 3), P(1, 5, 3)), P(0, 0, 3), kZ, kX, 0},
        {"line, plane: origin where P meets T", kZLine, kBeside, ZPlane(2), P(0, 0, 2), kZ, kX, 0},
        {"plane across: origin where they meet", kZLine, ZPlane(2), None(), P(0, 0, 2), kZ, kX, 0},
        {"plane across, pt: x toward T", kZLine, ZPlane(2), Pt(P(1, 0, 9)), P(0, 0, 2), kZ, kX, 0},
        {"plane at 30 degrees, pt: T dropped", kZLine, thirty, Pt(P(5, 5, 5)), kO, kZ, kMY, 1},
        {"plane parallel, line: nearest T", kZLine, XPlane(3), Ln(P(0, 5, 6), P(1, 5, 6)), P(0, 0, 6), kZ, kMY, 0},
        {"plane across, line: x along T", kZLine, ZPlane(2), Ln(P(0, 0, 5), P(1, 1, 5)), P(0, 0, 2), kZ, V(1, 1, 0), 0},
        {"plane parallel, plane: origin where P meets T", kZLine, XPlane(3), ZPlane(6), P(0, 0, 6), kZ, kMY, 0},
        {"plane across, plane: x along S meet T", kZLine, ZPlane(2), across, P(0, 0, 2), kZ, V(-1, 1, 0), 0},
        {"pt, pt: x between the feet", kFloor, Pt(P(2, 3, 7)), Pt(P(5, 7, -2)), P(2, 3, 0), kZ, V(3, 4, 0), 0},
        {"pt, pt with the same foot: T dropped", kFloor, Pt(P(2, 3, 7)), Pt(P(2, 3, -4)), P(2, 3, 0), kZ, kX, 1},
        {"pt, line: x along T", kFloor, Pt(P(2, 3, 7)), Ln(P(0, 0, 5), P(0, 1, 5)), P(2, 3, 0), kZ, kY, 0},
        {"pt, plane: x along P meet T", kFloor, Pt(P(2, 3, 7)), XPlane(4), P(2, 3, 0), kZ, kY, 0},
        {"line parallel: origin on S's trace", kFloor, kAlongX, None(), P(1, 5, 0), kZ, kX, 0},
        {"line across: origin where it meets P", kFloor, kUpright, None(), P(3, 4, 0), kZ, kX, 0},
        {"line parallel, pt: origin at T's foot on the trace", kFloor, kAlongX, Pt(P(7, 9, 9)), P(7, 5, 0), kZ, kX, 0},
        {"line across, pt: x toward T", kFloor, kUpright, Pt(P(6, 8, 1)), P(3, 4, 0), kZ, V(3, 4, 0), 0},
        {"line parallel, line: trace nearest T", kFloor, kAlongX, Ln(P(2, 0, 7), P(2, 1, 7)), P(2, 5, 0), kZ, kX, 0},
        {"line across, line: x along T", kFloor, kUpright, Ln(P(0, 0, 1), P(0, 1, 1)), P(3, 4, 0), kZ, kY, 0},
        {"line parallel, plane: origin where the trace meets T", kFloor, kAlongX, XPlane(4), P(4, 5, 0), kZ, kX, 0},
        {"line across, plane: x along P meet T", kFloor, kUpright, XPlane(4), P(3, 4, 0), kZ, kY, 0},
        {"plane: origin at the foot of P's point on their line", kFloor, XPlane(4), None(), P(4, 1, 0), kZ, kY, 0},
        {"plane parallel to P: S dropped", kFloor, ZPlane(6), None(), P(1, 1, 0), kZ, kX, 1},
        {"plane, pt: origin at T's foot on their line", kFloor, XPlane(4), Pt(P(9, 7, 5)), P(4, 7, 0), kZ, kY, 0},
        {"plane, line: their line nearest T", kFloor, XPlane(4), Ln(P(0, 0, 3), P(1, 0, 3)), P(4, 0, 0), kZ, kY, 0},
        {"plane, plane: origin where the three meet", kFloor, XPlane(4), YPlane(6), P(4, 6, 0), kZ, kY, 0},
        // The caller's angle decides "parallel within eps"; where a line is within eps of both parallel
        // and perpendicular to a plane, each test applies by its own flag and the frame is built as for parallel.
        {"3 degrees within eps 5: parallel", kZLine, three, None(), P(0, 0, 5), kZ, kX, 0, 5},
        {"3 degrees within eps 5: T kept", kZLine, three, Pt(P(9, 9, 2)), P(0, 0, 2), kZ, kX, 0, 5},
        {"3 degrees beyond eps 1: T dropped", kZLine, three, Pt(P(9, 9, 2)), kO, kZ, kY, 1, 1},
        {"both flags, T off P: built as parallel", kZLine, kTiltedUp, Pt(P(3, 0, 7)), P(0, 0, 7), kZ, kX, 0, 50},
        {"both flags, T on P: perpendicular drops it", kZLine, kTiltedUp, kOnZ, P(0, 0, 5), kZ, kX, 1, 50},
        {"plane primary, 45 degrees within 50: parallel", kFloor, kSlanted, None(), P(0, 1, 0), kZ, kY, 0, 50},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << "primary type " << r.pri.type << ", " << r.why);
        const Feature in[3] = {r.pri, r.sec, r.ter};
        const Built b = Build(in[0], in[1], in[2], r.eps);
        ASSERT_EQ(b.status, 0);
        EXPECT_TRUE(in[0].same(r.pri) && in[1].same(r.sec) && in[2].same(r.ter)) << "rows written";
        const Rk_VectorStruct x = Unit(r.x), z = Unit(r.z);
        EXPECT_TRUE(Near(b.frame, Rk_RefFrameStruct{x, Cross(z, x), z, r.origin}, 1e-8));
        EXPECT_EQ(b.redundant, r.redundant);
    }
}

TEST_F(FrameByGeom, RefusalsLeaveTheWorldFrameOrAPartialOne)
{
    // Combinations that fix no frame: the world frame, redundant 0.
    const auto typed = [](int type) { return Feature{type, {{1, 2, 3}}}; };
    for (auto [pri, sec, ter] :
         {std::tuple{2, 0, 1}, {3, 0, 3}, {0, 1, 1}, {4, 0, 0}, {-1, 0, 0}, {1, 4, 0}, {1, 1, -1}, {1, 0, 7}}) {
        const Built b = Build(typed(pri), typed(sec), typed(ter));
        EXPECT_TRUE(b.status == 1 && NextErrorIs(1, "rk_reffr(") && Same(b.frame, kWorld) && b.redundant == 0)
            << pri << sec << ter;
    }
    // Degenerate rows fail with their own error, before any test (a tertiary that would be dropped too);
    // constructions the geometry tolerances refuse where the caller's angle let them through fail too.
    const double lean = std::tan(0.5 * kPi / 180.0);
    const Feature short_line = Ln(P(0, 0, 0), P(0.005, 0, 0)), half = Ln(P(4, 0, 0), P(4, lean * 10, 10));
    for (auto [pri, sec, ter, eps, id, where] :
         {std::tuple{short_line, None(), None(), 1.0, 10, "rk_line("},
          {kFloor, Pl(kO, P(1, 1, 1), P(2, 2, 2)), None(), 1.0, 6, "rk_vec("},
          {kZLine, Pt(P(0, 3, 4)), short_line, 1.0, 10, "rk_line("},
          {kZLine, half, None(), 0.1, 1, "rk_line("},
          {kZLine, Ln(P(0, 0, 2), P(0, 0, 4)), Pl(kO, P(0, 1, 0), P(-lean, 0, 1)), 0.1, 1, "rk_line("},
          {kZLine, Pl(kO, P(1, 0, lean), P(0, 1, 0)), None(), 0.1, 23, "rk_line("}}) {
        const Built b = Build(pri, sec, ter, eps);
        EXPECT_TRUE(b.status == 1 && NextErrorIs(id, where) && b.redundant == 0) << id << " " << eps;
    }
}

}  // namespace
