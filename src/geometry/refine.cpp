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

// The closed form gives where the rounds stop in exact arithmetic. In floating point, the step a
// round measures is the difference of two projections, each about 1/sin of it long, and carries
// the rounding of the coordinates, about a unit in their last place: where the exact step at the
// stop lies that close to zero_eps, the rounds stop a round early or late (a move of up to
// zero_eps), as the arithmetic of the projections has it, and where that unit nears zero_eps·sin²
// the stop spreads over unit / sin² (about 5e-13 of the coordinates at 1 degree). The closed form
// stands for the rounds while the unit stays this far below zero_eps: coordinates up to about 2e6
// under the default tolerance. Beyond, the rounds can stop anywhere near the limit or never, and
// are played.
constexpr double kRoundingHeadroom = 2.0;

// Whether rounding at `scale`, the largest coordinate in play, is what decides when the rounds stop.
bool rounding_decides(double scale) { return !(kRoundingHeadroom * scale * DBL_EPSILON < zero_eps()); }

// The largest coordinate of the points (a NaN is caught by the callers' other sums).
double largest_coordinate(std::initializer_list<Rk_PointStruct> points)
{
    double m = 0.0;
    for (const Rk_PointStruct& p : points)
        m = std::max(m, std::max(std::fabs(p.pt_x), std::max(std::fabs(p.pt_y), std::fabs(p.pt_z))));
    return m;
}

// The offsets x·r^k of plain rounds, k = 0, 1, ... (0 <= r < 1), and the first round at which they
// enter a band lo < x < hi.
class Decay {
public:
    Decay(double r, double log_r) : r_(r), log_r_(log_r), inverse_log_r_(1.0 / log_r) {}

    struct Entry {
        double k;      // the first round in the band; kFar when none comes sooner
        double y;      // the offset there
        double power;  // r^k
    };

    // `log_ratio` is log(top / |x|), top being the band's end on the side of x (-lo for a negative
    // x, else hi), when positive.
    Entry first_in(double x, double lo, double hi, double log_ratio) const
    {
        const Entry never = {kFar, 0.0, 0.0};
        const double sign = x < 0.0 ? -1.0 : 1.0;
        if (x < 0.0) {
            const double flipped = -lo;
            lo = -hi;
            hi = flipped;
            x = -x;
        }
        if (lo < x && x < hi) return {0.0, sign * x, 1.0};
        if (x <= lo || hi <= 0.0) return never;
        if (r_ == 0.0) return lo < 0.0 ? Entry{1.0, 0.0, 0.0} : never;
        double k = std::floor(log_ratio * inverse_log_r_) + 1.0;
        if (!(k < kFar)) return never;
        double power = std::exp(k * log_r_);
        // The logarithm can be a unit in the last place off where hi is itself an offset of the
        // rounds.
        if (!(x * power < hi)) {
            k += 1.0;
            power *= r_;
        } else if (k > 1.0 && x * power < hi * r_) {
            k -= 1.0;
            power /= r_;
        }
        const double y = x * power;
        return y > lo ? Entry{k, sign * y, power} : never;
    }

    Entry first_in(double x, double lo, double hi) const
    {
        const double top = x < 0.0 ? -lo : hi;
        return first_in(x, lo, hi, top > 0.0 ? std::log(top / std::fabs(x)) : 0.0);
    }

    double r() const { return r_; }

private:
    double r_;
    double log_r_;
    double inverse_log_r_;
};

// log(cos²) from sin² where that is the more precise, else from cos².
double log_of_decay(double r, double sin2) { return sin2 < 0.5 ? std::log1p(-sin2) : std::log(r); }

// Whether the iteration would have given up before round `rounds` stopped it. Without a kept foot
// the limit is always out of reach below kMaxRounds / 2 (it allows twice the rounds exact
// arithmetic needs); a kept foot can start a long run after a short first step.
bool gives_up(double rounds, bool kept, const Rk_VectorStruct& a, const Rk_VectorStruct& b, double first_step)
{
    if (rounds <= static_cast<double>(kMinRounds)) return false;
    if (!kept && rounds <= static_cast<double>(kMaxRounds / 2)) return false;
    double q = 0.0;
    cosine_between(a, b, &q);
    return rounds > static_cast<double>(round_limit(angle_of_cosine(q), first_step));
}

// ---- Two lines ----

// The lines in the coordinates of the rounds: offsets along line1 from its closest point c1 (unit
// direction u) and along line2 from its closest point (unit direction v).
struct LinePair {
    Rk_PointStruct c1;
    Rk_VectorStruct u;
    double cs;      // u·v
    double sin2;    // |u × v|²
    double gap2;    // squared distance between the lines
    double a1, b1;  // line1's defining points, along u from c1
    double a2, b2;  // line2's, along v from its closest point
};

