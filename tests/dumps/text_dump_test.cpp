// Dumps of the text family: the input reader, directories and reports themselves.
#include "rk_test.hpp"

namespace {

using rktest::Dumped;
using rktest::DumpOf;
using TextDump = rktest::LibraryTest;

char* no_line(char*) { return nullptr; }

// An input and a report name where they point, and fail with a line that cannot be written; an empty
// configuration says so, a full one shows a row per setting; a string array each string to 80 characters.
TEST_F(TextDump, InputsDirectoriesAndReportsNameWhereTheyPointAndConfigurationsAndArraysWhatTheyHold)
{
    Rk_StrArrayStruct array;
    ASSERT_EQ(Rk_StrArrayInit(&array, 2) || Rk_StrArraySetStr(&array, 1, std::string(90, 'x').c_str()), 0);
    EXPECT_EQ(DumpOf(Rk_StrArrayDebugRpt, &array),
              (Dumped{0, {"String Array", "------------", "    String array can hold 2 strings", "    Strings : ",
                          "              " + std::string(80, 'x')}}));
    Rk_StrArrayFree(&array);
    Rk_UserConfigStruct settings;
    ASSERT_EQ(Rk_UserConfigInit(&settings), 0);
    EXPECT_EQ(DumpOf(Rk_UserConfigDebugRpt, &settings),
              (Dumped{0, {"User Configuration", "------------------", "  No settings found..."}}));
    ASSERT_EQ(Rk_UserConfigSetValue(&settings, "abc", "v"), 0);
    const Dumped one = DumpOf(Rk_UserConfigDebugRpt, &settings);
    EXPECT_TRUE(one.status == 0 && one.lines.back() == "  abc       v        ") << one.lines.back() << ".";
    Rk_UserConfigFree(&settings);
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
