// The error queue: locations, tokens, order, growth, and what a failure to grow keeps.
#include <cstring>
#include <string>
#include <vector>

#include "foundation/record_queue.hpp"
#include "rk_test.hpp"

namespace {

using ErrorQueue = rktest::LibraryTest;

TEST_F(ErrorQueue, LocationIsTheModuleBaseNameAndLine)
{
    struct Case {
        const char* file;
        bool line_numbers;
        const char* location;
    } cases[] = {
        {"src/rk_arc", true, "rk_arc(627)"},
        {"src\\rk_arc", true, "rk_arc(627)"},
        {"C:\\dev/src\\rk_arc", true, "rk_arc(627)"},
        {"rk_arc", true, "rk_arc(627)"},
        {"src/rk_arc", false, "rk_arc"},
    };
    for (const Case& c : cases) {
        if (c.line_numbers)
            Rk_ErrorQueueLineNumbersOn();
        else
            Rk_ErrorQueueLineNumbersOff();
        EXPECT_EQ(Rk_ErrorQueueSetAndAddError(11, c.file, 627, ""), 0);
        Rk_ErrorStruct error;
        int found = 0;
        Rk_ErrorQueueGetError(&error, &found);
        ASSERT_EQ(found, 1);
        EXPECT_STREQ(error.loc, c.location) << c.file;
        EXPECT_STREQ(error.msg.msgfile, MessageFile().c_str());
        EXPECT_EQ(error.msg.msg_id, 11);
    }
}

TEST_F(ErrorQueue, OverlongModuleNameIsCutAt128Characters)
{
    const std::string module = "src/" + std::string(300, 'm');
    Rk_ErrorQueueSetAndAddError(1, module.c_str(), 12345, "");
    Rk_ErrorStruct error;
    int found = 0;
    Rk_ErrorQueueGetError(&error, &found);
    ASSERT_EQ(found, 1);
    EXPECT_EQ(std::string(error.loc), std::string(128, 'm'));
}

TEST_F(ErrorQueue, OnlyANonBlankTokenIsStored)
{
    Rk_ErrorQueueSetAndAddError(1, "src/rk_x", 1, " \t ");
    Rk_ErrorQueueSetAndAddError(1, "src/rk_x", 2, "context");
    Rk_ErrorStruct error;
    int found = 0;
    char token[129];
    Rk_ErrorQueueGetError(&error, &found);
    Rk_MessageGetToken(&error.msg, 1, token);
    EXPECT_STREQ(token, "");
    Rk_ErrorQueueGetError(&error, &found);
    Rk_MessageGetToken(&error.msg, 1, token);
    EXPECT_STREQ(token, "context");
    Rk_MessageGetToken(&error.msg, 2, token);
    EXPECT_STREQ(token, "");
}

TEST_F(ErrorQueue, RecordsComeOutOldestFirstAndGrowByFive)
{
    auto& queue = rk::error_queue();
    EXPECT_EQ(queue.alloc_size, 5);
    for (long id = 1; id <= 11; ++id) {
        Rk_ErrorQueueSetAndAddError(id, "src/rk_test", 1, "");
        const int expected_room = id <= 5 ? 5 : id <= 10 ? 10 : 15;
        EXPECT_EQ(queue.alloc_size, expected_room) << "after record " << id;
    }
    int size = 0;
    Rk_ErrorQueueGetSize(&size);
    EXPECT_EQ(size, 11);
    for (long id = 1; id <= 11; ++id) EXPECT_ERROR(id, "rk_test(");
}

TEST_F(ErrorQueue, EmptyQueueAnswersNotFoundAndLeavesTheRecord)
{
    Rk_ErrorStruct error;
    Rk_ErrorSet(&error, 77, "file", "here");
    int found = -1;
    EXPECT_EQ(Rk_ErrorQueueGetError(&error, &found), 0);
    EXPECT_EQ(found, 0);
    EXPECT_EQ(error.msg.msg_id, 77);
    EXPECT_STREQ(error.loc, "here");
}

TEST_F(ErrorQueue, ClearKeepsTheStorage)
{
    for (int i = 0; i < 7; ++i) Rk_ErrorQueueSetAndAddError(1, "src/rk_test", i, "");
    Rk_ErrorStruct* storage = rk::error_queue().records;
    EXPECT_EQ(Rk_ErrorQueueClear(), 0);
    int size = -1;
    Rk_ErrorQueueGetSize(&size);
    EXPECT_EQ(size, 0);
    for (int i = 0; i < 10; ++i) Rk_ErrorQueueSetAndAddError(1, "src/rk_test", i, "");
    EXPECT_EQ(rk::error_queue().records, storage) << "adding after a clear reuses the array";
    EXPECT_EQ(rk::error_queue().alloc_size, 10);
    Rk_ErrorQueueClear();
}

TEST_F(ErrorQueue, AddCopiesTheCallersRecord)
{
    Rk_ErrorStruct error;
    Rk_ErrorSet(&error, 5, "file", "origin");
    EXPECT_EQ(Rk_ErrorQueueAddError(&error), 0);
    Rk_ErrorSet(&error, 6, "file", "changed");
    EXPECT_ERROR(5, "origin");
}

TEST_F(ErrorQueue, QueueThatCannotGrowKeepsEveryQueuedRecord)
{
    for (long id = 1; id <= 5; ++id) Rk_ErrorQueueSetAndAddError(id, "src/rk_test", 1, "");
    {
        rktest::FailingAlloc guard(1);
        Rk_ErrorStruct error;
        Rk_ErrorSet(&error, 99, "file", "lost");
        EXPECT_EQ(Rk_ErrorQueueAddError(&error), 1);
        EXPECT_EQ(Rk_ErrorQueueSetAndAddError(98, "src/rk_test", 1, ""), 0) << "never fails to its caller";
    }
    int size = 0;
    Rk_ErrorQueueGetSize(&size);
    EXPECT_EQ(size, 6) << "the failed add queued nothing; the later set-and-add could grow again";
    for (long id = 1; id <= 5; ++id) EXPECT_ERROR(id, "rk_test(");
    EXPECT_ERROR(98, "rk_test(");
}

TEST_F(ErrorQueue, InitFailureIsReportedAsOutOfMemory)
{
    Rk_ErrorQueueFree();
    {
        rktest::FailingAlloc guard(1);
        EXPECT_EQ(Rk_ErrorQueueInit(), 1);
    }
    // The record of the failure grew the empty queue from nothing.
    EXPECT_ERROR(11, "rk_errqu(");
}

TEST_F(ErrorQueue, FreedQueueGrowsFromNothingOnItsFirstAdd)
{
    Rk_ErrorQueueFree();
    EXPECT_EQ(rk::error_queue().records, nullptr);
    EXPECT_EQ(rk::error_queue().alloc_size, 0);
    Rk_ErrorQueueSetAndAddError(1, "src/rk_test", 1, "");
    EXPECT_EQ(rk::error_queue().alloc_size, 5);
    EXPECT_ERROR(1, "rk_test(");
}

}  // namespace
