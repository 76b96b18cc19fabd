// Discretized point sets: points with optional normals, searches, summaries, extreme points,
// points on lines and planes, duplicate removal, rigid motion, and their failures.
#include <cmath>
#include <functional>
#include <random>
#include <vector>

#include "geometry_helpers.hpp"
#include "rk_test.hpp"

namespace {

using namespace geomtest;
using rktest::FailingAlloc;

using DiscPts = rktest::LibraryTest;
using DiscPtsSearch = rktest::LibraryTest;
using DiscPtsSummary = rktest::LibraryTest;
using DiscPtsExtent = rktest::LibraryTest;
using DiscPtsLinePlane = rktest::LibraryTest;
using DiscPtsFailure = rktest::LibraryTest;

// A set initialised for the test and freed at its end.
struct Set {
    Rk_DiscPtsStruct s;
    Set() { EXPECT_EQ(Rk_DiscPtsInit(&s), 0); }
    Set(std::initializer_list<Rk_PointStruct> pts) : Set()
    {
        for (const Rk_PointStruct& p : pts) Add(p);
    }
    ~Set() { Rk_DiscPtsFree(&s); }
    Set(const Set&) = delete;
    Set& operator=(const Set&) = delete;

    void Add(const Rk_PointStruct& p) { EXPECT_EQ(Rk_DiscPtsAddPt(&s, &p, nullptr, 0), 0); }
    void Add(const Rk_PointStruct& p, const Rk_VectorStruct& n) { EXPECT_EQ(Rk_DiscPtsAddPt(&s, &p, &n, 1), 0); }

    int Count() const
    {
        int n = -1;
        Rk_DiscPtsGetNumPts(&s, &n);
        EXPECT_EQ(n, s.pt_table.num_rows) << "num_pts must follow the table";
        return n;
    }

    std::vector<Rk_PointStruct> Points() const
    {
        std::vector<Rk_PointStruct> out;
        for (int i = 0; i < s.pt_table.num_rows; ++i) {
            Rk_PointStruct p = {};
            Rk_VectorStruct n = {};
            int flag = 0;
            EXPECT_EQ(Rk_DiscPtsGetPt(&s, i, &p, &n, &flag), 0);
            out.push_back(p);
        }
        return out;
    }

    // The normal of point `i`, or nothing.
    bool Normal(int i, Rk_VectorStruct* n) const
    {
        Rk_PointStruct p = {};
        int flag = -1;
        EXPECT_EQ(Rk_DiscPtsGetPt(&s, i, &p, n, &flag), 0);
        return flag == 1;
    }
};

void ExpectPoints(const Set& set, const std::vector<Rk_PointStruct>& want, const char* why)
{
    const std::vector<Rk_PointStruct> got = set.Points();
    ASSERT_EQ(got.size(), want.size()) << why;
    EXPECT_EQ(set.Count(), static_cast<int>(want.size())) << why;
    for (std::size_t i = 0; i < want.size(); ++i) ExpectPointNear(got[i], want[i], 1e-12, why);
}

const Rk_RefFrameStruct kWorld = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 0}};

TEST_F(DiscPts, NormalsReadBackOrAreLost)
{
    Set set;
    set.Add(P(1, 2, 3));
    set.Add(P(4, 5, 6), V(0, 0, 1));
    set.Add(P(7, 8, 9), V(1e-10, 0, 0));
    set.Add(P(0, 0, 0), V(1e-9, -1e-9, 1e-9));
    set.Add(P(0, 0, 1), V(0, 2e-9, 0));
    const struct {
        int index;
        bool has;
        Rk_VectorStruct normal;
        const char* why;
    } cases[] = {
        {0, false, {}, "added with norm_set 0"},
        {1, true, {0, 0, 1}, "a unit normal"},
        {2, false, {}, "a normal shorter than the zero tolerance in every component is lost"},
        {3, false, {}, "components equal to the zero tolerance count as zero"},
        {4, true, {0, 2e-9, 0}, "one component above the zero tolerance keeps the normal"},
    };
    for (const auto& c : cases) {
        Rk_VectorStruct n = {7, 7, 7};
        EXPECT_EQ(set.Normal(c.index, &n), c.has) << c.why;
        ExpectVectorNear(n, c.has ? c.normal : V(7, 7, 7), 0, c.has ? c.why : "a missing normal is not written");
    }
    ExpectPoints(set, {P(1, 2, 3), P(4, 5, 6), P(7, 8, 9), P(0, 0, 0), P(0, 0, 1)}, "insertion order");
}

