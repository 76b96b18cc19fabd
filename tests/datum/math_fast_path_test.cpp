// The seeded generator's integer arithmetic against the double arithmetic it stands for (the
// product, its integral quotient by 2^31 - 1 as modf gives it, the remainder): the same seed and
// the same value, bit for bit, over many seeds, long runs and the seeds at the ends of the range.
#include <climits>
#include <cmath>
#include <random>
#include <vector>

#include "rk_test.hpp"

namespace {

double StepInDoubles(int* seed)
{
    const double m = 2147483647.0, product = static_cast<double>(*seed) * 16807.0;
    double quotient = 0.0;
    std::modf(product / m, &quotient);
    const double rest = product - quotient * m;
    *seed = static_cast<int>(rest);
    return rest / m;
}

using SeededRandomIntegers = rktest::LibraryTest;

TEST_F(SeededRandomIntegers, GiveTheSequenceOfTheDoubleArithmetic)
{
    std::mt19937 gen(7);
    std::uniform_int_distribution<int> any(1, INT_MAX - 1);
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
}

}  // namespace
