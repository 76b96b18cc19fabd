// The alternating projections of refine.hpp in closed form. Measured from its limit, the point
// moves on a line (a point of line1, or of plane1 across the common line): each plain round
// multiplies its offset x by r = cos², and moves it by |x|·sin². Between the rounds where something
// else happens (the step falls to zero_eps, or a foot lands within point_eps of a line's defining
// point and is kept there), x follows x·r^k, so the next such round is found by a logarithm and
// played on its own.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <initializer_list>

#include "geometry/line_projector.hpp"
#include "geometry/refine.hpp"

namespace rk {

namespace {

// Rounds the closed form never needs to count to: beyond every limit of round_limit.
constexpr double kFar = 0x1p40;

// A unit in the last place of the largest coordinate must stay this far below zero_eps for the
// steps the rounds measure to be those of exact arithmetic, give or take a small part of zero_eps:
// coordinates up to about 2e6 under the default tolerance, where the closed form and the rounds
// agree within 1e-12 of the coordinates. Beyond, the rounds can stop early or never, as rounding
// has it.
constexpr double kRoundingHeadroom = 2.0;

// Whether rounding at `scale`, the largest coordinate in play, is what decides when the rounds stop.
bool rounding_decides(double scale) { return !(kRoundingHeadroom * scale * DBL_EPSILON < zero_eps()); }

double largest_coordinate(std::initializer_list<Rk_PointStruct> points)
{
    double m = 0.0;
    for (const Rk_PointStruct& p : points)
        m = std::max({m, std::fabs(p.pt_x), std::fabs(p.pt_y), std::fabs(p.pt_z)});
    return m;
}

// x·r^k for k = 0, 1, ...: the offsets of the plain rounds, 0 <= r < 1.
class Decay {
public:
    Decay(double r, double sin2) : r_(r), log_r_(sin2 < 0.5 ? std::log1p(-sin2) : std::log(r)) {}

    double power(double k) const { return k == 0.0 ? 1.0 : r_ == 0.0 ? 0.0 : std::exp(k * log_r_); }