TEST_F(DiscPts, ClearEmptiesAndKeepsStorageFreeReleases)
{
    Set set = {P(1, 0, 0), P(2, 0, 0)};
    EXPECT_EQ(Rk_DiscPtsClear(&set.s), 0);
    EXPECT_EQ(set.Count(), 0);
    EXPECT_GT(set.s.pt_table.num_alloc_rows, 0) << "clear keeps the storage";
    set.Add(P(3, 0, 0));
    EXPECT_EQ(Rk_DiscPtsFree(&set.s), 0);
    EXPECT_EQ(set.s.num_pts, 0);
    EXPECT_EQ(set.s.pt_table.num_alloc_rows, 0);
    EXPECT_EQ(Rk_DiscPtsFree(&set.s), 0) << "freeing twice is harmless";
    EXPECT_EQ(Rk_DiscPtsInit(&set.s), 0) << "a freed set may be initialised again";
    EXPECT_EQ(set.Count(), 0);
}

TEST_F(DiscPts, AddAllCopiesPointsWithTheirNormalsAndASetAddedToItselfDoubles)
{
    Set from, to = {P(9, 9, 9)};
    from.Add(P(1, 0, 0), V(0, 1, 0));
    from.Add(P(2, 0, 0));
    EXPECT_EQ(Rk_DiscPtsAddAllPts(&to.s, &from.s), 0);
    ExpectPoints(to, {P(9, 9, 9), P(1, 0, 0), P(2, 0, 0)}, "appended after what the set held");
    Rk_VectorStruct n = {};
    EXPECT_TRUE(to.Normal(1, &n));
    ExpectVectorNear(n, V(0, 1, 0), 0, "the normal travels");
    EXPECT_FALSE(to.Normal(2, &n));

    EXPECT_EQ(Rk_DiscPtsAddAllPts(&from.s, &from.s), 0);
    ExpectPoints(from, {P(1, 0, 0), P(2, 0, 0), P(1, 0, 0), P(2, 0, 0)}, "the count is taken once");
}

TEST_F(DiscPts, ApplyTransformMovesPointsAndTurnsNormalsByTheRotationOnly)
{
    Set set;
    set.Add(P(1, 2, 3), V(1, 0, 0));
    set.Add(P(-1, 0, 5));
    double shift[4][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {10, 20, 30}};
    double quarter[4][3] = {{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}, {10, 20, 30}};
    double near_identity[4][3] = {{1 + 5e-10, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 5e-10}};
    const struct {
        double (*rows)[3];
        Rk_PointStruct p0, p1;
        Rk_VectorStruct n0;
        const char* why;
    } cases[] = {
        {shift, P(11, 22, 33), P(9, 20, 35), V(1, 0, 0), "a pure translation leaves the normal"},
        {quarter, P(8, 21, 33), P(10, 19, 35), V(0, 1, 0), "a quarter turn about z turns the normal, unshifted"},
        {near_identity, P(1, 2, 3), P(-1, 0, 5), V(1, 0, 0), "a transform flagged as identity moves nothing"},
    };
    for (const auto& c : cases) {
        Set moved;
        EXPECT_EQ(Rk_DiscPtsAddAllPts(&moved.s, &set.s), 0);
        Rk_TransformStruct t;
        Rk_TransformSet(&t, c.rows);
        EXPECT_EQ(Rk_DiscPtsApplyTransform(&moved.s, &t), 0);
        ExpectPoints(moved, {c.p0, c.p1}, c.why);
        Rk_VectorStruct n = {};
        EXPECT_TRUE(moved.Normal(0, &n)) << c.why;
        ExpectVectorNear(n, c.n0, 1e-15, c.why);
        EXPECT_FALSE(moved.Normal(1, &n)) << "a row without a normal keeps none: " << c.why;
    }
}

TEST_F(DiscPtsSearch, FindTakesTheFirstPointWithinThePointTolerance)
{
    Set set = {P(5, 0, 0), P(0, 0, 0), P(0.005, 0, 0)};
    const struct {
        Rk_PointStruct at;
        int found, index;
        const char* why;
    } cases[] = {
        {P(0.004, 0, 0), 1, 1, "the first equal point, not the nearest"},
        {P(5, 0, 0.0099), 1, 0, "just inside the point tolerance"},
        {P(-0.01, 0, 0), 0, 42, "at exactly the point tolerance is not equal"},
        {P(2, 0, 0), 0, 42, "absent: index untouched"},
    };
    for (const auto& c : cases) {
        int index = 42, found = -1;
        EXPECT_EQ(Rk_DiscPtsFindPt(&set.s, &c.at, &index, &found), 0);
        EXPECT_EQ(found, c.found) << c.why;
        EXPECT_EQ(index, c.index) << c.why;
    }
}

