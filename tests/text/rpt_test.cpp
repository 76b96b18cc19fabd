// The report writer: destinations, indent, blank lines, files, and the composite writes.
#include "rk_test.hpp"

#include <cstring>
#include <string>
#include <vector>

namespace {

using Report = rktest::LibraryTest;
using ReportFile = rktest::LibraryTest;
using ReportWrites = rktest::LibraryTest;

using Lines = std::vector<std::string>;

// What the line function received, and the pointers it was handed.
Lines g_received;
std::vector<const char*> g_pointers;

char* receive(char* line)
{
    g_received.emplace_back(line);
    g_pointers.push_back(line);
    return line;
}

char* receive_elsewhere(char* line) { return line; }

// A report to the line function only (and the console when asked), with the record of calls emptied.
Rk_ReportStruct function_report(int extra_bits = 0)
{
    g_received.clear();
    g_pointers.clear();
    Rk_ReportStruct report;
    Rk_ReportInit(&report);
    EXPECT_EQ(Rk_ReportSetDestination(&report, RK_REPORT_FUNCTION | extra_bits, "", 0, receive), 0);
    return report;
}

Lines list_lines(const Rk_StrList& list)
{
    int size = 0;
    EXPECT_EQ(Rk_StrListGetSize(&list, &size), 0);
    Lines out;
    for (int i = 0; i < size; ++i) {
        char* text = nullptr;
        Rk_StrListGet(&list, i, &text);
        out.emplace_back(text);
    }
    return out;
}

// Runs `write` with the console captured; returns what it printed.
template <class Write>
std::string console_of(Write write)
{
    testing::internal::CaptureStdout();
    write();
    return testing::internal::GetCapturedStdout();
}

TEST_F(Report, InitResetsEveryFieldAndConsoleInitWritesToTheConsole)
{
    Rk_ReportStruct report;
    std::memset(&report, 0x5a, sizeof report);
    ASSERT_EQ(Rk_ReportInit(&report), 0);
    EXPECT_EQ(report.destination, 0);
    EXPECT_EQ(report.file_ptr, nullptr);
    EXPECT_STREQ(report.filename, " ");
    EXPECT_EQ(report.func_name, nullptr);
    EXPECT_EQ(report.strlist, nullptr);
    EXPECT_EQ(report.indent, 0);
    EXPECT_EQ(report.print_blank_lines, 1);
    EXPECT_EQ(console_of([&] { Rk_ReportWrite(&report, "nowhere"); }), "") << "destination 0 writes nothing";

    report.indent = 3;
    ASSERT_EQ(Rk_ReportConsoleInit(&report), 0);
    int mask = 0;
    Rk_ReportGetDestination(&report, &mask);
    EXPECT_EQ(mask, RK_REPORT_CONSOLE);
    EXPECT_EQ(report.indent, 0) << "ConsoleInit resets first";
    char name[RK_TEXT_MAX + 1] = "";
    Rk_ReportGetFilename(&report, name);
    EXPECT_STREQ(name, " ");
    EXPECT_EQ(console_of([&] { Rk_ReportWrite(&report, "hello"); }), "hello\n");
}

TEST_F(Report, IndentPrecedesTheLineAtEveryDestination)
{
    Rk_StrList list;
    ASSERT_EQ(Rk_StrListInit(&list, 1), 0);
    const std::string path = TempDir() + "/both.txt";
    Rk_ReportStruct report;
    ASSERT_EQ(Rk_ReportFileInit(&report, path.c_str(), 1), 0);
    ASSERT_EQ(Rk_ReportSetDestination(&report, RK_REPORT_CONSOLE | RK_REPORT_FILE | RK_REPORT_FUNCTION, path.c_str(),
                                      1, receive),
              0);
    report.strlist = &list;  // a list as Rk_ReportStrListInit would have set it
    report.destination |= RK_REPORT_STRLIST;
    g_received.clear();

    ASSERT_EQ(Rk_ReportSetIndent(&report, 4), 0);
    EXPECT_EQ(console_of([&] { EXPECT_EQ(Rk_ReportWrite(&report, "abc"), 0); }), "    abc\n");
    EXPECT_EQ(g_received, Lines{"    abc"}) << "the function gets no newline";
    EXPECT_EQ(list_lines(list), Lines{"    abc"});

    Rk_ReportClose(&report);
    EXPECT_EQ(rktest::ReadFile(path), "    abc\n");
    Rk_StrListFree(&list);
}

TEST_F(Report, WithoutIndentTheFunctionReceivesTheCallersOwnText)
{
    Rk_ReportStruct report = function_report();
    const char line[] = "as given";
    ASSERT_EQ(Rk_ReportWrite(&report, line), 0);
    ASSERT_EQ(g_pointers.size(), 1u);
    EXPECT_EQ(g_pointers[0], line);

    Rk_ReportSetIndent(&report, 1);
    ASSERT_EQ(Rk_ReportWrite(&report, line), 0);
    EXPECT_NE(g_pointers[1], line) << "an indented line is a text of its own";
    EXPECT_EQ(g_received[1], " as given");
}

TEST_F(Report, NoNewlineLeavesTheConsoleAndFileOnTheSameLine)
{
    const std::string path = TempDir() + "/joined.txt";
    Rk_ReportStruct report;
    ASSERT_EQ(Rk_ReportFileInit(&report, path.c_str(), 1), 0);
    ASSERT_EQ(Rk_ReportSetDestination(&report, RK_REPORT_CONSOLE | RK_REPORT_FILE | RK_REPORT_FUNCTION,
                                      path.c_str(), 0, receive),
              0);
    g_received.clear();
    Rk_ReportSetIndent(&report, 2);
    const std::string console = console_of([&] {
        Rk_ReportWriteNoNewline(&report, "part");
        Rk_ReportWrite(&report, "rest");
    });
    EXPECT_EQ(console, "  part  rest\n");
    EXPECT_EQ(g_received, (Lines{"  part", "  rest"})) << "the function gets the same as from a plain write";
    Rk_ReportClose(&report);
    EXPECT_EQ(rktest::ReadFile(path), "  part  rest\n");
}

TEST_F(Report, PrefixStandsBetweenIndentAndLineAndIsAlwaysANewText)
{
    Rk_ReportStruct report = function_report(RK_REPORT_CONSOLE);
    Rk_ReportSetIndent(&report, 2);
    EXPECT_EQ(console_of([&] { Rk_ReportWriteWithPrefix(&report, "abc", "> "); }), "  > abc\n");
    EXPECT_EQ(g_received, Lines{"  > abc"});

    Rk_ReportSetIndent(&report, 0);
    const char line[] = "plain";
    ASSERT_EQ(Rk_ReportWriteWithPrefix(&report, line, ""), 0);
    EXPECT_EQ(g_received.back(), "plain");
    EXPECT_NE(g_pointers.back(), line);
}

TEST_F(Report, BlankLinesAreDroppedOnlyWhileIgnored)
{
    Rk_ReportStruct report = function_report(RK_REPORT_CONSOLE);
    ASSERT_EQ(Rk_ReportIgnoreBlankLinesOn(&report), 0);
    const std::string dropped = console_of([&] {
        EXPECT_EQ(Rk_ReportSkipLines(&report, 3), 0);
        EXPECT_EQ(Rk_ReportWrite(&report, " \t "), 0);
        EXPECT_EQ(Rk_ReportWrite(&report, ""), 0);
        EXPECT_EQ(Rk_ReportWriteWithPrefix(&report, "  ", "prefix: "), 0);
        EXPECT_EQ(Rk_ReportWriteAndUnderline(&report, "", '-'), 0);
    });
    EXPECT_EQ(dropped, "");
    EXPECT_TRUE(g_received.empty());
    EXPECT_EQ(console_of([&] { Rk_ReportWriteWithPrefix(&report, "x", "   "); }), "   x\n")
        << "only the line decides whether it is blank";

    ASSERT_EQ(Rk_ReportIgnoreBlankLinesOff(&report), 0);
    g_received.clear();
    Rk_ReportSetIndent(&report, 1);
    EXPECT_EQ(console_of([&] { Rk_ReportSkipLines(&report, 2); }), "  \n  \n") << "each skipped line is one blank";
    EXPECT_EQ(g_received, (Lines{"  ", "  "}));
}

TEST_F(Report, NegativeIndentIsRefusedAndLeavesTheIndent)
{
    Rk_ReportStruct report;
    Rk_ReportConsoleInit(&report);
    Rk_ReportSetIndent(&report, 6);
    EXPECT_EQ(Rk_ReportSetIndent(&report, -1), 1);
    EXPECT_ERROR(1, "rk_rpt(");
    int indent = -5;
    Rk_ReportGetIndent(&report, &indent);
    EXPECT_EQ(indent, 6);
}

TEST_F(Report, StringListReportAddsEachLineAndFollowsTheListsDuplicateRule)
{
    Rk_StrList list;
    ASSERT_EQ(Rk_StrListInit(&list, 0), 0);
    Rk_ReportStruct report;
    ASSERT_EQ(Rk_ReportStrListInit(&report, &list), 0);
    EXPECT_EQ(report.destination, RK_REPORT_STRLIST);
    EXPECT_EQ(console_of([&] {
                  Rk_ReportWrite(&report, "same");
                  Rk_ReportWrite(&report, "same");
                  Rk_ReportWrite(&report, "other");
                  Rk_ReportSetIndent(&report, 2);
                  Rk_ReportWrite(&report, "same");
              }),
              "");
    EXPECT_EQ(list_lines(list), (Lines{"same", "other", "  same"}));
    Rk_ReportClose(&report);
    EXPECT_EQ(report.strlist, nullptr) << "Close resets, and leaves the list to its owner";
    EXPECT_EQ(list_lines(list).size(), 3u);
    Rk_StrListFree(&list);
}

TEST_F(Report, StringListBitWithoutAListLeavesItOutAndWritesTheRest)
{
    Rk_ReportStruct report = function_report(RK_REPORT_CONSOLE | RK_REPORT_STRLIST);
    EXPECT_EQ(report.strlist, nullptr);
    std::string console;
    console = console_of([&] { EXPECT_EQ(Rk_ReportWrite(&report, "line"), 0); });
    EXPECT_EQ(console, "line\n");
    EXPECT_EQ(g_received, Lines{"line"});
}

TEST_F(Report, FunctionBitWithoutAFunctionCallsNothing)
{
    Rk_ReportStruct report;
    Rk_ReportConsoleInit(&report);
    ASSERT_EQ(Rk_ReportSetDestination(&report, RK_REPORT_CONSOLE | RK_REPORT_FUNCTION, "", 0, nullptr), 0);
    EXPECT_EQ(console_of([&] { EXPECT_EQ(Rk_ReportWrite(&report, "safe"), 0); }), "safe\n");
}

TEST_F(Report, FunctionIsStoredOnlyWithTheFunctionBit)
{
    Rk_ReportStruct report;
    Rk_ReportInit(&report);
    Rk_ReportSetDestination(&report, RK_REPORT_FUNCTION, "", 0, receive);
    Rk_ReportSetDestination(&report, RK_REPORT_CONSOLE, "", 0, receive_elsewhere);
    EXPECT_EQ(report.func_name, receive) << "a mask without the function bit keeps the stored function";
    Rk_ReportSetDestination(&report, RK_REPORT_FUNCTION, "", 0, receive_elsewhere);
    EXPECT_EQ(report.func_name, receive_elsewhere);
}

TEST_F(Report, AFailingFunctionOrListLeavesTheEarlierDestinationsWritten)
{
    Rk_StrList list;
    ASSERT_EQ(Rk_StrListInit(&list, 1), 0);
    // With an indent the function and the list each get a text of their own (allocations 1 and
    // 2); the list then copies it (allocation 3 and on).
    for (long n = 1; n <= 3; ++n) {
        Rk_ReportStruct report = function_report(RK_REPORT_CONSOLE);
        report.strlist = &list;
        report.destination |= RK_REPORT_STRLIST;
        Rk_ReportSetIndent(&report, 1);
        std::string console;
        {
            rktest::FailingAlloc guard(n);
            console = console_of([&] { EXPECT_EQ(Rk_ReportWrite(&report, "x"), 1) << "allocation " << n; });
        }
        EXPECT_EQ(console, " x\n") << "allocation " << n;
        EXPECT_EQ(g_received.size(), n == 1 ? 0u : 1u) << "allocation " << n;
        EXPECT_TRUE(list_lines(list).empty()) << "allocation " << n;
        Rk_ErrorStruct error;
        int found = 0;
        Rk_ErrorQueueGetError(&error, &found);
        EXPECT_EQ(error.msg.msg_id, RK_ERR_NO_MEMORY) << "allocation " << n;
        if (n <= 2) {
            EXPECT_EQ(std::string(error.loc).rfind("rk_rpt(", 0), 0u) << "the report's own text: " << error.loc;
        }
        EXPECT_NO_ERROR();
    }
    Rk_StrListFree(&list);
}

TEST_F(ReportFile, ModeZeroAppendsAndModeOneRewrites)
{
    const std::string path = WriteTempFile("modes.txt", "old\n");
    Rk_ReportStruct report;
    ASSERT_EQ(Rk_ReportFileInit(&report, path.c_str(), 0), 0);
    Rk_ReportWrite(&report, "appended");
    Rk_ReportClose(&report);
    EXPECT_EQ(rktest::ReadFile(path), "old\nappended\n");

    ASSERT_EQ(Rk_ReportFileInit(&report, path.c_str(), 1), 0);
    Rk_ReportWrite(&report, "rewritten");
    Rk_ReportClose(&report);
    EXPECT_EQ(rktest::ReadFile(path), "rewritten\n");

    const std::string created = TempDir() + "/created.txt";
    ASSERT_EQ(Rk_ReportFileInit(&report, created.c_str(), 0), 0);
    char name[RK_TEXT_MAX + 1] = "";
    Rk_ReportGetFilename(&report, name);
    EXPECT_EQ(name, created);
    Rk_ReportClose(&report);
    EXPECT_EQ(rktest::ReadFile(created), "");
    EXPECT_EQ(report.file_ptr, nullptr);
    EXPECT_STREQ(report.filename, " ");
}

TEST_F(ReportFile, NamingTheOpenFileKeepsItEvenWithModeOne)
{
    const std::string path = TempDir() + "/kept.txt";
    Rk_ReportStruct report;
    ASSERT_EQ(Rk_ReportFileInit(&report, path.c_str(), 1), 0);
    Rk_ReportWrite(&report, "first");
    std::FILE* file = report.file_ptr;
    for (int mode : {1, 0, 7}) {
        EXPECT_EQ(Rk_ReportSetDestination(&report, RK_REPORT_FILE | RK_REPORT_CONSOLE, path.c_str(), mode, nullptr), 0)
            << "mode " << mode << " is not looked at";
        EXPECT_EQ(report.file_ptr, file);
    }
    EXPECT_EQ(console_of([&] { Rk_ReportWrite(&report, "second"); }), "second\n");
    Rk_ReportClose(&report);
    EXPECT_EQ(rktest::ReadFile(path), "first\nsecond\n");
}

TEST_F(ReportFile, NamingAnotherFileOrDroppingTheFileBitClosesTheFirst)
{
    const std::string first = TempDir() + "/first.txt";
    const std::string second = TempDir() + "/second.txt";
    Rk_ReportStruct report;
    ASSERT_EQ(Rk_ReportFileInit(&report, first.c_str(), 1), 0);
    Rk_ReportWrite(&report, "one");
    ASSERT_EQ(Rk_ReportSetDestination(&report, RK_REPORT_FILE, second.c_str(), 1, nullptr), 0);
    EXPECT_EQ(rktest::ReadFile(first), "one\n") << "the first file was closed, so its line is on disk";
    Rk_ReportWrite(&report, "two");
    char name[RK_TEXT_MAX + 1] = "";
    Rk_ReportGetFilename(&report, name);
    EXPECT_EQ(name, second);

    ASSERT_EQ(Rk_ReportSetDestination(&report, RK_REPORT_CONSOLE, second.c_str(), 1, nullptr), 0);
    EXPECT_EQ(report.file_ptr, nullptr);
    EXPECT_STREQ(report.filename, " ");
    EXPECT_EQ(rktest::ReadFile(second), "two\n");
    Rk_ReportGetFilename(&report, name);
    EXPECT_STREQ(name, " ");
}

TEST_F(ReportFile, ABadModeOrAnUnopenableFileKeepsTheFormerDestination)
{
    const std::string path = TempDir() + "/never.txt";
    const std::string unopenable = TempDir() + "/no-such-dir/report.txt";
    Rk_ReportStruct report;
    Rk_ReportConsoleInit(&report);
    for (int mode : {2, -1}) {
        EXPECT_EQ(Rk_ReportSetDestination(&report, RK_REPORT_FILE, path.c_str(), mode, receive), 1) << mode;
        EXPECT_ERROR(1, "rk_rpt(");
        EXPECT_EQ(report.destination, RK_REPORT_CONSOLE);
        EXPECT_EQ(report.func_name, nullptr);
    }
    EXPECT_EQ(rktest::ReadFile(path), "<unreadable>") << "no file was created";
    EXPECT_EQ(Rk_ReportSetDestination(&report, RK_REPORT_FILE, unopenable.c_str(), 0, nullptr), 1);
    EXPECT_ERROR(37, "rk_rpt(");
    EXPECT_EQ(report.destination, RK_REPORT_CONSOLE);
    EXPECT_EQ(Rk_ReportFileInit(&report, unopenable.c_str(), 1), 1);
    EXPECT_ERROR(37, "rk_rpt(");

    // A file closed on the way to a failing open stays closed; the mask keeps its file bit.
    const std::string first = TempDir() + "/first.txt";
    ASSERT_EQ(Rk_ReportFileInit(&report, first.c_str(), 1), 0);
    Rk_ReportWrite(&report, "kept");
    EXPECT_EQ(Rk_ReportSetDestination(&report, RK_REPORT_FILE, unopenable.c_str(), 1, nullptr), 1);
    EXPECT_ERROR(37, "rk_rpt(");
    EXPECT_EQ(report.destination, RK_REPORT_FILE);
    EXPECT_EQ(report.file_ptr, nullptr);
    EXPECT_EQ(Rk_ReportWrite(&report, "goes nowhere"), 0);
    EXPECT_EQ(rktest::ReadFile(first), "kept\n");
}

TEST_F(ReportWrites, CentredLinesAreExactlyThePageWidth)
{
    const struct {
        const char* line;
        int width;
        const char* expected;
        const char* why;
    } cases[] = {
        {"abc", 10, "    abc   ", "10/2 - 3/2 = 4 blanks before, the rest after"},
        {"abcd", 10, "   abcd   ", "10/2 - 4/2 = 3"},
        {"abc", 9, "   abc   ", "9/2 - 3/2 = 3"},
        {"abcdefgh", 10, " abcdefgh ", "10/2 - 8/2 = 1: one blank before"},
        {"abcd", 5, "abcd ", "5/2 - 4/2 = 0: from the start"},
        {"abcdef", 3, "abc", "a longer line is cut to the page"},
        {"", 4, "    ", "an empty line is a line of blanks"},
        {"x", 1, "x", "the narrowest page"},
    };
    Rk_ReportStruct report = function_report();
    for (const auto& c : cases) {
        g_received.clear();
        ASSERT_EQ(Rk_ReportWriteCentered(&report, c.line, c.width), 0) << c.why;
        EXPECT_EQ(g_received, Lines{c.expected}) << c.why;
    }
    for (int width : {0, -4}) {
        g_received.clear();
        EXPECT_EQ(Rk_ReportWriteCentered(&report, "abc", width), 1) << width;
        EXPECT_ERROR(1, "rk_rpt(");
        EXPECT_TRUE(g_received.empty());
    }
    {
        rktest::FailingAlloc guard(1);
        EXPECT_EQ(Rk_ReportWriteCentered(&report, "abc", 10), 1);
    }
    EXPECT_ERROR(11, "rk_rpt(");
    EXPECT_TRUE(g_received.empty());
}

TEST_F(ReportWrites, UnderlineRepeatsTheSymbolForEveryCharacter)
{
    Rk_ReportStruct report = function_report();
    Rk_ReportSetIndent(&report, 2);
    ASSERT_EQ(Rk_ReportWriteAndUnderline(&report, "Title", '='), 0);
    EXPECT_EQ(g_received, (Lines{"  Title", "  ====="}));

    g_received.clear();
    Rk_ReportSetIndent(&report, 0);
    ASSERT_EQ(Rk_ReportWriteAndUnderline(&report, "", '-'), 0);
    EXPECT_EQ(g_received, (Lines{"", ""})) << "an empty line gives two empty lines";

    Rk_ReportConsoleInit(&report);
    std::string console;
    {
        rktest::FailingAlloc guard(1);
        console = console_of([&] { EXPECT_EQ(Rk_ReportWriteAndUnderline(&report, "Title", '-'), 0); });
    }
    EXPECT_EQ(console, "Title\n") << "an underline that cannot be allocated is left out silently";
}

TEST_F(ReportWrites, FromFileWritesEachLineWithoutTrailingWhiteSpace)
{
    const std::string long_line(1030, 'L');
    const std::string path = WriteTempFile("source.txt", "first  \t\n\n  indented\n" + long_line + "\nlast");
    Rk_ReportStruct report = function_report();
    Rk_ReportSetIndent(&report, 1);
    EXPECT_EQ(Rk_ReportWriteFromFile(&report, path.c_str()), 0);
    EXPECT_EQ(g_received, (Lines{" first", " ", "   indented", " " + long_line.substr(0, 1024), " LLLLLL", " last"}))
        << "lines longer than 1024 characters arrive in pieces";

    g_received.clear();
    EXPECT_EQ(Rk_ReportWriteFromFile(&report, (TempDir() + "/missing.txt").c_str()), 0);
    EXPECT_TRUE(g_received.empty());
}

TEST_F(ReportWrites, MessagesByIdComeFromTheMessageFile)
{
    Rk_ReportStruct report;
    Rk_ReportConsoleInit(&report);
    Rk_ReportSetIndent(&report, 2);
    const char* file = MessageFile().c_str();
    EXPECT_EQ(console_of([&] { EXPECT_EQ(Rk_ReportWriteShortMsgById(&report, RK_ERR_NO_MEMORY, file), 0); }),
              "  Out of memory\n");
    EXPECT_EQ(console_of([&] { EXPECT_EQ(Rk_ReportWriteLongMsgById(&report, 2, file), 0); }),
              "  (Message ID not found)\n");
    EXPECT_EQ(console_of([&] { Rk_ReportWriteLongMsgById(&report, RK_ERR_ZERO_RADIUS, file); }),
              "  An arc was given a radius whose absolute value is below the zero tolerance.\n"
              "  Give the arc a radius, or check the points it was built from.\n");
    EXPECT_EQ(console_of([&] { Rk_ReportWriteShortMsgById(&report, 1, (TempDir() + "/gone.txt").c_str()); }),
              "  (Message file could not be read)\n");
}

TEST_F(ReportWrites, MessageWritesSubstituteTokensAndApplyPrefixAndCentring)
{
    const std::string file = WriteTempFile("report.txt", "#3\n*Part %T1 failed\n&line %T1\n&ab\n");
    Rk_MessageStruct msg;
    Rk_MessageSet(&msg, 3, file.c_str());
    Rk_MessageSetToken(&msg, 1, "A7");
    Rk_ReportStruct report = function_report();

    ASSERT_EQ(Rk_ReportWriteShortMessage(&report, &msg), 0);
    ASSERT_EQ(Rk_ReportWriteShortMessagePfx(&report, &msg, "E: "), 0);
    ASSERT_EQ(Rk_ReportWriteLongMessage(&report, &msg), 0);
    ASSERT_EQ(Rk_ReportWriteLongMessagePfx(&report, &msg, "| "), 0);
    ASSERT_EQ(Rk_ReportWriteLongMessageCent(&report, &msg, 8), 0);
    EXPECT_EQ(g_received, (Lines{"Part A7 failed", "E: Part A7 failed", "line A7", "ab", "| line A7", "| ab",
                                 " line A7", "   ab   "})) << "8/2 - 7/2 = 1 and 8/2 - 2/2 = 3 blanks before";
}

TEST_F(ReportWrites, ALongMessageStopsAtAFailingWriteAndFreesItsText)
{
    const std::string file = WriteTempFile("three.txt", "#3\n&one\n&two\n&three\n");
    Rk_MessageStruct msg;
    Rk_MessageSet(&msg, 3, file.c_str());
    Rk_ReportStruct report = function_report(RK_REPORT_CONSOLE);
    Rk_ReportSetIndent(&report, 1);

    const long calls = rk::seam::alloc_calls();
    console_of([&] { ASSERT_EQ(Rk_ReportWriteLongMessage(&report, &msg), 0); });
    const long allocations = rk::seam::alloc_calls() - calls;
    // The last three allocations are the function's indented texts, one per line.
    std::string console;
    g_received.clear();
    {
        rktest::FailingAlloc guard(allocations - 1);
        console = console_of([&] { EXPECT_EQ(Rk_ReportWriteLongMessage(&report, &msg), 1); });
    }
    EXPECT_ERROR(11, "rk_rpt(");
    EXPECT_EQ(console, " one\n two\n") << "lines before the failure are written, none after it";
    EXPECT_EQ(g_received, Lines{" one"});

    {
        rktest::FailingAlloc guard(1);
        console = console_of([&] { EXPECT_EQ(Rk_ReportWriteLongMsgById(&report, 3, file.c_str()), 1); });
    }
    EXPECT_ERROR(11, "rk_strar(");
    EXPECT_EQ(console, "") << "a detailed text that cannot be read writes nothing";
}

}  // namespace
