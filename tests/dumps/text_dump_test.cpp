// Dumps of the text and configuration families: string arrays, the input reader, user
// configurations, directories and reports themselves.
#include "rk_test.hpp"

namespace {

using rktest::Dumped;
using rktest::DumpOf;
using rktest::Lines;
using TextDump = rktest::LibraryTest;

char* no_line(char*) { return nullptr; }

// The size, then each string cut to 80 characters (an unset one empty); a freed array is not
// allocated. A Debug prints the same after an empty line.
TEST_F(TextDump, AStringArrayShowsEachStringToEightyCharacters)
{
    Rk_StrArrayStruct array;
    ASSERT_EQ(Rk_StrArrayInit(&array, 3), 0);
    EXPECT_EQ(Rk_StrArraySetStr(&array, 0, "alpha") || Rk_StrArraySetStr(&array, 2, std::string(90, 'x').c_str()), 0);
    const Lines lines = {"String Array", "------------", "    String array can hold 3 strings", "    Strings : alpha",
                         "              ", "              " + std::string(80, 'x')};
    EXPECT_EQ(DumpOf(Rk_StrArrayDebugRpt, &array), (Dumped{0, lines}));
    EXPECT_EQ(rktest::ConsoleOf([&] { Rk_StrArrayDebug(&array); }), "\n" + rktest::Printed(lines));
    Rk_StrArrayFree(&array);
    EXPECT_EQ(DumpOf(Rk_StrArrayDebugRpt, &array).lines.back(), "    String array NOT allocated");
}

// Columns as wide as their heading, their longest entry, or 35 characters; the written mark an X;
// one that cannot be read fails with its indent restored.
TEST_F(TextDump, AUserConfigurationShowsATableOfItsSettings)
{
    Rk_UserConfigStruct settings;
    ASSERT_EQ(Rk_UserConfigInit(&settings) || Rk_UserConfigSetValue(&settings, "abc", "v"), 0);
    Rk_StrTableSetValue(&settings.set_table, 3, 0, "Rk_TRUE");
    Rk_UserConfigSetValue(&settings, std::string(40, 'n').c_str(), std::string(20, 'w').c_str());
    EXPECT_EQ(DumpOf(Rk_UserConfigDebugRpt, &settings, 1),
              (Dumped{0, {" User Configuration", " ------------------",
                          "   Variable" + std::string(27, ' ') + "  Value" + std::string(15, ' ') + "   To File",
                          "   abc" + std::string(32, ' ') + "  v" + std::string(19, ' ') + "   X",
                          "   " + std::string(35, 'n') + "  " + std::string(20, 'w') + "    "}}));
    Rk_UserConfigFree(&settings);
    EXPECT_EQ(DumpOf(Rk_UserConfigDebugRpt, &settings, 4),
              (Dumped{1, {"    User Configuration", "    ------------------"}}));
    EXPECT_ERROR(1, "rk_strtb(");
}

// An input and a report name where they point, and fail with a line that cannot be written.
TEST_F(TextDump, InputsDirectoriesAndReportsNameWhereTheyPoint)
{
    Rk_InputStruct input;
    rktest::BrokenReport broken;
    const std::string in = WriteTempFile("in.txt", "a line\n");
    ASSERT_EQ(Rk_InputFileInit(&input, in.c_str()), 0);
    EXPECT_EQ(DumpOf(Rk_InputDebugRpt, &input, 1), (Dumped{0, {" Input", " -----", " Source: File (" + in + ")."}}));
    EXPECT_EQ(Rk_InputDebugRpt(&input, broken.get()), 1);
    for (const char* line : {"title", "source"}) EXPECT_ERROR(1, "rk_strtb(") << line;
    Rk_InputClose(&input);
    Rk_DirectoryStruct dir;
    ASSERT_EQ(Rk_DirectorySet(&dir, "C:\\parts\\fixtures"), 0);
    EXPECT_EQ(rktest::ConsoleOf([&] { Rk_DirectoryDebug(&dir); }),
              rktest::Printed({"", "Directory", "---------", "    C:\\parts\\fixtures\\"}));
    const std::string path = TempDir() + "/out.txt";
    Rk_ReportStruct described;
    ASSERT_EQ(Rk_ReportInit(&described) || Rk_ReportSetDestination(&described, 15, path.c_str(), 1, no_line), 0);
    Rk_ReportSetIndent(&described, 12);
    EXPECT_EQ(DumpOf(Rk_ReportDebugRpt, &described).lines.back(),
              "    Destination: Console, File (" + path + "), Function, Rk_StrList,  (indenting 12 chars)");
    EXPECT_EQ(Rk_ReportDebugRpt(&described, broken.get()), 1);
    for (const char* line : {"title", "destination"}) EXPECT_ERROR(1, "rk_strtb(") << line;
    EXPECT_EQ(broken.report.indent, 0);
    Rk_ReportClose(&described);
}

}  // namespace
