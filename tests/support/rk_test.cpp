#include "rk_test.hpp"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace rktest {

namespace {

std::string describe(const Rk_ErrorStruct& error)
{
    return "error " + std::to_string(error.msg.msg_id) + " at " + error.loc;
}

}  // namespace

void LibraryTest::SetUp()
{
    char pattern[] = "/tmp/rktest.XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    temp_dir_ = pattern;
    message_file_ = temp_dir_ + "/messages.txt";
    fs::copy_file(RK_MESSAGE_FILE, message_file_);

    rk::seam::fail_nth_alloc(0);
    live_blocks_at_start_ = rk::seam::live_blocks();
    ASSERT_EQ(Rk_UtilsInit(message_file_.c_str()), 0);
}

void LibraryTest::TearDown()
{
    rk::seam::fail_nth_alloc(0);
    for (;;) {
        Rk_ErrorStruct error;
        int found = 0;
        Rk_ErrorQueueGetError(&error, &found);
        if (!found) break;
        ADD_FAILURE() << "unexpected " << describe(error);
    }
    Rk_UtilsFree();
    EXPECT_EQ(rk::seam::live_blocks(), live_blocks_at_start_) << "blocks of the platform allocator leaked";

    Rk_GeometrySetToDefaults();
    Rk_ErrorQueueLineNumbersOn();
    Rkos_TimeShowCurrent();
    std::error_code ignored;
    fs::remove_all(temp_dir_, ignored);
}

::testing::AssertionResult LibraryTest::NextErrorIs(long id, const char* location_prefix)
{
    Rk_ErrorStruct error;
    int found = 0;
    Rk_ErrorQueueGetError(&error, &found);
    if (!found) return ::testing::AssertionFailure() << "no error queued, expected error " << id;
    if (error.msg.msg_id != id || std::string(error.loc).rfind(location_prefix, 0) != 0)
        return ::testing::AssertionFailure()
               << "expected error " << id << " at " << location_prefix << "..., got " << describe(error);
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult LibraryTest::NoErrorQueued()
{
    int size = 0;
    Rk_ErrorQueueGetSize(&size);
    if (size == 0) return ::testing::AssertionSuccess();
    Rk_ErrorStruct error;
    int found = 0;
    Rk_ErrorQueueGetError(&error, &found);
    return ::testing::AssertionFailure() << size << " error(s) queued, the oldest " << describe(error);
}

std::string LibraryTest::WriteTempFile(const std::string& name, const std::string& content) const
{
    const std::string path = temp_dir_ + "/" + name;
    std::ofstream out(path, std::ios::binary);
    out << content;
    return path;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<unreadable>";
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

Lines Texts(const Rk_StrList& list)
{
    char* const* texts = list.table.num_alloc_rows ? list.table.table.stable[0] : nullptr;
    return Lines(texts, texts + (texts ? list.table.num_rows : 0));
}

std::string Printed(const Lines& lines)
{
    std::string out;
    for (const auto& line : lines) out += line + "\n";
    return out;
}

ListReport::ListReport(int indent)
{
    EXPECT_EQ(Rk_StrListInit(&list, 1), 0);
    Rk_ReportStrListInit(&report, &list);
    Rk_ReportSetIndent(&report, indent);
}

ListReport::~ListReport()
{
    Rk_ReportClose(&report);
    Rk_StrListFree(&list);
}

}  // namespace rktest
