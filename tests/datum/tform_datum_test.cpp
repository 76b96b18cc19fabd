// Transforms from datum geometry: the distinct motions that carry an object's datum frame onto a
// target's, the target's primary and secondary tried in both senses and its planes turned to face
// the object.
#include <random>
#include <string>

#include "datum_helpers.hpp"
#include "rk_test.hpp"

namespace {

using namespace datumtest;

using TransformsByGeom = rktest::LibraryTest;

struct Found {
    int status;
    int num;
    Rk_TransformStruct tfms[4];
};

// The caller's features are passed as they are, so a test can see that they are left alone.
Found Search(Feature& obj_pri, Feature& tar_pri, Feature& obj_sec, Feature& tar_sec, Feature& obj_ter,
             Feature& tar_ter, double eps = 1.0)
{
    Found f = {};
    f.num = -1;
    f.status = Rk_TransformsSetByGeom(&f.num, f.tfms, obj_pri.type, obj_pri.rows, tar_pri.type, tar_pri.rows,
                                      obj_sec.type, obj_sec.rows, tar_sec.type, tar_sec.rows, obj_ter.type,
                                      obj_ter.rows, tar_ter.type, tar_ter.rows, eps);
    return f;
}

// Object and target given as the same features.
Found SearchSame(Feature pri, Feature sec, Feature ter)
{
    Feature tp = pri, ts = sec, tt = ter;
    return Search(pri, tp, sec, ts, ter, tt);
}

Rk_TransformStruct Matrix(Rk_VectorStruct x, Rk_VectorStruct y, Rk_VectorStruct z, Rk_PointStruct shift)
{
    double rows[4][3] = {{x.i_comp, x.j_comp, x.k_comp},
                         {y.i_comp, y.j_comp, y.k_comp},
                         {z.i_comp, z.j_comp, z.k_comp},
                         {shift.pt_x, shift.pt_y, shift.pt_z}};
    Rk_TransformStruct t;
    Rk_TransformSet(&t, rows);
    return t;
}

Rk_TransformStruct MotionOf(const Rk_RefFrameStruct& m) { return Matrix(m.x_axis, m.y_axis, m.z_axis, m.origin); }

Rk_PointStruct Image(const Rk_TransformStruct& t, Rk_PointStruct p)
{
    Rk_PointStruct q = {};
    Rk_TransformApplyToPoint(&t, &p, &q);
    return q;
}

void ExpectTransforms(const Found& f, const Rk_TransformStruct* expected, int count, const char* why)
{
    ASSERT_EQ(f.status, 0) << why;
    ASSERT_EQ(f.num, count) << why;
    for (int k = 0; k < count; ++k)
        EXPECT_LT(MatrixGap(f.tfms[k], expected[k]), 1e-9) << why << ": transform " << k;
}

const Rk_VectorStruct kX = V(1, 0, 0), kY = V(0, 1, 0), kZ = V(0, 0, 1);
const Rk_VectorStruct kMinusX = V(-1, 0, 0), kMinusY = V(0, -1, 0), kMinusZ = V(0, 0, -1);

TEST_F(TransformsByGeom, ThreePointsGiveTheOneMotion)
{
    Feature op = Pt(P(1, 0, 0)), os = Pt(P(0, 2, 0)), ot = Pt(P(0, 0, 3));
    // A quarter turn about z, then a shift by (1, 2, 3): x goes to y, y to -x.
    Feature tp = Pt(P(1, 3, 3)), ts = Pt(P(-1, 2, 3)), tt = Pt(P(1, 2, 6));
    const Rk_TransformStruct motion = Matrix(kY, kMinusX, kZ, P(1, 2, 3));
    ExpectTransforms(Search(op, tp, os, ts, ot, tt), &motion, 1, "every orientation gives the same frames");
}

TEST_F(TransformsByGeom, APlaneAndAPointGiveTwo)
{
    // The first turns the plane over about the line through (2, 3, 0) along x; the second, with the
    // target plane back in its own sense, moves nothing.
    const Rk_TransformStruct expected[] = {Matrix(kX, kMinusY, kMinusZ, P(0, 6, 0)), Matrix(kX, kY, kZ, P(0, 0, 0))};
    ExpectTransforms(SearchSame(ZPlane(0), Pt(P(2, 3, 5)), None()), expected, 2,
                     "a point has no sense: reversing it gives a duplicate");
}

TEST_F(TransformsByGeom, APlaneAndALineNotPerpendicularToItGiveFour)
{
    // The line meets the plane at (-1, 0, 0): each transform keeps that point, and turns the frame
    // about x, y, not at all, or about z.
    const Rk_TransformStruct expected[] = {
        Matrix(kX, kMinusY, kMinusZ, P(0, 0, 0)),
        Matrix(kMinusX, kY, kMinusZ, P(-2, 0, 0)),
        Matrix(kX, kY, kZ, P(0, 0, 0)),
        Matrix(kMinusX, kMinusY, kZ, P(-2, 0, 0)),
    };
    ExpectTransforms(SearchSame(ZPlane(0), Ln(P(0, 0, 1), P(1, 0, 2)), None()), expected, 4,
                     "the secondary reversed, the primary, both");
}

TEST_F(TransformsByGeom, ASinglePlaneAgainstItselfGivesTwoTheFirstTurningItOver)
{
    const Feature plane = Pl(P(1, 2, 0), P(2, 2, 0), P(1, 3, 0));
    const Found f = SearchSame(plane, None(), None());
    const Rk_TransformStruct expected[] = {Matrix(kX, kMinusY, kMinusZ, P(0, 4, 0)), Matrix(kX, kY, kZ, P(0, 0, 0))};
    ExpectTransforms(f, expected, 2, "turned over about the line through its first point along x, then kept");
    EXPECT_EQ(f.tfms[1].is_identity, 1);
}

// Planes 3-2-1: target planes that face the object's, half a turn about the primary's normal away.
// The x axis follows the planes' normals, so the first transform is that half turn.
TEST_F(TransformsByGeom, AHalfTurnAboutThePrimaryIsFound)
{
    const Rk_RefFrameStruct half_turn = {kMinusX, kMinusY, kZ, P(0, 0, 0)};
    Feature op = ZPlane(0), os = XPlane(0), ot = YPlane(0);
    Feature tp = Turned(Move(op, half_turn)), ts = Turned(Move(os, half_turn)), tt = Turned(Move(ot, half_turn));
    const Found f = Search(op, tp, os, ts, ot, tt);
    ASSERT_EQ(f.status, 0);
    ASSERT_GE(f.num, 1);
    EXPECT_LT(MatrixGap(f.tfms[0], Matrix(kMinusX, kMinusY, kZ, P(0, 0, 0))), 1e-9);
}

// A line along the primary plane holds the frame's origin on its trace: mating the lines brings
// the object's line onto the target's, in every transform found.
TEST_F(TransformsByGeom, ALineAlongThePrimaryPlaneIsBroughtOntoItsMate)
{
    const Feature floor = Pl(P(1, 1, 0), P(2, 1, 0), P(1, 2, 0));
    Feature op = floor, os = Ln(P(0, 5, 3), P(1, 5, 3)), ot = None();
    Feature tp = Turned(floor), ts = Ln(P(0, 7, 3), P(1, 7, 3)), tt = None();
    const Found f = Search(op, tp, os, ts, ot, tt);
    ASSERT_EQ(f.status, 0);
    ASSERT_EQ(f.num, 4);
    for (int k = 0; k < f.num; ++k) {
        EXPECT_NEAR(Image(f.tfms[k], P(0, 5, 3)).pt_y, 7.0, 1e-9) << "transform " << k;
        EXPECT_NEAR(Image(f.tfms[k], P(1, 5, 0)).pt_y, 7.0, 1e-9) << "transform " << k;
    }
}

TEST_F(TransformsByGeom, LeavesTheCallersRowsAndAllocatesNothing)
{
    Feature op = ZPlane(0), os = Ln(P(0, 5, 3), P(1, 5, 3)), ot = XPlane(4);
    Feature tp = ZPlane(1), ts = Ln(P(0, 2, 4), P(1, 3, 4)), tt = YPlane(-2);
    const Feature before[] = {op, tp, os, ts, ot, tt};
    const long allocs = rk::seam::alloc_calls();
    const Found f = Search(op, tp, os, ts, ot, tt);
    EXPECT_EQ(f.status, 0);
    EXPECT_EQ(f.num, 4);
    EXPECT_EQ(rk::seam::alloc_calls(), allocs);
    const Feature after[] = {op, tp, os, ts, ot, tt};
    for (int i = 0; i < 6; ++i) EXPECT_TRUE(SameRows(after[i], before[i])) << "feature " << i << " was turned";
}

TEST_F(TransformsByGeom, AnUnsupportedCombinationFailsWithNoTransform)
{
    Feature op = Ln(P(0, 0, 0), P(0, 0, 1)), os = None(), ot = Pt(P(1, 1, 1));
    Feature tp = op, ts = os, tt = ot;
    Found f = Search(op, tp, os, ts, ot, tt);
    EXPECT_EQ(f.status, 1) << "a line primary with a tertiary and no secondary";
    EXPECT_EQ(f.num, 0);
    EXPECT_ERROR(1, "rk_reffr(");

    // A target type past the last code is refused before its rows are read: one row is all there is.
    double one_row[1][3] = {{1, 2, 3}};
    Feature point = Pt(P(1, 2, 3)), none = None();
    f = {};
    f.num = -1;
    f.status = Rk_TransformsSetByGeom(&f.num, f.tfms, 1, point.rows, 9, one_row, 0, none.rows, 0, none.rows, 0,
                                      none.rows, 0, none.rows, 1.0);
    EXPECT_EQ(f.status, 1);
    EXPECT_EQ(f.num, 0) << "the first target frame failed";
    EXPECT_ERROR(1, "rk_reffr(");
}

// A secondary line that meets the primary at its second point, 5 degrees from it (eps 10): the x
// direction from P's first point to S's first point vanishes when S is reversed.
TEST_F(TransformsByGeom, ALaterOrientationThatFailsKeepsTheCountSoFar)
{
    const double run = std::tan(5.0 * kPi / 180.0) * 10;
    Feature op = Ln(P(0, 0, 0), P(0, 0, 10)), os = Ln(P(run, 0, 0), P(0, 0, 10)), ot = Pt(P(3, 4, 5));
    Feature tp = op, ts = os, tt = ot;
    const Found f = Search(op, tp, os, ts, ot, tt, 10.0);
    EXPECT_EQ(f.status, 1);
    EXPECT_EQ(f.num, 1) << "the reference orientation was kept";
    EXPECT_ERROR(6, "rk_vec(");
    EXPECT_EQ(f.tfms[0].is_identity, 1);
}

struct Scheme {
    const char* why;
    Feature pri, sec, ter;
};

// Generic schemes of every kind of primary; the line of "plane, line, point" lies along the plane.
const Scheme kFacingSchemes[] = {
    {"plane, line, point", Pl(P(0, 0, 0), P(4, 0, 0), P(0, 3, 0)), Ln(P(1, 2, 3), P(6, 2, 3)), Pt(P(2, 7, -1))},
    {"three planes", ZPlane(0), XPlane(2), YPlane(-1)},
    {"point, plane, plane", Pt(P(1, 1, 1)), ZPlane(0), XPlane(4)},
    {"plane, point, point", ZPlane(0), Pt(P(1, 2, 5)), Pt(P(4, 6, -3))},
    {"plane, line across it, line", ZPlane(0), Ln(P(1, 1, 1), P(1, 1, 4)), Ln(P(3, 0, 2), P(3, 5, 2))},
    {"line, plane along it, point", Ln(P(0, 0, 0), P(0, 0, 10)), XPlane(3), Pt(P(5, 5, 7))},
    {"plane, line across it, plane", ZPlane(0), Ln(P(1, 1, 1), P(1, 1, 4)), XPlane(4)},
};

// Targets that face the object: the reference orientation is the motion itself.
TEST_F(TransformsByGeom, FacingTargetsOfRandomMotionsGiveTheMotionFirst)
{
    std::mt19937 gen(7321);
    for (const Scheme& s : kFacingSchemes) {
        for (int trial = 0; trial < 20; ++trial) {
            const Rk_RefFrameStruct m = RandomFrame(gen);
            Feature op = s.pri, os = s.sec, ot = s.ter;
            Feature tp = Turned(Move(op, m)), ts = Turned(Move(os, m)), tt = Turned(Move(ot, m));
            const Found f = Search(op, tp, os, ts, ot, tt);
            ASSERT_EQ(f.status, 0) << s.why;
            ASSERT_GE(f.num, 1) << s.why;
            EXPECT_LT(MatrixGap(f.tfms[0], MotionOf(m)), 1e-7) << s.why << ", trial " << trial;
        }
    }
}

// Targets moved with their senses as given: planes are turned to face the object first, so the
// motion is found among the other orientations. (A tertiary plane stays turned, so schemes whose
// axes hang on its sense are left to the facing test above.)
TEST_F(TransformsByGeom, RandomMotionsAreAmongTheTransformsFound)
{
    const Scheme schemes[] = {
        {"three points", Pt(P(1, 2, 3)), Pt(P(4, -1, 2)), Pt(P(0, 5, -2))},
        kFacingSchemes[0],
        kFacingSchemes[1],
        kFacingSchemes[3],
        kFacingSchemes[4],
        kFacingSchemes[5],
        {"plane, plane, point", ZPlane(0), XPlane(4), Pt(P(9, 7, 5))},
        {"plane alone with a line", ZPlane(0), Ln(P(0, 0, 1), P(1, 0, 2)), None()},
    };
    std::mt19937 gen(90210);
    for (const Scheme& s : schemes) {
        for (int trial = 0; trial < 20; ++trial) {
            const Rk_RefFrameStruct m = RandomFrame(gen);
            Feature op = s.pri, os = s.sec, ot = s.ter;
            Feature tp = Move(op, m), ts = Move(os, m), tt = Move(ot, m);
            const Found f = Search(op, tp, os, ts, ot, tt);
            ASSERT_EQ(f.status, 0) << s.why;
            const Rk_TransformStruct motion = MotionOf(m);
            int matches = 0;
            for (int k = 0; k < f.num; ++k) matches += MatrixGap(f.tfms[k], motion) < 1e-7 ? 1 : 0;
            EXPECT_EQ(matches, 1) << s.why << ", trial " << trial;
            if (std::string(s.why) == "three points") {
                EXPECT_EQ(f.num, 1);
            }
        }
    }
}

}  // namespace
