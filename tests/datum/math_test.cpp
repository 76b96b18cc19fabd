// The seeded generator (rk_math): bit for bit the double arithmetic it stands for (product, quotient by 2^31 - 1
// truncated, remainder) over many seeds of either sign, long runs, the ends of the range; the published sequence.
#include <climits>
#include <cmath>
#include <random>
#include <vector>

#include "rk_test.hpp"

namespace {

double StepInDoubles(int* seed)
{
    const double m = 2147483647.0, product = static_cast<double>(*seed) * 16807.0;
    const double rest = product - std::trunc(product / m) * m;
    *seed = static_cast<int>(rest);
    return rest / m;
}

using SeededRandom = rktest::LibraryTest;

TEST_F(SeededRandom, GivesTheSequenceOfTheDoubleArithmeticAndTheMinimalStandardSeeds)
{
    std::mt19937 gen(7);
    std::uniform_int_distribution<int> any(1, INT_MAX - 1);
    // 0 is a fixed point the modulus falls into; a negative seed runs as the mirror image.
    std::vector<int> starts = {1, 2, 16807, INT_MAX - 1, INT_MAX / 2, 0, -1, -16807, INT_MAX, -INT_MAX, INT_MIN,
                               INT_MIN + 1, -(INT_MAX - 1)};
    for (int n = 0; n < 2000; ++n) starts.push_back(n % 2 ? any(gen) : -any(gen));
    for (const int start : starts) {
        SCOPED_TRACE(start);
        int fast = start, slow = start;
        for (int step = 0; step < 50; ++step) {
            const double want = StepInDoubles(&slow);
            ASSERT_EQ(Rk_MathSeededRandom(&fast), want) << "step " << step;
            ASSERT_EQ(fast, slow) << "step " << step;
        }
    }
    int seed = 1;
    for (int i = 0; i < 10000; ++i) Rk_MathSeededRandom(&seed);
    EXPECT_EQ(seed, 1043618065) << "the published ten-thousandth seed of the minimal standard generator";
}

}  // namespace
