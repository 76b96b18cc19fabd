// The seeded pseudo-random generator used for sampling: the minimal standard multiplicative
// congruential generator, whose whole state is the caller's seed.
#include <cmath>

#include "rk_basekit.h"

// Every product stays below 2 to the 46th, so the double arithmetic is exact and the sequence is
// the integer one; a negative seed runs the mirror image of the positive sequence.
extern "C" RK_API double Rk_MathSeededRandom(int* seed)
{
    const double d_i4max = 2147483647.0;
    const double dtmp = static_cast<double>(*seed) * 16807.0;
    double dblrand_v = 0.0;
    std::modf(dtmp / d_i4max, &dblrand_v);
    dblrand_v = dtmp - dblrand_v * d_i4max;
    *seed = static_cast<int>(dblrand_v);
    return dblrand_v / d_i4max;
}
