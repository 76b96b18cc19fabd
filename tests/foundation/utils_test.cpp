// Library set-up and tear-down: the message-file path and the two queues.
#include <cstring>
#include <string>
#include <vector>

#include "foundation/record_queue.hpp"
#include "rk_test.hpp"

namespace {

using Lifecycle = rktest::LibraryTest;

void add_message(long id)
{
    Rk_MessageStruct msg;
    Rk_MessageSet(&msg, id, "file");
    ASSERT_EQ(Rk_MessageQueueAddMessage(&msg), 0);
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
