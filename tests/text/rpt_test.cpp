// The report writer: what each write sends to the console, the file, the line function and the
// string list; blank lines; the report's file; failures part way.
#include "text_helpers.hpp"

#include <functional>

namespace {

using Report = rktest::LibraryTest;
using R = Rk_ReportStruct*;
using Write = std::function<int(R)>;

Lines g_received;  // what the line function was handed
char* receive(char* line) { return g_received.emplace_back(line), line; }
char* receive_elsewhere(char* line) { return line; }

// What `write` printed on the console, after its failure if it failed.
std::string printed(Rk_ReportStruct* report, const Write& write, const char* module = "rk_rpt(")
{
    int status = 0;
    const std::string out = console_of([&] { status = write(report); });
    return status ? failure(status, module) + ": " + out : out;
}

TEST_F(Report, EachWriteSendsTheSameLinesToEveryDestinationAfterTheIndent)
{
    const std::string source = WriteTempFile("in.txt", "first  \t\n\n  indented\n" + std::string(1030, 'L') + "\nlast");
    const std::string messages = WriteTempFile("m.txt", "#3\n*Part %T1 failed\n&line %T1\n&ab\n");
    Rk_MessageStruct msg;
    Rk_MessageSet(&msg, 3, messages.c_str());
    Rk_MessageSetToken(&msg, 1, "A7");
    const char* file = MessageFile().c_str();
    const struct { int indent; Write write; std::string console; } cases[] = {
        {4, [](R r) { return Rk_ReportWrite(r, "abc"); }, "    abc\n"},
        {1, [](R r) { return Rk_ReportSkipLines(r, 2); }, "  \n  \n"},  // each skipped line is one blank
        {2, [](R r) { return Rk_ReportWriteWithPrefix(r, "abc", "> "); }, "  > abc\n"},
        {2, [](R r) { return Rk_ReportWriteAndUnderline(r, "Title", '='); }, "  Title\n  =====\n"},
        {0, [](R r) { return Rk_ReportWriteAndUnderline(r, "", '-'); }, "\n\n"},
        {1, [](R r) {  // blank lines dropped; only the line decides whether it is blank
             return Rk_ReportIgnoreBlankLinesOn(r) || Rk_ReportSkipLines(r, 3) || Rk_ReportWrite(r, " \t ") ||
                    Rk_ReportWriteWithPrefix(r, "  ", "> ") || Rk_ReportWriteAndUnderline(r, "", '-') ||
                    Rk_ReportWriteWithPrefix(r, "x", "  ") || Rk_ReportIgnoreBlankLinesOff(r) || Rk_ReportWrite(r, "");
         }, "   x\n \n"},
        {0, [](R r) { return Rk_ReportWriteCentered(r, "abc", 10); }, "    abc   \n"},  // 10/2 - 3/2 = 4 blanks before
        {0, [](R r) { return Rk_ReportWriteCentered(r, "abcd", 10); }, "   abcd   \n"},
        {0, [](R r) { return Rk_ReportWriteCentered(r, "abc", 9); }, "   abc   \n"},
        {0, [](R r) { return Rk_ReportWriteCentered(r, "abcdefgh", 10); }, " abcdefgh \n"},
        {0, [](R r) { return Rk_ReportWriteCentered(r, "abcd", 5); }, "abcd \n"},  // 5/2 - 4/2 = 0: from the start
        {0, [](R r) { return Rk_ReportWriteCentered(r, "abcdef", 3); }, "abc\n"},  // cut to the page
        {0, [](R r) { return Rk_ReportWriteCentered(r, "", 4); }, "    \n"},
        {0, [](R r) { return Rk_ReportWriteCentered(r, "x", 1); }, "x\n"},
        {0, [](R r) { return Rk_ReportWriteCentered(r, "abc", 0); }, "error 1: "},
        {1, [&](R r) { return Rk_ReportWriteFromFile(r, source.c_str()); },
         " first\n \n   indented\n " + std::string(1024, 'L') + "\n LLLLLL\n last\n"},  // in pieces of 1,024
        {1, [&](R r) { return Rk_ReportWriteFromFile(r, (TempDir() + "/missing").c_str()); }, ""},
        {2, [&](R r) { return Rk_ReportWriteShortMsgById(r, RK_ERR_NO_MEMORY, file); }, "  Out of memory\n"},
        {2, [&](R r) { return Rk_ReportWriteLongMsgById(r, 2, file); }, "  (Message ID not found)\n"},
        {0, [&](R r) { return Rk_ReportWriteLongMsgById(r, RK_ERR_ZERO_RADIUS, file); },
         "An arc was given a radius whose absolute value is below the zero tolerance.\n"
         "Give the arc a radius, or check the points it was built from.\n"},
        {0, [&](R r) { return Rk_ReportWriteShortMsgById(r, 1, "/gone.txt"); }, "(Message file could not be read)\n"},
        {0, [&](R r) { return Rk_ReportWriteShortMessage(r, &msg) || Rk_ReportWriteShortMessagePfx(r, &msg, "E: "); },
         "Part A7 failed\nE: Part A7 failed\n"},
        {0, [&](R r) { return Rk_ReportWriteLongMessage(r, &msg) || Rk_ReportWriteLongMessagePfx(r, &msg, "| "); },
         "line A7\nab\n| line A7\n| ab\n"},
        {0, [&](R r) { return Rk_ReportWriteLongMessageCent(r, &msg, 8); }, " line A7\n   ab   \n"},
    };
    Rk_StrList list{};
    Rk_ReportStruct report;
    const std::string path = TempDir() + "/report.txt";
    for (const auto& c : cases) {
        Rk_StrListInit(&list, 1);
        Rk_ReportStrListInit(&report, &list);
        ASSERT_EQ(Rk_ReportSetDestination(&report, 15, path.c_str(), 1, receive), 0);
        Rk_ReportSetIndent(&report, c.indent);
        g_received.clear();
        const std::string console = printed(&report, c.write);
        Rk_ReportClose(&report);
        EXPECT_EQ(console, c.console);
        std::string lines;
        for (const std::string& line : g_received) lines += line + "\n";
        EXPECT_EQ(rktest::ReadFile(path), lines) << "the file gets what the function gets, with newlines";
        EXPECT_EQ(console.rfind("error", 0) == 0 ? "" : console, lines) << "and so does the console";
        EXPECT_EQ(list_lines(list), g_received) << "and the list what the function gets";
        Rk_StrListFree(&list);
    }
}

TEST_F(Report, NoNewlineJoinsOnlyTheConsoleAndTheFileToTheNextLine)
{
    const std::string path = TempDir() + "/joined.txt";
    Rk_ReportStruct report;
    ASSERT_EQ(Rk_ReportFileInit(&report, path.c_str(), 1), 0);
    Rk_ReportSetIndent(&report, 2);
    ASSERT_EQ(Rk_ReportSetDestination(&report, 7, path.c_str(), 0, receive), 0);
    g_received.clear();
    const Write part_then_empty = [](R r) { return Rk_ReportWriteNoNewline(r, "part") || Rk_ReportWrite(r, ""); };
    EXPECT_EQ(printed(&report, part_then_empty), "  part  \n");
    Rk_ReportClose(&report);
    EXPECT_EQ(rktest::ReadFile(path), "  part  \n");
    EXPECT_EQ(g_received, (Lines{"  part", "  "}));
}

TEST_F(Report, OnlyCopiesForTheFunctionOrTheListFailAndTheEarlierDestinationsAreWrittenFirst)
{
    Rk_StrList list;
    Rk_StrListInit(&list, 1);
    Rk_ReportStruct report;
    Rk_ReportStrListInit(&report, &list);
    Rk_ReportSetDestination(&report, 5, "", 0, receive);  // the console and the function, not yet the list
    g_received.clear();
    {
        rktest::FailingAlloc guard(1);
        EXPECT_EQ(printed(&report, [](R r) { return Rk_ReportWrite(r, "plain"); }), "plain\n") << "handed as it is";
        EXPECT_EQ(printed(&report, [](R r) { return Rk_ReportWriteWithPrefix(r, "x", ""); }), "error 11: x\n");
    }
    EXPECT_EQ(g_received, Lines{"plain"});
    Rk_ReportSetDestination(&report, 13, "", 0, receive);
    Rk_ReportSetIndent(&report, 1);
    for (int n = 1; n <= 3; ++n) {  // the function's copy, the list's copy, the list's own
        rktest::FailingAlloc guard(n);
        g_received.clear();
        const char* module = n < 3 ? "rk_rpt(" : "rk_strtb(";
        EXPECT_EQ(printed(&report, [](R r) { return Rk_ReportWrite(r, "x"); }, module), "error 11:  x\n") << n;
        EXPECT_EQ(g_received.size() + list_lines(list).size(), n == 1 ? 0u : 1u) << n;
    }
    Rk_StrListFree(&list);

    const std::string file = WriteTempFile("three.txt", "#3\n&1\n&2\n&3\n");
    Rk_MessageStruct msg;
    Rk_MessageSet(&msg, 3, file.c_str());
    Rk_ReportSetDestination(&report, 5, "", 0, receive);
    std::string console;
    const auto write = [&] {
        int status = 0;
        g_received.clear();
        console = console_of([&] { status = Rk_ReportWriteLongMessage(&report, &msg); });
        return status;
    };
    const auto check = [&] {  // the lines before the failure are written, none after it
        const std::string all = " 1\n 2\n 3\n";
        EXPECT_EQ(console, g_received.empty() && console.empty() ? "" : all.substr(0, 3 * g_received.size() + 3));
    };
    EXPECT_GE(fail_each_allocation("rk_", write, check), 4) << "the detailed text, then each line's copy";
    EXPECT_EQ(console, " 1\n 2\n 3\n");
}

TEST_F(Report, BitsWithoutAFunctionOrListPassOverThemAndARefusedIndentChangesNothing)
{
    Rk_ReportStruct report;
    Rk_ReportInit(&report);
    ASSERT_EQ(Rk_ReportSetDestination(&report, 13, "", 0, nullptr), 0);
    EXPECT_EQ(printed(&report, [](R r) { return Rk_ReportWrite(r, "safe"); }), "safe\n");
    Rk_ReportSetDestination(&report, RK_REPORT_FUNCTION, "", 0, receive);
    Rk_ReportSetDestination(&report, RK_REPORT_CONSOLE, "", 0, receive_elsewhere);
    EXPECT_EQ(report.func_name, receive) << "a mask without the function bit keeps the stored function";
    int indent = -5;
    Rk_ReportSetIndent(&report, 6);
    EXPECT_EQ(failure(Rk_ReportSetIndent(&report, -1), "rk_rpt("), "error 1");
    Rk_ReportGetIndent(&report, &indent);
    EXPECT_EQ(indent, 6);
}

TEST_F(Report, TheFileIsKeptWhenNamedAgainAndTheFormerDestinationWhenOneCannotBeOpened)
{
    const std::string path = WriteTempFile("modes.txt", "old\n"), other = TempDir() + "/other.txt";
    const std::string unopenable = TempDir() + "/no/such.txt";
    Rk_ReportStruct report;
    ASSERT_EQ(Rk_ReportFileInit(&report, path.c_str(), 0), 0);
    Rk_ReportWrite(&report, "appended");
    std::FILE* open = report.file_ptr;
    for (int mode : {1, 0, 7})
        EXPECT_EQ(Rk_ReportSetDestination(&report, RK_REPORT_FILE | RK_REPORT_CONSOLE, path.c_str(), mode, nullptr), 0);
    EXPECT_EQ(report.file_ptr, open) << "the file of that very name stays open whatever the mode";
    for (int mode : {2, -1})
        EXPECT_EQ(failure(Rk_ReportSetDestination(&report, 6, other.c_str(), mode, receive), "rk_rpt("), "error 1");
    EXPECT_EQ(failure(Rk_ReportSetDestination(&report, 6, unopenable.c_str(), 0, receive), "rk_rpt("), "error 37");
    EXPECT_TRUE(report.destination == 3 && report.func_name == nullptr) << "the former bits and function stay";
    EXPECT_EQ(report.file_ptr, nullptr) << "the file closed on the way stays closed";
    char name[RK_TEXT_MAX + 1];
    Rk_ReportGetFilename(&report, name);
    EXPECT_EQ(name + rktest::ReadFile(path) + rktest::ReadFile(other), " old\nappended\n<unreadable>");
    ASSERT_EQ(Rk_ReportFileInit(&report, path.c_str(), 1), 0);
    Rk_ReportWrite(&report, "rewritten");
    ASSERT_EQ(Rk_ReportSetDestination(&report, RK_REPORT_FILE, other.c_str(), 0, nullptr), 0);
    EXPECT_EQ(rktest::ReadFile(path), "rewritten\n") << "naming another file closes the first";
    Rk_ReportGetFilename(&report, name);
    EXPECT_EQ(name, other);
    ASSERT_EQ(Rk_ReportSetDestination(&report, RK_REPORT_CONSOLE, "", 0, nullptr), 0);
    EXPECT_EQ(report.file_ptr, nullptr) << "dropping the file bit closes the file";
    EXPECT_EQ(failure(Rk_ReportFileInit(&report, unopenable.c_str(), 1), "rk_rpt("), "error 37");
    EXPECT_EQ(report.destination, 0) << "a failed FileInit leaves the record reset";
}

}  // namespace
