// Transforms from datum geometry (rk_tform): the motions carrying an object's datum frame onto a target's, its primary
// and secondary tried in both senses, its planes turned to face the object; hot paths that allocate nothing.
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

TEST_F(TransformsByGeom, RefusalsKeepTheCountOfTheTransformsKept)
{
    Feature o[3] = {Ln(P(0, 0, 0), P(0, 0, 1)), None(), Pt(P(1, 1, 1))};  // a tertiary without a secondary
    Found f = Search(o, o);
    EXPECT_TRUE(f.status == 1 && f.num == 0 && NextErrorIs(1, "rk_reffr("));
    // A target type past the last code is refused before its rows are read: one row is all there is.
    double one_row[1][3] = {{1, 2, 3}};
    f.status = Rk_TransformsSetByGeom(&f.num, f.tfms, 1, o[2].rows, 9, one_row, 0, o[1].rows, 0, o[1].rows, 0,
                                      o[1].rows, 0, o[1].rows, 1.0);
    EXPECT_TRUE(f.status == 1 && f.num == 0 && NextErrorIs(1, "rk_reffr("));
    // A secondary meeting the primary at its second point 5 degrees from it (eps 10): the x direction
    // from P's first point to S's first point vanishes once S is reversed.
    const double run = std::tan(5.0 * kPi / 180.0) * 10;
    Feature p[3] = {Ln(P(0, 0, 0), P(0, 0, 10)), Ln(P(run, 0, 0), P(0, 0, 10)), Pt(P(3, 4, 5))};
    f = Search(p, p, 10.0);
    EXPECT_TRUE(f.status == 1 && f.num == 1 && f.tfms[0].is_identity == 1 && NextErrorIs(6, "rk_vec("));
}

// Targets moved by random motions: facing the object, the motion comes first; as given, it is found once. A tertiary
// plane stays turned, so the schemes whose axes hang on its sense are checked facing only.
TEST_F(TransformsByGeom, RandomMotionsOfTheTargetAreFound)
{
    const struct {
        bool any_sense;
        const char* why;
        Feature f[3];
    } schemes[] = {
        {true, "plane, line along it, point",
         {Pl(kO, P(4, 0, 0), P(0, 3, 0)), Ln(P(1, 2, 3), P(6, 2, 3)), Pt(P(2, 7, -1))}},
        {true, "three planes", {ZPlane(0), XPlane(2), YPlane(-1)}},
        {false, "point, plane, plane", {Pt(P(1, 1, 1)), ZPlane(0), XPlane(4)}},
        {true, "plane, point, point", {ZPlane(0), Pt(P(1, 2, 5)), Pt(P(4, 6, -3))}},
        {true, "plane, line across it, line", {ZPlane(0), Ln(P(1, 1, 1), P(1, 1, 4)), Ln(P(3, 0, 2), P(3, 5, 2))}},
        {true, "line, plane along it, point", {Ln(P(0, 0, 0), P(0, 0, 10)), XPlane(3), Pt(P(5, 5, 7))}},
        {false, "plane, line across it, plane", {ZPlane(0), Ln(P(1, 1, 1), P(1, 1, 4)), XPlane(4)}},
        {true, "three points", {Pt(P(1, 2, 3)), Pt(P(4, -1, 2)), Pt(P(0, 5, -2))}},
        {true, "plane alone with a line", {ZPlane(0), Ln(P(0, 0, 1), P(1, 0, 2)), None()}},
        {true, "line, plane across it, plane", {Ln(kO, P(0, 0, 10)), ZPlane(2), Pl(kO, P(0, 0, 1), P(1, -1, 0))}},
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
                EXPECT_TRUE(o[i].same(s.f[i]) && facing[i].same(Turned(moved[i]))) << "the rows were written";
            const Rk_TransformStruct want = OfFrame(m);
            EXPECT_TRUE(Near(first.tfms[0].transform, want.transform, 1e-7)) << trial;
            int matches = 0;
            for (int k = 0; k < any.num; ++k) matches += Near(any.tfms[k].transform, want.transform, 1e-7) ? 1 : 0;
            EXPECT_TRUE(!s.any_sense || matches == 1) << trial;
            EXPECT_TRUE(std::string(s.why) != "three points" || any.num == 1);
        }
    }
}

TEST_F(TransformsByGeom, HotPathsAllocateNothing)
{
    Feature f[3] = {Pl(P(0.5, -1, 2), P(4.2, 0.3, 2.9), P(0.1, 3.4, 1.7)), Ln(P(1, 0.5, 3), P(6, 2.1, 3.9)),
                    Pt(P(2, 7, -1))};
    const Rk_LineStruct l1 = {{-100, 0, 0}, {-99, 0, 0}}, l2 = {{0, 0, 5}, {0.9998, 0.02, 5}};
    const Rk_PlaneStruct a = {{10, 20, 0}, {0, 0, 1}}, b = {{0, 0, 3}, {0.02, 0.1, 1}};
    const long before = rk::seam::alloc_calls();
    Rk_PointStruct pt;
    Rk_LineStruct common;
    Rk_RefFrameStruct frame;
    int redundant = 0, seed = 1;
    ASSERT_EQ(Rk_LinePointClosestToLine(&l1, &l2, &pt) || Rk_PlaneIntersectPlane(&a, &b, &common), 0);
    ASSERT_EQ(Rk_RefFrameSetByGeom(&frame, 3, f[0].rows, 2, f[1].rows, 1, f[2].rows, 5.0, &redundant), 0);
    ASSERT_EQ(Search(f, f, 5.0).status, 0);
    Rk_MathSeededRandom(&seed);
    EXPECT_EQ(rk::seam::alloc_calls(), before);
}

}  // namespace
