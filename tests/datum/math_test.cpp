// The seeded generator: the minimal standard sequence, its fixed points and its mirror image.
#include "rk_test.hpp"

#include <cstdint>

namespace {

using SeededRandom = rktest::LibraryTest;

constexpr double kModulus = 2147483647.0;

// The next seed by integer arithmetic, for comparison with the generator's double arithmetic.
int next_seed(int seed)
{
    return static_cast<int>(static_cast<std::int64_t>(seed) * 16807 % 2147483647);
}

TEST_F(SeededRandom, SeedOneStartsTheMinimalStandardSequence)
{
    int seed = 1;
    const double value = Rk_MathSeededRandom(&seed);
    EXPECT_EQ(seed, 16807);
    EXPECT_EQ(value, 16807.0 / kModulus);
    EXPECT_NEAR(value, 7.826369259425611e-06, 1e-20);
}

TEST_F(SeededRandom, TenThousandCallsFromSeedOneReachTheKnownSeed)
{
    int seed = 1;
    for (int i = 0; i < 10000; ++i) Rk_MathSeededRandom(&seed);
    EXPECT_EQ(seed, 1043618065);
}

TEST_F(SeededRandom, ZeroIsAFixedPointAndTheModulusFallsIntoIt)
{
    int seed = 0;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Rk_MathSeededRandom(&seed), 0.0);
        EXPECT_EQ(seed, 0);
    }
    seed = 2147483647;
    EXPECT_EQ(Rk_MathSeededRandom(&seed), 0.0);
    EXPECT_EQ(seed, 0);
}

TEST_F(SeededRandom, NegativeSeedsRunTheMirrorImage)
{
    int seed = -1;
    EXPECT_EQ(Rk_MathSeededRandom(&seed), -16807.0 / kModulus);
    EXPECT_EQ(seed, -16807);

    int plus = 123456789, minus = -123456789;
    for (int i = 0; i < 1000; ++i) {
        const double up = Rk_MathSeededRandom(&plus);
        const double down = Rk_MathSeededRandom(&minus);
        ASSERT_EQ(down, -up) << "step " << i;
        ASSERT_EQ(minus, -plus) << "step " << i;
    }

    seed = -2147483647 - 1;
    Rk_MathSeededRandom(&seed);
    EXPECT_EQ(seed, -16807) << "the lowest int is -1 modulo the modulus";
}

TEST_F(SeededRandom, SeedsFollowTheIntegerRecurrenceAndValuesStayInsideTheUnitInterval)
{
    for (int start : {2, 16807, 48271, 1043618065, 2147483646, 1073741824}) {
        int seed = start;
        int expected = start;
        for (int i = 0; i < 2000; ++i) {
            const double value = Rk_MathSeededRandom(&seed);
            expected = next_seed(expected);
            ASSERT_EQ(seed, expected) << "from " << start << ", step " << i;
            ASSERT_GT(value, 0.0);
            ASSERT_LT(value, 1.0);
            ASSERT_EQ(value, seed / kModulus);
        }
    }
}

}  // namespace
