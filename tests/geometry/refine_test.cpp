// The closest point of two lines and the line two planes share, worked out in closed form, against
// the alternating projection itself played round by round here (the oracle): random carriers from
// the angle tolerance to a right angle and coordinates up to 1e6, feet kept on defining points, and
// the failures.
#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "rk_test.hpp"

namespace {

using P = Rk_PointStruct;
using V = Rk_VectorStruct;

P Along(const P& p, double s, const V& d) { return {p.pt_x + s * d.i_comp, p.pt_y + s * d.j_comp, p.pt_z + s * d.k_comp}; }
V Cross(const V& a, const V& b)
{
    return {a.j_comp * b.k_comp - a.k_comp * b.j_comp, a.k_comp * b.i_comp - a.i_comp * b.k_comp,
            a.i_comp * b.j_comp - a.j_comp * b.i_comp};
}
V Unit(const V& v)
{
    const double m = std::sqrt(v.i_comp * v.i_comp + v.j_comp * v.j_comp + v.k_comp * v.k_comp);
    return {v.i_comp / m, v.j_comp / m, v.k_comp / m};
}
double Largest(std::initializer_list<P> points)
{
    double m = 1.0;
    for (const P& p : points) m = std::max({m, std::fabs(p.pt_x), std::fabs(p.pt_y), std::fabs(p.pt_z)});
    return m;
}

// The rounds as they come: onto `other`, back onto `home`, until a round moves the point no more
// than zero_eps; false when they give up, after twice the rounds exact arithmetic needs plus 64.
template <class ToOther, class ToHome>
bool Rounds(P* p, ToOther to_other, ToHome to_home, double degrees)
{
    double zero = 0.0;
    Rk_GeometryGetZeroEpsilon(&zero);
    const double sine = std::sin(degrees * M_PI / 180.0);
    long limit = 64;
    for (long round = 1;; ++round) {
        P on_other = {}, back = {};
        if (to_other(*p, &on_other) != 0 || to_home(on_other, &back) != 0) return false;
        double step = 0.0;
        Rk_PointDistFromPoint(&back, p, &step);
        *p = back;
        if (step <= zero) return true;
        if (round == 1 && std::isfinite(step))
            limit = 2 * static_cast<long>(std::log(step / zero) / -std::log1p(-sine * sine)) + 64;
        if (round >= limit) return false;
    }
}

double LineAngle(const Rk_LineStruct& l1, const Rk_LineStruct& l2)
{
    V d1, d2;
    Rk_VectorSetByLine(&d1, &l1);
    Rk_VectorSetByLine(&d2, &l2);
    double a = 0.0;
    Rk_VectorAngleFromVector(&d1, &d2, &a);
    return a;
}

bool OracleClosest(const Rk_LineStruct& l1, const Rk_LineStruct& l2, P* p)
{
    *p = l1.point1;
    const auto on1 = [&l1](const P& q, P* foot) { return Rk_PointProjOnLine(&q, &l1, foot); };
    const auto on2 = [&l2](const P& q, P* foot) { return Rk_PointProjOnLine(&q, &l2, foot); };
    return Rounds(p, on2, on1, LineAngle(l1, l2));
}

bool OracleCommonLine(const Rk_PlaneStruct& a, const Rk_PlaneStruct& b, Rk_LineStruct* line)
{
    double degrees = 0.0;
    Rk_PlaneAngleFromPlane(&a, &b, &degrees);
    const auto on_a = [&a](const P& q, P* foot) { return Rk_PointProjOnPlane(&q, &a, foot); };
    const auto on_b = [&b](const P& q, P* foot) { return Rk_PointProjOnPlane(&q, &b, foot); };
    P pts[3];
    Rk_PlaneGet3Points(&a, &pts[0], &pts[1], &pts[2]);
    for (P& p : pts)
        if (!Rounds(&p, on_b, on_a, degrees)) return false;
    int same = 0;
    Rk_PointIsEqualToPoint(&pts[0], &pts[1], &same);
    *line = {pts[0], same ? pts[2] : pts[1]};
    return true;
}

// Directions `degrees` apart in a random frame, with a unit normal to both.
struct Frame {
    V u, v, n;
};

Frame RandomFrame(std::mt19937_64& gen, double degrees)
{
    std::normal_distribution<double> g;
    const V u = Unit({g(gen), g(gen), g(gen)});
    const V n = Unit(Cross(u, {g(gen), g(gen), g(gen)}));
    const V w = Cross(n, u);
    const double r = degrees * M_PI / 180.0;
    return {u, {std::cos(r) * u.i_comp + std::sin(r) * w.i_comp, std::cos(r) * u.j_comp + std::sin(r) * w.j_comp,
                std::cos(r) * u.k_comp + std::sin(r) * w.k_comp},
            n};
}

class Refine : public rktest::LibraryTest {
protected:
    std::mt19937_64 gen{20240611};
    double Uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(gen); }
    // From the angle tolerance to a right angle, most of them narrow; either sense.
    double Degrees() { return std::exp(Uniform(std::log(1.0001), std::log(90.0))); }
    // Lines `gap` apart whose closest points lie within `reach` of the origin, each defining
    // point within `spread` of them.
    void Lines(double reach, double spread, double gap, Rk_LineStruct* l1, Rk_LineStruct* l2)
    {
        const Frame f = RandomFrame(gen, Degrees());
        const V v = Uniform(0, 1) < 0.5 ? f.v : V{-f.v.i_comp, -f.v.j_comp, -f.v.k_comp};
        const P c1 = {Uniform(-reach, reach), Uniform(-reach, reach), Uniform(-reach, reach)};
        const P c2 = Along(c1, gap, f.n);
        *l1 = {Along(c1, Uniform(-spread, spread), f.u), Along(c1, Uniform(-spread, spread), f.u)};
        *l2 = {Along(c2, Uniform(-spread, spread), v), Along(c2, Uniform(-spread, spread), v)};
    }
};