TEST_F(DiscPtsSearch, RemovePointTakesEveryPointWithinThePointTolerance)
{
    Set set = {P(0, 0, 0), P(0.005, 0, 0), P(1, 0, 0)};
    const Rk_PointStruct origin = P(0, 0, 0);
    EXPECT_EQ(Rk_DiscPtsRemovePoint(&set.s, &origin), 0);
    ExpectPoints(set, {P(1, 0, 0)}, "both points near the origin go");
    EXPECT_EQ(Rk_DiscPtsRemovePoint(&set.s, &origin), 0);
    ExpectPoints(set, {P(1, 0, 0)}, "removing an absent point changes nothing");

    Set mixed = {P(0, 0, 0), P(1, 0, 0), P(0.001, 0, 0), P(2, 0, 0), P(0, 0.002, 0)};
    EXPECT_EQ(Rk_DiscPtsRemovePoint(&mixed.s, &origin), 0);
    ExpectPoints(mixed, {P(1, 0, 0), P(2, 0, 0)}, "scattered matches go, the others keep their order");
}

TEST_F(DiscPtsSearch, SortOrdersByXThenYThenZWithTheirNormals)
{
    Set set;
    set.Add(P(1, 2, 0));
    set.Add(P(1 + 5e-10, 1, 0), V(0, 0, 1));
    set.Add(P(0, 9, 9));
    set.Add(P(1, 1, -1));
    EXPECT_EQ(Rk_DiscPtsSort(&set.s), 0);
    ExpectPoints(set, {P(0, 9, 9), P(1, 1, -1), P(1 + 5e-10, 1, 0), P(1, 2, 0)},
                 "x within the zero tolerance ties and y decides, then z");
    Rk_VectorStruct n = {};
    EXPECT_TRUE(set.Normal(2, &n)) << "the normal moves with its point";
}

TEST_F(DiscPtsSearch, DuplicateRemovalComparesSortedNeighboursOnly)
{
    const struct {
        std::vector<Rk_PointStruct> in, out;
        const char* why;
    } cases[] = {
        {{P(1, 0, 0), P(0, 0, 0), P(1.005, 0, 0)}, {P(0, 0, 0), P(1, 0, 0)}, "sorted, then the neighbour dropped"},
        {{P(0, 1, 0), P(0.003, 0, 0), P(0.006, 1, 0)},
         {P(0, 1, 0), P(0.003, 0, 0), P(0.006, 1, 0)},
         "equal points separated in the sorted order both stay"},
        {{P(0.012, 0, 0), P(0.006, 0, 0), P(0, 0, 0)},
         {P(0, 0, 0), P(0.012, 0, 0)},
         "a run collapses onto its first member, which the next point is compared with"},
        {{}, {}, "an empty set"},
    };
    for (const auto& c : cases) {
        Set set;
        for (const Rk_PointStruct& p : c.in) set.Add(p);
        EXPECT_EQ(Rk_DiscPtsRemoveDupPts(&set.s), 0) << c.why;
        ExpectPoints(set, c.out, c.why);
    }
}

TEST_F(DiscPtsSearch, NearestPointTiesGoToTheLowestIndex)
{
    const struct {
        std::vector<Rk_PointStruct> pts;
        int index;
        const char* why;
    } cases[] = {
        {{P(1, 0, 0), P(-1, 0, 0)}, 0, "equally near: the first"},
        {{P(1, 0, 0), P(0.5, 0, 0)}, 1, "a later point that is nearer"},
        {{P(1, 0, 0), P(1 - 5e-10, 0, 0)}, 0, "nearer by less than the zero tolerance is not nearer"},
        {{P(3, 0, 0)}, 0, "a single point"},
    };
    for (const auto& c : cases) {
        Set set;
        for (const Rk_PointStruct& p : c.pts) set.Add(p);
        const Rk_PointStruct origin = P(0, 0, 0);
        int index = -1;
        EXPECT_EQ(Rk_DiscPtsGetNearestPt(&set.s, &origin, &index), 0);
        EXPECT_EQ(index, c.index) << c.why;
    }
}

