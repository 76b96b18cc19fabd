// Message and error records, the error queue and the message queue, library set-up.
#include <cstring>
#include <string>
#include <vector>

#include "core/record_queue.hpp"
#include "rk_test.hpp"

namespace {

using MessageRecord = rktest::LibraryTest;
using ErrorRecord = rktest::LibraryTest;
using ErrorQueue = rktest::LibraryTest;
using MessageQueue = rktest::LibraryTest;
using Lifecycle = rktest::LibraryTest;

std::vector<long> drain_message_ids()
{
    std::vector<long> ids;
    for (;;) {
        Rk_MessageStruct msg;
        int found = 0;
        Rk_MessageQueueGetMessage(&msg, &found);
        if (!found) return ids;
        ids.push_back(msg.msg_id);
    }
}

void add_message(long id)
{
    Rk_MessageStruct msg;
    Rk_MessageSet(&msg, id, "file");
    ASSERT_EQ(Rk_MessageQueueAddMessage(&msg), 0);
}

TEST_F(MessageRecord, SetClearsEveryTokenAndCutsThePath)
{
    Rk_MessageStruct msg;
    std::memset(&msg, 'x', sizeof msg);
    const std::string path(200, 'p');
    EXPECT_EQ(Rk_MessageSet(&msg, 42, path.c_str()), 0);
    long id = 0;
    Rk_MessageGetId(&msg, &id);
    EXPECT_EQ(id, 42);
    EXPECT_EQ(std::string(msg.msgfile), path.substr(0, 128));
    char token[129];
    for (int n : {1, 125, 250}) {
        EXPECT_EQ(Rk_MessageGetToken(&msg, n, token), 0);
        EXPECT_STREQ(token, "") << "token " << n;
    }
}

TEST_F(MessageRecord, TokenNumbersOutsideOneTo250FailAndChangeNothing)
{
    Rk_MessageStruct msg;
    Rk_MessageSet(&msg, 1, "file");
    Rk_MessageSetToken(&msg, 1, "first");
    Rk_MessageSetToken(&msg, 250, "last");
    for (int bad : {0, 251, -1}) {
        EXPECT_EQ(Rk_MessageSetToken(&msg, bad, "bad"), 1) << bad;
        EXPECT_ERROR(1, "rk_mes(");
        char out[129] = "untouched";
        EXPECT_EQ(Rk_MessageGetToken(&msg, bad, out), 1) << bad;
        EXPECT_ERROR(1, "rk_mes(");
        EXPECT_STREQ(out, "untouched");
    }
    char out[129];
    Rk_MessageGetToken(&msg, 1, out);
    EXPECT_STREQ(out, "first");
    Rk_MessageGetToken(&msg, 250, out);
    EXPECT_STREQ(out, "last");
}

TEST_F(MessageRecord, LongTokenIsStoredAsItsFirst128Characters)
{
    Rk_MessageStruct msg;
    Rk_MessageSet(&msg, 1, "file");
    const std::string text(200, 't');
    Rk_MessageSetToken(&msg, 7, text.c_str());
    char out[129];
    Rk_MessageGetToken(&msg, 7, out);
    EXPECT_EQ(std::string(out), text.substr(0, 128));
}

TEST_F(ErrorRecord, FormsForwardToTheMessagePart)
{
    Rk_ErrorStruct error;
    const std::string loc(150, 'l');
    EXPECT_EQ(Rk_ErrorSet(&error, 9, "messages", loc.c_str()), 0);
    long id = 0;
    Rk_ErrorGetId(&error, &id);
    EXPECT_EQ(id, 9);
    char out[129];
    Rk_ErrorGetLocation(&error, out);
    EXPECT_EQ(std::string(out), loc.substr(0, 128));
    EXPECT_EQ(Rk_ErrorSetToken(&error, 2, "two"), 0);
    Rk_MessageGetToken(&error.msg, 2, out);
    EXPECT_STREQ(out, "two");
    EXPECT_EQ(Rk_ErrorSetToken(&error, 251, "x"), 1);
    EXPECT_ERROR(1, "rk_mes(");
}

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

TEST_F(MessageQueue, BehavesAsTheErrorQueue)
{
    for (long id = 1; id <= 6; ++id) add_message(id);
    EXPECT_EQ(rk::message_queue().alloc_size, 10);
    int size = 0;
    Rk_MessageQueueGetSize(&size);
    EXPECT_EQ(size, 6);
    EXPECT_EQ(drain_message_ids(), (std::vector<long>{1, 2, 3, 4, 5, 6}));
    Rk_MessageStruct msg;
    Rk_MessageSet(&msg, 50, "f");
    int found = -1;
    Rk_MessageQueueGetMessage(&msg, &found);
    EXPECT_EQ(found, 0);
    EXPECT_EQ(msg.msg_id, 50);
}

TEST_F(MessageQueue, GrowthFailureIsQueuedAsOutOfMemory)
{
    for (long id = 1; id <= 5; ++id) add_message(id);
    Rk_MessageStruct msg;
    Rk_MessageSet(&msg, 6, "f");
    {
        rktest::FailingAlloc guard(1);
        EXPECT_EQ(Rk_MessageQueueAddMessage(&msg), 1);
    }
    EXPECT_ERROR(11, "rk_mesqu(");
    EXPECT_EQ(drain_message_ids(), (std::vector<long>{1, 2, 3, 4, 5}));
}

TEST_F(MessageQueue, InitFailureIsQueuedAsOutOfMemory)
{
    Rk_MessageQueueFree();
    {
        rktest::FailingAlloc guard(1);
        EXPECT_EQ(Rk_MessageQueueInit(), 1);
    }
    EXPECT_ERROR(11, "rk_mesqu(");
}

TEST_F(MessageQueue, ClearEmptiesIt)
{
    add_message(1);
    add_message(2);
    Rk_MessageQueueClear();
    EXPECT_TRUE(drain_message_ids().empty());
    add_message(3);
    EXPECT_EQ(drain_message_ids(), (std::vector<long>{3}));
}

TEST_F(MessageQueue, RemoveByIdKeepsTheOthersInOrder)
{
    struct Case {
        std::vector<long> queued;
        long removed;
        std::vector<long> left;
    } cases[] = {
        {{3, 7, 3, 9}, 3, {7, 9}},
        {{3, 7, 3, 9}, 4, {3, 7, 3, 9}},
        {{5, 5, 5}, 5, {}},
        {{}, 1, {}},
        {{1, 2, 3, 4, 5, 6, 7}, 7, {1, 2, 3, 4, 5, 6}},
    };
    for (const Case& c : cases) {
        for (long id : c.queued) add_message(id);
        EXPECT_EQ(Rk_MessageQueueRemoveMsgById(c.removed), 0);
        EXPECT_EQ(drain_message_ids(), c.left) << "removing " << c.removed;
    }
}

TEST_F(Lifecycle, InitRecordsThePathAndCutsItAt256)
{
    const std::string path = "/" + std::string(300, 'd');
    EXPECT_EQ(Rk_UtilsInit(path.c_str()), 0);
    EXPECT_EQ(std::string(Rk_BasekitErrorFileName), path.substr(0, 256));
    Rk_ErrorQueueSetAndAddError(1, "src/rk_test", 1, "");
    Rk_ErrorStruct error;
    int found = 0;
    Rk_ErrorQueueGetError(&error, &found);
    EXPECT_EQ(std::string(error.msg.msgfile), path.substr(0, 128)) << "records keep 128 characters";
    EXPECT_EQ(Rk_UtilsInit(MessageFile().c_str()), 0);
}

TEST_F(Lifecycle, SecondInitStartsEmptyQueuesWithoutLeaking)
{
    const long live = rk::seam::live_blocks();
    for (int i = 0; i < 8; ++i) Rk_ErrorQueueSetAndAddError(1, "src/rk_test", i, "");
    add_message(4);
    EXPECT_EQ(Rk_UtilsInit(MessageFile().c_str()), 0);
    int errors = -1, messages = -1;
    Rk_ErrorQueueGetSize(&errors);
    Rk_MessageQueueGetSize(&messages);
    EXPECT_EQ(errors, 0);
    EXPECT_EQ(messages, 0);
    EXPECT_EQ(rk::seam::live_blocks(), live) << "the earlier arrays were released";
}

TEST_F(Lifecycle, FreeReleasesBothQueuesAndKeepsThePath)
{
    const long live = rk::seam::live_blocks();
    EXPECT_EQ(Rk_UtilsFree(), 0);
    EXPECT_EQ(rk::seam::live_blocks(), live - 2);
    EXPECT_STREQ(Rk_BasekitErrorFileName, MessageFile().c_str());
    EXPECT_EQ(Rk_UtilsInit(MessageFile().c_str()), 0);
}

TEST_F(Lifecycle, FailedErrorQueueCreationSkipsTheMessageQueue)
{
    Rk_UtilsFree();
    {
        rktest::FailingAlloc guard(1);
        EXPECT_EQ(Rk_UtilsInit(MessageFile().c_str()), 1);
    }
    EXPECT_EQ(rk::message_queue().records, nullptr);
    EXPECT_ERROR(11, "rk_errqu(");
}

TEST_F(Lifecycle, FailedMessageQueueCreationIsReported)
{
    Rk_UtilsFree();
    {
        rktest::FailingAlloc guard(2);
        EXPECT_EQ(Rk_UtilsInit(MessageFile().c_str()), 1);
    }
    EXPECT_NE(rk::error_queue().records, nullptr);
    EXPECT_ERROR(11, "rk_mesqu(");
}

}  // namespace
