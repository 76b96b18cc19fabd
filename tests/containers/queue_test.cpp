// Queues: first in, first out; finds from a start position; the caller's copies of texts; the
// Free rule of queues; errors that come from the table underneath.
#include <cstring>
#include <string>

#include "rk_test.hpp"

namespace {

using rktest::FailingAlloc;
using IntQueue = rktest::LibraryTest;
using LongQueue = rktest::LibraryTest;
using DblQueue = rktest::LibraryTest;
using StrQueue = rktest::LibraryTest;

TEST_F(IntQueue, ValuesComeOutInTheOrderTheyWentIn)
{
    Rk_IntQueue queue;
    ASSERT_EQ(Rk_IntQueueInit(&queue), 0);
    EXPECT_EQ(queue.allocated, 1);
    for (int v : {1, 2, 3}) ASSERT_EQ(Rk_IntQueueAdd(&queue, v), 0);
    int value = 0, found = 0;
    ASSERT_EQ(Rk_IntQueuePeek(&queue, &value, &found), 0);
    EXPECT_EQ(value, 1);
    for (int expected : {1, 2, 3}) {
        ASSERT_EQ(Rk_IntQueueGet(&queue, &value, &found), 0);
        EXPECT_EQ(found, 1);
        EXPECT_EQ(value, expected);
    }
    value = 99;
    ASSERT_EQ(Rk_IntQueueGet(&queue, &value, &found), 0);
    EXPECT_EQ(found, 0);
    EXPECT_EQ(value, 99) << "an empty queue leaves the value untouched";
    found = 1;
    ASSERT_EQ(Rk_IntQueuePeek(&queue, &value, &found), 0);
    EXPECT_EQ(found, 0);
    Rk_IntQueueFree(&queue);
}

TEST_F(IntQueue, FindPosSearchesFromTheStartPosition)
{
    Rk_IntQueue queue;
    ASSERT_EQ(Rk_IntQueueInit(&queue), 0);
    for (int v : {4, 8, 4}) Rk_IntQueueAdd(&queue, v);
    int pos = -1, found = 0;
    ASSERT_EQ(Rk_IntQueueFindPos(&queue, 4, 1, &pos, &found), 0);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(pos, 2);
    EXPECT_EQ(Rk_IntQueueFindPos(&queue, 4, 3, &pos, &found), 1);
    EXPECT_ERROR(1, "rk_inttb(");
    EXPECT_EQ(found, 0);
    ASSERT_EQ(Rk_IntQueueFind(&queue, 8, &found), 0);
    EXPECT_EQ(found, 1);
    Rk_IntQueueClear(&queue);
    ASSERT_EQ(Rk_IntQueueFindPos(&queue, 4, 3, &pos, &found), 0) << "an empty queue finds nothing, without error";
    EXPECT_EQ(found, 0);
    Rk_IntQueueFree(&queue);
}

// A queue's Free acts only on a flag of exactly 1; every other use of a freed queue is refused
// by the table.
TEST_F(LongQueue, FreeActsOnlyOnAnAllocatedQueue)
{
    Rk_LongQueue queue;
    std::memset(&queue, 0, sizeof queue);
    EXPECT_EQ(Rk_LongQueueFree(&queue), 0) << "a queue whose flag is 0 is left alone";
    queue.allocated = 2;
    EXPECT_EQ(Rk_LongQueueFree(&queue), 0) << "only a flag of 1 frees";

    ASSERT_EQ(Rk_LongQueueInit(&queue), 0);
    Rk_LongQueueAdd(&queue, 5L);
    ASSERT_EQ(Rk_LongQueueFree(&queue), 0);
    EXPECT_EQ(queue.allocated, 0);
    EXPECT_EQ(Rk_LongQueueFree(&queue), 0);
    long value = 0;
    int found = 0, size = 0;
    EXPECT_EQ(Rk_LongQueueAdd(&queue, 1L), 1);
    EXPECT_ERROR(1, "rk_lngtb(");
    EXPECT_EQ(Rk_LongQueueGet(&queue, &value, &found), 1);
    EXPECT_ERROR(1, "rk_lngtb(");
    EXPECT_EQ(Rk_LongQueuePeek(&queue, &value, &found), 1);
    EXPECT_ERROR(1, "rk_lngtb(");
    EXPECT_EQ(Rk_LongQueueGetSize(&queue, &size), 1);
    EXPECT_ERROR(1, "rk_lngtb(");
    EXPECT_EQ(Rk_LongQueueClear(&queue), 1);
    EXPECT_ERROR(1, "rk_lngtb(");
    EXPECT_EQ(Rk_LongQueueFind(&queue, 1L, &found), 1);
    EXPECT_ERROR(1, "rk_lngtb(");
}

TEST_F(DblQueue, FindsValuesWithinTheZeroTolerance)
{
    double eps = 0;
    Rk_GeometryGetZeroEpsilon(&eps);
    Rk_DblQueue queue;
    ASSERT_EQ(Rk_DblQueueInit(&queue), 0);
    Rk_DblQueueAdd(&queue, 0.25);
    Rk_DblQueueAdd(&queue, 0.5);
    int found = 0, pos = -1;
    ASSERT_EQ(Rk_DblQueueFind(&queue, 0.5 + eps / 2, &found), 0);
    EXPECT_EQ(found, 1);
    ASSERT_EQ(Rk_DblQueueFindPos(&queue, 0.5 - eps / 2, 0, &pos, &found), 0);
    EXPECT_EQ(pos, 1);
    ASSERT_EQ(Rk_DblQueueFind(&queue, 0.5 + 2 * eps, &found), 0);
    EXPECT_EQ(found, 0);
    double value = 0;
    ASSERT_EQ(Rk_DblQueueGet(&queue, &value, &found), 0);
    EXPECT_EQ(value, 0.25);
    Rk_DblQueueFree(&queue);
}

TEST_F(StrQueue, GetHandsTheCallerACopyThatOutlivesTheQueue)
{
    Rk_StrQueue queue;
    ASSERT_EQ(Rk_StrQueueInit(&queue), 0);
    char line[8] = "first";
    Rk_StrQueueAdd(&queue, line);
    std::strcpy(line, "second");
    Rk_StrQueueAdd(&queue, line);
    char* peeked = nullptr;
    int found = 0;
    ASSERT_EQ(Rk_StrQueuePeek(&queue, &peeked, &found), 0);
    EXPECT_STREQ(peeked, "first");
    EXPECT_EQ(peeked, queue.table.table.stable[0][0]) << "Peek hands out the queue's own text";
    char* taken = nullptr;
    ASSERT_EQ(Rk_StrQueueGet(&queue, &taken, &found), 0);
    ASSERT_EQ(found, 1);
    Rk_StrQueueFree(&queue);
    EXPECT_STREQ(taken, "first");
    Rkos_Free(taken);
}

// The caller's copy is made before the value is taken off: when it cannot be made the queue keeps
// the value, and the outputs are untouched.
TEST_F(StrQueue, AGetWhoseCopyFailsKeepsTheValue)
{
    Rk_StrQueue queue;
    ASSERT_EQ(Rk_StrQueueInit(&queue), 0);
    Rk_StrQueueAdd(&queue, "kept");
    char* value = nullptr;
    int found = 7;
    {
        FailingAlloc guard(1);
        EXPECT_EQ(Rk_StrQueueGet(&queue, &value, &found), 1);
    }
    EXPECT_ERROR(11, "rk_strtb(");
    EXPECT_EQ(value, nullptr);
    EXPECT_EQ(found, 7);
    int size = 0;
    Rk_StrQueueGetSize(&queue, &size);
    EXPECT_EQ(size, 1);
    ASSERT_EQ(Rk_StrQueueGet(&queue, &value, &found), 0);
    EXPECT_STREQ(value, "kept");
    Rkos_Free(value);
    Rk_StrQueueFree(&queue);
}

TEST_F(StrQueue, AnAddThatCannotGrowLeavesTheQueueAsItWas)
{
    Rk_StrQueue queue;
    ASSERT_EQ(Rk_StrQueueInit(&queue), 0);
    for (int i = 0; i < 25; ++i) Rk_StrQueueAdd(&queue, std::to_string(i).c_str());
    const long live = rk::seam::live_blocks();
    {
        FailingAlloc guard(2);
        EXPECT_EQ(Rk_StrQueueAdd(&queue, "26th"), 1);
    }
    EXPECT_ERROR(11, "rk_strtb(");
    EXPECT_EQ(rk::seam::live_blocks(), live);
    int size = 0, found = 0;
    Rk_StrQueueGetSize(&queue, &size);
    EXPECT_EQ(size, 25);
    Rk_StrQueueFind(&queue, "26th", &found);
    EXPECT_EQ(found, 0);
    Rk_StrQueueFree(&queue);
}

TEST_F(StrQueue, AFailedInitLeavesTheFlagAsItWas)
{
    Rk_StrQueue queue;
    std::memset(&queue, 0, sizeof queue);
    {
        FailingAlloc guard(2);
        EXPECT_EQ(Rk_StrQueueInit(&queue), 1);
    }
    EXPECT_ERROR(11, "rk_strtb(");
    EXPECT_EQ(queue.allocated, 0);
    EXPECT_EQ(Rk_StrQueueFree(&queue), 0);
}

}  // namespace
