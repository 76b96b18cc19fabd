// The message queue: the error queue's behaviour, its failures, clearing and removal by id.
#include <cstring>
#include <string>
#include <vector>

#include "foundation/record_queue.hpp"
#include "rk_test.hpp"

namespace {

using MessageQueue = rktest::LibraryTest;

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

}  // namespace
