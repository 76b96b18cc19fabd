// Rigid transforms (rk_tform): the row-vector convention, the identity flag, composition, inversion,
// frames, the images of vectors, lines and planes, and equality.
#include "geometry_helpers.hpp"

namespace {

using namespace geomtest;
using Transform = GeomTest;
using Rows = double[4][3];

Rk_TransformStruct Make(const Rows& rows)
{
    Rk_TransformStruct t;
    EXPECT_EQ(Rk_TransformSet(&t, const_cast<double(*)[3]>(rows)), 0);
    return t;
}
Rk_PointStruct Map(const Rk_TransformStruct& t, Rk_PointStruct p)
{
    return Query<Rk_PointStruct>(Rk_TransformApplyToPoint, &t, &p);
}

TEST_F(Transform, IdentityFlagImagesOfLinesAndPlanesAndEqualityOfRowDirectionsAndTranslations)
{
    Rk_TransformStruct t;
    Rows rows, identity = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 0}};
    OK(Rk_TransformInit(&t) || Rk_TransformGet(&t, rows));
    EXPECT_TRUE(t.is_identity == 1 && std::memcmp(rows, identity, sizeof rows) == 0);
    // A diagonal 5e-10 or 2e-9 off, an entry equal to the tolerance, a translation just over it.
    for (auto [row, col, value, flag] : {std::tuple{0, 0, 1 + 5e-10, 1},
                                         {0, 0, 1 + 2e-9, 0},
                                         {2, 1, 1e-9, 1},
                                         {3, 2, -1.0000001e-9, 0}}) {
        rows[row][col] = value;
        t = Make(rows);
        EXPECT_TRUE(t.is_identity == flag && Query(Rk_TransformIsIdentity, &t) == flag) << row << col << " " << value;
        rows[row][col] = row == col ? 1 : 0;
    }
    t = Make(Rows{{1 + 5e-10, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 0}});
    double x = 0, y = 0, z = 0;
    OK(Rk_TransformApply(&t, 3, 4, 5, &x, &y, &z));
    EXPECT_TRUE(x == 3 && y == 4 && z == 5 &&
                Query<Rk_TransformStruct>(Rk_TransformInvert, &t).transform[0][0] == 1 + 5e-10)
        << "exact copies, not scaled";
    const Rk_TransformStruct a = OfFrame(kTurned), squash = Make(Rows{{1, 0, 0}, {0, 0, 0}, {0, 0, 1}, {0, 0, 0}}),
                             zero_row = Make(Rows{{0, 1, 0}, {0, 0, 0}, {0, 0, 1}, {1, 2, 3}});
    Rk_LineStruct line = L(P(0, 0, 0), P(1, 0, 0));
    Rk_PlaneStruct plane = Pl(P(1, 0, 0), V(2, 0, 0));
    OK(Rk_TransformApplyToLine(&a, &line, &line) || Rk_TransformApplyToPlane(&a, &plane, &plane));
    EXPECT_TRUE(Same(line, L(P(1, 2, 3), P(1, 3, 3))) && Same(plane, Pl(P(1, 3, 3), V(0, 2, 0)))) << "over the inputs";
    // Rows three times as long with translations 0.005 apart; translations the point tolerance
    // apart; a row pointing the other way.
    for (auto [t1, t2, equal] : {std::tuple{a, Make(Rows{{0, 3, 0}, {-3, 0, 0}, {0, 0, 3}, {1.005, 2, 3}}), 1},
                                 {a, Make(Rows{{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}, {1.01, 2, 3}}), 0},
                                 {a, Make(Rows{{0, 1, 0}, {-1, 0, 0}, {0, 0, -1}, {1, 2, 3}}), 0}})
        EXPECT_EQ(Query(Rk_TransformIsEqualToTransform, &t1, &t2), equal) << t2.transform[3][0];
    Rk_LineStruct vertical = L(P(0, 0, 0), P(0, 4, 0));
    Rk_PlaneStruct wall = Pl(P(3, 3, 3), V(0, 1, 0));
    Rk_VectorStruct up = V(0, 5, 0);
    int equal = -1;
    ExpectRefusals(
        {REFUSES(6, vec, Rk_TransformApplyToVector(&squash, &up, &up)),
         REFUSES(10, line, Rk_TransformApplyToLine(&squash, &vertical, &vertical)),
         REFUSES(6, vec, Rk_TransformApplyToPlane(&squash, &wall, &wall)),
         REFUSES(6, vec, Rk_TransformIsEqualToTransform(&a, &zero_row, &equal))},
        [&] {
            return Same(up, V(0, 5, 0)) && Same(vertical.point2, P(0, 4, 0)) && Same(wall.point, P(3, 3, 3)) &&
                   equal == -1;
        });
}

TEST_F(Transform, FramesInversesAndFrameToFrameOnRandomRigidMotions)
{
    Rk_TransformStruct t = OfFrame(kTurned), inv;
    EXPECT_TRUE(t.is_identity == 0 && Same(Map(t, P(1, 0, 0)), P(1, 3, 3)) && Same(Map(t, P(0, 0, 0)), P(1, 2, 3)));
    std::mt19937 gen(59);
    for (int n = 0; n < 100; ++n) {
        const Rk_RefFrameStruct f1 = RandomFrame(gen), f2 = RandomFrame(gen);
        const Rk_PointStruct p = RandomPoint(gen), want = Map(OfFrame(f2), Map(OfFrame(f1), p));
        Rk_TransformStruct both = OfFrame(f2);
        t = OfFrame(f1);
        OK(Rk_TransformSetByTransforms(&both, &t, &both));
        EXPECT_TRUE(Near(Map(both, p), want, 1e-11)) << "the first, then the second, written over the second";
        OK(Rk_TransformInvert(&t, &inv) || Rk_TransformSetByTransforms(&both, &t, &inv));
        EXPECT_EQ(both.is_identity, 1) << "a motion then its inverse";
        OK(Rk_TransformSetByFrameToFrame(&t, &f1, &f2));
        Rk_RefFrameStruct g = {f1.x_axis, f1.y_axis, f1.z_axis, Map(t, f1.origin)};
        for (Rk_VectorStruct* a : {&g.x_axis, &g.y_axis, &g.z_axis}) OK(Rk_TransformApplyToVector(&t, a, a));
        EXPECT_TRUE(Near(g, f2, 1e-10)) << "the first frame carried onto the second";
    }
}

}  // namespace
