// Alternating projection between two carriers (two lines, or two planes) that are not parallel: a
// point of the first is projected on the second and back until a round moves it no more than
// zero_eps. Each round multiplies the point's distance from its limit by cos² of the angle between
// the carriers, so refine.cpp works out in closed form the limit, the round that stops and the
// point it stops at, as exact arithmetic has them (rounds in floating point can stop a round away:
// see kRoundingHeadroom there). Where rounding at the scale of the coordinates is as large as
// zero_eps, or a coordinate is not finite, rounding decides when the rounds stop (they may never
// settle), and the rounds are run as they come; they are bounded.
#pragma once

#include <cmath>

#include "geometry/geometry.hpp"

namespace rk {

constexpr long kMinRounds = 64;
constexpr long kMaxRounds = 10000000;

// Each round shrinks the step by cos² of the angle between the carriers, so exact arithmetic
// needs ln(first_step / zero_eps) / -ln(cos²) more rounds. Twice that, plus a margin, is allowed
// before the refinement is judged stuck; never more than kMaxRounds (a zero tolerance, carriers
// almost parallel under a narrowed angle tolerance). Coordinates that are not finite never settle.
inline long round_limit(double angle, double first_step)
{
    if (!std::isfinite(first_step)) return kMinRounds;
    const double sine = std::sin(angle * kRadiansPerDegree);
    const double rounds = std::log(first_step / zero_eps()) / -std::log1p(-sine * sine);
    if (!(rounds < static_cast<double>(kMaxRounds / 2))) return kMaxRounds;
    return 2 * static_cast<long>(rounds) + kMinRounds;
}

enum class Refinement { converged, failed, stuck };

// Refines `p`, a point of the first carrier, by `to_other` (its foot on the second carrier) and
// `to_home` (back on the first), the carriers `angle` degrees apart, one round after another. Each
// projection is called as `int (const Rk_PointStruct&, Rk_PointStruct*)`. `failed`: a projection
// failed (its error is queued); `stuck`: the bound was reached, for the caller to raise in its
// own module.
template <class ToOther, class ToHome>
Refinement refine(Rk_PointStruct* p, ToOther to_other, ToHome to_home, double angle)
{
    long limit = kMaxRounds;
    for (long round = 1;; ++round) {
        Rk_PointStruct on_other = {}, back = {};
        if (to_other(*p, &on_other) != 0 || to_home(on_other, &back) != 0) return Refinement::failed;
        const double step = std::sqrt(squared_distance(*p, back));
        *p = back;
        if (step <= zero_eps()) return Refinement::converged;
        if (round == 1) limit = round_limit(angle, step);
        if (round >= limit) return Refinement::stuck;
    }
}

// Where the refinement of line1's first point between line1 and line2 (line2 first, by the feet
// of LineProjector, which keep a point within point_eps of a defining point on that point) stops:
// the closest point of line1 to line2 as the rounds reach it. The lines' directions are known to
// be measurable and not parallel.
Refinement closest_point_of_lines(const Rk_LineStruct& line1, const Rk_LineStruct& line2, Rk_PointStruct* p);

// Points of `home` brought onto the line it shares with `other` by the refinement between them
// (other first, by Rk_PointProjOnPlane), each to its foot on the common line as the rounds reach
// it. The normals are known to be measurable and not parallel. The closed forms raise nothing;
// settle() gives a run's outcome, or runs the rounds as they come where the closed form does not
// hold.
class CommonLine {
public:
    CommonLine(const Rk_PlaneStruct& home, const Rk_PlaneStruct& other);

    struct Run {
        bool closed;         // false: rounding decides, a coordinate is not finite, or a normal is
                             // too short for a plane
        Refinement outcome;  // converged or stuck, when closed
        Rk_PointStruct stop;
    };

    // The runs of `count` starts (at most 3), worked out side by side.
    void closed_forms(const Rk_PointStruct* starts, Run* runs, int count) const;

    // `failed`: a projection failed and raised its error.
    Refinement settle(const Run& run, Rk_PointStruct* p) const;

private:
    const Rk_PlaneStruct& home_;
    const Rk_PlaneStruct& other_;
    bool usable_;            // both normals project, and zero_eps has a logarithm
    Rk_VectorStruct w_;      // (n1 × n2) × n1: in home, across the common line
    double inverse_axis2_;   // 1 / |n1 × n2|²
    double w_length_;
    double sin2_;            // sin² of the angle between the normals
    double r_;               // cos²
    double log_r_;
    double settled_;         // offsets whose plain round stops: zero_eps / sin²
};

}  // namespace rk
