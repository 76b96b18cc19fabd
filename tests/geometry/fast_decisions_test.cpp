// The shortcuts of the hot paths against the long way they stand for: point equality told from the
// squared distance against the distance itself, and a point on a plane told from the plane's
// equation against the distance to the worked-out foot, right at the point tolerance and at
// coordinates near and past the reach of the shortcut; and a vector carried by a transform against
// the difference of its tip and the origin carried as points, bit for bit.
#include <cmath>
#include <cstring>

#include "geometry_helpers.hpp"

namespace {

using namespace geomtest;
using FastDecisions = GeomTest;

TEST_F(FastDecisions, PointEqualityAnswersAsTheDistanceRightAtTheTolerance)
{
    for (double eps : {0.01, 1e-7, 3.0, 0.0, 1e-160, 1e120}) {
        SCOPED_TRACE(eps);
        OK(Rk_GeometrySetPointEpsilon(eps));
        for (int k = -64; k <= 64; ++k) {
            const double d = eps * (1.0 + std::ldexp(k * std::abs(k), -52));
            const Rk_PointStruct p = P(1.0, -2.0, 0.5), q = P(1.0 + d * 0.6, -2.0, 0.5 + d * 0.8);
            const double dist = Query<double>(Rk_PointDistFromPoint, &p, &q);
            ASSERT_EQ(Query(Rk_PointIsEqualToPoint, &p, &q), dist < eps) << "distance " << dist;
        }
    }
}

// The long way: the foot on the plane, then its distance against the point tolerance.
int OnPlaneTheLongWay(const Rk_PointStruct& p, const Rk_PlaneStruct& plane, double eps)
{
    Rk_PointStruct foot = {};
    EXPECT_EQ(Rk_PointProjOnPlane(&p, &plane, &foot), 0);
    double dist = 0.0;
    Rk_PointDistFromPoint(&p, &foot, &dist);
    return dist < eps ? 1 : 0;
}

TEST_F(FastDecisions, PointOnPlaneAnswersAsTheDistanceToTheFoot)
{
    struct Row {
        double eps;
        Rk_VectorStruct normal;
        double scale;   // how far from the origin the points lie
        double spread;  // how far from the tolerance the farthest distances lie, relatively
    };
    // 2^27·eps is the reach of the shortcut: beyond it the foot is always worked out.
    // Far out, the foot's rounding moves the distance by far more than the shortcut's margin.
    const Row rows[] = {{0.01, {0.3, -0.2, 2.0}, 1.0, 0x1p-16},    {0.01, {1e-3, 2e-3, 0.5e-3}, 40.0, 0x1p-16},
                        {0.01, {7.0, 1.0, -3.0}, 1.3e6, 0x1p-16},  {0.01, {0.0, 0.6, 0.8}, 1e11, 0x1p-6},
                        {1e-7, {1.0, 1.0, 1.0}, 13.0, 0x1p-16},    {1e-7, {-2.0, 5.0, 0.1}, 1.0e1, 0x1p-16},
                        {3.0, {0.6, 0.0, 0.8}, 4e8, 0x1p-16},      {0.01, {2.0, -1.0, 0.4}, 1e9, 0x1p-10}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "eps " << row.eps << " scale " << row.scale);
        Rk_GeometrySetPointEpsilon(row.eps);
        const Rk_VectorStruct& n = row.normal;
        const double len = std::sqrt(n.i_comp * n.i_comp + n.j_comp * n.j_comp + n.k_comp * n.k_comp);
        const Rk_PlaneStruct plane = {{row.scale, -0.7 * row.scale, 0.3 * row.scale}, n};
        int on = 0, off = 0;
        // Distances from `spread` inside to `spread` outside the tolerance, closest near it.
        for (int k = -64; k <= 64; ++k) {
            const double r = row.eps * (1.0 + row.spread * std::ldexp(static_cast<double>(k * k * k), -18));
            for (double side : {1.0, -1.0}) {
                const double t = side * r / len;
                const Rk_PointStruct p = {plane.point.pt_x + t * n.i_comp, plane.point.pt_y + t * n.j_comp,
                                          plane.point.pt_z + t * n.k_comp};
                int answer = -1;
                ASSERT_EQ(Rk_PointIsOnPlane(&p, &plane, &answer), 0);
                ASSERT_EQ(answer, OnPlaneTheLongWay(p, plane, row.eps)) << "k " << k << " side " << side;
                (answer ? on : off)++;
            }
        }
        EXPECT_GT(on, 20);
        EXPECT_GT(off, 20);
    }
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b)); }

TEST_F(FastDecisions, TransformedVectorIsTheDifferenceOfTheTransformedPoints)
{
    const double inf = HUGE_VAL;
    struct Row {
        const char* name;
        double m[4][3];
        Rk_VectorStruct v;
    };
    const Row rows[] = {
        {"translated", {{0.0, 0.6, 0.8}, {1.0, 0.0, 0.0}, {0.0, 0.8, -0.6}, {4e9, -2.0, 7.0}}, {1.5, -2.25, 0.75}},
        // The third column maps the tip to -0 and the origin to +0: their difference is -0.
        {"zero translation", {{1.0, 2.0, 1.0}, {0.0, 1.0, -0.0}, {0.0, 3.0, 1.0}, {3.0, 5.0, -0.0}}, {-0.0, 1.0, -0.0}},
        {"zero translation, same zeros", {{-1.0, 2.0, -1.0}, {0.0, 1.0, -0.0}, {0.0, 3.0, -1.0}, {3.0, 5.0, -0.0}},
         {0.0, 1.0, 0.0}},
        // An infinite entry leaves the origin NaN even where the tip is infinite.
        {"infinite entry", {{inf, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}, {1.0, 2.0, 3.0}}, {1.0, 1.0, 1.0}},
        {"overflowing tip", {{1e308, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}, {1.0, 2.0, 3.0}}, {10.0, 1.0, 1.0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Rk_TransformStruct tform = {};
        Rk_TransformSet(&tform, const_cast<double(*)[3]>(row.m));
        const Rk_PointStruct origin0 = {0.0, 0.0, 0.0}, tip0 = {row.v.i_comp, row.v.j_comp, row.v.k_comp};
        Rk_PointStruct origin = {}, tip = {};
        Rk_TransformApplyToPoint(&tform, &origin0, &origin);
        Rk_TransformApplyToPoint(&tform, &tip0, &tip);
        Rk_VectorStruct mapped = {};
        ASSERT_EQ(Rk_TransformApplyToVector(&tform, &row.v, &mapped), 0);
        EXPECT_TRUE(SameBits(mapped.i_comp, tip.pt_x - origin.pt_x)) << mapped.i_comp;
        EXPECT_TRUE(SameBits(mapped.j_comp, tip.pt_y - origin.pt_y)) << mapped.j_comp;
        EXPECT_TRUE(SameBits(mapped.k_comp, tip.pt_z - origin.pt_z)) << mapped.k_comp;
    }
}

}  // namespace
