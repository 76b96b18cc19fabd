// The report writer: what each write sends to the console, the file, the line function and the
// string list; blank lines; the report's file; failures part way.
#include "text_helpers.hpp"

#include <functional>

namespace {

using Report = rktest::LibraryTest;
using R = Rk_ReportStruct*;

Lines g_received;  // what the line function was handed
char* receive(char* line)
{
    g_received.emplace_back(line);
    return line;
}

// What `write` printed on the console, after its failure if it failed.
std::string printed(Rk_ReportStruct* report, const std::function<int(R)>& write, const char* module = "rk_rpt(")
{
    int status = 0;
    const std::string out = rktest::ConsoleOf([&] { status = write(report); });
    return status ? failure(status, module) + ": " + out : out;
}

TEST_F(Report, EachWriteSendsTheSameLinesToEveryDestinationAfterTheIndent)
{
    const std::string source = WriteTempFile("in.txt", "first  \t\n\n  indented\n" + std::string(1030, 'L') + "\nlast");
    const std::string messages = WriteTempFile("m.txt", "#3\n*Part %T1 failed\n&line %T1\n&ab\n");
    Rk_MessageStruct msg;
    Rk_MessageSet(&msg, 3, messages.c_str());
    Rk_MessageSetToken(&msg, 1, "A7");
    const struct { int indent; std::function<int(R)> write; std::string console, apart = ""; } cases[] = {
        {1, [](R r) { return Rk_ReportSkipLines(r, 2); }, "  \n  \n"},  // each skipped line is one blank
        {2, [](R r) { return Rk_ReportWriteWithPrefix(r, "abc", "> "); }, "  > abc\n"},
        {2, [](R r) { return Rk_ReportWriteAndUnderline(r, "Title", '='); }, "  Title\n  =====\n"},
        {1, [](R r) {  // blank lines dropped; only the line decides whether it is blank
             return Rk_ReportIgnoreBlankLinesOn(r) || Rk_ReportSkipLines(r, 3) || Rk_ReportWrite(r, " \t ") ||
                    Rk_ReportWriteWithPrefix(r, "  ", "> ") || Rk_ReportWriteAndUnderline(r, "", '-') ||
                    Rk_ReportWriteWithPrefix(r, "x", "  ") || Rk_ReportIgnoreBlankLinesOff(r) || Rk_ReportWrite(r, "");
         }, "   x\n \n"},
        {2, [](R r) { return Rk_ReportWriteNoNewline(r, "part") || Rk_ReportWrite(r, ""); }, "  part  \n",
         "  part\n  \n"},  // the list and the function get the lines apart
        {0, [](R r) { return Rk_ReportWriteCentered(r, "abc", 10); }, "    abc   \n"},  // 10/2 - 3/2 = 4 blanks before
        {0, [](R r) { return Rk_ReportWriteCentered(r, "abcdef", 3) || Rk_ReportWriteCentered(r, "x", 1); },
         "abc\nx\n"},  // cut to the page
        {1, [&](R r) { return Rk_ReportWriteFromFile(r, source.c_str()); },
         " first\n \n   indented\n " + std::string(1024, 'L') + "\n LLLLLL\n last\n"},  // in pieces of 1,024
        {2, [&](R r) { return Rk_ReportWriteShortMsgById(r, RK_ERR_NO_MEMORY, MessageFile().c_str()); },
         "  Out of memory\n"},
        {2, [&](R r) { return Rk_ReportWriteLongMsgById(r, 2, MessageFile().c_str()); }, "  (Message ID not found)\n"},
        {0, [&](R r) { return Rk_ReportWriteShortMessage(r, &msg) || Rk_ReportWriteShortMessagePfx(r, &msg, "E: "); },
         "Part A7 failed\nE: Part A7 failed\n"},
        {0, [&](R r) { return Rk_ReportWriteLongMessage(r, &msg) || Rk_ReportWriteLongMessagePfx(r, &msg, "| "); },
         "line A7\nab\n| line A7\n| ab\n"},
        {0, [&](R r) { return Rk_ReportWriteLongMessageCent(r, &msg, 8); }, " line A7\n   ab   \n"},
    };
    const std::string path = TempDir() + "/report.txt";
    for (const auto& c : cases) {
        rktest::ListReport report(c.indent);
        ASSERT_EQ(Rk_ReportSetDestination(report.get(), 15, path.c_str(), 1, receive), 0);
        g_received.clear();
        const std::string out = printed(report.get(), c.write);
        Rk_ReportClose(report.get());
        EXPECT_EQ(out, c.console);
        EXPECT_EQ(rktest::ReadFile(path) + rktest::Printed(report.lines()), out + (c.apart.empty() ? out : c.apart));
        EXPECT_EQ(report.lines(), g_received) << "and the function";
    }
}

TEST_F(Report, OnlyCopiesForTheFunctionOrTheListFailAndTheEarlierDestinationsAreWrittenFirst)
{
    rktest::ListReport report;
    Rk_ReportSetDestination(report.get(), 13, "", 0, receive);
    Rk_ReportSetIndent(report.get(), 1);
    for (int n = 1; n <= 3; ++n) {  // the function's copy, the list's copy, the list's own
        g_received.clear();
        rktest::FailingAlloc guard(n);
        const char* module = n < 3 ? "rk_rpt(" : "rk_strtb(";
        EXPECT_EQ(printed(report.get(), [](R r) { return Rk_ReportWrite(r, "x"); }, module), "error 11:  x\n") << n;
        EXPECT_EQ(g_received.size() + report.lines().size(), n == 1 ? 0u : 1u) << n;
    }
}

TEST_F(Report, RefusedDestinationsChangeNothingAndTheFileIsKeptWhenNamedAgain)
{
    const std::string path = WriteTempFile("modes.txt", "old\n"), other = TempDir() + "/other.txt";
    Rk_ReportStruct report;
    ASSERT_EQ(Rk_ReportFileInit(&report, path.c_str(), 0), 0);
    Rk_ReportWrite(&report, "appended");
    std::FILE* open = report.file_ptr;
    ASSERT_EQ(Rk_ReportSetDestination(&report, 7, path.c_str(), 1, receive), 0);
    EXPECT_EQ(report.file_ptr, open) << "the file of that very name stays open whatever the mode";
    for (const auto& [mode, file, expected] : {std::tuple{2, other, "error 1"}, {-1, other, "error 1"},
                                               {0, TempDir() + "/no/such.txt", "error 37"}})
        EXPECT_EQ(failure(Rk_ReportSetDestination(&report, 6, file.c_str(), mode, nullptr), "rk_rpt("), expected);
    EXPECT_TRUE(report.destination == 7 && report.func_name == receive) << "the former bits and function stay";
    char name[RK_TEXT_MAX + 1];
    Rk_ReportGetFilename(&report, name);
    EXPECT_EQ(name + rktest::ReadFile(path) + rktest::ReadFile(other), " old\nappended\n<unreadable>");
    Rk_ReportSetIndent(&report, 6);
    EXPECT_TRUE(failure(Rk_ReportSetIndent(&report, -1), "rk_rpt(") == "error 1" && report.indent == 6);
    EXPECT_EQ(failure(Rk_ReportFileInit(&report, "/no/such/dir/x", 1), "rk_rpt("), "error 37");
    EXPECT_EQ(report.destination, 0) << "a failed FileInit leaves the record reset";
}

}  // namespace
