// The settings one thread changes for the whole process while others read them: the tolerances,
// the line-number switch, the clock's switch, the message-file path and the fixed-directory switch.
// Every read sees a whole value, the old one or the new one.
#include <atomic>
#include <cstring>
#include <string>

#include "thread_helpers.hpp"

namespace {

using SharedSettings = rktest::LibraryTest;
using SharedSettingsDeathTest = rktest::LibraryTest;
using rktest::in_threads;

constexpr int kReaders = 3;
constexpr int kFlips = 4000;  // even: the last flip gives back the first value

const std::string kOtherPath = "/elsewhere/" + std::string(100, 'x');

// A failure of this thread, and its record taken out again.
Rk_ErrorStruct failure()
{
    const Rk_VectorStruct zero = {0, 0, 0};
    Rk_VectorStruct out;
    Rk_ErrorStruct error = {};
    int found = 0;
    Rk_VectorUnitize(&zero, &out);
    Rk_ErrorQueueGetError(&error, &found);
    return error;
}

// One setting: `flip(n)` gives it the first of its two values for even n, the second for odd n;
// `read_whole` reads it and says whether it saw one of the two.
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
    for (const Setting& setting : kSettings) {
        SCOPED_TRACE(setting.name);
        std::atomic<bool> done{false};
        std::atomic<int> torn{0}, reads{0};
        in_threads(kReaders + 1, [&](int k) {
            if (k == 0) {
                for (int n = 1; n <= kFlips; ++n) setting.flip(n, MessageFile());
                done = true;
                return;
            }
            do {
                torn += !setting.read_whole(MessageFile());
                ++reads;
            } while (!done);
        });
        EXPECT_EQ(torn, 0) << "of " << reads << " reads";
        EXPECT_TRUE(setting.read_whole(MessageFile()));
    }
}

TEST_F(SharedSettingsDeathTest, TheFixedDirectorySwitchIsSeenWhole)
{
    // The switch lasts for the whole process, so it is thrown in a child of its own.
    EXPECT_EXIT(
        {
            Rk_DirectoryStruct working;
            Rk_DirectorySetToCurrent(&working);
            std::atomic<bool> fixed{false};
            std::atomic<int> wrong{0};
            in_threads(2, [&](int k) {
                if (k == 0) {
                    Rk_DirectoryFixCurrentDir();
                    fixed = true;
                    return;
                }
                bool seen_fixed = false;
                while (!(fixed && seen_fixed)) {
                    Rk_DirectoryStruct now;
                    Rk_DirectorySetToCurrent(&now);
                    const bool is_fixed = std::strcmp(now.dir_path, "C:\\rkbasekit\\dev\\") == 0;
                    const bool is_working = std::strcmp(now.dir_path, working.dir_path) == 0;
                    wrong += (seen_fixed && !is_fixed) || (!is_fixed && !is_working);
                    seen_fixed = seen_fixed || is_fixed;
                }
            });
            _exit(wrong);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
