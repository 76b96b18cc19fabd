// The two global queues of records, errors and messages: one array each that grows by five records
// and hands out the oldest first; the set-up that makes both.
#include "foundation/record_queue.hpp"
#include "rk_test.hpp"

namespace {

using rktest::WithFailingAlloc;

// The two queues under the same names; Take answers the id taken out, -7 when none was.
struct Errors {
    static constexpr auto Init = &Rk_ErrorQueueInit, Free = &Rk_ErrorQueueFree, Clear = &Rk_ErrorQueueClear;
    static constexpr const char *kName = "Errors", *kLoc = "rk_errqu(";
    static auto& Queue() { return rk::error_queue(); }
    static int Add(long id) { return Rk_ErrorSet(&record, id, "file", "here"), Rk_ErrorQueueAddError(&record); }
    static long Take(int* found)
    {
        return Rk_ErrorSet(&record, -7, "f", "l"), Rk_ErrorQueueGetError(&record, found), record.msg.msg_id;
    }
    static inline Rk_ErrorStruct record;
};

struct Messages {
    static constexpr auto Init = &Rk_MessageQueueInit, Free = &Rk_MessageQueueFree, Clear = &Rk_MessageQueueClear;
    static constexpr const char *kName = "Messages", *kLoc = "rk_mesqu(";
    static auto& Queue() { return rk::message_queue(); }
    static int Add(long id) { return Rk_MessageSet(&record, id, "file"), Rk_MessageQueueAddMessage(&record); }
    static long Take(int* found)
    {
        return Rk_MessageSet(&record, -7, "f"), Rk_MessageQueueGetMessage(&record, found), record.msg_id;
    }
    static inline Rk_MessageStruct record;
};

template <class Q>
class RecordQueue : public rktest::LibraryTest {
protected:
    // The ids taken out until the queue answers "not found", which must leave the record alone.
    static std::vector<long> Drain()
    {
        std::vector<long> ids;
        for (int found = 1; found;) ids.push_back(Q::Take(&found));
        return ids.back() == -7 ? std::vector<long>(ids.begin(), ids.end() - 1) : std::vector<long>{-1};
    }
};

using Queues = ::testing::Types<Errors, Messages>;
TYPED_TEST_SUITE(RecordQueue, Queues, rktest::KNames);

// Clear keeps the array (the thread tests walk Free and a regrowth). An array that cannot grow keeps its
// records: the error queue drops the new one quietly, the message queue (and Init) raises error 11.
TYPED_TEST(RecordQueue, RecordsComeOutOldestFirstFromAnArrayThatGrowsByFive)
{
    using Q = TypeParam;
    auto& q = Q::Queue();
    for (long id = 1; id <= 11; ++id) EXPECT_TRUE(Q::Add(id) == 0 && q.alloc_size == (id + 4) / 5 * 5) << id;
    const auto* storage = q.records;
    EXPECT_EQ(Q::Clear(), 0);
    for (long id = 21; id <= 35; ++id) Q::Add(id);
    EXPECT_EQ(std::make_pair(static_cast<const void*>(q.records), q.alloc_size),
              std::make_pair(static_cast<const void*>(storage), 15));
    EXPECT_EQ(WithFailingAlloc(1, [] { return Q::Add(36); }), 1);
    EXPECT_TRUE((std::is_same_v<Q, Errors> || this->NextErrorIs(11, "rk_mesqu(")));
    EXPECT_EQ(this->Drain(), (std::vector<long>{21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35}));
    EXPECT_EQ(Q::Free(), 0);
    EXPECT_FAILS(WithFailingAlloc(1, Q::Init), 11, Q::kLoc);
}

using MessageQueue = RecordQueue<Messages>;

TEST_F(MessageQueue, RemoveByIdKeepsTheOthersInOrder)
{
    for (long id : {3, 7, 3, 9, 5, 3}) Messages::Add(id);
    EXPECT_EQ(Rk_MessageQueueRemoveMsgById(3) || Rk_MessageQueueRemoveMsgById(4), 0);
    EXPECT_EQ(Drain(), (std::vector<long>{7, 9, 5}));
}

using Utils = rktest::LibraryTest;

// Init keeps 256 characters of the path (a record, 128) and starts both queues afresh, releasing
// what they held. When the error queue cannot be made the message queue is not attempted.
TEST_F(Utils, InitMakesBothQueuesAfreshAndAFailedInitStopsAtTheFirstQueue)
{
    const std::string path = "/" + std::string(300, 'd');
    const long live = rk::seam::live_blocks();
    for (long id = 1; id <= 8; ++id) Errors::Add(id), Messages::Add(id);
    EXPECT_EQ(Rk_UtilsInit(path.c_str()), 0);
    EXPECT_EQ(std::make_tuple(std::string(Rk_BasekitErrorFileName), rk::error_queue().queue_size,
                              rk::message_queue().queue_size, rk::seam::live_blocks()),
              std::make_tuple(path.substr(0, 256), 0, 0, live));
    for (auto [n, module] : {std::pair{1L, "rk_errqu("}, {2L, "rk_mesqu("}}) {
        EXPECT_EQ(Rk_UtilsFree(), 0);
        EXPECT_FAILS(WithFailingAlloc(n, [&] { return Rk_UtilsInit(MessageFile().c_str()); }), 11, module);
        EXPECT_TRUE(rk::error_queue().records != nullptr && rk::message_queue().records == nullptr) << n;
    }
}

}  // namespace