TEST_F(DiscPtsSearch, FarthestPairAndTriangle)
{
    const struct {
        std::vector<Rk_PointStruct> pts;
        int i1, i2, i3;
        double area;
        const char* why;
    } cases[] = {
        {{P(0, 0, 0), P(3, 0, 0), P(0, 4, 0)}, 1, 2, 0, 6.0, "the 3-4-5 triangle"},
        {{P(0, 0, 0), P(1, 0, 0), P(1, 1, 0), P(0, 1, 0)}, 0, 2, 1, 0.5, "equal diagonals: the first pair wins"},
        {{P(0, 0, 0), P(1, 0, 0), P(3, 0, 0)}, 0, 2, 77, 0.0, "collinear: pt3_index left as the caller set it"},
        {{P(1, 1, 1), P(1, 1, 1), P(1, 1, 1)}, 0, 1, 0, 0.0, "coincident points: (0, 1), and pt3 is pt1"},
        {{P(1, 0, 0), P(-1, 0, 0), P(0, 1 + 5e-10, 0), P(0, -1, 0)}, 0, 1, 2, 1 + 5e-10,
         "a later pair longer by less than the zero tolerance is not longer"},
        {{P(1, 0, 0), P(-1, 0, 0), P(0, 1 + 3e-9, 0), P(0, -1, 0)}, 2, 3, 0, 1 + 1.5e-9,
         "a later pair longer by more than the zero tolerance wins"},
        {{P(0, 0, 0), P(5, 2, 1), P(10, 0, 0), P(5, -1, -2)}, 0, 2, 1, 5.0 * std::sqrt(5.0),
         "points equally high above the pair's line: the first"},
    };
    for (const auto& c : cases) {
        Set set;
        for (const Rk_PointStruct& p : c.pts) set.Add(p);
        int a = -1, b = -1;
        EXPECT_EQ(Rk_DiscPtsGet2FarthestPts(&set.s, &a, &b), 0);
        EXPECT_EQ(a, c.i1) << c.why;
        EXPECT_EQ(b, c.i2) << c.why;
        int t1 = -1, t2 = -1, t3 = 77;
        double area = -1;
        EXPECT_EQ(Rk_DiscPtsGet3FarthestPts(&set.s, &t1, &t2, &t3, &area), 0);
        EXPECT_EQ(t1, c.i1) << c.why;
        EXPECT_EQ(t2, c.i2) << c.why;
        EXPECT_EQ(t3, c.i3) << c.why;
        EXPECT_NEAR(area, c.area, 1e-12) << c.why;
    }
}

TEST_F(DiscPtsSearch, FarthestPairIsTheFirstOfTheLongestAmongManyTies)
{
    // Integer coordinates in a small cube: many pairs share the longest distance, and distinct
    // distances differ by far more than the zero tolerance.
    std::mt19937 gen(7);
    std::uniform_int_distribution<int> u(0, 4);
    for (int round = 0; round < 20; ++round) {
        Set set;
        std::vector<Rk_PointStruct> pts;
        for (int i = 0; i < 60; ++i) {
            pts.push_back(P(u(gen), u(gen), u(gen)));
            set.Add(pts.back());
        }
        int want1 = -1, want2 = -1;
        double best = -1;
        for (int i = 0; i < 60; ++i)
            for (int j = i + 1; j < 60; ++j) {
                const double sq = Dot(Sub(pts[j], pts[i]), Sub(pts[j], pts[i]));
                if (sq > best) {
                    best = sq;
                    want1 = i;
                    want2 = j;
                }
            }
        int a = -1, b = -1;
        EXPECT_EQ(Rk_DiscPtsGet2FarthestPts(&set.s, &a, &b), 0);
        EXPECT_EQ(a, want1) << "round " << round;
        EXPECT_EQ(b, want2) << "round " << round;
    }
}

