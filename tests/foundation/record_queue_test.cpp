// The two global queues of records, errors and messages: one array each that grows by five records
// and hands out the oldest first; the error queue's locations; the set-up that makes both.
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
    EXPECT_EQ(q.alloc_size, 5);
    for (long id = 1; id <= 11; ++id) {
        ASSERT_EQ(Q::Add(id), 0);
        EXPECT_EQ(std::make_pair(q.queue_size, q.alloc_size), std::make_pair(int(id), int(id + 4) / 5 * 5)) << id;
    }
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

using ErrorQueue = rktest::LibraryTest;

// A location is the module's base name with the line while line numbers are on, cut to 128
// characters; a record takes the library's message file and only a token that is not blank.
TEST_F(ErrorQueue, ALocationIsTheModulesBaseNameAndLine)
{
    const std::string long_module = "src/" + std::string(300, 'm');
    const std::tuple<std::string, bool, const char*, std::string> cases[] = {
        {"src/rk_arc", true, "context", "rk_arc(627)"}, {"C:\\dev/src\\rk_arc", true, " \t ", "rk_arc(627)"},
        {"src/rk_arc", false, "", "rk_arc"}, {long_module, true, "", std::string(128, 'm')}};
    for (const auto& [file, line_numbers, token, location] : cases) {
        SCOPED_TRACE(file);
        line_numbers ? Rk_ErrorQueueLineNumbersOn() : Rk_ErrorQueueLineNumbersOff();
        EXPECT_EQ(Rk_ErrorQueueSetAndAddError(11, file.c_str(), 627, token), 0);
        Rk_ErrorStruct error;
        int found = 0;
        Rk_ErrorQueueGetError(&error, &found);
        EXPECT_EQ(std::make_tuple(found, error.msg.msg_id, std::string(error.loc), std::string(error.msg.msgfile)),
                  std::make_tuple(1, 11L, location, MessageFile()));
        EXPECT_STREQ(error.msg.tokens[0], token[0] == 'c' ? "context" : "");
    }
}

using MessageQueue = RecordQueue<Messages>;

TEST_F(MessageQueue, RemoveByIdKeepsTheOthersInOrder)
{
    const struct { std::vector<long> queued; long removed; std::vector<long> left; } cases[] = {
        {{3, 7, 3, 9}, 3, {7, 9}}, {{3, 7, 3, 9}, 4, {3, 7, 3, 9}}, {{5, 5, 5}, 5, {}}, {{}, 1, {}},
        {{1, 2, 3, 4, 5, 6, 7}, 7, {1, 2, 3, 4, 5, 6}}};
    for (const auto& [queued, removed, left] : cases) {
        for (long id : queued) Messages::Add(id);
        EXPECT_EQ(Rk_MessageQueueRemoveMsgById(removed), 0);
        EXPECT_EQ(Drain(), left) << "removing " << removed;
    }
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
    EXPECT_EQ(Rk_UtilsFree(), 0);
    EXPECT_EQ(WithFailingAlloc(1, [&] { return Rk_UtilsInit(MessageFile().c_str()); }), 1);
    EXPECT_EQ(rk::message_queue().records, nullptr);
    EXPECT_ERROR(11, "rk_errqu(");
    Rk_UtilsFree();
    EXPECT_EQ(WithFailingAlloc(2, [&] { return Rk_UtilsInit(MessageFile().c_str()); }), 1);
    EXPECT_NE(rk::error_queue().records, nullptr);
    EXPECT_ERROR(11, "rk_mesqu(");
}

}  // namespace
