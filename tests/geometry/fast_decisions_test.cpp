// The shortcuts of the hot paths against the long way: point equality and a point on a plane right at
// the point tolerance (near and past the shortcut's reach), and a transformed vector bit for bit.
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
    const Rk_PointStruct foot = Query<Rk_PointStruct>(Rk_PointProjOnPlane, &p, &plane);
    return Query<double>(Rk_PointDistFromPoint, &p, &foot) < eps ? 1 : 0;
}

TEST_F(FastDecisions, PointOnPlaneAnswersAsTheDistanceToTheFoot)
{
    // Tolerance, normal, how far out the points lie, how far from the tolerance the farthest distances
    // lie (relatively). 2^27·eps is the shortcut's reach: beyond it the foot is always worked out; far
    // out, the foot's rounding moves the distance by far more than the shortcut's margin.
    for (auto [eps, normal, scale, spread] :
         {std::tuple{0.01, V(0.3, -0.2, 2.0), 1.0, 0x1p-16}, {0.01, V(1e-3, 2e-3, 0.5e-3), 40.0, 0x1p-16},
          {0.01, V(7.0, 1.0, -3.0), 1.3e6, 0x1p-16}, {0.01, V(0.0, 0.6, 0.8), 1e11, 0x1p-6},
          {1e-7, V(1.0, 1.0, 1.0), 13.0, 0x1p-16}, {3.0, V(0.6, 0.0, 0.8), 4e8, 0x1p-16}}) {
        SCOPED_TRACE(testing::Message() << "eps " << eps << " scale " << scale);
        Rk_GeometrySetPointEpsilon(eps);
        const Rk_PlaneStruct plane = {{scale, -0.7 * scale, 0.3 * scale}, normal};
        // Distances from `spread` inside to `spread` outside the tolerance, closest near it.
        for (int k = -64; k <= 64; ++k) {
            const double r = eps * (1.0 + spread * std::ldexp(static_cast<double>(k * k * k), -18));
            for (double side : {1.0, -1.0}) {
                const Rk_PointStruct p = Along(plane.point, normal, side * r / Norm(normal));
                ASSERT_EQ(Query(Rk_PointIsOnPlane, &p, &plane), OnPlaneTheLongWay(p, plane, eps)) << "k " << k << side;
            }
        }
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
        // An infinite entry leaves the origin NaN even where the tip is infinite.
        {"infinite entry", {{inf, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}, {1.0, 2.0, 3.0}}, {1.0, 1.0, 1.0}},
        {"overflowing tip", {{1e308, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}, {1.0, 2.0, 3.0}}, {10.0, 1.0, 1.0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Rk_TransformStruct tform = {};
        Rk_TransformSet(&tform, const_cast<double(*)[3]>(row.m));
        const auto map = [&](Rk_PointStruct p) {
            return Values(Query<Rk_PointStruct>(Rk_TransformApplyToPoint, &tform, &p));
        };
        const std::vector<double> origin = map(P(0, 0, 0)), tip = map(P(row.v.i_comp, row.v.j_comp, row.v.k_comp)),
                                  mapped = Values(Query<Rk_VectorStruct>(Rk_TransformApplyToVector, &tform, &row.v));
        for (int i = 0; i < 3; ++i) EXPECT_TRUE(SameBits(mapped[i], tip[i] - origin[i])) << i << ": " << mapped[i];
    }
}

}  // namespace