TEST_F(DiscPtsSummary, AverageBoundingBoxAndCentre)
{
    Set set = {P(0, 0, 0), P(2, 0, 0), P(0, 4, 0)};
    Rk_PointStruct average = {};
    EXPECT_EQ(Rk_DiscPtsGetAveragePt(&set.s, &average), 0);
    ExpectPointNear(average, P(2.0 / 3.0, 4.0 / 3.0, 0), 1e-15, "the mean");
    Rk_PointStruct centre = {};
    EXPECT_EQ(Rk_DiscPtsGetCenterPt(&set.s, &kWorld, &centre), 0);
    ExpectPointNear(centre, P(1, 2, 0), 1e-15, "the middle of the world bounds");

    // In a frame turned 45 degrees about z the bounds are those of (x + y)/sqrt2 and (y - x)/sqrt2.
    const double c = std::sqrt(0.5);
    const Rk_RefFrameStruct turned = {{c, c, 0}, {-c, c, 0}, {0, 0, 1}, {5, 5, 0}};
    const double u_mid = (0 + 4 * c) / 2, v_mid = (-2 * c + 4 * c) / 2;
    EXPECT_EQ(Rk_DiscPtsGetCenterPt(&set.s, &turned, &centre), 0);
    ExpectPointNear(centre, P(u_mid * c - v_mid * c, u_mid * c + v_mid * c, 0), 1e-12, "bounds taken in the frame");

    Set spread = {P(1, 5, -1), P(-2, 3, 4), P(0, 7, 2)};
    double b[6] = {};
    EXPECT_EQ(Rk_DiscPtsGetBoundingBox(&spread.s, &b[0], &b[1], &b[2], &b[3], &b[4], &b[5]), 0);
    const double want[6] = {-2, 1, 3, 7, -1, 4};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(b[i], want[i]) << "bound " << i;
}

TEST_F(DiscPtsExtent, TheCornersOfASquareAndNotItsCentre)
{
    Set set = {P(0, 0, 0), P(1, 0, 0), P(1, 1, 0), P(0, 1, 0), P(0.5, 0.5, 0)};
    Set extent;
    EXPECT_EQ(Rk_DiscPtsGetExtentPts(&set.s, &kWorld, 45, &extent.s), 0);
    ExpectPoints(extent, {P(0, 0, 0), P(0, 1, 0), P(1, 0, 0), P(1, 1, 0)}, "the four corners, sorted");
}

TEST_F(DiscPtsExtent, OnePassTiesKeepTheLowerIndexAndNormalsTravel)
{
    // A step of 180 degrees sweeps the frame's x direction alone.
    Set set;
    set.Add(P(0, 0, 0), V(0, 0, 1));
    set.Add(P(1, 0, 0));
    set.Add(P(1, 1, 0));
    set.Add(P(0, 1, 0));
    Set extent = {P(-50, 0, 0)};
    EXPECT_EQ(Rk_DiscPtsGetExtentPts(&set.s, &kWorld, 180, &extent.s), 0);
    ExpectPoints(extent, {P(-50, 0, 0), P(0, 0, 0), P(1, 0, 0)}, "added to what the set held, deduplicated, sorted");
    Rk_VectorStruct n = {};
    EXPECT_TRUE(extent.Normal(1, &n));
    ExpectVectorNear(n, V(0, 0, 1), 0, "the extreme point keeps its normal");
}

TEST_F(DiscPtsExtent, TheSweepLiesInTheFramesXyPlane)
{
    // z along the world x axis: the far point along x is never an extreme.
    const Rk_RefFrameStruct side = {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}, {7, 0, 0}};
    Set set = {P(0, 1, 0), P(0, -1, 0), P(9, 0, 0), P(0, 0, 1), P(0, 0, -1)};
    Set extent;
    EXPECT_EQ(Rk_DiscPtsGetExtentPts(&set.s, &side, 90, &extent.s), 0);
    ExpectPoints(extent, {P(0, -1, 0), P(0, 0, -1), P(0, 0, 1), P(0, 1, 0)}, "the yz outline");
}

TEST_F(DiscPtsExtent, SmallSetsAreCopiedWhole)
{
    Set one = {P(1, 2, 3)}, two = {P(4, 0, 0), P(4, 0, 0)}, none;
    Set extent;
    EXPECT_EQ(Rk_DiscPtsGetExtentPts(&none.s, &kWorld, 10, &extent.s), 0);
    EXPECT_EQ(extent.Count(), 0) << "an empty set adds nothing";
    EXPECT_EQ(Rk_DiscPtsGetExtentPts(&two.s, &kWorld, 10, &extent.s), 0);
    EXPECT_EQ(Rk_DiscPtsGetExtentPts(&one.s, &kWorld, 10, &extent.s), 0);
    ExpectPoints(extent, {P(4, 0, 0), P(4, 0, 0), P(1, 2, 3)}, "appended as they are, duplicates kept");
}

