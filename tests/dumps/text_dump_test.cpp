// Dumps of the text and configuration families: string arrays, the input reader, user
// configurations, directories and reports themselves.
#include <string>

#include "dump_helpers.hpp"
#include "rk_test.hpp"

namespace {

using rktest::ConsoleOf;
using rktest::Lines;
using rktest::ListReport;
using rktest::Printed;

using StrArrayDump = rktest::LibraryTest;
using InputDump = rktest::LibraryTest;
using UserConfigDump = rktest::LibraryTest;
using DirectoryDump = rktest::LibraryTest;
using ReportDump = rktest::LibraryTest;

// A report whose string list has been freed: every write to it fails (error 1 of the string table).
class BrokenReport {
public:
    BrokenReport()
    {
        Rk_StrListInit(&list_, 1);
        Rk_ReportStrListInit(&report_, &list_);
        Rk_StrListFree(&list_);
    }
    Rk_ReportStruct* get() { return &report_; }

private:
    Rk_StrList list_{};
    Rk_ReportStruct report_{};
};

char* no_line(char*) { return nullptr; }

// ---- String arrays ----

TEST_F(StrArrayDump, ShowsTheSizeAndEachStringToEightyCharacters)
{
    Rk_StrArrayStruct array;
    ASSERT_EQ(Rk_StrArrayInit(&array, 3), 0);
    Rk_StrArraySetStr(&array, 0, "alpha");
    Rk_StrArraySetStr(&array, 2, std::string(90, 'x').c_str());
    ListReport report;
    ASSERT_EQ(Rk_StrArrayDebugRpt(&array, report.get()), 0);
    EXPECT_EQ(report.lines(), (Lines{"String Array", "------------", "    String array can hold 3 strings",
                                     "    Strings : alpha",
                                     "              ",  // an unset string shows as empty
                                     "              " + std::string(80, 'x')}));
    EXPECT_EQ(report.indent(), 0);
    Rk_StrArrayFree(&array);

    ListReport freed;
    ASSERT_EQ(Rk_StrArrayDebugRpt(&array, freed.get()), 0);
    EXPECT_EQ(freed.lines(), (Lines{"String Array", "------------", "    String array NOT allocated"}));
    Rk_StrArrayStruct never{};
    never.array_size = 4;
    ListReport unset;
    ASSERT_EQ(Rk_StrArrayDebugRpt(&never, unset.get()), 0);
    EXPECT_EQ(unset.lines().back(), "    String array NOT allocated") << "a size without slots is not allocated";
}

TEST_F(StrArrayDump, DebugWritesToTheConsole)
{
    Rk_StrArrayStruct array;
    ASSERT_EQ(Rk_StrArrayInit(&array, 1), 0);
    Rk_StrArraySetStr(&array, 0, "only");
    int status = -1;
    EXPECT_EQ(ConsoleOf([&] { status = Rk_StrArrayDebug(&array); }),
              Printed({"", "String Array", "------------", "    String array can hold 1 strings", "    Strings : only"}));
    EXPECT_EQ(status, 0);
    Rk_StrArrayFree(&array);
}

// ---- Input reader ----

TEST_F(InputDump, NamesTheSourceUnderATitleWithoutIndentingIt)
{
    Rk_InputStruct input;
    Rk_InputInit(&input);
    ListReport none(1);
    ASSERT_EQ(Rk_InputDebugRpt(&input, none.get()), 0);
    EXPECT_EQ(none.lines(), (Lines{" Input", " -----", " Source:  (none)."}));
    EXPECT_EQ(none.indent(), 1);

    ASSERT_EQ(Rk_InputSetSource(&input, RK_INPUT_CONSOLE, "", nullptr), 0);
    ListReport console;
    Rk_InputDebugRpt(&input, console.get());
    EXPECT_EQ(console.lines().back(), "Source: Console.");

    ASSERT_EQ(Rk_InputSetSource(&input, RK_INPUT_FUNCTION, "", no_line), 0);
    ListReport function;
    Rk_InputDebugRpt(&input, function.get());
    EXPECT_EQ(function.lines().back(), "Source: Function.");

    const std::string path = WriteTempFile("in.txt", "a line\n");
    ASSERT_EQ(Rk_InputFileInit(&input, path.c_str()), 0);
    ListReport file;
    Rk_InputDebugRpt(&input, file.get());
    EXPECT_EQ(file.lines().back(), "Source: File (" + path + ").");
    EXPECT_EQ(ConsoleOf([&] { Rk_InputDebug(&input); }),
              Printed({"", "Input", "-----", "Source: File (" + path + ")."}));
    Rk_InputClose(&input);
}

TEST_F(InputDump, ReturnsTheStatusOfTheSourceLine)
{
    Rk_InputStruct input;
    Rk_InputInit(&input);
    BrokenReport report;
    EXPECT_EQ(Rk_InputDebugRpt(&input, report.get()), 1);
    EXPECT_ERROR(1, "rk_strtb(");  // the title
    EXPECT_ERROR(1, "rk_strtb(");  // the source line
}

// ---- User configuration ----

TEST_F(UserConfigDump, ShortNamesAndValuesGetTheHeadingsWidths)
{
    Rk_UserConfigStruct settings;
    ASSERT_EQ(Rk_UserConfigInit(&settings), 0);
    ASSERT_EQ(Rk_UserConfigSetValue(&settings, "abc", "v"), 0);
    ListReport report(1);
    ASSERT_EQ(Rk_UserConfigDebugRpt(&settings, report.get()), 0);
    EXPECT_EQ(report.lines(), (Lines{" User Configuration", " ------------------",
                                     "   Variable  Value   To File",  // widths 8 and 5, indented by 2
                                     "   abc     " "  " "v    " "   " " "}));
    EXPECT_EQ(report.indent(), 1);

    Rk_StrTableSetValue(&settings.set_table, 3, 0, "Rk_TRUE");
    ListReport marked;
    ASSERT_EQ(Rk_UserConfigDebugRpt(&settings, marked.get()), 0);
    EXPECT_EQ(marked.lines().back(), "  abc     " "  " "v    " "   " "X") << "a setting marked written";
    Rk_UserConfigFree(&settings);
}

TEST_F(UserConfigDump, ColumnsWidenToTheLongestNameAndValueUpToThirtyFive)
{
    Rk_UserConfigStruct settings;
    ASSERT_EQ(Rk_UserConfigInit(&settings), 0);
    const std::string long_name(40, 'n');
    Rk_UserConfigSetValue(&settings, long_name.c_str(), "short");
    Rk_UserConfigSetValue(&settings, "Ten_chars_", std::string(20, 'w').c_str());
    ListReport report;
    ASSERT_EQ(Rk_UserConfigDebugRpt(&settings, report.get()), 0);
    const std::string pad27(27, ' ');
    EXPECT_EQ(report.lines(),
              (Lines{"User Configuration", "------------------",
                     "  Variable" + pad27 + "  " + "Value" + std::string(15, ' ') + "   " + "To File",
                     "  " + std::string(35, 'n') + "  " + "short" + std::string(15, ' ') + "   " + " ",
                     "  Ten_chars_" + std::string(25, ' ') + "  " + std::string(20, 'w') + "   " + " "}))
        << "names are cut to 35 characters; the value column is as wide as the longest value";
    Rk_UserConfigFree(&settings);
}

TEST_F(UserConfigDump, AnEmptyConfigurationAndOneThatCannotBeRead)
{
    Rk_UserConfigStruct settings;
    ASSERT_EQ(Rk_UserConfigInit(&settings), 0);
    ListReport empty;
    ASSERT_EQ(Rk_UserConfigDebugRpt(&settings, empty.get()), 0);
    EXPECT_EQ(empty.lines(), (Lines{"User Configuration", "------------------", "  No settings found..."}));

    Rk_UserConfigFree(&settings);
    ListReport freed(4);
    EXPECT_EQ(Rk_UserConfigDebugRpt(&settings, freed.get()), 1);
    EXPECT_ERROR(1, "rk_strtb(");
    EXPECT_EQ(freed.lines(), (Lines{"    User Configuration", "    ------------------"}));
    EXPECT_EQ(freed.indent(), 4) << "the indent is restored on the failing path too";
}

// ---- Directories ----

TEST_F(DirectoryDump, ShowsThePathUnderItsTitle)
{
    Rk_DirectoryStruct dir;
    ASSERT_EQ(Rk_DirectorySet(&dir, "C:\\parts\\fixtures"), 0);
    ListReport report;
    ASSERT_EQ(Rk_DirectoryDebugRpt(&dir, report.get()), 0);
    EXPECT_EQ(report.lines(), (Lines{"Directory", "---------", "    C:\\parts\\fixtures\\"}));
    EXPECT_EQ(ConsoleOf([&] { Rk_DirectoryDebug(&dir); }),
              Printed({"", "Directory", "---------", "    C:\\parts\\fixtures\\"}));
}

// ---- Reports ----

TEST_F(ReportDump, ConsoleReportWithIndentFourPadsTheIndentToTwoPlaces)
{
    Rk_ReportStruct console;
    Rk_ReportConsoleInit(&console);
    Rk_ReportSetIndent(&console, 4);
    ListReport report;
    ASSERT_EQ(Rk_ReportDebugRpt(&console, report.get()), 0);
    EXPECT_EQ(report.lines(), (Lines{"Report", "------", "    Destination: Console,  (indenting  4 chars)"}));
    EXPECT_EQ(report.indent(), 0);
    int status = -1;
    EXPECT_EQ(ConsoleOf([&] { status = Rk_ReportDebug(&console); }),
              Printed({"", "Report", "------", "    Destination: Console,  (indenting  4 chars)"}))
        << "the console report of the Debug has indent 0 itself; the one described keeps its 4";
    EXPECT_EQ(status, 0);
}

TEST_F(ReportDump, NamesEveryDestinationInOrder)
{
    const std::string path = TempDir() + "/out.txt";
    Rk_ReportStruct described;
    Rk_ReportInit(&described);
    const struct {
        int mask;
        int indent;
        std::string line;
    } cases[] = {
        {0, 0, "Destination:  (none),  (indenting  0 chars)"},
        {RK_REPORT_FILE, 0, "Destination: File (" + path + "),  (indenting  0 chars)"},
        {15, 12, "Destination: Console, File (" + path + "), Function, Rk_StrList,  (indenting 12 chars)"},
        {RK_REPORT_FUNCTION | RK_REPORT_STRLIST, 3, "Destination: Function, Rk_StrList,  (indenting  3 chars)"},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(Rk_ReportSetDestination(&described, c.mask, path.c_str(), 1, no_line), 0);
        Rk_ReportSetIndent(&described, c.indent);
        ListReport report;
        ASSERT_EQ(Rk_ReportDebugRpt(&described, report.get()), 0);
        EXPECT_EQ(report.lines(), (Lines{"Report", "------", "    " + c.line})) << c.mask;
    }
    Rk_ReportClose(&described);

    Rk_ReportStruct no_file;
    Rk_ReportInit(&no_file);
    no_file.destination = RK_REPORT_FILE;
    ListReport report;
    ASSERT_EQ(Rk_ReportDebugRpt(&no_file, report.get()), 0);
    EXPECT_EQ(report.lines().back(), "    Destination: File ( ),  (indenting  0 chars)")
        << "a file bit without an open file shows the single blank";
}

TEST_F(ReportDump, AReportMayDescribeItselfAsItWasGiven)
{
    ListReport report(2);
    ASSERT_EQ(Rk_ReportDebugRpt(report.get(), report.get()), 0);
    EXPECT_EQ(report.lines(), (Lines{"  Report", "  ------", "      Destination: Rk_StrList,  (indenting  2 chars)"}))
        << "the indent shown is the one before the dump raised it";
    EXPECT_EQ(report.indent(), 2);
}

TEST_F(ReportDump, AFailingDestinationLineFailsTheDump)
{
    BrokenReport broken;
    Rk_ReportStruct console;
    Rk_ReportConsoleInit(&console);
    EXPECT_EQ(Rk_ReportDebugRpt(&console, broken.get()), 1);
    EXPECT_ERROR(1, "rk_strtb(");  // the title
    EXPECT_ERROR(1, "rk_strtb(");  // the destination line
    EXPECT_EQ(broken.get()->indent, 0);
}

}  // namespace
