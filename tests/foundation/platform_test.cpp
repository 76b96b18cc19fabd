// The platform layer: allocator, environment and clock.
#include <cstdlib>
#include <cstring>
#include <string>

#include "rk_test.hpp"

namespace {

using Memory = rktest::LibraryTest;
using Environment = rktest::LibraryTest;
using Clock = rktest::LibraryTest;

TEST_F(Memory, ZeroSizeAllocatesNothing)
{
    const long before = rk::seam::live_blocks();
    EXPECT_EQ(Rkos_Alloc(0), nullptr);
    EXPECT_EQ(rk::seam::live_blocks(), before);
}

TEST_F(Memory, FreeOfNullDoesNothingAndReturnsNull)
{
    const long before = rk::seam::live_blocks();
    EXPECT_EQ(Rkos_Free(nullptr), nullptr);
    EXPECT_EQ(rk::seam::live_blocks(), before);
}

TEST_F(Memory, ReallocKeepsContentsAndCountsOneBlock)
{
    const long before = rk::seam::live_blocks();
    char* block = static_cast<char*>(Rkos_Realloc(nullptr, 4));
    ASSERT_NE(block, nullptr);
    std::memcpy(block, "abc", 4);
    block = static_cast<char*>(Rkos_Realloc(block, 4096));
    ASSERT_NE(block, nullptr);
    EXPECT_STREQ(block, "abc");
    EXPECT_EQ(rk::seam::live_blocks(), before + 1);
    EXPECT_EQ(Rkos_Free(block), nullptr);
    EXPECT_EQ(rk::seam::live_blocks(), before);
}

TEST_F(Memory, FailedReallocLeavesTheOldBlockValid)
{
    char* block = static_cast<char*>(Rkos_Alloc(8));
    ASSERT_NE(block, nullptr);
    std::memcpy(block, "kept", 5);
    {
        rktest::FailingAlloc guard(1);
        EXPECT_EQ(Rkos_Realloc(block, 64), nullptr);
    }
    EXPECT_EQ(Rkos_Realloc(block, 0), nullptr) << "a zero size must not free the block behind the caller's back";
    EXPECT_STREQ(block, "kept");
    Rkos_Free(block);
}

TEST_F(Memory, SeamFailsExactlyTheNthCall)
{
    rktest::FailingAlloc guard(3);
    void* first = Rkos_Alloc(1);
    void* second = Rkos_Alloc(1);
    void* third = Rkos_Alloc(1);
    void* fourth = Rkos_Alloc(1);
    EXPECT_NE(first, nullptr);
    EXPECT_NE(second, nullptr);
    EXPECT_EQ(third, nullptr);
    EXPECT_NE(fourth, nullptr);
    Rkos_Free(first);
    Rkos_Free(second);
    Rkos_Free(fourth);
}

TEST_F(Environment, DefinedValueIsCopiedAndFound)
{
    setenv("RK_TEST_VALUE", "hello", 1);
    char value[16] = "untouched";
    int found = -1;
    Rkos_GetEnv("RK_TEST_VALUE", value, 15, &found);
    EXPECT_EQ(found, 1);
    EXPECT_STREQ(value, "hello");
}

TEST_F(Environment, UndefinedVariableLeavesTheBufferAlone)
{
    unsetenv("RK_TEST_MISSING");
    char value[16] = "untouched";
    int found = -1;
    Rkos_GetEnv("RK_TEST_MISSING", value, 15, &found);
    EXPECT_EQ(found, 0);
    EXPECT_STREQ(value, "untouched");
}

TEST_F(Environment, LongValueIsCutAtSizeAndTerminated)
{
    const std::string long_value(300, 'v');
    setenv("RK_TEST_LONG", long_value.c_str(), 1);
    char value[8];
    std::memset(value, 'x', sizeof value);
    int found = 0;
    Rkos_GetEnv("RK_TEST_LONG", value, 5, &found);
    EXPECT_EQ(found, 1);
    EXPECT_STREQ(value, "vvvvv");
    EXPECT_EQ(value[6], 'x') << "nothing written past the terminator";
}

TEST_F(Clock, FixedTimeGivesTheFixedRecords)
{
    Rkos_TimeShowFixed();
    EXPECT_EQ(Rkos_DisplayTimeDate, 0);
    int f[9];
    Rkos_LocalTime(&f[0], &f[1], &f[2], &f[3], &f[4], &f[5], &f[6], &f[7], &f[8]);
    const int expected[9] = {0, 30, 3, 7, 7, 93, 5, 180, 1};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(f[i], expected[i]) << "field " << i;

    char sec[3], min[3], hour[3], mday[3], mon[4], year[5], wday[4];
    Rkos_AsciiTime(sec, min, hour, mday, mon, year, wday);
    EXPECT_STREQ(sec, "00");
    EXPECT_STREQ(min, "30");
    EXPECT_STREQ(hour, "03");
    EXPECT_STREQ(mday, "07");
    EXPECT_STREQ(mon, "Jul");
    EXPECT_STREQ(year, "1993");
    EXPECT_STREQ(wday, "Thu");
}

TEST_F(Clock, CurrentTimeIsSlicedFromTheRuntimeClock)
{
    Rkos_TimeShowFixed();
    Rkos_TimeShowCurrent();
    EXPECT_EQ(Rkos_DisplayTimeDate, 1);

    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    int f[9];
    Rkos_LocalTime(&f[0], &f[1], &f[2], &f[3], &f[4], &f[5], &f[6], &f[7], &f[8]);
    EXPECT_EQ(f[5], local.tm_year);
    EXPECT_EQ(f[7], local.tm_yday);

    char sec[3], min[3], hour[3], mday[3], mon[4], year[5], wday[4];
    Rkos_AsciiTime(sec, min, hour, mday, mon, year, wday);
    EXPECT_EQ(std::atoi(year), local.tm_year + 1900);
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    EXPECT_STREQ(mon, kMonths[local.tm_mon]);
    EXPECT_EQ(std::atoi(mday), local.tm_mday);
    EXPECT_EQ(std::strlen(sec), 2u);
    EXPECT_EQ(std::strlen(wday), 3u);
}

}  // namespace