TEST_F(DiscPtsExtent, AStepThatIsNotPositiveIsRefused)
{
    Set none, two = {P(0, 0, 0), P(1, 0, 0)}, four = {P(0, 0, 0), P(1, 0, 0), P(1, 1, 0), P(0, 1, 0)};
    for (const Set* set : {&none, &two, &four}) {
        for (double delta : {0.0, -10.0, std::nan("")}) {
            Set extent = {P(3, 3, 3)};
            EXPECT_EQ(Rk_DiscPtsGetExtentPts(&set->s, &kWorld, delta, &extent.s), 1) << delta;
            EXPECT_ERROR(1, "rk_dscpt(");
            ExpectPoints(extent, {P(3, 3, 3)}, "nothing appended");
        }
    }
}

TEST_F(DiscPtsExtent, ASetMayReceiveItsOwnExtremes)
{
    // 40 points on a circle: the appended extremes make the set's storage grow while it is swept.
    Set set;
    for (int i = 0; i < 40; ++i) set.Add(P(std::cos(i * kPi / 20), std::sin(i * kPi / 20), 0));
    EXPECT_EQ(Rk_DiscPtsGetExtentPts(&set.s, &kWorld, 4.5, &set.s), 0);
    EXPECT_EQ(set.Count(), 40) << "every extreme is one of its own points";
}

TEST_F(DiscPtsLinePlane, PointsOnAndProjectionsAreAppendedWithoutNormalsAndDeduplicated)
{
    const Rk_LineStruct x_axis = L(P(0, 0, 0), P(1, 0, 0));
    const Rk_PlaneStruct ground = Pl(P(0, 0, 0), V(0, 0, 2));
    using Op = std::function<int(const Rk_DiscPtsStruct*, Rk_DiscPtsStruct*)>;
    const struct {
        Op op;
        std::vector<Rk_PointStruct> out;
        const char* why;
    } cases[] = {
        {[&](auto in, auto out) { return Rk_DiscPtsGetPtsOnLine(in, &x_axis, out); },
         {P(-2, 0.004, 0.003), P(3, 0, 0), P(100, 0, 0)},
         "points within the point tolerance of the line"},
        {[&](auto in, auto out) { return Rk_DiscPtsProjOnLine(in, &x_axis, out); },
         {P(-2, 0, 0), P(1, 0, 0), P(3, 0, 0), P(100, 0, 0)},
         "feet on the line"},
        {[&](auto in, auto out) { return Rk_DiscPtsGetPtsOnPlane(in, &ground, out); },
         {P(-2, 0.004, 0.003), P(3, 0, 0), P(100, 0, 0)},
         "points within the point tolerance of the plane"},
        {[&](auto in, auto out) { return Rk_DiscPtsProjOnPlane(in, &ground, out); },
         {P(-2, 0.004, 0), P(1, 1, 0), P(3, 0, 0), P(100, 0, 0)},
         "feet on the plane"},
    };
    Set set;
    set.Add(P(3, 0, 0), V(0, 0, 1));
    set.Add(P(1, 1, 0.5));
    set.Add(P(-2, 0.004, 0.003));
    set.Add(P(3.002, 0, 0));
    for (const auto& c : cases) {
        Set out = {P(100, 0, 0)};
        EXPECT_EQ(c.op(&set.s, &out.s), 0) << c.why;
        ExpectPoints(out, c.out, c.why);
        for (int i = 0; i < out.Count(); ++i) {
            Rk_VectorStruct n = {};
            EXPECT_FALSE(out.Normal(i, &n)) << c.why;
        }
    }
}

