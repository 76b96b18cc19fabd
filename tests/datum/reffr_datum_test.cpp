// Frames of datum reference frames (rk_reffr): a point, line or plane primary with the kinds of
// secondary and tertiary, the fallbacks that drop a feature adding nothing, the caller's angle and
// the refusals. That a frame moves with its features is shown by the transforms of tform_datum_test.
#include "datum_helpers.hpp"

namespace {

using namespace datumtest;
using FrameByGeom = GeomTest;

struct Built {
    int status;
    Rk_RefFrameStruct frame;
    int redundant;
};

// The frame and the flag start as garbage, so a result the call did not write shows; the rows are
// the caller's own.
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
const Feature kTiltedUp = Pl(P(0, 0, 4), P(1, 0, 4), P(0, 1, 3));

void ExpectFrames(std::initializer_list<Row> rows)
{
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        const Feature rows[3] = {r.pri, r.sec, r.ter};
        const Built b = Build(rows[0], rows[1], rows[2], r.eps);
        ASSERT_EQ(b.status, 0);
        EXPECT_TRUE(SameRows(rows[0], r.pri) && SameRows(rows[1], r.sec) && SameRows(rows[2], r.ter)) << "rows written";
        const Rk_VectorStruct x = Unit(r.x), z = Unit(r.z);
        EXPECT_TRUE(Near(b.frame, Rk_RefFrameStruct{x, Cross(z, x), z, r.origin}, 1e-8));
        EXPECT_EQ(b.redundant, r.redundant);
    }
}

// Each primary with its secondary and tertiary. The caller's angle decides "parallel within eps";
// where a line is within eps of both parallel and perpendicular to a plane, each test applies by its
// own flag and the frame is built as for parallel.
TEST_F(FrameByGeom, EachPrimaryWithItsSecondaryAndTertiary)
{
    const Feature across = Pl(kO, P(0, 0, 1), P(1, -1, 0));
    const Feature three = Ln(P(4, 0, 0), P(4, std::tan(3.0 * kPi / 180.0) * 10, 10));  // 3 degrees from kZLine
    ExpectFrames(
        {{"point alone: world axes at P", Pt(P(1, 2, 3)), None(), None(), P(1, 2, 3), kZ, kX, 0},
         {"point, pt: z toward S", Pt(P(1, 2, 3)), Pt(P(1, 5, 7)), None(), P(1, 2, 3), V(0, 3, 4), kX, 0},
         {"point, pt, pt: x toward T", Pt(kO), kZ5, Pt(P(3, 4, 7)), kO, kZ, V(3, 4, 0), 0},
         {"point, S equal to P: T takes its place", Pt(kO), Pt(P(0.001, 0, 0)), Pt(P(0, 3, 4)), kO, V(0, 3, 4), kX, 1},
         {"point, line: x toward the foot of P", Pt(P(1, 0, 0)), kZ2, None(), P(1, 0, 0), kZ, kMX, 0},
         {"point, plane, line along n: x toward where it meets S", Pt(kO), ZPlane(0), Ln(P(3, 4, 1), P(3, 4, 2)), kO,
          kZ, V(3, 4, 0), 0},
         {"line alone: origin at its middle", kZLine, None(), None(), P(0, 0, 5), kZ, kX, 0},
         {"line, pt off it: origin at its foot, x toward S", kZLine, Pt(P(0, 3, 4)), None(), P(0, 0, 4), kZ, kY, 0},
         {"line, skew line: origin nearest S, x along S", kZLine, Ln(P(0, 3, 2), P(1, 3, 2)), None(), P(0, 0, 2), kZ,
          kX, 0},
         {"line, line equal to P: S dropped", kZLine, Ln(P(0, 0, 2), P(0, 0, 4)), None(), P(0, 0, 5), kZ, kX, 1},
         {"line, plane at 45 degrees: x along P projected on S", kZLine, kTiltedUp, None(), P(0, 0, 4), kZ, kMY, 0},
         {"line, plane across, plane: x along S meet T", kZLine, ZPlane(2), across, P(0, 0, 2), kZ, V(-1, 1, 0), 0},
         {"line, 3 degrees within eps 5: parallel", kZLine, three, None(), P(0, 0, 5), kZ, kX, 0, 5},
         {"line, 3 degrees beyond eps 1: nearest points, x along S", kZLine, three, None(), kO, kZ, kY, 0, 1},
         {"line, both flags, T off P: built as parallel", kZLine, kTiltedUp, Pt(P(3, 0, 7)), P(0, 0, 7), kZ, kX, 0, 50},
         {"line, both flags, T equal to P: the perpendicular test drops T", kZLine, kTiltedUp,
          Ln(P(0, 0, 1), P(0, 0, 2)), P(0, 0, 5), kZ, kX, 1, 50},
         {"plane alone: origin at its first point", kFloor, None(), None(), P(1, 1, 0), kZ, kX, 0},
         {"plane, pt, pt: x between the feet", kFloor, Pt(P(2, 3, 7)), Pt(P(5, 7, -2)), P(2, 3, 0), kZ, V(3, 4, 0), 0},
         {"plane, pt, pt with the same foot: T dropped", kFloor, Pt(P(2, 3, 7)), Pt(P(2, 3, -4)), P(2, 3, 0), kZ, kX,
          1},
         {"plane, line parallel: origin on S's trace", kFloor, Ln(P(0, 5, 3), P(1, 5, 3)), None(), P(1, 5, 0), kZ, kX,
          0},
         {"plane, plane parallel to P: S dropped", kFloor, ZPlane(6), None(), P(1, 1, 0), kZ, kX, 1},
         {"plane, plane, plane: origin where the three meet", kFloor, XPlane(4), YPlane(6), P(4, 6, 0), kZ, kY, 0}});
}

TEST_F(FrameByGeom, RefusalsLeaveTheWorldFrameOrAPartialOne)
{
    // Combinations that fix no frame: the world frame, redundant 0.
    for (auto [pri, sec, ter] :
         {std::tuple{2, 0, 1}, {3, 0, 3}, {0, 1, 1}, {4, 0, 0}, {-1, 0, 0}, {1, 4, 0}, {1, 1, -1}, {1, 0, 7}}) {
        Feature f = Pt(P(1, 2, 3)), g = f, h = f;
        f.type = pri, g.type = sec, h.type = ter;
        const Built b = Build(f, g, h);
        EXPECT_TRUE(b.status == 1 && NextErrorIs(1, "rk_reffr(") && Same(b.frame, kWorld) && b.redundant == 0)
            << pri << sec << ter;
    }
    // Degenerate rows fail with their own error, before any test (a tertiary that would be dropped too);
    // constructions the geometry tolerances refuse where the caller's angle let them through fail too.
    const Feature short_line = Ln(P(0, 0, 0), P(0.005, 0, 0)),
                  half = Ln(P(4, 0, 0), P(4, std::tan(0.5 * kPi / 180) * 10, 10));
    const double lean = std::tan(0.5 * kPi / 180.0);
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
