// Stacks: last in, first out; the caller's copies of popped texts; PopIgnore; the Free rule of
// stacks, which unlike queues' checks the record whatever its flag says.
#include <cstring>

#include "rk_test.hpp"

namespace {

using rktest::FailingAlloc;
using LongStack = rktest::LibraryTest;
using StrStack = rktest::LibraryTest;

TEST_F(LongStack, ValuesComeOffInReverseOrder)
{
    Rk_LongStack stack;
    ASSERT_EQ(Rk_LongStackInit(&stack), 0);
    for (long v : {1L, 2L, 3L}) ASSERT_EQ(Rk_LongStackPush(&stack, v), 0);
    long value = 0;
    int found = 0, size = 0;
    ASSERT_EQ(Rk_LongStackPop(&stack, &value, &found), 0);
    EXPECT_EQ(value, 3);
    ASSERT_EQ(Rk_LongStackPeek(&stack, &value, &found), 0);
    EXPECT_EQ(value, 2);
    Rk_LongStackGetSize(&stack, &size);
    EXPECT_EQ(size, 2) << "Peek leaves the value on the stack";
    for (long expected : {2L, 1L}) {
        ASSERT_EQ(Rk_LongStackPop(&stack, &value, &found), 0);
        EXPECT_EQ(value, expected);
    }
    value = 42;
    ASSERT_EQ(Rk_LongStackPop(&stack, &value, &found), 0);
    EXPECT_EQ(found, 0);
    EXPECT_EQ(value, 42);
    ASSERT_EQ(Rk_LongStackPeek(&stack, &value, &found), 0);
    EXPECT_EQ(found, 0);
    Rk_LongStackFree(&stack);
}

TEST_F(LongStack, FreeRefusesARecordThatNeverWasALongStack)
{
    Rk_LongStack stack;
    std::memset(&stack, 0, sizeof stack);
    EXPECT_EQ(Rk_LongStackFree(&stack), 1);
    EXPECT_ERROR(1, "rk_lngtb(");

    ASSERT_EQ(Rk_LongStackInit(&stack), 0);
    ASSERT_EQ(Rk_LongStackFree(&stack), 0);
    EXPECT_EQ(stack.allocated, 0);
    EXPECT_EQ(Rk_LongStackFree(&stack), 0) << "freeing a freed stack does nothing";
    long value = 0;
    int found = 0;
    EXPECT_EQ(Rk_LongStackPop(&stack, &value, &found), 1);
    EXPECT_ERROR(1, "rk_lngtb(");
    EXPECT_EQ(Rk_LongStackPush(&stack, 1L), 1);
    EXPECT_ERROR(1, "rk_lngtb(");
}

TEST_F(StrStack, APoppedTextOutlivesTheStackAndAPeekedOneIsTheStacksOwn)
{
    Rk_StrStack stack;
    ASSERT_EQ(Rk_StrStackInit(&stack), 0);
    char text[8] = "bottom";
    Rk_StrStackPush(&stack, text);
    std::strcpy(text, "top");
    Rk_StrStackPush(&stack, text);
    char* peeked = nullptr;
    int found = 0;
    ASSERT_EQ(Rk_StrStackPeek(&stack, &peeked, &found), 0);
    EXPECT_STREQ(peeked, "top");
    EXPECT_EQ(peeked, stack.table.table.stable[0][1]);
    char* popped = nullptr;
    ASSERT_EQ(Rk_StrStackPop(&stack, &popped, &found), 0);
    EXPECT_NE(popped, peeked);
    Rk_StrStackClear(&stack);
    Rk_StrStackFree(&stack);
    EXPECT_STREQ(popped, "top");
    Rkos_Free(popped);
}

TEST_F(StrStack, PopIgnoreDropsTheTopAndIgnoresAnEmptyStack)
{
    Rk_StrStack stack;
    ASSERT_EQ(Rk_StrStackInit(&stack), 0);
    for (const char* s : {"a", "b"}) Rk_StrStackPush(&stack, s);
    ASSERT_EQ(Rk_StrStackPopIgnore(&stack), 0);
    char* top = nullptr;
    int found = 0, size = 0;
    Rk_StrStackPeek(&stack, &top, &found);
    EXPECT_STREQ(top, "a");
    ASSERT_EQ(Rk_StrStackPopIgnore(&stack), 0);
    ASSERT_EQ(Rk_StrStackPopIgnore(&stack), 0);
    Rk_StrStackGetSize(&stack, &size);
    EXPECT_EQ(size, 0);
    Rk_StrStackFree(&stack);
    EXPECT_EQ(Rk_StrStackPopIgnore(&stack), 1);
    EXPECT_ERROR(1, "rk_strtb(");
}

// The caller's copy is made before the text is taken off: when it cannot be made, the stack keeps it.
TEST_F(StrStack, APopWhoseCopyFailsKeepsTheText)
{
    Rk_StrStack stack;
    ASSERT_EQ(Rk_StrStackInit(&stack), 0);
    Rk_StrStackPush(&stack, "under");
    Rk_StrStackPush(&stack, "over");
    char* value = nullptr;
    int found = 5;
    {
        FailingAlloc guard(1);
        EXPECT_EQ(Rk_StrStackPop(&stack, &value, &found), 1);
    }
    EXPECT_ERROR(11, "rk_strtb(");
    EXPECT_EQ(value, nullptr);
    EXPECT_EQ(found, 5);
    int size = 0;
    Rk_StrStackGetSize(&stack, &size);
    EXPECT_EQ(size, 2);
    ASSERT_EQ(Rk_StrStackPop(&stack, &value, &found), 0);
    EXPECT_STREQ(value, "over");
    Rkos_Free(value);
    Rk_StrStackFree(&stack);
}

}  // namespace
