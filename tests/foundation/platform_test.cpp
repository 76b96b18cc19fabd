// The platform layer: the allocator and its failure seam, the environment and the clock. The working
// directory and the replacement of a file are pinned by the directory and configuration-writing tests.
#include <cstring>

#include "rk_test.hpp"

namespace {

using Platform = rktest::LibraryTest;

// A null result means "nothing changed": a zero size or a failed call leaves the old block (the allocation
// sweeps pin how the seam counts calls).
TEST_F(Platform, ANullBlockChangesNothing)
{
    EXPECT_TRUE(Rkos_Alloc(0) == nullptr && Rkos_Free(nullptr) == nullptr);
    char* block = static_cast<char*>(Rkos_Realloc(nullptr, 4));
    ASSERT_NE(block, nullptr);
    std::memcpy(block, "abc", 4);
    EXPECT_EQ(rktest::WithFailingAlloc(1, [&] { return Rkos_Realloc(block, 64); }), nullptr);
    EXPECT_EQ(Rkos_Realloc(block, 0), nullptr);
    EXPECT_STREQ(block, "abc");
    Rkos_Free(block);
}

// A value is copied, cut at `size` characters and terminated.
TEST_F(Platform, AnEnvironmentValueIsCopiedToAtMostSizeCharacters)
{
    setenv("RK_TEST_VALUE", "hello", 1);
    char value[8] = "xxxxxxx";
    int found = -1;
    Rkos_GetEnv("RK_TEST_VALUE", value, 3, &found);
    EXPECT_EQ(std::make_pair(found, std::string(value)), std::make_pair(1, std::string("hel")));
}

// The fixed time's texts are read by the thread tests.
TEST_F(Platform, TheClockGivesTheFixedTime)
{
    int f[9];
    Rkos_TimeShowFixed();
    Rkos_LocalTime(&f[0], &f[1], &f[2], &f[3], &f[4], &f[5], &f[6], &f[7], &f[8]);
    EXPECT_EQ(std::vector<int>(f, f + 9), (std::vector<int>{0, 30, 3, 7, 7, 93, 5, 180, 1}));
}

}  // namespace