TEST_F(Refine, ClosestPointOfLinesIsWhereTheRoundsStop)
{
    struct Family {
        const char* what;
        double reach, spread, gap;
    } families[] = {
        {"small coordinates", 10.0, 20.0, 5.0},
        {"coordinates up to 1e6", 1e6, 1e6, 100.0},
        {"lines within point_eps, feet kept on defining points", 1.0, 0.05, 0.012},
    };
    for (const Family& f : families) {
        SCOPED_TRACE(f.what);
        int compared = 0;
        for (int n = 0; n < 300; ++n) {
            Rk_LineStruct l1, l2;
            Lines(f.reach, f.spread, Uniform(0.0, f.gap), &l1, &l2);
            P want = {}, got = {};
            const double degrees = LineAngle(l1, l2);
            if (degrees < 1.0 || degrees > 179.0 || !OracleClosest(l1, l2, &want)) continue;
            ASSERT_EQ(Rk_LinePointClosestToLine(&l1, &l2, &got), 0) << degrees;
            const double tol = 1e-12 * Largest({l1.point1, l1.point2, l2.point1, l2.point2});
            ASSERT_NEAR(got.pt_x, want.pt_x, tol) << degrees;
            ASSERT_NEAR(got.pt_y, want.pt_y, tol) << degrees;
            ASSERT_NEAR(got.pt_z, want.pt_z, tol) << degrees;
            ++compared;
        }
        EXPECT_GT(compared, 250);
    }
}

TEST_F(Refine, CommonLineOfPlanesIsWhereTheRoundsStop)
{
    for (double reach : {10.0, 1e6}) {
        SCOPED_TRACE(reach);
        int compared = 0;
        for (int n = 0; n < 300; ++n) {
            const Frame f = RandomFrame(gen, Degrees());
            const P on_line = {Uniform(-reach, reach), Uniform(-reach, reach), Uniform(-reach, reach)};
            const Rk_PlaneStruct a = {Along(Along(on_line, Uniform(-reach, reach), f.n), Uniform(-reach, reach), f.u),
                                      Cross(f.n, f.u)};
            const Rk_PlaneStruct b = {Along(on_line, Uniform(-reach, reach), f.n), Cross(f.n, f.v)};
            Rk_LineStruct want = {}, got = {};
            if (!OracleCommonLine(a, b, &want)) continue;
            ASSERT_EQ(Rk_PlaneIntersectPlane(&a, &b, &got), 0);
            const double tol = 1e-12 * Largest({a.point, b.point});
            for (const auto& [g, w] : {std::pair{got.point1, want.point1}, std::pair{got.point2, want.point2}}) {
                ASSERT_NEAR(g.pt_x, w.pt_x, tol);
                ASSERT_NEAR(g.pt_y, w.pt_y, tol);
                ASSERT_NEAR(g.pt_z, w.pt_z, tol);
            }
            ++compared;
        }
        EXPECT_GT(compared, 290);
    }
}

}  // namespace
