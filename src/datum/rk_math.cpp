// The seeded pseudo-random generator used for sampling: the minimal standard multiplicative
// congruential generator, whose whole state is the caller's seed.
#include <cmath>
#include <cstdint>

#include "rk_basekit.h"

namespace {

constexpr std::int64_t kModulus = 2147483647;  // 2^31 - 1
constexpr std::int64_t kMultiplier = 16807;

// The double arithmetic of the generator, for every seed.
double step_in_doubles(int* seed)
{
    const double d_i4max = 2147483647.0;
    const double dtmp = static_cast<double>(*seed) * 16807.0;
    double dblrand_v = 0.0;
    std::modf(dtmp / d_i4max, &dblrand_v);
    dblrand_v = dtmp - dblrand_v * d_i4max;
    *seed = static_cast<int>(dblrand_v);
    return dblrand_v / d_i4max;
}

}  // namespace

// Every product stays below 2 to the 46th, so the double arithmetic is exact and the sequence is
// the integer one; a negative seed runs the mirror image of the positive sequence. For a seed from
// 1 to 2^31 - 2 the integer arithmetic gives the same seed and the same value, without a division
// by the modulus: since 2^31 = 1 (mod 2^31 - 1), the product's high bits fold onto its low bits.
extern "C" RK_API double Rk_MathSeededRandom(int* seed)
{
    const std::int64_t s = *seed;
    if (s < 1 || s >= kModulus) return step_in_doubles(seed);
    const std::int64_t product = s * kMultiplier;
    std::int64_t next = (product & kModulus) + (product >> 31);
    if (next >= kModulus) next -= kModulus;
    *seed = static_cast<int>(next);
    return static_cast<double>(next) / 2147483647.0;
}