    // The first k at which x·r^k lies strictly between lo and hi; kFar when none comes sooner.
    double first_in(double x, double lo, double hi) const
    {
        if (!(lo < hi)) return kFar;
        if (x < 0.0) {
            const double flipped = -lo;
            lo = -hi;
            hi = flipped;
            x = -x;
        }
        if (lo < x && x < hi) return 0.0;
        if (x <= lo || hi <= 0.0) return kFar;
        if (r_ == 0.0) return lo < 0.0 ? 1.0 : kFar;
        double k = std::min(std::floor(std::log(hi / x) / log_r_) + 1.0, kFar);
        while (k > 1.0 && x * power(k - 1.0) < hi) k -= 1.0;
        while (k < kFar && !(x * power(k) < hi)) k += 1.0;
        return x * power(k) > lo ? k : kFar;
    }

private:
    double r_;
    double log_r_;
};

// ---- Two lines ----

// The lines in the coordinates of the rounds: offsets along line1 from its closest point c1 (unit
// direction u) and along line2 from its closest point c2 (unit direction v).
struct LinePair {
    Rk_PointStruct c1;
    Rk_VectorStruct u;
    double cs;      // u·v
    double sin2;    // |u × v|²
    double gap2;    // |c1 - c2|²
    double a1, b1;  // line1's defining points, along u from c1
    double a2, b2;  // line2's, along v from c2
};

Rk_VectorStruct unit_of(const Rk_VectorStruct& d, double* length)
{
    *length = magnitude(d);
    return {d.i_comp / *length, d.j_comp / *length, d.k_comp / *length};
}

bool is_finite(const LinePair& g)
{
    const double sum = g.c1.pt_x + g.c1.pt_y + g.c1.pt_z + g.u.i_comp + g.u.j_comp + g.u.k_comp + g.cs + g.sin2 +
                       g.gap2 + g.a1 + g.b1 + g.a2 + g.b2;
    return std::isfinite(sum) && g.sin2 > 0.0;
}

// The pair of lines, with the largest coordinate in play in `scale`.
LinePair pair_lines(const Rk_LineStruct& line1, const Rk_LineStruct& line2, double* scale)
{
    LinePair g = {};
    double length1 = 0.0, length2 = 0.0;
    g.u = unit_of(from_to(line1.point1, line1.point2), &length1);
    const Rk_VectorStruct v = unit_of(from_to(line2.point1, line2.point2), &length2);
    const Rk_VectorStruct n = cross(g.u, v);
    const Rk_VectorStruct w = from_to(line1.point1, line2.point1);
    g.cs = dot(g.u, v);
    g.sin2 = dot(n, n);
    const double s1 = dot(cross(w, v), n) / g.sin2;
    const double t2 = dot(cross(w, g.u), n) / g.sin2;
    const double across = dot(w, n);
    g.gap2 = across * across / g.sin2;
    g.c1 = offset_by(line1.point1, s1, g.u);
    g.a1 = -s1;
    g.b1 = length1 - s1;
    g.a2 = -t2;
    g.b2 = length2 - t2;
    const Rk_PointStruct c2 = offset_by(line2.point1, t2, v);
    *scale = largest_coordinate({line1.point1, line1.point2, line2.point1, line2.point2, g.c1, c2});
    return g;
}

// The band of offsets x on one line whose points lie within point_eps of the point at offset
// `at` on the other line (or, `through` the cosine, of the foot of x): x within `half` of `centre`.
struct Band {
    double lo, hi;
};

// Points at x on one line within point_eps of the point at `at` on the other.
Band near_band(const LinePair& g, double at)
{
    const double e = point_eps();
    const double room = e * e - at * at * g.sin2 - g.gap2;
    if (!(room > 0.0)) return {0.0, 0.0};
    const double half = std::sqrt(room);
    return {at * g.cs - half, at * g.cs + half};
}

// Points at x whose foot on line2 (cs·x) lies within point_eps of the point at `at` on line1.
Band foot_near_band(const LinePair& g, double at)
{
    const double e = point_eps();
    const double room = e * e - at * at * g.sin2 - g.gap2;
    if (!(room > 0.0)) return {0.0, 0.0};
    const double half = std::sqrt(room) / std::fabs(g.cs);
    return {at - half, at + half};
}

// Whether the points at offset x of one line and at `at` of the other are within point_eps.
bool near(const LinePair& g, double x, double at)
{
    const double along = x - at * g.cs;
    return below_point_eps(along * along + at * at * g.sin2 + g.gap2);
}

struct Round {
    double x;                       // the point's offset after the round
    double step;                    // how far the round moved it
    bool kept;                      // a foot was kept on a defining point
    const Rk_PointStruct* defining; // line1's point the round ended on, if kept there
};

// One round from the point at offset x of line1, with the keeping of LineProjector: first and
// second defining point, in that order.
Round play_round(const LinePair& g, double x, const Rk_LineStruct& line1)
{
    Round r = {0.0, 0.0, true, nullptr};
    double t = 0.0;
    if (near(g, x, g.a2)) {
        t = g.a2;
    } else if (near(g, x, g.b2)) {
        t = g.b2;
    } else {
        t = g.cs * x;
        r.kept = false;
    }
    if (near(g, t, g.a1)) {
        r.x = g.a1;
        r.defining = &line1.point1;
        r.kept = true;
    } else if (near(g, t, g.b1)) {
        r.x = g.b1;
        r.defining = &line1.point2;
        r.kept = true;
    } else {
        r.x = g.cs * t;
    }
    r.step = r.kept ? std::fabs(r.x - x) : std::fabs(x) * g.sin2;
    return r;
}

// The rounds run as they come, for coordinates where rounding decides.
Refinement iterate_lines(const Rk_LineStruct& line1, const Rk_LineStruct& line2, double cosine, Rk_PointStruct* p)
{
    LineProjector on_line1(line1), on_line2(line2);
    const auto to_line1 = [&](const Rk_PointStruct& q, Rk_PointStruct* foot) { return on_line1.project(q, foot); };
    const auto to_line2 = [&](const Rk_PointStruct& q, Rk_PointStruct* foot) { return on_line2.project(q, foot); };
    Rk_PointStruct at = line1.point1;
    const Refinement outcome = refine(&at, to_line2, to_line1, angle_of_cosine(cosine));
    if (outcome == Refinement::converged) *p = at;
    return outcome;
}

// Whether the iteration would have given up before round `rounds` stopped it. Without a kept foot
// the limit is always out of reach below kMaxRounds / 2 (it allows twice the rounds exact
// arithmetic needs); a kept foot can start a long run after a short first step.
bool gives_up(double rounds, bool kept, double cosine, double first_step)
{
    if (rounds <= static_cast<double>(kMinRounds)) return false;
    if (!kept && rounds <= static_cast<double>(kMaxRounds / 2)) return false;
    return rounds > static_cast<double>(round_limit(angle_of_cosine(cosine), first_step));
}

}  // namespace

Refinement closest_point_of_lines(const Rk_LineStruct& line1, const Rk_LineStruct& line2, double cosine,
                                  Rk_PointStruct* p)
{
    double scale = 0.0;
    const LinePair g = pair_lines(line1, line2, &scale);
    if (!is_finite(g) || rounding_decides(scale)) return iterate_lines(line1, line2, cosine, p);
    const Decay decay(g.cs * g.cs, g.sin2);
    const double settled = zero_eps() / g.sin2;  // offsets whose plain round stops
    const Band bands[] = {near_band(g, g.a2), near_band(g, g.b2), foot_near_band(g, g.a1), foot_near_band(g, g.b1)};
    double x = g.a1, rounds = 0.0, first_step = 0.0;
    bool kept = false;
    // Each pass plays at least one round; a foot is kept on a given defining point at most twice
    // in a row before the rounds stop there, so a handful of passes always suffices.
    for (int pass = 0; pass < 16; ++pass) {
        double k = decay.first_in(x, -settled, settled);
        for (const Band& b : bands) k = std::min(k, decay.first_in(x, b.lo, b.hi));
        if (k >= kFar) return Refinement::stuck;
        if (k > 0.0) {
            if (rounds == 0.0) first_step = std::fabs(x) * g.sin2;
            x *= decay.power(k);
            rounds += k;
        }
        const Round r = play_round(g, x, line1);
        rounds += 1.0;
        if (rounds == 1.0) first_step = r.step;
        kept = kept || r.kept;
        if (r.step <= zero_eps()) {
            if (gives_up(rounds, kept, cosine, first_step)) return Refinement::stuck;
            *p = r.defining ? *r.defining : offset_by(g.c1, r.x, g.u);
            return Refinement::converged;
        }
        x = r.x;
    }
    return iterate_lines(line1, line2, cosine, p);
}

// ---- Two planes ----

namespace {

// Rk_PointProjOnPlane's arithmetic, for a plane whose normal is known to be long enough.
Rk_PointStruct foot_on(const Rk_PlaneStruct& plane, const Rk_PointStruct& p)
{
    const double a = plane.normal.i_comp, b = plane.normal.j_comp, c = plane.normal.k_comp;
    const double d = plane_constant(plane);
    const double s = a * a + b * b + c * c;
    const double t = (a * p.pt_x + b * p.pt_y + c * p.pt_z + d) / s;
    return {p.pt_x - t * a, p.pt_y - t * b, p.pt_z - t * c};
}

bool projects(const Rk_PlaneStruct& plane)
{
    const Rk_VectorStruct& n = plane.normal;
    return !(std::fabs(dot(n, n)) < zero_eps());
}

Refinement iterate_planes(const Rk_PlaneStruct& home, const Rk_PlaneStruct& other, double cosine, Rk_PointStruct* p)
{
    const auto to_home = [&home](const Rk_PointStruct& q, Rk_PointStruct* foot) {
        return Rk_PointProjOnPlane(&q, &home, foot);
    };
    const auto to_other = [&other](const Rk_PointStruct& q, Rk_PointStruct* foot) {
        return Rk_PointProjOnPlane(&q, &other, foot);
    };
    return refine(p, to_other, to_home, angle_of_cosine(cosine));
}

}  // namespace

Refinement onto_common_line(const Rk_PlaneStruct& home, const Rk_PlaneStruct& other, double cosine,
                            Rk_PointStruct* p)
{
    // A normal too short for a plane fails the first round, as its projection raises.
    if (!projects(other) || !projects(home)) return iterate_planes(home, other, cosine, p);
    const Rk_PointStruct start = *p;
    const Rk_PointStruct first = foot_on(home, foot_on(other, start));
    const double first_step = std::sqrt(squared_distance(start, first));
    if (first_step <= zero_eps()) {
        *p = first;
        return Refinement::converged;
    }
    // From `first`, on home, the rounds run across the common line along w = (n1 × n2) × n1.
    const Rk_VectorStruct &n1 = home.normal, &n2 = other.normal;
    const Rk_VectorStruct axis = cross(n1, n2);
    const Rk_VectorStruct w = cross(axis, n1);
    const double axis2 = dot(axis, axis);
    const double n1n1 = dot(n1, n1), n2n2 = dot(n2, n2), n1n2 = dot(n1, n2);
    const double sin2 = axis2 / (n1n1 * n2n2);
    const double r = n1n2 * n1n2 / (n1n1 * n2n2);
    const double height = dot(n2, as_vector(first)) + plane_constant(other);
    const double along = -height / axis2;
    const Rk_PointStruct limit = offset_by(first, along, w);
    const double offset = std::fabs(along) * magnitude(w);
    const double scale = largest_coordinate({start, first, limit, home.point, other.point});
    if (!std::isfinite(offset + sin2 + r + scale) || !(sin2 > 0.0) || rounding_decides(scale))
        return iterate_planes(home, other, cosine, p);
    // Round j >= 2 moves the point by offset·r^(j-2)·sin²; the first that moves it no more than
    // zero_eps stops, leaving it at limit + r^(j-1)·(first - limit).
    const Decay decay(r, sin2);
    const double settled = zero_eps() / sin2;
    const double k = decay.first_in(offset, -settled, settled);
    if (k >= kFar) return Refinement::stuck;
    const double rounds = k + 2.0;
    if (gives_up(rounds, false, cosine, first_step)) return Refinement::stuck;
    const double left = decay.power(k + 1.0) * along;
    *p = offset_by(limit, -left, w);
    return Refinement::converged;
}

}  // namespace rk
