// The seeded generator (rk_math): the minimal standard sequence, its fixed point and its mirror image.
#include <cstdint>

#include "datum_helpers.hpp"

namespace {

using SeededRandom = geomtest::GeomTest;

TEST_F(SeededRandom, SeedsFollowTheIntegerRecurrenceAndValuesAreSeedOverTheModulus)
{
    for (int start : {1, 2, 48271, 1043618065, 2147483646, 1073741824, -123456789}) {
        int seed = start, mirror = -start;
        std::int64_t expected = start;
        for (int i = 0; i < 2000; ++i) {
            const double value = Rk_MathSeededRandom(&seed), mirrored = Rk_MathSeededRandom(&mirror);
            expected = expected * 16807 % 2147483647;
            ASSERT_TRUE(seed == expected && value == seed / 2147483647.0 && mirror == -seed && mirrored == -value)
                << start << ", " << i;
            ASSERT_TRUE(start < 0 || (value > 0 && value < 1));
        }
    }
    int seed = 1;
    for (int i = 0; i < 10000; ++i) Rk_MathSeededRandom(&seed);
    EXPECT_EQ(seed, 1043618065) << "the published ten-thousandth seed of the minimal standard generator";
    for (int start : {0, 2147483647}) {
        seed = start;
        EXPECT_TRUE(Rk_MathSeededRandom(&seed) == 0.0 && seed == 0)
            << "0 is a fixed point and the modulus falls into it";
    }
    seed = -2147483647 - 1;
    Rk_MathSeededRandom(&seed);
    EXPECT_EQ(seed, -16807) << "the lowest int is -1 modulo the modulus";
}

}  // namespace