Rk_VectorStruct direction(const Rk_LineStruct& line, double* length)
{
    const Rk_VectorStruct d = from_to(line.point1, line.point2);
    *length = magnitude(d);
    return {d.i_comp / *length, d.j_comp / *length, d.k_comp / *length};
}

// The pair of lines; false when it is not finite or rounding at its scale decides the rounds.
bool pair_lines(const Rk_LineStruct& line1, const Rk_LineStruct& line2, LinePair* g)
{
    double length1 = 0.0, length2 = 0.0;
    g->u = direction(line1, &length1);
    const Rk_VectorStruct v = direction(line2, &length2);
    const Rk_VectorStruct n = cross(g->u, v);
    const Rk_VectorStruct w = from_to(line1.point1, line2.point1);
    g->cs = dot(g->u, v);
    g->sin2 = dot(n, n);
    const double inverse_sin2 = 1.0 / g->sin2;
    const double s1 = dot(cross(w, v), n) * inverse_sin2;
    const double t2 = dot(cross(w, g->u), n) * inverse_sin2;
    const double across = dot(w, n);
    g->gap2 = across * across * inverse_sin2;
    g->c1 = offset_by(line1.point1, s1, g->u);
    g->a1 = -s1;
    g->b1 = length1 - s1;
    g->a2 = -t2;
    g->b2 = length2 - t2;
    const Rk_PointStruct c2 = offset_by(line2.point1, t2, v);
    const double scale = largest_coordinate({line1.point1, line1.point2, line2.point1, line2.point2, g->c1, c2});
    return std::isfinite(scale + g->cs + g->gap2 + length1 + length2 + log_zero_eps()) && g->sin2 > 0.0 &&
           !rounding_decides(scale);
}

// The offsets x of the point of one line that lie within point_eps of the point at offset `at` on
// the other: |x - at·cs| < sqrt(point_eps² - at²·sin² - gap²). With `through_cosine`, the offsets
// whose foot cs·x on the other line does.
struct Band {
    double lo, hi;
};

Band near_band(const LinePair& g, double at, bool through_cosine)
{
    const double e = point_eps();
    const double room = e * e - at * at * g.sin2 - g.gap2;
    if (!(room > 0.0)) return {0.0, 0.0};
    if (through_cosine) {
        const double half = std::sqrt(room) / std::fabs(g.cs);
        return {at - half, at + half};
    }
    const double half = std::sqrt(room);
    return {at * g.cs - half, at * g.cs + half};
}

// Whether the points at offset x of one line and at `at` of the other are within point_eps.
bool near(const LinePair& g, double x, double at)
{
    const double along = x - at * g.cs;
    return below_point_eps(along * along + at * at * g.sin2 + g.gap2);
}

struct Round {
    double x;                        // the point's offset after the round
    double step;                     // how far the round moved it
    bool kept;                       // a foot was kept on a defining point
    const Rk_PointStruct* defining;  // line1's point the round ended on, if kept there
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
Refinement iterate_lines(const Rk_LineStruct& line1, const Rk_LineStruct& line2, Rk_PointStruct* p)
{
    LineProjector on_line1(line1), on_line2(line2);
    const auto to_line1 = [&](const Rk_PointStruct& q, Rk_PointStruct* foot) { return on_line1.project(q, foot); };
    const auto to_line2 = [&](const Rk_PointStruct& q, Rk_PointStruct* foot) { return on_line2.project(q, foot); };
    double q = 0.0;
    cosine_between(from_to(line1.point1, line1.point2), from_to(line2.point1, line2.point2), &q);
    Rk_PointStruct at = line1.point1;
    const Refinement outcome = refine(&at, to_line2, to_line1, angle_of_cosine(q));
    if (outcome == Refinement::converged) *p = at;
    return outcome;
}

}  // namespace

