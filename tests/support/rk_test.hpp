// The fixture every library test uses: the library initialised with the shipped message file,
// copied into a temporary folder, and a check at the end that the error queue holds nothing the
// test did not expect and that no block of the platform allocator was leaked. Helpers beside it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/seams.hpp"
#include "rk_basekit.h"

namespace rktest {

class LibraryTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Takes the oldest queued error; success when its id is `id` and its location starts with
    // `location_prefix` (for example "rk_vec(" for a record raised in src/rk_vec with line numbers on).
    ::testing::AssertionResult NextErrorIs(long id, const char* location_prefix);
    // Success when the error queue is empty.
    ::testing::AssertionResult NoErrorQueued();

    // The temporary folder of this test, and the message file copied into it.
    const std::string& TempDir() const { return temp_dir_; }
    const std::string& MessageFile() const { return message_file_; }
    // Writes `content` to `name` in the temporary folder; returns its path.
    std::string WriteTempFile(const std::string& name, const std::string& content) const;

private:
    std::string temp_dir_;
    std::string message_file_;
    long live_blocks_at_start_ = 0;
};

// Reads a whole file; an unreadable file reads as "<unreadable>".
std::string ReadFile(const std::string& path);

using Lines = std::vector<std::string>;
// The texts of a string list, in order.
Lines Texts(const Rk_StrList& list);

// A report into a string list of its own (duplicates kept) that starts at `indent`.
struct ListReport {
    explicit ListReport(int indent = 0);
    ~ListReport();
    ListReport(const ListReport&) = delete;
    ListReport& operator=(const ListReport&) = delete;
    Rk_ReportStruct* get() { return &report; }
    Lines lines() const { return Texts(list); }
    int indent() const { return report.indent; }
    Rk_StrList list{};
    Rk_ReportStruct report{};
};

// What a dump wrote to a ListReport that starts at `indent`, and its status. A dump that does not
// leave the indent as it found it fails the test.
struct Dumped {
    int status;
    Lines lines;
    bool operator==(const Dumped& other) const { return status == other.status && lines == other.lines; }
};
inline void PrintTo(const Dumped& d, std::ostream* os) { *os << d.status << ": " << ::testing::PrintToString(d.lines); }
template <class Dump>
Dumped DumpOf(Dump dump, int indent = 0)
{
    ListReport report(indent);
    const int status = dump(report.get());
    EXPECT_EQ(report.indent(), indent) << "the indent was not restored";
    return {status, report.lines()};
}
// The same for the dump of one record, `Rk_<Type>DebugRpt(record, report)`.
template <class Record>
Dumped DumpOf(int (*dump)(const Record*, Rk_ReportStruct*), const Record* record, int indent = 0)
{
    return DumpOf([dump, record](Rk_ReportStruct* r) { return dump(record, r); }, indent);
}

// A report whose string list is freed: every write to it fails with error 1 of rk_strtb.
struct BrokenReport : ListReport {
    BrokenReport() { Rk_StrListFree(&list); }
};

// What `print` wrote to standard output, and `lines` as the console prints them.
template <class Print>
std::string ConsoleOf(Print print)
{
    ::testing::internal::CaptureStdout();
    print();
    return ::testing::internal::GetCapturedStdout();
}
std::string Printed(const Lines& lines);

// Makes the n-th next allocation fail for as long as it lives (n = 1: the very next one; kEvery:
// every one).
class FailingAlloc {
public:
    static constexpr long kEvery = -1;
    explicit FailingAlloc(long n) { n == kEvery ? rk::seam::fail_all_allocs() : rk::seam::fail_nth_alloc(n); }
    ~FailingAlloc() { rk::seam::fail_nth_alloc(0); }
    FailingAlloc(const FailingAlloc&) = delete;
    FailingAlloc& operator=(const FailingAlloc&) = delete;
};

// What `call` returns when the n-th next allocation (or every one) fails while it runs.
template <class Call>
auto WithFailingAlloc(long n, Call call)
{
    FailingAlloc guard(n);
    return call();
}

// What a dump printed to a console report with no memory to be had, and its status.
template <class Dump>
std::pair<std::string, int> ConsoleWithoutMemory(Dump dump)
{
    Rk_ReportStruct console;
    Rk_ReportConsoleInit(&console);
    int status = -1;
    const std::string printed =
        ConsoleOf([&] { status = WithFailingAlloc(FailingAlloc::kEvery, [&] { return dump(&console); }); });
    EXPECT_EQ(console.indent, 0) << "the indent was not restored";
    return {printed, status};
}

// Names typed tests after their type's kName: Family/Str.Behaviour.
struct KNames {
    template <class T> static std::string GetName(int) { return T::kName; }
};

}  // namespace rktest

// Checks the oldest queued error (and takes it out of the queue).
#define EXPECT_ERROR(id, location_prefix) EXPECT_TRUE(this->NextErrorIs((id), (location_prefix)))
#define EXPECT_NO_ERROR() EXPECT_TRUE(this->NoErrorQueued())
// A row of calls to check one by one: the call's text, and the call.
#define RK_CALL(call) {#call, [&] { return call; }}
// Checks that `call` fails (returns 1) having queued error `id` at `location_prefix`.
#define EXPECT_FAILS(call, id, location_prefix) \
    do {                                        \
        EXPECT_EQ((call), 1);                   \
        EXPECT_ERROR(id, location_prefix);      \
    } while (0)
