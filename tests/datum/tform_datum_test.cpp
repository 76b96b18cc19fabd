// Transforms from datum geometry (rk_tform): the distinct motions that carry an object's datum frame
// onto a target's, the target's primary and secondary tried in both senses, its planes turned to
// face the object; and the hot paths of frames and motions, which allocate nothing.
#include <string>

#include "datum_helpers.hpp"

namespace {

using namespace datumtest;
using TransformsByGeom = GeomTest;

struct Found {
    int status;
    int num;
    Rk_TransformStruct tfms[4];
};

// Object features o, target features t (primary, secondary, tertiary); the rows are passed as they are.
Found Search(Feature (&o)[3], Feature (&t)[3], double eps = 1.0)
{
    Found f = {-1, -1, {}};
    f.status = Rk_TransformsSetByGeom(&f.num, f.tfms, o[0].type, o[0].rows, t[0].type, t[0].rows, o[1].type, o[1].rows,
                                      t[1].type, t[1].rows, o[2].type, o[2].rows, t[2].type, t[2].rows, eps);
    return f;
}
::testing::AssertionResult Near(const Rk_TransformStruct& a, const Rk_TransformStruct& b, double tol)
{
    return geomtest::Near(a.transform, b.transform, tol);
}

TEST_F(TransformsByGeom, RefusalsKeepTheCountOfTheTransformsKept)
{
    Feature o[3] = {Ln(P(0, 0, 0), P(0, 0, 1)), None(), Pt(P(1, 1, 1))};
    Found f = Search(o, o);
    EXPECT_TRUE(f.status == 1 && f.num == 0 && NextErrorIs(1, "rk_reffr("))
        << "a line primary with a tertiary, no secondary";
    // A target type past the last code is refused before its rows are read: one row is all there is.
    double one_row[1][3] = {{1, 2, 3}};
    Feature point = Pt(P(1, 2, 3)), none = None();
    f.status = Rk_TransformsSetByGeom(&f.num, f.tfms, 1, point.rows, 9, one_row, 0, none.rows, 0, none.rows, 0,
                                      none.rows, 0, none.rows, 1.0);
    EXPECT_TRUE(f.status == 1 && f.num == 0 && NextErrorIs(1, "rk_reffr("));
    // A secondary meeting the primary at its second point 5 degrees from it (eps 10): the x direction
    // from P's first point to S's first point vanishes once S is reversed.
    const double run = std::tan(5.0 * kPi / 180.0) * 10;
    Feature p[3] = {Ln(P(0, 0, 0), P(0, 0, 10)), Ln(P(run, 0, 0), P(0, 0, 10)), Pt(P(3, 4, 5))};
    f = Search(p, p, 10.0);
    EXPECT_TRUE(f.status == 1 && f.num == 1 && f.tfms[0].is_identity == 1 && NextErrorIs(6, "rk_vec("));
}

// Targets moved by random motions: facing the object, the motion comes first; with their senses as
// given, the motion is among the transforms found (once). A tertiary plane stays turned, so the
// schemes whose axes hang on its sense are checked facing only.
TEST_F(TransformsByGeom, RandomMotionsOfTheTargetAreFound)
{
    const struct {
        const char* why;
        Feature f[3];
        bool any_sense;
    } schemes[] = {
        {"plane, line along it, point",
         {Pl(P(0, 0, 0), P(4, 0, 0), P(0, 3, 0)), Ln(P(1, 2, 3), P(6, 2, 3)), Pt(P(2, 7, -1))},
         true},
        {"three planes", {ZPlane(0), XPlane(2), YPlane(-1)}, true},
        {"point, plane, plane", {Pt(P(1, 1, 1)), ZPlane(0), XPlane(4)}, false},
        {"plane, point, point", {ZPlane(0), Pt(P(1, 2, 5)), Pt(P(4, 6, -3))}, true},
        {"plane, line across it, line", {ZPlane(0), Ln(P(1, 1, 1), P(1, 1, 4)), Ln(P(3, 0, 2), P(3, 5, 2))}, true},
        {"line, plane along it, point", {Ln(P(0, 0, 0), P(0, 0, 10)), XPlane(3), Pt(P(5, 5, 7))}, true},
        {"plane, line across it, plane", {ZPlane(0), Ln(P(1, 1, 1), P(1, 1, 4)), XPlane(4)}, false},
        {"three points", {Pt(P(1, 2, 3)), Pt(P(4, -1, 2)), Pt(P(0, 5, -2))}, true},
        {"plane alone with a line", {ZPlane(0), Ln(P(0, 0, 1), P(1, 0, 2)), None()}, true},
        {"line, plane across it, plane", {Ln(kO, P(0, 0, 10)), ZPlane(2), Pl(kO, P(0, 0, 1), P(1, -1, 0))}, true},
    };
    std::mt19937 gen(7321);
    for (const auto& s : schemes) {
        SCOPED_TRACE(s.why);
        for (int trial = 0; trial < 20; ++trial) {
            const Rk_RefFrameStruct m = RandomFrame(gen);
            Feature o[3] = {s.f[0], s.f[1], s.f[2]}, facing[3], moved[3];
            for (int i = 0; i < 3; ++i) moved[i] = Move(o[i], m), facing[i] = Turned(moved[i]);
            const Found first = Search(o, facing), any = Search(o, moved);
            ASSERT_TRUE(first.status == 0 && first.num >= 1 && any.status == 0);
            for (int i = 0; i < 3; ++i)
                EXPECT_TRUE(SameRows(o[i], s.f[i]) && SameRows(facing[i], Turned(moved[i]))) << "the rows were written";
            EXPECT_TRUE(Near(first.tfms[0], OfFrame(m), 1e-7)) << trial;
            int matches = 0;
            for (int k = 0; k < any.num; ++k) matches += Near(any.tfms[k], OfFrame(m), 1e-7) ? 1 : 0;
            EXPECT_TRUE(!s.any_sense || matches == 1) << trial;
            EXPECT_TRUE(std::string(s.why) != "three points" || any.num == 1);
        }
    }
}

TEST_F(TransformsByGeom, HotPathsAllocateNothing)
{
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
    ASSERT_EQ(Rk_LinePointClosestToLine(&l1, &l2, &pt) || Rk_PlaneIntersectPlane(&a, &b, &common), 0);
    ASSERT_EQ(Rk_RefFrameSetByGeom(&frame, 3, plane, 2, line, 1, point, 5.0, &redundant), 0);
    ASSERT_EQ(Rk_TransformsSetByGeom(&num, tfms, 3, plane, 3, plane, 2, line, 2, line, 1, point, 1, point, 5.0), 0);
    Rk_MathSeededRandom(&seed);
    EXPECT_EQ(rk::seam::alloc_calls(), before);
}

}  // namespace
