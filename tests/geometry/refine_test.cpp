// The closest point of two lines and the common line of two planes, against rounds of projections played
// in long double: random carriers, lines just outside the angle tolerance, a pair doubles stop a round off.
#include <limits>

#include "geometry_helpers.hpp"

namespace {

using namespace geomtest;

// In double a round's step carries rounding of an ulp of the coordinates: where the step at the stop lies
// that close to zero_eps, rounds stop a round early or late (a move of up to zero_eps). Hence long double.
static_assert(std::numeric_limits<long double>::digits > std::numeric_limits<double>::digits,
              "the oracle needs a wider type than double");

struct Ext {
    long double x, y, z;
};
Ext ToExt(const Rk_PointStruct& p) { return {p.pt_x, p.pt_y, p.pt_z}; }
Rk_PointStruct ToPoint(const Ext& p) { return P(p.x, p.y, p.z); }
Ext operator-(const Ext& a, const Ext& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Ext Moved(const Ext& p, const Ext& d, long double s) { return {p.x + s * d.x, p.y + s * d.y, p.z + s * d.z}; }
long double Dot(const Ext& a, const Ext& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
long double Distance(const Ext& a, const Ext& b) { return std::sqrt(Dot(a - b, a - b)); }

double Largest(std::initializer_list<Rk_PointStruct> points)
{
    double m = 1.0;
    for (const Rk_PointStruct& p : points) m = std::max({m, std::fabs(p.pt_x), std::fabs(p.pt_y), std::fabs(p.pt_z)});
    return m;
}

// Where the rounds from `start` stop: onto the other carrier, back onto the home one, until a round
// moves the point no more than zero_eps; false when they give up, after twice the rounds exact
// arithmetic needs plus 64. `back` is a point's foot on the other carrier's foot on the home one.
template <class Back>
bool Settles(const Rk_PointStruct& start, Back back, double degrees, Rk_PointStruct* stop)
{
    const double zero = Query<double>(Rk_GeometryGetZeroEpsilon), sine = std::sin(degrees * kPi / 180.0);
    long limit = 64;
    Ext p = ToExt(start);
    for (long round = 1;; ++round) {
        const Ext next = back(p);
        const long double step = Distance(next, p);
        p = next;
        *stop = ToPoint(p);
        if (step <= zero) return true;
        if (round == 1 && std::isfinite(static_cast<double>(step)))
            limit = 2 * static_cast<long>(std::log(step / zero) / -std::log1p(-sine * sine)) + 64;
        if (round >= limit) return false;
    }
}

// The foot on a line, kept on a defining point within point_eps (`e`) of it, as the library keeps it.
Ext FootOnLine(const Ext& p, const Rk_LineStruct& l, double e)
{
    for (const Rk_PointStruct& end : {l.point1, l.point2})
        if (Dot(p - ToExt(end), p - ToExt(end)) < static_cast<long double>(e) * e) return ToExt(end);
    const Ext a = ToExt(l.point1), d = ToExt(l.point2) - a;
    return Moved(a, d, Dot(p - a, d) / Dot(d, d));
}

Ext FootOnPlane(const Ext& p, const Rk_PlaneStruct& pl)
{
    const Ext n = {pl.normal.i_comp, pl.normal.j_comp, pl.normal.k_comp};
    return Moved(p, n, -Dot(p - ToExt(pl.point), n) / Dot(n, n));
}

class Refine : public GeomTest {
protected:
    std::mt19937_64 gen{20240611};
    double Uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(gen); }
    Rk_PointStruct Anywhere(double r) { return {Uniform(-r, r), Uniform(-r, r), Uniform(-r, r)}; }
    // Unit x and y from the angle tolerance to a right angle apart, most of them narrow, and z normal to both.
    Rk_RefFrameStruct Directions()
    {
        const double r = std::exp(Uniform(std::log(1.0001), std::log(90.0))) * kPi / 180.0;
        std::normal_distribution<double> g;
        const Rk_VectorStruct u = Unit(Rk_VectorStruct{g(gen), g(gen), g(gen)});
        const Rk_VectorStruct n = Unit(Cross(u, Rk_VectorStruct{g(gen), g(gen), g(gen)}));
        return {u, Sub(Along(Along(P(0, 0, 0), u, std::cos(r)), Cross(n, u), std::sin(r)), P(0, 0, 0)), n, {}};
    }
};

TEST_F(Refine, ClosestPointOfLinesAndCommonLineOfPlanesAreWhereTheRoundsStop)
{
    // Closest points within `reach` of the origin, lines up to `gap` apart, defining points within
    // `spread` of the closest points; the second line in either sense.
    for (auto [what, reach, spread, gap] : {std::tuple{"small coordinates", 10.0, 20.0, 5.0},
                                            {"coordinates up to 1e6", 1e6, 1e6, 100.0},
                                            {"within point_eps, feet kept on defining points", 1.0, 0.05, 0.012}}) {
        SCOPED_TRACE(what);
        int compared = 0;
        for (int n = 0; n < 300; ++n) {
            const double apart = Uniform(0.0, gap);
            const Rk_RefFrameStruct f = Directions();
            const Rk_VectorStruct v = Uniform(0, 1) < 0.5 ? f.y_axis : Scale(f.y_axis, -1);
            const Rk_PointStruct c1 = Anywhere(reach), c2 = Along(c1, f.z_axis, apart);
            const Rk_LineStruct l1 = {Along(c1, f.x_axis, Uniform(-spread, spread)),
                                      Along(c1, f.x_axis, Uniform(-spread, spread))},
                                l2 = {Along(c2, v, Uniform(-spread, spread)), Along(c2, v, Uniform(-spread, spread))};
            const double e = Query<double>(Rk_GeometryGetPointEpsilon), angle = AngleDeg(f.x_axis, v);
            const auto back = [&](const Ext& q) { return FootOnLine(FootOnLine(q, l2, e), l1, e); };
            Rk_PointStruct want = {}, got = {};
            if (!Settles(l1.point1, back, angle, &want)) continue;
            ASSERT_EQ(Rk_LinePointClosestToLine(&l1, &l2, &got), 0) << angle;
            ASSERT_TRUE(Near(got, want, 1e-12 * Largest({l1.point1, l1.point2, l2.point1, l2.point2})));
            ++compared;
        }
        EXPECT_GT(compared, 250);
    }
    // Two planes through a random line, from the angle tolerance to a right angle apart.
    for (double reach : {10.0, 1e6}) {
        SCOPED_TRACE(reach);
        int compared = 0;
        for (int n = 0; n < 300; ++n) {
            const Rk_RefFrameStruct f = Directions();
            const Rk_VectorStruct &x = f.x_axis, &z = f.z_axis;
            const Rk_PointStruct on_line = Anywhere(reach);
            const Rk_PlaneStruct a = {Along(Along(on_line, z, Uniform(-reach, reach)), x, Uniform(-reach, reach)),
                                      Cross(z, x)};
            const Rk_PlaneStruct b = {Along(on_line, z, Uniform(-reach, reach)), Cross(z, f.y_axis)};
            const double angle = Query<double>(Rk_PlaneAngleFromPlane, &a, &b);
            const auto back = [&](const Ext& q) { return FootOnPlane(FootOnPlane(q, b), a); };
            Rk_PointStruct start[3], want[2];
            Rk_LineStruct got = {};
            Rk_PlaneGet3Points(&a, &start[0], &start[1], &start[2]);
            // The line runs through where a's first two points stop (where those meet, plane_test).
            if (!Settles(start[0], back, angle, &want[0]) || !Settles(start[1], back, angle, &want[1]) ||
                Query(Rk_PointIsEqualToPoint, &want[0], &want[1]))
                continue;
            ASSERT_EQ(Rk_PlaneIntersectPlane(&a, &b, &got), 0);
            ASSERT_TRUE(Near(got, L(want[0], want[1]), 1e-12 * Largest({a.point, b.point})));
            ++compared;
        }
        EXPECT_GT(compared, 290);
    }
    // 1.48 degrees apart: the exact step of the round before the stop exceeds zero_eps by 7e-7 of it.
    const Rk_LineStruct l1 = L(P(13.252856116872092, -6.7542813238760857, -4.6707007026643934),
                               P(13.770224596709413, -6.7857889382463457, -4.6028441657216161)),
                        l2 = L(P(4.2341816134037362, -5.7836547695961009, -4.9400826746641062),
                               P(-8.9882982172809029, -5.2974296378855472, -6.5394486849699316));
    const double e = Query<double>(Rk_GeometryGetPointEpsilon);
    Rk_PointStruct want = {}, got = {};
    ASSERT_TRUE(Settles(l1.point1, [&](const Ext& q) { return FootOnLine(FootOnLine(q, l2, e), l1, e); }, 1.48, &want));
    ASSERT_EQ(Rk_LinePointClosestToLine(&l1, &l2, &got), 0);
    EXPECT_TRUE(Near(got, want, 1e-12 * Largest({l1.point1, l1.point2, l2.point1, l2.point2})));
    // Just outside the angle tolerance, thousands of units from where the rounds start; then a
    // narrowed tolerance lets nearer lines through.
    for (auto [degrees, angle_eps] : {std::pair{1.05, 1.0}, {178.95, 1.0}, {0.6, 0.5}}) {
        Rk_GeometrySetAngleEpsilon(angle_eps);
        Rk_LineStruct base = L(P(1000, 2000, -3000), P(1001, 2000, -3000));
        const Rk_LineStruct other = L(P(4000, 2000, -2995), Along(P(4000, 2000, -2995), AtDegrees(degrees), 1));
        ASSERT_EQ(Rk_LinePointClosestToLine(&base, &other, &base.point2), 0);
        EXPECT_TRUE(Near(base.point2, P(4000, 2000, -3000), 1e-4)) << degrees << ", written over an input point";
    }
}

}  // namespace
