// The report writer: what each write sends to the console, the file, the line function and the
// string list; blank lines; the report's file; failures part way.
#include "text_helpers.hpp"

#include <cstring>
#include <functional>

namespace {

using Report = rktest::LibraryTest;

Lines g_received;  // what the line function was handed
char* receive(char* line) { return g_received.emplace_back(line), line; }
char* receive_elsewhere(char* line) { return line; }

TEST_F(Report, EachWriteSendsTheSameLinesToEveryDestinationAfterTheIndent)
{
    const std::string source = WriteTempFile("source.txt", "first  \t\n\n  indented\n" + std::string(1030, 'L') + "\nlast");
    const std::string messages = WriteTempFile("m.txt", "#3\n*Part %T1 failed\n&line %T1\n&ab\n");
    Rk_MessageStruct msg;
    Rk_MessageSet(&msg, 3, messages.c_str());
    Rk_MessageSetToken(&msg, 1, "A7");
    const char* file = MessageFile().c_str();
    using R = Rk_ReportStruct*;
    const struct {
        int indent;
        std::function<int(R)> write;
        std::string console;
    } cases[] = {
        {4, [](R r) { return Rk_ReportWrite(r, "abc"); }, "    abc\n"},
        {1, [](R r) { return Rk_ReportSkipLines(r, 2); }, "  \n  \n"},  // each skipped line is one blank
        {2, [](R r) { return Rk_ReportWriteWithPrefix(r, "abc", "> "); }, "  > abc\n"},
        {2, [](R r) { return Rk_ReportWriteAndUnderline(r, "Title", '='); }, "  Title\n  =====\n"},
        {0, [](R r) { return Rk_ReportWriteAndUnderline(r, "", '-'); }, "\n\n"},
        {0, [](R r) { return Rk_ReportWriteCentered(r, "abc", 10); }, "    abc   \n"},  // 10/2 - 3/2 = 4 blanks before
        {0, [](R r) { return Rk_ReportWriteCentered(r, "abcd", 10); }, "   abcd   \n"},
        {0, [](R r) { return Rk_ReportWriteCentered(r, "abc", 9); }, "   abc   \n"},
        {0, [](R r) { return Rk_ReportWriteCentered(r, "abcdefgh", 10); }, " abcdefgh \n"},
        {0, [](R r) { return Rk_ReportWriteCentered(r, "abcd", 5); }, "abcd \n"},  // 5/2 - 4/2 = 0: from the start
        {0, [](R r) { return Rk_ReportWriteCentered(r, "abcdef", 3); }, "abc\n"},  // cut to the page
        {0, [](R r) { return Rk_ReportWriteCentered(r, "", 4); }, "    \n"},
        {0, [](R r) { return Rk_ReportWriteCentered(r, "x", 1); }, "x\n"},
        {0, [](R r) { return Rk_ReportWriteCentered(r, "abc", 0); }, "error 1"},
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
        ASSERT_EQ(Rk_ReportStrListInit(&report, &list), 0);
        ASSERT_EQ(Rk_ReportSetDestination(&report, 15, path.c_str(), 1, receive), 0);
        ASSERT_EQ(Rk_ReportSetIndent(&report, c.indent), 0);
        g_received.clear();
        int status = 0;
        const std::string console = console_of([&] { status = c.write(&report); });
        Rk_ReportClose(&report);
        EXPECT_EQ(status ? failure(status, "rk_rpt(") + console : console, c.console);
        EXPECT_EQ(rktest::ReadFile(path), console);
        std::string lines;
        for (const std::string& line : g_received) lines += line + "\n";
        EXPECT_EQ(lines, console) << "the function is handed each line without a newline";
        EXPECT_EQ(list_lines(list), g_received);
        Rk_StrListFree(&list);
    }
}

TEST_F(Report, BlankLinesAreDroppedWhileIgnoredAndNoNewlineJoinsOnlyConsoleAndFile)
{
    Rk_ReportStruct report;
    const std::string path = TempDir() + "/joined.txt";
    ASSERT_EQ(Rk_ReportFileInit(&report, path.c_str(), 1), 0);
    ASSERT_EQ(Rk_ReportSetDestination(&report, 7, path.c_str(), 0, receive), 0);
    g_received.clear();
    ASSERT_EQ(Rk_ReportIgnoreBlankLinesOn(&report), 0);
    const std::string console = console_of([&] {
        Rk_ReportSkipLines(&report, 3);
        Rk_ReportWrite(&report, " \t ");
        Rk_ReportWriteWithPrefix(&report, "  ", "prefix: ");  // only the line decides whether it is blank
        Rk_ReportWriteAndUnderline(&report, "", '-');
        Rk_ReportWriteWithPrefix(&report, "x", "   ");
        Rk_ReportIgnoreBlankLinesOff(&report);
        Rk_ReportSetIndent(&report, 2);
        Rk_ReportWriteNoNewline(&report, "part");
        Rk_ReportWrite(&report, "");
    });
    Rk_ReportClose(&report);
    EXPECT_EQ(console, "   x\n  part  \n");
    EXPECT_EQ(rktest::ReadFile(path), console);
    EXPECT_EQ(g_received, (Lines{"   x", "  part", "  "}));
}

TEST_F(Report, OnlyTheCopiesForTheFunctionAndTheListFailAfterTheEarlierDestinations)
{
    Rk_StrList list;
    ASSERT_EQ(Rk_StrListInit(&list, 1), 0);
    Rk_ReportStruct report;
    Rk_ReportConsoleInit(&report);
    Rk_ReportSetDestination(&report, 5, "", 0, receive);
    g_received.clear();
    std::string console;
    {
        rktest::FailingAlloc guard(1);
        EXPECT_EQ(Rk_ReportWrite(&report, "plain"), 0) << "a line without indent or prefix is handed as it is";
        console = console_of([&] { EXPECT_EQ(failure(Rk_ReportWriteWithPrefix(&report, "x", ""), "rk_rpt("), "error 11"); });
    }
    EXPECT_EQ(console, "x\n");
    Rk_ReportStrListInit(&report, &list);
    Rk_ReportSetDestination(&report, 13, "", 0, receive);
    Rk_ReportSetIndent(&report, 1);
    g_received.clear();
    EXPECT_GE(fail_each_allocation("rk_",
                                   [&] {
                                       int status = 0;
                                       console = console_of([&] { status = Rk_ReportWrite(&report, "x"); });
                                       return status;
                                   },
                                   [&] {
                                       EXPECT_EQ(console, " x\n") << "the console is written first";
                                       EXPECT_LE(g_received.size(), 1u);
                                       EXPECT_TRUE(list_lines(list).empty());
                                       g_received.clear();
                                   }), 3);
    EXPECT_EQ(list_lines(list), Lines{" x"});
    Rk_StrListFree(&list);

    const std::string file = WriteTempFile("three.txt", "#3\n&1\n&2\n&3\n");
    Rk_MessageStruct msg;
    Rk_MessageSet(&msg, 3, file.c_str());
    Rk_ReportSetDestination(&report, 5, "", 0, receive);
    EXPECT_GE(fail_each_allocation("rk_",
                                   [&] {
                                       int status = 0;
                                       g_received.clear();
                                       console = console_of([&] { status = Rk_ReportWriteLongMessage(&report, &msg); });
                                       return status;
                                   },
                                   [&] {  // lines before the failure are written, none after it
                                       const std::string all = " 1\n 2\n 3\n";
                                       EXPECT_TRUE(!console.empty() || g_received.empty());
                                       EXPECT_EQ(console, console.empty() ? "" : all.substr(0, 3 * g_received.size() + 3));
                                   }), 4) << "the detailed text, then the function's copy of each line";
    EXPECT_EQ(console, " 1\n 2\n 3\n");
}

TEST_F(Report, BitsWithoutAFunctionOrListPassOverThemAndARefusedIndentChangesNothing)
{
    Rk_ReportStruct report;
    std::memset(&report, 0x5a, sizeof report);
    Rk_ReportInit(&report);
    EXPECT_EQ(console_of([&] { Rk_ReportWrite(&report, "nowhere"); }), "") << "an initialised report writes nowhere";
    ASSERT_EQ(Rk_ReportSetDestination(&report, 13, "", 0, nullptr), 0);
    EXPECT_EQ(console_of([&] { EXPECT_EQ(Rk_ReportWrite(&report, "safe"), 0); }), "safe\n");
    Rk_ReportSetDestination(&report, RK_REPORT_FUNCTION, "", 0, receive);
    Rk_ReportSetDestination(&report, RK_REPORT_CONSOLE, "", 0, receive_elsewhere);
    EXPECT_EQ(report.func_name, receive) << "a mask without the function bit keeps the stored function";
    Rk_ReportSetIndent(&report, 6);
    EXPECT_EQ(failure(Rk_ReportSetIndent(&report, -1), "rk_rpt("), "error 1");
    int indent = -5;
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
    EXPECT_EQ(report.destination, RK_REPORT_FILE | RK_REPORT_CONSOLE);
    EXPECT_EQ(report.func_name, nullptr);
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
