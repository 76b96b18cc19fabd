// Alternating projection between two carriers (two lines, or two planes) that are not parallel:
// a point of the first is projected on the second and back until a round moves it no more than
// zero_eps. It converges to the foot of the point on what the carriers share, but large
// coordinates can keep rounding above zero_eps, so the rounds are bounded.
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
// `to_home` (back on the first), the carriers `angle` degrees apart. Each projection is called as
// `int (const Rk_PointStruct&, Rk_PointStruct*)`. `failed`: a projection failed (its error is
// queued); `stuck`: the bound was reached, for the caller to raise in its own module.
template <class ToOther, class ToHome>
Refinement refine(Rk_PointStruct* p, ToOther to_other, ToHome to_home, double angle)
{
    long limit = kMaxRounds;
    for (long round = 1;; ++round) {
        Rk_PointStruct on_other = {}, back = {};
        if (to_other(*p, &on_other) != 0 || to_home(on_other, &back) != 0) return Refinement::failed;
        double step = 0.0;
        Rk_PointDistFromPoint(&back, p, &step);
        *p = back;
        if (step <= zero_eps()) return Refinement::converged;
        if (round == 1) limit = round_limit(angle, step);
        if (round >= limit) return Refinement::stuck;
    }
}

}  // namespace rk
