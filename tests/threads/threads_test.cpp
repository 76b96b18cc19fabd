// Many threads at once: each fails into and drains its own error queue, its queues made at its first use
// and released when it ends, freed or not; settings one thread changes for the process are read whole.
#include <atomic>
#include <cmath>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "foundation/record_queue.hpp"
#include "rk_test.hpp"

namespace {

using ThreadQueues = rktest::LibraryTest;
using SharedSettings = rktest::LibraryTest;
using SharedSettingsDeathTest = rktest::LibraryTest;

constexpr int kThreads = 8;
constexpr int kCallsPerThread = 2400;
constexpr int kBatch = 48;  // calls between two drains: about 16 records, past the queue's first growth

// Runs `body(k)` in threads k = 0 .. n - 1 at once and waits for all of them.
template <class Body>
void in_threads(int n, Body body)
{
    std::vector<std::thread> threads;
    for (int k = 0; k < n; ++k) threads.emplace_back(body, k);
    for (std::thread& thread : threads) thread.join();
}

// Fails once with error 6 of rk_vec; returns the status.
int unitize_zero()
{
    Rk_VectorStruct zero = {0, 0, 0};
    return Rk_VectorUnitize(&zero, &zero);
}

int queued()
{
    int size = -1;
    Rk_ErrorQueueGetSize(&size);
    return size;
}

// What one thread owns: every call it makes goes to these.
struct Own {
    int k;  // the thread's number
    std::string settings_file;
    Rk_IntTable table;
    Rk_UserConfigStruct settings;
    rktest::ListReport out{0};
};

// 128 characters naming the thread and the call: a record cut short or from another thread shows.
std::string token_of(int k, int i)
{
    std::string token = std::to_string(k) + ":" + std::to_string(i) + ":";
    token.resize(RK_TEXT_MAX, static_cast<char>('a' + k));
    return token;
}

// One kind of call: `make` calls once on the thread's objects, failing when `fail`; a wrong result answers 2.
struct Call {
    const char* family;
    long id;               // what a failing call queues
    const char* location;  // and where
    int (*make)(Own& own, int i, bool fail);
};

int wrong_unless(bool right, int status) { return status == 0 && !right ? 2 : status; }

const Call kCalls[] = {
    {"vector", 6, "rk_vec(", [](Own&, int i, bool fail) {
        const Rk_VectorStruct v = {fail ? 0.0 : i + 1.0, 0, 0};
        Rk_VectorStruct unit = {};
        const int status = Rk_VectorUnitize(&v, &unit);  // before the result is read
        return wrong_unless(unit.i_comp == 1.0, status);
    }},
    {"datum frame", 1, "rk_reffr(", [](Own&, int i, bool fail) {
        const double h = i % 5;  // planes z = h, x = 0 and y = 0
        double rows[3][3][3] = {{{0, 0, h}, {1, 0, h}, {0, 1, h}}, {{0, 0, 0}, {0, 1, 0}, {0, 0, 1}},
                                {{0, 0, 0}, {0, 0, 1}, {1, 0, 0}}};
        Rk_RefFrameStruct frame = {};
        int redundant = 0, type = fail ? 0 : 3;
        const int status = Rk_RefFrameSetByGeom(&frame, type, rows[0], type, rows[1], type, rows[2], 1, &redundant);
        return wrong_unless(std::fabs(frame.origin.pt_z - h) < 1e-12 && frame.z_axis.k_comp > 0.999, status);
    }},
    {"int table", 1, "rk_inttb(", [](Own& own, int i, bool fail) {
        int value = -1, ncols = 0, nrows = 0;
        if (fail) return Rk_IntTableGetValue(&own.table, 0, -1, &value);
        const int status = Rk_IntTableAddRow(&own.table, &i) || Rk_IntTableGetSize(&own.table, &ncols, &nrows) ||
                           Rk_IntTableGetValue(&own.table, 0, nrows - 1, &value);
        return wrong_unless(value == i, status);
    }},
    {"settings", 1, "rk_ucfig(", [](Own& own, int, bool fail) {
        if (fail) return Rk_UserConfigWriteToFile(&own.settings, "", "own");
        int file_found = 0, section_found = 0, found = 0;
        char value[RK_PATH_MAX + 1] = "";
        const int status =
            Rk_UserConfigReadFromFile(&own.settings, own.settings_file.c_str(), "own", &file_found, &section_found) ||
            Rk_UserConfigGetValue(&own.settings, "thread", value, &found);
        return wrong_unless(found && value == std::to_string(own.k), status);
    }},
    {"report", 1, "rk_rpt(", [](Own& own, int i, bool fail) {
        if (fail) return Rk_ReportSetIndent(own.out.get(), -1);
        int before = 0, after = 0;
        Rk_StrListGetSize(&own.out.list, &before);
        const int status = Rk_ReportWrite(own.out.get(), token_of(own.k, i).c_str());
        Rk_StrListGetSize(&own.out.list, &after);
        return wrong_unless(after == before + 1, status);
    }},
    {"own records and messages", 7000, "rk_own(", [](Own& own, int i, bool fail) {
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

// "id location( token" of this thread's oldest record, taken out; "none" when there is none.
std::string next_record(const std::string& msgfile)
{
    Rk_ErrorStruct error;
    int found = 0;
    Rk_ErrorQueueGetError(&error, &found);
    if (!found) return "none";
    const std::string loc = error.loc, file = msgfile.compare(0, RK_TEXT_MAX, error.msg.msgfile) ? " elsewhere" : "";
    return std::to_string(error.msg.msg_id) + " " + loc.substr(0, loc.find('(') + 1) + " " + error.msg.tokens[0] + file;
}

// The thread's whole run; "" when every call and every record was as expected.
std::string stress(Own& own, const std::string& msgfile)
{
    std::vector<std::string> expected;
    for (int i = 0; i < kCallsPerThread; ++i) {
        const Call& call = kCalls[i % kKinds];
        const bool fail = (i / kKinds * 2 + own.k) % 3 == 0;  // every third round, from a round set by the thread
        const int status = call.make(own, i, fail);
        if (status != (fail ? 1 : 0))
            return std::string(call.family) + " call " + std::to_string(i) + " gave " + std::to_string(status);
        const std::string token = call.id == 7000 ? token_of(own.k, i) : "";
        if (fail) expected.push_back(std::to_string(call.id) + " " + call.location + " " + token);
        if ((i + 1) % kBatch != 0) continue;
        if (i + 1 == kBatch) {
            // The keeping dump counts this thread's records alone.
            int found = 0;
            Rk_ErrorQueueDebugRptNoFlush(own.out.get());
            Rk_StrListFind(&own.out.list, (std::to_string(expected.size()) + " Errors in Queue").c_str(), &found);
            if (!found) return "the dump did not count " + std::to_string(expected.size()) + " errors";
        }
        expected.push_back("none");
        for (const std::string& record : expected) {
            const std::string got = next_record(msgfile);
            if (got != record) return "batch ending at call " + std::to_string(i) + ": " + got + " for " + record;
        }
        expected.clear();
    }
    return "";
}

TEST_F(ThreadQueues, EachThreadFindsExactlyItsOwnFailuresInOrderAndLeaksNothing)
{
    Rk_ErrorQueueSetAndAddError(99, "src/rk_main", 1, "main");
    const long live = rk::seam::live_blocks();
    std::vector<std::string> problems(kThreads);
    in_threads(kThreads, [&](int k) {
        const std::string n = std::to_string(k);
        Own own{k, WriteTempFile("own" + n + ".ini", "[own]\nthread = " + n + "\n"), {}, {}};
        Rk_IntTableInit(&own.table, 1);
        Rk_UserConfigInit(&own.settings);
        problems[k] = stress(own, MessageFile());
        Rk_IntTableFree(&own.table);
        Rk_UserConfigFree(&own.settings);
        if (k % 2 == 0) Rk_UtilsFree();  // the others end with their queues still set up
    });
    for (int k = 0; k < kThreads; ++k) EXPECT_EQ(problems[k], "") << "thread " << k;
    EXPECT_EQ(rk::seam::live_blocks(), live) << "every thread's queues and objects were released";
    EXPECT_ERROR(99, "rk_main(");  // the main thread's queue kept its own record alone
}

// Destroyed after the library's own thread-local storage (it was made first in its thread), as an
// application's thread-local object can be: a failure then is dropped, and nothing is allocated.
struct LateCaller {
    ~LateCaller()
    {
        const int failed = unitize_zero();  // before the queue is read
        late_status = failed * 10 + queued();
    }
    static inline std::atomic<int> late_status{-1};
};
thread_local LateCaller t_late;

TEST_F(ThreadQueues, AThreadsQueuesComeWithItsFirstUseOrNotAtAllAndACallAfterTheirReleaseIsDropped)
{
    const long live = rk::seam::live_blocks();
    in_threads(1, [&](int) {
        static_cast<void>(&t_late);  // made before the library's thread-local storage
        queued();
        EXPECT_EQ(rk::own_message_queue().alloc_size, 5) << "both queues come with the first use of either";
        EXPECT_EQ(rk::seam::live_blocks(), live + 2);
        Rk_UtilsFree();
        EXPECT_EQ(rk::seam::live_blocks(), live);
        rk::seam::fail_all_allocs();
        EXPECT_EQ(unitize_zero(), 1);
        EXPECT_EQ(queued(), 0) << "queues that cannot be created drop the record";
        rk::seam::fail_nth_alloc(0);
        EXPECT_EQ(unitize_zero(), 1);
        EXPECT_EQ(queued(), 1) << "with memory back, the queue grows from nothing";
    });
    EXPECT_EQ(LateCaller::late_status.load(), 10) << "a call after the release fails, and its queue holds nothing";
    EXPECT_EQ(rk::seam::live_blocks(), live) << "nothing allocated after the release";
    EXPECT_EQ(rk::error_queue().alloc_size, 5) << "the main thread's queue is its own";
}

const std::string kOtherPath = "/elsewhere/" + std::string(100, 'x');

// A failure of this thread, its record taken out again.
Rk_ErrorStruct failure()
{
    Rk_ErrorStruct error = {};
    int found = 0;
    unitize_zero();
    Rk_ErrorQueueGetError(&error, &found);
    return error;
}

// One setting: `flip(n)` gives it its first value for even n, its second for odd; `read_whole` says it saw either.
struct Setting {
    const char* name;
    void (*flip)(int n, const std::string& msgfile);
    bool (*read_whole)(const std::string& msgfile);
};

const Setting kSettings[] = {
    {"tolerances",
     [](int n, const std::string&) { n % 2 ? Rk_GeometrySet(2.0, 0.02, 2e-9) : Rk_GeometrySetToDefaults(); },
     [](const std::string&) {
         double a = 0, p = 0, z = 0;
         Rk_GeometryGet(&a, &p, &z);
         return (a == 1.0 || a == 2.0) && (p == 0.01 || p == 0.02) && (z == 1e-9 || z == 2e-9);
     }},
    {"line numbers",
     [](int n, const std::string&) { n % 2 ? Rk_ErrorQueueLineNumbersOff() : Rk_ErrorQueueLineNumbersOn(); },
     [](const std::string&) {
         const std::string loc = failure().loc;
         return loc == "rk_vec" || (loc.rfind("rk_vec(", 0) == 0 && loc.back() == ')' && loc.size() > 8);
     }},
    {"clock", [](int n, const std::string&) { n % 2 ? Rkos_TimeShowFixed() : Rkos_TimeShowCurrent(); },
     [](const std::string&) {
         char sec[3], min[3], hour[3], mday[3], mon[4], year[5], wday[4];
         Rkos_AsciiTime(sec, min, hour, mday, mon, year, wday);
         const std::string all = std::string(sec) + min + hour + mday + mon + wday;
         return std::strcmp(year, "1993") == 0 ? all == "00300307JulThu" : std::strlen(year) == 4;
     }},
    {"message-file path",
     [](int n, const std::string& msgfile) { Rk_UtilsInit(n % 2 ? kOtherPath.c_str() : msgfile.c_str()); },
     [](const std::string& msgfile) {
         const std::string seen = failure().msg.msgfile;
         return seen == msgfile || seen == kOtherPath;
     }},
};

TEST_F(SharedSettings, ReadersSeeWholeValuesWhileAnotherThreadChangesThem)
{
    constexpr int kFlips = 4000;  // even: the last flip gives back the first value
    for (const Setting& setting : kSettings) {
        SCOPED_TRACE(setting.name);
        std::atomic<bool> done{false};
        std::atomic<int> torn{0}, reads{0};
        in_threads(4, [&](int k) {  // one writer, three readers
            if (k == 0) {
                for (int n = 1; n <= kFlips; ++n) setting.flip(n, MessageFile());
                done = true;
            }
            for (bool more = k > 0; more; ++reads) {
                more = !done;  // a reader reads at least once, and once more after the writer is done
                torn += !setting.read_whole(MessageFile());
            }
        });
        EXPECT_EQ(torn, 0) << "of " << reads << " reads";
        EXPECT_TRUE(setting.read_whole(MessageFile()));
    }
}

// 0 when a reader saw the working directory, then the fixed one alone, and relative paths start from it.
int fix_directory_under_a_reader()
{
    Rk_DirectoryStruct working, now;
    Rk_DirectorySetToCurrent(&working);
    std::atomic<int> wrong{0};
    in_threads(2, [&](int k) {
        if (k == 0) Rk_DirectoryFixCurrentDir();
        for (int seen_fixed = 0; k == 1 && seen_fixed < 100;) {
            Rk_DirectorySetToCurrent(&now);
            const bool is_fixed = std::strcmp(now.dir_path, "C:\\rkbasekit\\dev\\") == 0;
            wrong += !is_fixed && (seen_fixed || std::strcmp(now.dir_path, working.dir_path) != 0);
            seen_fixed += is_fixed;
        }
    });
    Rk_DirectorySet(&now, "..\\t");
    return wrong || std::strcmp(now.dir_path, "C:\\rkbasekit\\t\\") != 0;
}

// The switch lasts for the whole process, so it is thrown in a child of its own.
TEST_F(SharedSettingsDeathTest, TheFixedDirectorySwitchIsSeenWhole)
{
    EXPECT_EXIT(_exit(fix_directory_under_a_reader()), ::testing::ExitedWithCode(0), "");
}

}  // namespace
