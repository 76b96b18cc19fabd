// Many threads at once: each fails into and drains its own error queue, whatever the others do; a
// thread's queues are created on its first use and released when it ends, freed or not.
#include <atomic>
#include <cmath>
#include <string>
#include <vector>

#include "foundation/record_queue.hpp"
#include "thread_helpers.hpp"

namespace {

using ThreadQueues = rktest::LibraryTest;
using rktest::in_threads;

constexpr int kThreads = 8;
constexpr int kCallsPerThread = 2400;
constexpr int kBatch = 48;  // calls between two drains: about 16 records, past the queue's first growth

// What one thread owns: every call it makes goes to these.
struct Own {
    int k;  // the thread's number
    std::string settings_file;
    Rk_IntTable table;
    Rk_UserConfigStruct settings;
    Rk_StrList lines;
    Rk_ReportStruct report;
    Rk_DistribStruct constant;
};

// 128 characters naming the thread and the call: a record cut short or from another thread shows.
std::string token_of(int k, int i)
{
    std::string token = std::to_string(k) + ":" + std::to_string(i) + ":";
    token.resize(RK_TEXT_MAX, static_cast<char>('a' + k));
    return token;
}

// One kind of call. `make` calls once on the thread's objects, failing when `fail`; a call that
// succeeds with a wrong result answers 2.
struct Call {
    const char* family;
    long id;               // what a failing call queues
    const char* location;  // and where
    int (*make)(Own& own, int i, bool fail);
};

int wrong_unless(bool right, int status) { return status == 0 && !right ? 2 : status; }

const Call kCalls[] = {
    {"vector", 6, "rk_vec(",
     [](Own&, int i, bool fail) {
         const Rk_VectorStruct v = {fail ? 0.0 : i + 1.0, 0, 0};
         Rk_VectorStruct unit = {};
         const int status = Rk_VectorUnitize(&v, &unit);
         return wrong_unless(unit.i_comp == 1.0, status);
     }},
    {"line", 10, "rk_line(",
     [](Own&, int i, bool fail) {
         const Rk_PointStruct a = {1.0 * i, 0, 0}, b = {fail ? 1.0 * i : i + 1.0, 0, 0};
         Rk_LineStruct line;
         return Rk_LineSet(&line, &a, &b);
     }},
    {"datum frame", 1, "rk_reffr(",
     [](Own&, int i, bool fail) {
         const double h = i % 5;
         double pri[3][3] = {{0, 0, h}, {1, 0, h}, {0, 1, h}};
         double sec[3][3] = {{0, 0, 0}, {0, 1, 0}, {0, 0, 1}};
         double ter[3][3] = {{0, 0, 0}, {0, 0, 1}, {1, 0, 0}};
         const int type = fail ? 0 : 3;
         Rk_RefFrameStruct frame = {};
         int redundant = 0;
         const int status = Rk_RefFrameSetByGeom(&frame, type, pri, type, sec, type, ter, 1.0, &redundant);
         return wrong_unless(std::fabs(frame.origin.pt_z - h) < 1e-12 && frame.z_axis.k_comp > 0.999, status);
     }},
    {"distribution", 5, "rk_dstrb(",
     [](Own& own, int, bool fail) {
         double nom = -1, zone, sigma, lowt, hight;
         int trunc;
         char *d1, *d2;
         if (fail)
             return Rk_DistribGetNormalValues(&own.constant, &nom, &zone, &sigma, &trunc, &lowt, &hight, &d1, &d2);
         const int status = Rk_DistribGetConstantValues(&own.constant, &nom, &d1, &d2);
         return wrong_unless(nom == own.k, status);
     }},
    {"int table", 1, "rk_inttb(",
     [](Own& own, int i, bool fail) {
         int value = -1, ncols = 0, nrows = 0;
         if (fail) return Rk_IntTableGetValue(&own.table, 0, -1, &value);
         const int status = Rk_IntTableAddRow(&own.table, &i) || Rk_IntTableGetSize(&own.table, &ncols, &nrows) ||
                            Rk_IntTableGetValue(&own.table, 0, nrows - 1, &value);
         return wrong_unless(value == i, status);
     }},
    {"settings", 1, "rk_ucfig(",
     [](Own& own, int, bool fail) {
         if (fail) return Rk_UserConfigWriteToFile(&own.settings, "", "own");
         int file_found = 0, section_found = 0, found = 0;
         char value[RK_PATH_MAX + 1] = "";
         const int status =
             Rk_UserConfigReadFromFile(&own.settings, own.settings_file.c_str(), "own", &file_found, &section_found) ||
             Rk_UserConfigGetValue(&own.settings, "thread", value, &found);
         return wrong_unless(found && value == std::to_string(own.k), status);
     }},
    {"report", 1, "rk_rpt(",
     [](Own& own, int i, bool fail) {
         if (fail) return Rk_ReportSetIndent(&own.report, -1);
         int before = 0, after = 0;
         Rk_StrListGetSize(&own.lines, &before);
         const int status = Rk_ReportWrite(&own.report, token_of(own.k, i).c_str());
         Rk_StrListGetSize(&own.lines, &after);
         return wrong_unless(after == before + 1, status);
     }},
    {"own records and messages", 7000, "rk_own(",
     [](Own& own, int i, bool fail) {
         const std::string token = token_of(own.k, i);
         if (fail) return Rk_ErrorQueueSetAndAddError(7000, "src/rk_own", i, token.c_str()) + 1;
         Rk_MessageStruct msg, back;
         Rk_MessageSet(&msg, 500 + own.k, "own");
         Rk_MessageSetToken(&msg, 2, token.c_str());
         int found = 0;
         const int status = Rk_MessageQueueAddMessage(&msg);
         Rk_MessageQueueGetMessage(&back, &found);
         return wrong_unless(found && back.msg_id == 500 + own.k && token == back.tokens[1], status);
     }},
};
constexpr int kKinds = sizeof kCalls / sizeof kCalls[0];

struct Expected {
    long id;
    std::string location;
    std::string token;
};

// Takes out every queued record and compares them with `expected`, in order; "" when all match.
std::string drain_and_compare(const std::vector<Expected>& expected, const std::string& msgfile)
{
    for (const Expected& e : expected) {
        Rk_ErrorStruct error;
        int found = 0;
        Rk_ErrorQueueGetError(&error, &found);
        if (!found) return "missing error " + std::to_string(e.id);
        const std::string loc = error.loc, token = error.msg.tokens[0];
        if (error.msg.msg_id != e.id || loc.rfind(e.location, 0) != 0 || token != e.token ||
            msgfile.compare(0, RK_TEXT_MAX, error.msg.msgfile) != 0)
            return "expected " + std::to_string(e.id) + " at " + e.location + " " + e.token + ", got " +
                   std::to_string(error.msg.msg_id) + " at " + loc + " " + token;
    }
    int size = -1;
    Rk_ErrorQueueGetSize(&size);
    return size == 0 ? "" : std::to_string(size) + " records too many";
}

// The thread's whole run; "" when every call and every record was as expected.
std::string stress(Own& own, const std::string& msgfile)
{
    std::vector<Expected> expected;
    for (int i = 0; i < kCallsPerThread; ++i) {
        const Call& call = kCalls[i % kKinds];
        const bool fail = (i * 5 + own.k) % 3 == 0;
        const int status = call.make(own, i, fail);
        if (status != (fail ? 1 : 0))
            return std::string(call.family) + " call " + std::to_string(i) + " gave " + std::to_string(status);
        if (fail) expected.push_back({call.id, call.location, call.id == 7000 ? token_of(own.k, i) : ""});
        if ((i + 1) % kBatch != 0) continue;
        if (i + 1 == kBatch) {
            // The keeping dump counts this thread's records alone.
            int found = 0;
            Rk_ErrorQueueDebugRptNoFlush(&own.report);
            Rk_StrListFind(&own.lines, (std::to_string(expected.size()) + " Errors in Queue").c_str(), &found);
            if (!found) return "the dump did not count " + std::to_string(expected.size()) + " errors";
        }
        const std::string problem = drain_and_compare(expected, msgfile);
        if (!problem.empty()) return "batch ending at call " + std::to_string(i) + ": " + problem;
        expected.clear();
    }
    return "";
}

TEST_F(ThreadQueues, EachThreadFindsExactlyItsOwnFailuresInOrderAndLeaksNothing)
{
    Rk_ErrorQueueSetAndAddError(99, "src/rk_main", 1, "main");
    std::vector<std::string> settings_files;
    for (int k = 0; k < kThreads; ++k) {
        const std::string n = std::to_string(k);
        settings_files.push_back(WriteTempFile("own" + n + ".ini", "[own]\nthread = " + n + "\n"));
    }
    const long live = rk::seam::live_blocks();

    std::vector<std::string> problems(kThreads);
    in_threads(kThreads, [&](int k) {
        Own own{k, settings_files[k], {}, {}, {}, {}, {}};
        Rk_IntTableInit(&own.table, 1);
        Rk_UserConfigInit(&own.settings);
        Rk_StrListInit(&own.lines, 1);
        Rk_ReportStrListInit(&own.report, &own.lines);
        Rk_DistribSetConstantValues(&own.constant, k, "", "");
        problems[k] = stress(own, MessageFile());
        Rk_IntTableFree(&own.table);
        Rk_UserConfigFree(&own.settings);
        Rk_StrListFree(&own.lines);
        if (k % 2 == 0) Rk_UtilsFree();  // the others end with their queues still set up
    });

    for (int k = 0; k < kThreads; ++k) EXPECT_EQ(problems[k], "") << "thread " << k;
    EXPECT_EQ(rk::seam::live_blocks(), live) << "every thread's queues and objects were released";
    EXPECT_ERROR(99, "rk_main(");  // the main thread's queue kept its own record alone
}

TEST_F(ThreadQueues, FirstUseCreatesBothQueuesAndFreeReleasesTheCallersOnly)
{
    const long live = rk::seam::live_blocks();
    in_threads(1, [&](int) {
        int size = -1;
        Rk_ErrorQueueGetSize(&size);
        EXPECT_EQ(rk::own_error_queue().alloc_size, 5);
        EXPECT_EQ(rk::own_message_queue().alloc_size, 5) << "both queues come with the first use of either";
        EXPECT_EQ(rk::seam::live_blocks(), live + 2);
        Rk_UtilsFree();
        EXPECT_EQ(rk::seam::live_blocks(), live);
    });
    EXPECT_EQ(rk::error_queue().alloc_size, 5) << "the main thread's queue is its own";
}

TEST_F(ThreadQueues, AThreadWhoseQueuesCannotBeCreatedDropsItsRecord)
{
    in_threads(1, [](int) {
        const Rk_VectorStruct zero = {0, 0, 0};
        Rk_VectorStruct out;
        int size = -1;
        rk::seam::fail_all_allocs();
        EXPECT_EQ(Rk_VectorUnitize(&zero, &out), 1);
        Rk_ErrorQueueGetSize(&size);
        rk::seam::fail_nth_alloc(0);
        EXPECT_EQ(size, 0) << "the record was dropped";
        EXPECT_EQ(Rk_VectorUnitize(&zero, &out), 1);
        Rk_ErrorQueueGetSize(&size);
        EXPECT_EQ(size, 1) << "with memory back, the queue grows from nothing";
    });
}

// Destroyed after the library's own thread-local storage (it was made first in its thread), as an
// application's thread-local object can be: a failure then is dropped, and nothing is allocated.
struct LateCaller {
    int status = -1;
    ~LateCaller()
    {
        const Rk_VectorStruct zero = {0, 0, 0};
        Rk_VectorStruct out;
        status = Rk_VectorUnitize(&zero, &out);
        int size = -1;
        Rk_ErrorQueueGetSize(&size);
        late_status = status * 10 + size;
    }
    static inline std::atomic<int> late_status{-1};
};
thread_local LateCaller t_late;

TEST_F(ThreadQueues, ACallAfterTheThreadsQueuesWereReleasedDropsItsRecord)
{
    const long live = rk::seam::live_blocks();
    in_threads(1, [](int) {
        static_cast<void>(&t_late);  // made before the library's thread-local storage
        const Rk_VectorStruct zero = {0, 0, 0};
        Rk_VectorStruct out;
        EXPECT_EQ(Rk_VectorUnitize(&zero, &out), 1);
    });
    EXPECT_EQ(LateCaller::late_status.load(), 10) << "failed, and its queue holds nothing";
    EXPECT_EQ(rk::seam::live_blocks(), live) << "nothing allocated after the release";
}

}  // namespace