TEST_F(DiscPtsFailure, EmptyAndTooSmallSetsAreRefused)
{
    Set none, one = {P(1, 0, 0)}, two = {P(1, 0, 0), P(2, 0, 0)};
    const Rk_PointStruct origin = P(0, 0, 0);
    int i1 = 7, i2 = 7, i3 = 7;
    double area = 5, d[6] = {7, 7, 7, 7, 7, 7};
    Rk_PointStruct pt = P(7, 7, 7);
    EXPECT_EQ(Rk_DiscPtsGetNearestPt(&none.s, &origin, &i1), 1);
    EXPECT_ERROR(1, "rk_dscpt(");
    EXPECT_EQ(Rk_DiscPtsGetAveragePt(&none.s, &pt), 1);
    EXPECT_ERROR(1, "rk_dscpt(");
    EXPECT_EQ(Rk_DiscPtsGetBoundingBox(&none.s, &d[0], &d[1], &d[2], &d[3], &d[4], &d[5]), 1);
    EXPECT_ERROR(1, "rk_dscpt(");
    EXPECT_EQ(Rk_DiscPtsGetCenterPt(&none.s, &kWorld, &pt), 1);
    EXPECT_ERROR(1, "rk_dscpt(");
    EXPECT_EQ(Rk_DiscPtsGet2FarthestPts(&one.s, &i1, &i2), 1);
    EXPECT_ERROR(1, "rk_dscpt(");
    EXPECT_EQ(Rk_DiscPtsGet3FarthestPts(&two.s, &i1, &i2, &i3, &area), 1);
    EXPECT_ERROR(1, "rk_dscpt(");
    EXPECT_EQ(i1 + i2 + i3, 21) << "no index written";
    EXPECT_EQ(area, 0.0) << "the area is cleared before the count is checked";
    ExpectPointNear(pt, P(7, 7, 7), 0, "no point written");
    for (double v : d) EXPECT_EQ(v, 7.0) << "no bound written";
}

TEST_F(DiscPtsFailure, AFreedSetAndABadIndexFailInTheTable)
{
    Set set = {P(1, 0, 0)};
    Rk_PointStruct pt = P(7, 7, 7);
    Rk_VectorStruct n = {};
    int flag = 7;
    for (int index : {-1, 1}) {
        EXPECT_EQ(Rk_DiscPtsGetPt(&set.s, index, &pt, &n, &flag), 1);
        EXPECT_ERROR(1, "rk_dbltb(");
    }
    EXPECT_EQ(flag, 7);
    ExpectPointNear(pt, P(7, 7, 7), 0, "nothing written for a bad index");

    Rk_DiscPtsFree(&set.s);
    int index = 0;
    EXPECT_EQ(Rk_DiscPtsAddPt(&set.s, &pt, nullptr, 0), 1);
    EXPECT_ERROR(1, "rk_dbltb(");
    EXPECT_EQ(Rk_DiscPtsGetNearestPt(&set.s, &pt, &index), 1);
    EXPECT_ERROR(1, "rk_dbltb(");
    EXPECT_EQ(Rk_DiscPtsRemoveDupPts(&set.s), 1);
    EXPECT_ERROR(1, "rk_dbltb(");
    EXPECT_EQ(Rk_DiscPtsClear(&set.s), 1);
    EXPECT_ERROR(1, "rk_dbltb(");

    // A table of another width is no point set: its columns are not read.
    Rk_DiscPtsStruct narrow = {};
    ASSERT_EQ(Rk_DblTableInit(&narrow.pt_table, 3), 0);
    const double row[3] = {1, 2, 3};
    Rk_DblTableAddRow(&narrow.pt_table, row);
    EXPECT_EQ(Rk_DiscPtsGetNearestPt(&narrow, &pt, &index), 1);
    EXPECT_ERROR(1, "rk_dscpt(");
    Rk_DblTableFree(&narrow.pt_table);

    // Nor is a wider one: adding or reading a point must not move more than six cells.
    for (int width : {3, 7}) {
        Rk_DiscPtsStruct other = {};
        ASSERT_EQ(Rk_DblTableInit(&other.pt_table, width), 0);
        const double cells[7] = {1, 2, 3, 4, 5, 6, 7};
        Rk_DblTableAddRow(&other.pt_table, cells);
        EXPECT_EQ(Rk_DiscPtsAddPt(&other, &pt, nullptr, 0), 1) << width << " columns";
        EXPECT_ERROR(1, "rk_dscpt(");
        flag = 7;
        EXPECT_EQ(Rk_DiscPtsGetPt(&other, 0, &pt, &n, &flag), 1) << width << " columns";
        EXPECT_ERROR(1, "rk_dscpt(");
        EXPECT_EQ(flag, 7);
        int ncols = 0, nrows = 0;
        Rk_DblTableGetSize(&other.pt_table, &ncols, &nrows);
        EXPECT_EQ(nrows, 1) << "nothing appended to a table of " << width << " columns";
        Rk_DblTableFree(&other.pt_table);
    }
}

