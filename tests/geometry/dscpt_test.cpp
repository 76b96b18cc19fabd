// Discretized point sets (rk_dscpt): points with optional normals, searches, summaries, extreme
// points, points on lines and planes, duplicate removal, rigid motion, and their failures.
#include "geometry_helpers.hpp"

namespace {

using namespace geomtest;
using DiscPts = GeomTest;
using Points = std::vector<Rk_PointStruct>;
using Op = std::function<int(Rk_DiscPtsStruct*)>;
const Rk_LineStruct kXAxis = L(P(0, 0, 0), P(1, 0, 0));
const Rk_PlaneStruct kGround = Pl(P(0, 0, 0), V(0, 0, 2));

// A set initialised for the test and freed at its end.
struct Set {
    Rk_DiscPtsStruct s;
    Set(const Points& pts = {})
    {
        EXPECT_EQ(Rk_DiscPtsInit(&s), 0);
        for (const Rk_PointStruct& p : pts) EXPECT_EQ(Rk_DiscPtsAddPt(&s, &p, nullptr, 0), 0);
    }
    ~Set() { Rk_DiscPtsFree(&s); }
    void Add(Rk_PointStruct p, Rk_VectorStruct n) { EXPECT_EQ(Rk_DiscPtsAddPt(&s, &p, &n, 1), 0); }
    // Point i, and its normal ((7, 7, 7), unwritten, when it has none).
    std::pair<Rk_PointStruct, Rk_VectorStruct> At(int i) const
    {
        std::pair<Rk_PointStruct, Rk_VectorStruct> pn = {{}, V(7, 7, 7)};
        int flag = -1;
        EXPECT_EQ(Rk_DiscPtsGetPt(&s, i, &pn.first, &pn.second, &flag), 0);
        EXPECT_EQ(flag, Same(pn.second, V(7, 7, 7)) ? 0 : 1);
        return pn;
    }
    Rk_VectorStruct NormalAt(int i) const { return At(i).second; }
    ::testing::AssertionResult Holds(const Points& want) const
    {
        if (Query(Rk_DiscPtsGetNumPts, &s) != static_cast<int>(want.size()) || s.pt_table.num_rows != s.num_pts)
            return ::testing::AssertionFailure() << s.num_pts << " points, " << s.pt_table.num_rows << " rows";
        for (int i = 0; i < s.num_pts; ++i)
            if (!Near(At(i).first, want[i], 1e-12))
                return ::testing::AssertionFailure() << i << ": " << Show(At(i).first);
        return ::testing::AssertionSuccess();
    }
};

TEST_F(DiscPts, NormalsReadBackUnlessWithinTheZeroToleranceAreCopiedAndTurnedByTheRotationOnly)
{
    Set set({P(1, 2, 3)});
    const Rk_VectorStruct normals[] = {V(0, 0, 1), V(1e-10, 0, 0), V(1e-9, -1e-9, 1e-9), V(0, 2e-9, 0)};
    for (int i = 0; i < 4; ++i) set.Add(P(i, 4, 5), normals[i]);
    const Rk_VectorStruct want[] = {V(7, 7, 7), V(0, 0, 1), V(7, 7, 7), V(7, 7, 7), V(0, 2e-9, 0)};
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(Same(set.NormalAt(i), want[i])) << i;
    EXPECT_TRUE(set.Holds({P(1, 2, 3), P(0, 4, 5), P(1, 4, 5), P(2, 4, 5), P(3, 4, 5)})) << "insertion order";
    OK(Rk_DiscPtsClear(&set.s));
    EXPECT_TRUE(set.Holds({}) && set.s.pt_table.num_alloc_rows > 0) << "clear keeps the storage";
    Set from, to({P(9, 9, 9)});
    from.Add(P(1, 2, 3), V(2, 3, 4));
    OK(Rk_DiscPtsAddPt(&from.s, Ptr(P(-1, 0, 5)), nullptr, 0));
    OK(Rk_DiscPtsAddAllPts(&to.s, &from.s) || Rk_DiscPtsAddAllPts(&to.s, &to.s));
    EXPECT_TRUE(to.Holds({P(9, 9, 9), P(1, 2, 3), P(-1, 0, 5), P(9, 9, 9), P(1, 2, 3), P(-1, 0, 5)}) &&
                Same(to.NormalAt(4), V(2, 3, 4))) << "added to itself: doubled once";
    // A quarter turn about z turns the normal, unshifted.
    const Rk_RefFrameStruct turn = {V(0, 1, 0), V(-1, 0, 0), V(0, 0, 1), P(10, 20, 30)};
    Set moved;
    OK(Rk_DiscPtsAddAllPts(&moved.s, &from.s) || Rk_DiscPtsApplyTransform(&moved.s, Ptr(OfFrame(turn))));
    EXPECT_TRUE(moved.Holds({P(8, 21, 33), P(10, 19, 35)}) && Near(moved.NormalAt(0), V(-3, 2, 4), 1e-15) &&
                Same(moved.NormalAt(1), V(7, 7, 7)));
}

TEST_F(DiscPts, SearchesSortAndDuplicatesUseThePointAndZeroTolerances)
{
    Set set({P(5, 0, 0), P(0, 0, 0), P(0.005, 0, 0)});
    // The first equal point, not the nearest; inside the tolerance; at it; absent.
    for (auto [at, found, index] :
         {std::tuple{P(0.004, 0, 0), 1, 1}, {P(5, 0, 0.0099), 1, 0}, {P(-0.01, 0, 0), 0, 42}, {P(2, 0, 0), 0, 42}}) {
        int i = 42, f = -1;
        OK(Rk_DiscPtsFindPt(&set.s, &at, &i, &f));
        EXPECT_TRUE(f == found && i == index) << Show(at);
    }
    Set sorted({P(1, 2, 0), P(0, 9, 9), P(1, 1, -1)});
    sorted.Add(P(1 + 5e-10, 1, 0), V(0, 0, 1));
    OK(Rk_DiscPtsSort(&sorted.s));
    EXPECT_TRUE(sorted.Holds({P(0, 9, 9), P(1, 1, -1), P(1 + 5e-10, 1, 0), P(1, 2, 0)}) &&
                Same(sorted.NormalAt(2), V(0, 0, 1)))
        << "x within the zero tolerance ties and y decides, then z; the normal moves with its point";
    Set kept({P(0, 1, 0), P(0.003, 0, 0), P(0.006, 1, 0)}), run({P(0.012, 0, 0), P(0.006, 0, 0), P(0, 0, 0)});
    OK(Rk_DiscPtsRemoveDupPts(&kept.s) || Rk_DiscPtsRemoveDupPts(&run.s));
    EXPECT_TRUE(kept.Holds({P(0, 1, 0), P(0.003, 0, 0), P(0.006, 1, 0)}) && run.Holds({P(0, 0, 0), P(0.012, 0, 0)}))
        << "equal points the sort keeps apart both stay; a run collapses onto its first member";
    const Rk_PointStruct o = P(0, 0, 0);
    for (auto [pts, index] :
         {std::pair<Points, int>{{P(1, 0, 0), P(0.5, 0, 0)}, 1}, {{P(1, 0, 0), P(1 - 5e-10, 0, 0)}, 0}}) {
        Set set(pts);
        EXPECT_EQ(Query(Rk_DiscPtsGetNearestPt, &set.s, &o), index) << pts.size() << Show(pts.back());
    }
    // The 3-4-5 triangle; collinear (pt3 left as it was); later pairs
    // longer by less and by more than the zero tolerance.
    for (auto [pts, i1, i2, i3, area] :
         {std::tuple<Points, int, int, int, double>{{o, P(3, 0, 0), P(0, 4, 0)}, 1, 2, 0, 6.0},
          {{o, P(1, 0, 0), P(3, 0, 0)}, 0, 2, 77, 0.0},
          {{P(1, 0, 0), P(-1, 0, 0), P(0, 1 + 5e-10, 0), P(0, -1, 0)}, 0, 1, 2, 1 + 5e-10},
          {{P(1, 0, 0), P(-1, 0, 0), P(0, 1 + 3e-9, 0), P(0, -1, 0)}, 2, 3, 0, 1 + 1.5e-9}}) {
        Set set(pts);
        int a = -1, b = -1, t1 = -1, t2 = -1, t3 = 77;
        double got = -1;
        OK(Rk_DiscPtsGet2FarthestPts(&set.s, &a, &b) || Rk_DiscPtsGet3FarthestPts(&set.s, &t1, &t2, &t3, &got));
        EXPECT_TRUE(a == i1 && b == i2 && t1 == i1 && t2 == i2 && t3 == i3 && std::fabs(got - area) < 1e-12)
            << pts.size();
    }
}

TEST_F(DiscPts, AverageBoundsAndTheCentreOfTheBoundsInAFrame)
{
    Set set({P(1, 5, -1), P(-2, 3, 4), P(0, 7, 2)});
    // A point removed last leaves its cells behind the live rows: they must play no part.
    OK(Rk_DiscPtsAddPt(&set.s, Ptr(P(-50, 50, 50)), nullptr, 0) || Rk_DiscPtsRemovePoint(&set.s, Ptr(P(-50, 50, 50))));
    // In a frame turned 45 degrees about z, about (5, 5, 0), x' = (x + y - 10)/sqrt2 spans -9 to -3 and
    // y' = (y - x)/sqrt2 spans 4 to 7 (in 1/sqrt2): the centre (5, 5) + (-6 X + 5.5 Y)/sqrt2 is (-0.75, 4.75).
    const double c = std::sqrt(0.5);
    const Rk_RefFrameStruct turned = {V(c, c, 0), V(-c, c, 0), V(0, 0, 1), P(5, 5, 0)};
    Rk_PointStruct average, centre, world;
    double b[6] = {}, area = 0;
    int far[3] = {};
    OK(Rk_DiscPtsGetBoundingBox(&set.s, &b[0], &b[1], &b[2], &b[3], &b[4], &b[5]) ||
       Rk_DiscPtsGetCenterPt(&set.s, &kWorld, &world) || Rk_DiscPtsGetCenterPt(&set.s, &turned, &centre) ||
       Rk_DiscPtsGetAveragePt(&set.s, &average) || Rk_DiscPtsGet3FarthestPts(&set.s, &far[0], &far[1], &far[2], &area));
    EXPECT_TRUE(b[0] == -2 && b[1] == 1 && b[2] == 3 && b[3] == 7 && b[4] == -1 && b[5] == 4);
    // |(-3, -2, 5) x (-1, 2, 3)| / 2 = |(-16, 4, -8)| / 2: the first two points are the farthest pair.
    EXPECT_TRUE(far[0] == 0 && far[1] == 1 && far[2] == 2 && std::fabs(area - std::sqrt(336.0) / 2) < 1e-12);
    EXPECT_TRUE(Near(average, P(-1.0 / 3, 5, 5.0 / 3), 1e-15) && Near(world, P(-0.5, 5, 1.5), 1e-15) &&
                Near(centre, P(-0.75, 4.75, 1.5), 1e-12));
}

TEST_F(DiscPts, ExtremesPointsOnAndProjectionsAreAppendedAndDeduplicated)
{
    // The corners of a square and not its centre; the yz outline with z along world x.
    const Rk_RefFrameStruct side = {V(0, 1, 0), V(0, 0, 1), V(1, 0, 0), P(7, 0, 0)};
    const Points corners = {P(0, 0, 0), P(1, 0, 0), P(1, 1, 0), P(0, 1, 0), P(0.5, 0.5, 0)},
                  cross = {P(0, 1, 0), P(0, -1, 0), P(9, 0, 0), P(0, 0, 1), P(0, 0, -1)};
    for (auto [in, frame, step, out] :
         {std::tuple{corners, kWorld, 45.0, Points{P(0, 0, 0), P(0, 1, 0), P(1, 0, 0), P(1, 1, 0)}},
          {cross, side, 90.0, Points{P(0, -1, 0), P(0, 0, -1), P(0, 0, 1), P(0, 1, 0)}}}) {
        Set set(in), extent;
        OK(Rk_DiscPtsGetExtentPts(&set.s, &frame, step, &extent.s));
        EXPECT_TRUE(extent.Holds(out)) << step;
    }
    // Points on and projections come without normals.
    Set set({P(1, 1, 0.5), P(-2, 0.004, 0.003), P(3.002, 0, 0)});
    set.Add(P(3, 0, 0), V(0, 0, 1));
    for (auto [op, want] :
         {std::pair<Op, Points>{[&](auto o) { return Rk_DiscPtsGetPtsOnLine(&set.s, &kXAxis, o); },
                                {P(-2, 0.004, 0.003), P(3, 0, 0), P(100, 0, 0)}},
          {[&](auto o) { return Rk_DiscPtsProjOnLine(&set.s, &kXAxis, o); },
           {P(-2, 0, 0), P(1, 0, 0), P(3, 0, 0), P(100, 0, 0)}},
          {[&](auto o) { return Rk_DiscPtsGetPtsOnPlane(&set.s, &kGround, o); },
           {P(-2, 0.004, 0.003), P(3, 0, 0), P(100, 0, 0)}},
          {[&](auto o) { return Rk_DiscPtsProjOnPlane(&set.s, &kGround, o); },
           {P(-2, 0.004, 0), P(1, 1, 0), P(3, 0, 0), P(100, 0, 0)}}}) {
        Set out({P(100, 0, 0)});
        OK(op(&out.s));
        EXPECT_TRUE(out.Holds(want));
        for (int i = 0; i < out.s.num_pts; ++i) EXPECT_TRUE(Same(out.NormalAt(i), V(7, 7, 7))) << "no normal";
    }
}

TEST_F(DiscPts, RefusalsLeaveTheOutputsAlone)
{
    Set none, one({P(1, 0, 0)}), two({P(1, 0, 0), P(2, 0, 0)}), out({P(3, 3, 3)});
    const Rk_PointStruct o = P(0, 0, 0);
    int i1 = 7, i2 = 7, i3 = 7;
    double area = 5, d[6] = {7, 7, 7, 7, 7, 7};
    Rk_PointStruct pt = P(7, 7, 7);
    Rk_VectorStruct n = V(7, 7, 7);
    // The area is written 0 first.
    ExpectRefusals({REFUSES(1, dscpt, Rk_DiscPtsGet3FarthestPts(&two.s, &i1, &i2, &i3, &area)),
                    REFUSES(1, dscpt, Rk_DiscPtsGetNearestPt(&none.s, &o, &i1)),
                    REFUSES(1, dscpt, Rk_DiscPtsGetAveragePt(&none.s, &pt)),
                    REFUSES(1, dscpt, Rk_DiscPtsGetCenterPt(&none.s, &kWorld, &pt)),
                    REFUSES(1, dscpt, Rk_DiscPtsGetBoundingBox(&none.s, &d[0], &d[1], &d[2], &d[3], &d[4], &d[5])),
                    REFUSES(1, dscpt, Rk_DiscPtsGet2FarthestPts(&one.s, &i1, &i2)),
                    REFUSES(1, dbltb, Rk_DiscPtsGetPt(&one.s, 1, &pt, &n, &i1)),
                    REFUSES(1, dscpt, Rk_DiscPtsGetExtentPts(&two.s, &kWorld, 0, &out.s))},
                   [&] {
                       return i1 + i2 + i3 == 21 && area == 0 && Same(pt, P(7, 7, 7)) && Same(n, V(7, 7, 7)) &&
                              d[0] == 7 && d[5] == 7 && out.Holds({P(3, 3, 3)});
                   });
}

TEST_F(DiscPts, AFailurePartWayKeepsWhatWasAppendedAndReleasesWhatItTook)
{
    // A line without direction: a point at its defining point needs none, the next one does.
    Set set({P(0, 0, 0.001), P(5, 0, 0), P(6, 0, 0)}), out({P(9, 0, 0)});
    EXPECT_FAILS(Rk_DiscPtsGetPtsOnLine(&set.s, Ptr(L(P(0, 0, 0), P(0, 0, 0))), &out.s), 6, "rk_vec(");
    EXPECT_FAILS(Rk_DiscPtsProjOnPlane(&set.s, Ptr(Pl(P(0, 0, 0), V(0, 0, 0))), &out.s), 24, "rk_point(");
    EXPECT_TRUE(out.Holds({P(9, 0, 0), P(0, 0, 0.001)})) << "the point appended stays, unsorted";
    Set pair({P(0, 0, 0), P(1, 0, 0)});
    // A set of 25 rows full or nearly: each operation appends until the growth fails, keeping what it appended.
    for (auto [op, fill] :
         {std::pair<Op, int>{[&](auto s) { return Rk_DiscPtsAddPt(s, Ptr(P(1, 1, 1)), nullptr, 0); }, 25},
          {[&](auto s) { return Rk_DiscPtsAddAllPts(s, &pair.s); }, 24},
          {[&](auto s) { return Rk_DiscPtsGetExtentPts(&pair.s, &kWorld, 1, s); }, 24},
          {[&](auto s) { return Rk_DiscPtsGetPtsOnLine(&pair.s, &kXAxis, s); }, 24}}) {
        for (long n = 1; n <= 6; ++n) {
            Set full;
            for (int i = 0; i < fill; ++i) OK(Rk_DiscPtsAddPt(&full.s, Ptr(P(-100 - i, 0, 0)), nullptr, 0));
            const long live = rk::seam::live_blocks();
            const int status = rktest::WithFailingAlloc(n, [&full, &run = op] { return run(&full.s); });
            EXPECT_TRUE(status == 1 && NextErrorIs(11, "rk_dbltb(") && full.s.num_pts == 25 &&
                        rk::seam::live_blocks() == live) << fill << " points, allocation " << n;
        }
    }
}

}  // namespace