Refinement closest_point_of_lines(const Rk_LineStruct& line1, const Rk_LineStruct& line2, Rk_PointStruct* p)
{
    LinePair g = {};
    if (!pair_lines(line1, line2, &g)) return iterate_lines(line1, line2, p);
    const double r = g.cs * g.cs;
    const Decay decay(r, log_of_decay(r, g.sin2));
    const double zero = zero_eps(), log_zero = log_zero_eps(), settled = zero / g.sin2;
    const Band bands[] = {near_band(g, g.a2, false), near_band(g, g.b2, false), near_band(g, g.a1, true),
                          near_band(g, g.b1, true)};
    double x = g.a1, rounds = 0.0, first_step = 0.0;
    bool kept = false;
    // Each pass plays at least one round, and a foot is kept on a given defining point at most
    // once before the rounds stop there, so a handful of passes always suffices.
    for (int pass = 0; pass < 16; ++pass) {
        const double step = std::fabs(x) * g.sin2;
        Decay::Entry next = decay.first_in(x, -settled, settled, step > 0.0 ? log_zero - std::log(step) : 0.0);
        for (const Band& b : bands) {
            if (b.lo == b.hi) continue;
            const Decay::Entry e = decay.first_in(x, b.lo, b.hi);
            if (e.k < next.k) next = e;
        }
        if (next.k >= kFar) return Refinement::stuck;
        if (next.k > 0.0) {
            if (rounds == 0.0) first_step = step;
            x = next.y;
            rounds += next.k;
        }
        const Round round = play_round(g, x, line1);
        rounds += 1.0;
        if (rounds == 1.0) first_step = round.step;
        kept = kept || round.kept;
        if (round.step <= zero) {
            const Rk_VectorStruct v = from_to(line2.point1, line2.point2);
            if (gives_up(rounds, kept, g.u, v, first_step)) return Refinement::stuck;
            *p = round.defining ? *round.defining : offset_by(g.c1, round.x, g.u);
            return Refinement::converged;
        }
        x = round.x;
    }
    return iterate_lines(line1, line2, p);
}

// ---- Two planes ----

namespace {

bool projects(const Rk_PlaneStruct& plane) { return !(std::fabs(dot(plane.normal, plane.normal)) < zero_eps()); }

}  // namespace

CommonLine::CommonLine(const Rk_PlaneStruct& home, const Rk_PlaneStruct& other) : home_(home), other_(other)
{
    const Rk_VectorStruct &n1 = home.normal, &n2 = other.normal;
    const double n1n1 = dot(n1, n1), n2n2 = dot(n2, n2), n1n2 = dot(n1, n2);
    const Rk_VectorStruct axis = cross(n1, n2);
    const double axis2 = dot(axis, axis), lengths2 = n1n1 * n2n2;
    usable_ = projects(home) && projects(other) && std::isfinite(log_zero_eps());
    w_ = cross(axis, n1);
    inverse_axis2_ = 1.0 / axis2;
    w_length_ = magnitude(w_);
    sin2_ = axis2 / lengths2;
    r_ = n1n2 * n1n2 / lengths2;
    log_r_ = log_of_decay(r_, sin2_);
    settled_ = zero_eps() / sin2_;
}

// A start on home (up to rounding) moves across the common line along w, its offset from the line
// falling by r each round: round j >= 1 moves it by offset·r^(j-1)·sin² and leaves it at
// limit + r^j·(start - limit). The stages are taken start by start, so that their logarithms and
// exponentials run side by side.
void CommonLine::closed_forms(const Rk_PointStruct* starts, Run* runs, int count) const
{
    double along[3] = {}, offset[3] = {}, log_ratio[3] = {};
    for (int i = 0; i < count; ++i) {
        runs[i] = {false, Refinement::stuck, starts[i]};
        along[i] = -(dot(other_.normal, as_vector(starts[i])) + plane_constant(other_)) * inverse_axis2_;
        offset[i] = std::fabs(along[i]) * w_length_;
        const Rk_PointStruct limit = offset_by(starts[i], along[i], w_);
        const double scale = largest_coordinate({starts[i], limit, home_.point, other_.point});
        runs[i].closed = usable_ && std::isfinite(offset[i] + sin2_ + r_ + scale) && sin2_ > 0.0 &&
                         !rounding_decides(scale);
    }
    for (int i = 0; i < count; ++i)
        log_ratio[i] = runs[i].closed && offset[i] > 0.0 ? log_zero_eps() - std::log(offset[i] * sin2_) : 0.0;
    const Decay decay(r_, log_r_);
    for (int i = 0; i < count; ++i) {
        if (!runs[i].closed) continue;
        const Decay::Entry stop = decay.first_in(offset[i], -settled_, settled_, log_ratio[i]);
        if (stop.k >= kFar || gives_up(stop.k + 1.0, false, home_.normal, other_.normal, offset[i] * sin2_))
            continue;
        runs[i].outcome = Refinement::converged;
        runs[i].stop = offset_by(starts[i], along[i] * (1.0 - r_ * stop.power), w_);
    }
}

Refinement CommonLine::settle(const Run& run, Rk_PointStruct* p) const
{
    if (run.closed) {
        if (run.outcome == Refinement::converged) *p = run.stop;
        return run.outcome;
    }
    const auto to_home = [this](const Rk_PointStruct& q, Rk_PointStruct* foot) {
        return Rk_PointProjOnPlane(&q, &home_, foot);
    };
    const auto to_other = [this](const Rk_PointStruct& q, Rk_PointStruct* foot) {
        return Rk_PointProjOnPlane(&q, &other_, foot);
    };
    double q = 0.0;
    cosine_between(home_.normal, other_.normal, &q);
    return refine(p, to_other, to_home, angle_of_cosine(q));
}

}  // namespace rk