TEST_F(DiscPtsFailure, AFailureInTheMiddleOfALoopKeepsWhatWasAppended)
{
    // A line without direction: a point at one of its defining points needs none, the next does.
    const Rk_LineStruct no_direction = L(P(0, 0, 0), P(0, 0, 0));
    Set set = {P(0, 0, 0.001), P(5, 0, 0), P(6, 0, 0)};
    Set out = {P(9, 0, 0)};
    EXPECT_EQ(Rk_DiscPtsGetPtsOnLine(&set.s, &no_direction, &out.s), 1);
    EXPECT_ERROR(6, "rk_vec(");
    ExpectPoints(out, {P(9, 0, 0), P(0, 0, 0.001)}, "the point appended stays, and nothing was sorted");

    const Rk_PlaneStruct no_normal = Pl(P(0, 0, 0), V(0, 0, 0));
    EXPECT_EQ(Rk_DiscPtsProjOnPlane(&set.s, &no_normal, &out.s), 1);
    EXPECT_ERROR(24, "rk_point(");
    EXPECT_EQ(out.Count(), 2);

    Rk_RefFrameStruct flat = kWorld;
    flat.z_axis = V(0, 0, 0);
    EXPECT_EQ(Rk_DiscPtsGetExtentPts(&set.s, &flat, 10, &out.s), 1);
    EXPECT_ERROR(6, "rk_vec(");
    EXPECT_EQ(out.Count(), 2);
}

TEST_F(DiscPtsFailure, InitReleasesWhatItTookWhenAnAllocationFails)
{
    for (long n = 1; n <= 7; ++n) {
        Rk_DiscPtsStruct set = {};
        const long live = rk::seam::live_blocks();
        {
            FailingAlloc guard(n);
            EXPECT_EQ(Rk_DiscPtsInit(&set), 1) << "allocation " << n;
        }
        EXPECT_ERROR(11, "rk_dbltb(");
        EXPECT_EQ(rk::seam::live_blocks(), live) << "allocation " << n << " leaked";
    }
}

TEST_F(DiscPtsFailure, AGrowthThatFailsLeavesThePointsAppendedSoFar)
{
    const Rk_LineStruct x_axis = L(P(0, 0, 0), P(1, 0, 0));
    const Rk_PlaneStruct ground = Pl(P(0, 0, 0), V(0, 0, 1));
    Set source;
    for (int i = 0; i < 8; ++i) source.Add(P(i, 0, 0), V(0, 0, 1));
    Set pair = {P(0, 0, 0), P(1, 0, 0)};
    using Op = std::function<int(Rk_DiscPtsStruct*)>;
    const struct {
        Op op;
        int fill;
        int kept;
        const char* what;
    } cases[] = {
        {[&](auto out) { const Rk_PointStruct p = P(1, 1, 1); return Rk_DiscPtsAddPt(out, &p, nullptr, 0); }, 25, 25,
         "AddPt"},
        {[&](auto out) { return Rk_DiscPtsAddAllPts(out, &source.s); }, 20, 25, "AddAllPts, after five points"},
        {[&](auto out) { return Rk_DiscPtsGetExtentPts(&source.s, &kWorld, 1, out); }, 0, 25,
         "GetExtentPts, in the middle of the sweep"},
        {[&](auto out) { return Rk_DiscPtsGetExtentPts(&pair.s, &kWorld, 1, out); }, 24, 25,
         "GetExtentPts of two points"},
        {[&](auto out) { return Rk_DiscPtsGetPtsOnLine(&source.s, &x_axis, out); }, 23, 25, "GetPtsOnLine"},
        {[&](auto out) { return Rk_DiscPtsProjOnLine(&source.s, &x_axis, out); }, 23, 25, "ProjOnLine"},
        {[&](auto out) { return Rk_DiscPtsGetPtsOnPlane(&source.s, &ground, out); }, 23, 25, "GetPtsOnPlane"},
        {[&](auto out) { return Rk_DiscPtsProjOnPlane(&source.s, &ground, out); }, 23, 25, "ProjOnPlane"},
    };
    for (const auto& c : cases) {
        for (long n = 1; n <= 6; ++n) {
            Set out;
            for (int i = 0; i < c.fill; ++i) out.Add(P(-100 - i, 0, 0));
            const long live = rk::seam::live_blocks();
            int status = 0;
            {
                FailingAlloc guard(n);
                status = c.op(&out.s);
            }
            EXPECT_EQ(status, 1) << c.what << ", column " << n;
            EXPECT_ERROR(11, "rk_dbltb(");
            EXPECT_EQ(out.Count(), c.kept) << c.what << ", column " << n;
            EXPECT_EQ(rk::seam::live_blocks(), live) << c.what << " leaked";
        }
    }
}

}  // namespace
