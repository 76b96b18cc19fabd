// User configuration: reading a section of a settings file, the typed reads, iteration, the line
// operations, and rewriting one section of a file while keeping everything else.
#include "rk_test.hpp"

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char kExample[] = "# units\n[ Display ]\nUnits = mm\ngrid=ON\n[Print]\nCopies = 2\n";

using Pairs = std::vector<std::pair<std::string, std::string>>;

// A live configuration, freed before the fixture looks for leaks.
class UserConfig : public rktest::LibraryTest {
protected:
    void SetUp() override
    {
        LibraryTest::SetUp();
        ASSERT_EQ(Rk_UserConfigInit(&cfg_), 0);
    }
    void TearDown() override
    {
        Rk_UserConfigFree(&cfg_);
        LibraryTest::TearDown();
    }

    void Set(const char* var, const char* val) { ASSERT_EQ(Rk_UserConfigSetValue(&cfg_, var, val), 0); }

    std::string Cell(int col, int row) const { return cfg_.set_table.table.stable[col][row]; }

    // Every setting as (name as first given, value), in table order.
    Pairs Settings() const
    {
        Pairs out;
        for (int row = 0; row < cfg_.set_table.num_rows; ++row) out.emplace_back(Cell(1, row), Cell(2, row));
        return out;
    }

    // Reads `section` of `file`; returns {file_found, section_found}.
    std::pair<int, int> Read(const std::string& file, const char* section)
    {
        int file_found = -1;
        int section_found = -1;
        EXPECT_EQ(Rk_UserConfigReadFromFile(&cfg_, file.c_str(), section, &file_found, &section_found), 0);
        return {file_found, section_found};
    }

    // Writes `section` into `file` and returns the file's content.
    std::string Write(const std::string& file, const char* section)
    {
        EXPECT_EQ(Rk_UserConfigWriteToFile(&cfg_, file.c_str(), section), 0);
        return rktest::ReadFile(file);
    }

    // Names in the temporary folder other than the message file: a failed write leaves no new file.
    std::set<std::string> Entries() const
    {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(TempDir()))
            if (entry.path().filename() != "messages.txt") names.insert(entry.path().filename().string());
        return names;
    }

    Rk_UserConfig cfg_{};
};

using UserConfigLine = rktest::LibraryTest;

// ---- Reading ----

TEST_F(UserConfig, ReadsTheExampleSectionGivenInAnyCase)
{
    const std::string file = WriteTempFile("example.ini", kExample);
    for (const char* section : {"display", "DISPLAY", "Display"}) {
        ASSERT_EQ(Rk_UserConfigClear(&cfg_), 0);
        EXPECT_EQ(Read(file, section), std::make_pair(1, 1)) << section;
        EXPECT_EQ(Settings(), (Pairs{{"Units", "mm"}, {"grid", "ON"}})) << "names keep their spelling; Print not read";
        EXPECT_EQ(Cell(0, 0), "UNITS");
        EXPECT_EQ(Cell(0, 1), "GRID");
        EXPECT_EQ(Cell(3, 0), "Rk_FALSE");
    }
    char val[RK_PATH_MAX + 1] = "";
    int found = 0;
    ASSERT_EQ(Rk_UserConfigGetValue(&cfg_, "units", val, &found), 0);
    EXPECT_EQ(found, 1);
    EXPECT_STREQ(val, "mm");
}

TEST_F(UserConfig, AMissingSectionFindsTheFileAndAddsNothing)
{
    const std::string file = WriteTempFile("example.ini", kExample);
    EXPECT_EQ(Read(file, "Output"), std::make_pair(1, 0));
    EXPECT_TRUE(Settings().empty());
    EXPECT_EQ(Read(file, "print"), std::make_pair(1, 1));
    EXPECT_EQ(Settings(), (Pairs{{"Copies", "2"}})) << "reading stops at the end of the file";
}

TEST_F(UserConfig, AFileThatCannotBeOpenedIsNotFoundAndNotAnError)
{
    const std::vector<std::string> paths = {TempDir() + "/absent.ini", TempDir(), TempDir() + "/no/such/dir.ini"};
    for (const auto& path : paths) {
        EXPECT_EQ(Read(path, "Display"), std::make_pair(0, 0)) << path << ": a directory reads as no file";
        EXPECT_EQ(Read(path, ""), std::make_pair(0, 0)) << path;
    }
    EXPECT_TRUE(Settings().empty());
}

TEST_F(UserConfig, ABlankSectionReadsTheUnnamedPartBeforeTheFirstHeader)
{
    const std::string file = WriteTempFile("u.ini", "a = 1\n; b = 0\n\nb=2\n[S]\nc = 3\n");
    for (const char* blank : {"", "  \t"}) {
        ASSERT_EQ(Rk_UserConfigClear(&cfg_), 0);
        EXPECT_EQ(Read(file, blank), std::make_pair(1, 0)) << "section_found stays 0 for the unnamed part";
        EXPECT_EQ(Settings(), (Pairs{{"a", "1"}, {"b", "2"}})) << "comments skipped, reading stops at [S]";
    }
}

TEST_F(UserConfig, TheFileOverwritesValuesAndARepeatedVariableTakesItsLastValue)
{
    Set("units", "in");
    Set("keep", "me");
    const std::string file = WriteTempFile("r.ini", "[S]\nUNITS = a\nx = 1\nUnits = b\n[ ]\ny = 2\n[T]\nz = 3\n");
    EXPECT_EQ(Read(file, "s"), std::make_pair(1, 1));
    EXPECT_EQ(Settings(), (Pairs{{"units", "b"}, {"keep", "me"}, {"x", "1"}, {"y", "2"}}))
        << "first spelling and position kept; a header with a blank name does not end the section";
}

TEST_F(UserConfig, ALineWithoutEqualsIsASettingWithAnEmptyValue)
{
    const std::string file = WriteTempFile("e.ini", "[S]\nUnits\n");
    EXPECT_EQ(Read(file, "S"), std::make_pair(1, 1));
    EXPECT_EQ(Settings(), (Pairs{{"Units", ""}}));
    char val[RK_PATH_MAX + 1] = "untouched";
    int found = 1;
    ASSERT_EQ(Rk_UserConfigGetValue(&cfg_, "UNITS", val, &found), 0);
    EXPECT_EQ(found, 0) << "an empty value counts as not found";
    EXPECT_STREQ(val, "untouched");
}

TEST_F(UserConfig, OverLongLinesAndGarbageAreReadInBoundedPieces)
{
    const std::string value(400, 'v');
    const std::string file = WriteTempFile("long.ini", "[S]\nname = " + value + "\n");
    EXPECT_EQ(Read(file, "S"), std::make_pair(1, 1));
    EXPECT_EQ(Settings(), (Pairs{{"name", std::string(248, 'v')}, {std::string(152, 'v'), ""}}))
        << "a line comes in pieces of 255 characters, each read as a line of its own";

    std::string garbage;
    for (int i = 0; i < 3000; ++i) garbage += static_cast<char>(i % 13 == 0 ? '\n' : (i * 37) % 255 + 1);
    const std::string junk = WriteTempFile("junk.ini", garbage);
    ASSERT_EQ(Rk_UserConfigClear(&cfg_), 0);
    EXPECT_EQ(Read(junk, "").first, 1);
    int size = 0;
    ASSERT_EQ(Rk_UserConfigGetSize(&cfg_, &size), 0);
    EXPECT_GT(size, 0);
    for (const auto& [name, val] : Settings()) EXPECT_LE(name.size(), 255u);
}

// ---- Line operations ----

TEST_F(UserConfigLine, ClassifiesEveryKindOfLine)
{
    const struct {
        const char* line;
        int type;
    } cases[] = {
        {"", RK_UCFIG_LINE_BLANK},
        {" \t\n", RK_UCFIG_LINE_BLANK},
        {"; c", RK_UCFIG_LINE_COMMENT},
        {"  ! c = 1", RK_UCFIG_LINE_COMMENT},
        {"#", RK_UCFIG_LINE_COMMENT},
        {"// c", RK_UCFIG_LINE_COMMENT},
        {"/ x = 1", RK_UCFIG_LINE_SETTING},   // a single slash opens no comment
        {" [ Display ] \n", RK_UCFIG_LINE_SECTION},
        {"[open", RK_UCFIG_LINE_SECTION},     // no "]": the name runs to the end
        {"[ ]", RK_UCFIG_LINE_OTHER},         // a header with a blank name
        {"[]name", RK_UCFIG_LINE_OTHER},
        {"= v", RK_UCFIG_LINE_OTHER},
        {"\t=v", RK_UCFIG_LINE_OTHER},
        {"a = #b", RK_UCFIG_LINE_SETTING},    // comment characters inside a value belong to it
        {"Units", RK_UCFIG_LINE_SETTING},
    };
    for (const auto& c : cases) {
        int type = -1;
        EXPECT_EQ(Rk_UserConfigLineGetType(c.line, &type), 0);
        EXPECT_EQ(type, c.type) << "'" << c.line << "'";
    }
}

TEST_F(UserConfigLine, SectionNamesAreStrippedAndBadHeadersFailClearly)
{
    const struct {
        const char* line;
        const char* name;
    } good[] = {{"[ Display ]\n", "Display"}, {"  [a b]  ", "a b"}, {"[open ", "open"}, {"x[y]z", "y"},
                {"[a]b]", "a"}, {"x]y[z", "z"}};
    for (const auto& c : good) {
        char name[RK_PATH_MAX + 1] = "";
        EXPECT_EQ(Rk_UserConfigLineGetSection(c.line, name), 0) << c.line;
        EXPECT_STREQ(name, c.name) << c.line;
    }
    for (const char* bad : {"", "]x[y]", "no bracket at all"}) {
        char name[RK_PATH_MAX + 1] = "untouched";
        EXPECT_EQ(Rk_UserConfigLineGetSection(bad, name), 1) << "'" << bad << "'";
        EXPECT_ERROR(1, "rk_ucfig(");
        EXPECT_STREQ(name, "untouched");
    }
}

TEST_F(UserConfigLine, SettingsSplitAtTheFirstEquals)
{
    const struct {
        const char* line;
        const char* var;
        const char* val;
    } good[] = {{" Units = mm \n", "Units", "mm"}, {"grid=ON", "grid", "ON"}, {"a = b = c", "a", "b = c"},
                {"Units", "Units", ""}, {"a = ; kept", "a", "; kept"}};
    for (const auto& c : good) {
        char var[RK_PATH_MAX + 1] = "";
        char val[RK_PATH_MAX + 1] = "x";
        EXPECT_EQ(Rk_UserConfigLineGetSetting(c.line, var, val), 0);
        EXPECT_STREQ(var, c.var) << c.line;
        EXPECT_STREQ(val, c.val) << c.line;
    }
    for (const char* bad : {"=x", "  = x"}) {
        char var[RK_PATH_MAX + 1] = "v";
        char val[RK_PATH_MAX + 1] = "w";
        EXPECT_EQ(Rk_UserConfigLineGetSetting(bad, var, val), 1) << bad;
        EXPECT_ERROR(1, "rk_ucfig(");
        EXPECT_STREQ(var, "v");
        EXPECT_STREQ(val, "w");
    }
}

TEST_F(UserConfigLine, ReadsLinesOf255CharactersAtMost)
{
    const std::string file = WriteTempFile("l.ini", std::string(300, 'a') + "\n[S]");
    std::FILE* fp = std::fopen(file.c_str(), "r");
    ASSERT_NE(fp, nullptr);
    const struct {
        std::string text;
        int type;
    } expected[] = {{std::string(255, 'a'), RK_UCFIG_LINE_SETTING},
                    {std::string(45, 'a') + "\n", RK_UCFIG_LINE_SETTING},
                    {"[S]", RK_UCFIG_LINE_SECTION}};
    for (const auto& e : expected) {
        char line[RK_PATH_MAX + 2];
        std::memset(line, '#', sizeof line);
        int type = -1;
        int found = 0;
        ASSERT_EQ(Rk_UserConfigLineGetFromFile(fp, line, &type, &found), 0);
        EXPECT_EQ(found, 1);
        EXPECT_EQ(line, e.text);
        EXPECT_EQ(type, e.type);
        EXPECT_EQ(line[RK_PATH_MAX + 1], '#') << "nothing written past 257 bytes";
    }
    int type = -1;
    int found = -1;
    char line[RK_PATH_MAX + 1];
    ASSERT_EQ(Rk_UserConfigLineGetFromFile(fp, line, &type, &found), 0);
    EXPECT_EQ(found, 0);
    EXPECT_EQ(type, 0);
    std::fclose(fp);
}

TEST_F(UserConfigLine, ReadAndWriteErrorsAreFailures)
{
    std::FILE* dir = std::fopen(TempDir().c_str(), "r");
    ASSERT_NE(dir, nullptr);
    char line[RK_PATH_MAX + 1];
    int type = -1;
    int found = -1;
    EXPECT_EQ(Rk_UserConfigLineGetFromFile(dir, line, &type, &found), 1) << "a read error is not the end of the file";
    EXPECT_ERROR(1, "rk_ucfig(");
    EXPECT_EQ(found, 0);
    std::fclose(dir);

    const std::string file = WriteTempFile("w.ini", "");
    std::FILE* out = std::fopen(file.c_str(), "w");
    EXPECT_EQ(Rk_UserConfigLineWriteToFile(out, "a = 1\n"), 0);
    std::fclose(out);
    EXPECT_EQ(rktest::ReadFile(file), "a = 1\n");
    std::FILE* read_only = std::fopen(file.c_str(), "r");
    EXPECT_EQ(Rk_UserConfigLineWriteToFile(read_only, "b = 2\n"), 1);
    EXPECT_ERROR(1, "rk_ucfig(");
    std::fclose(read_only);
}

// ---- Values ----

TEST_F(UserConfig, NamesAreCaseInsensitiveAndKeepTheirFirstSpelling)
{
    Set("Units", "mm");
    Set("grid", "on");
    Set("UNITS", "in");
    EXPECT_EQ(Settings(), (Pairs{{"Units", "in"}, {"grid", "on"}}));
    EXPECT_EQ(Cell(0, 0), "UNITS");
    EXPECT_EQ(Cell(3, 1), "Rk_FALSE");

    ASSERT_EQ(Rk_UserConfigRemoveValue(&cfg_, "uNiTs"), 0);
    ASSERT_EQ(Rk_UserConfigRemoveValue(&cfg_, "absent"), 0) << "removing an absent setting is no error";
    EXPECT_EQ(Settings(), (Pairs{{"grid", "on"}}));
    ASSERT_EQ(Rk_UserConfigClear(&cfg_), 0);
    int size = -1;
    ASSERT_EQ(Rk_UserConfigGetSize(&cfg_, &size), 0);
    EXPECT_EQ(size, 0);
}

TEST_F(UserConfig, BlankValuesAreNotFoundAndDefaultsStandIn)
{
    Set("empty", "");
    Set("white", " \t");
    Set("units", "mm");
    for (const char* var : {"empty", "white", "absent"}) {
        char val[RK_PATH_MAX + 1] = "untouched";
        int found = 1;
        ASSERT_EQ(Rk_UserConfigGetValue(&cfg_, var, val, &found), 0);
        EXPECT_EQ(found, 0) << var;
        EXPECT_STREQ(val, "untouched") << var;
        ASSERT_EQ(Rk_UserConfigGetValueDef(&cfg_, var, "def", val), 0);
        EXPECT_STREQ(val, "def") << var;

        char* copy = reinterpret_cast<char*>(&found);
        ASSERT_EQ(Rk_UserConfigGetValueAlloc(&cfg_, var, &copy, &found), 0);
        EXPECT_EQ(found, 0);
        EXPECT_EQ(copy, reinterpret_cast<char*>(&found)) << "no copy is handed out";
    }
    char val[RK_PATH_MAX + 1];
    ASSERT_EQ(Rk_UserConfigGetValueDef(&cfg_, "UNITS", "def", val), 0);
    EXPECT_STREQ(val, "mm");
    char* copy = nullptr;
    int found = 0;
    ASSERT_EQ(Rk_UserConfigGetValueAlloc(&cfg_, "Units", &copy, &found), 0);
    ASSERT_EQ(found, 1);
    EXPECT_STREQ(copy, "mm");
    EXPECT_NE(copy, cfg_.set_table.table.stable[2][2]) << "a copy, not the table's text";
    Rkos_Free(copy);
}

TEST_F(UserConfig, BooleanWordsAreMatchedWhole)
{
    const struct {
        const char* value;  // null: the variable is not set
        int var_found, value_found, boolean;
    } cases[] = {
        {"yes", 1, 1, 1}, {"T", 1, 1, 1},   {"1", 1, 1, 1},     {"on", 1, 1, 1},     {"Y", 1, 1, 1},
        {"true", 1, 1, 1}, {"off", 1, 1, 0}, {"0", 1, 1, 0},     {"No", 1, 1, 0},     {"n", 1, 1, 0},
        {"FALSE", 1, 1, 0}, {"f", 1, 1, 0},  {"maybe", 1, 0, 0}, {" yes", 1, 0, 0},   {"yes ", 1, 0, 0},
        {"YES,", 1, 0, 0}, {"ON YES", 1, 0, 0}, {"ONYES", 1, 0, 0}, {"", 0, 0, 0},     {nullptr, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const char* var = c.value ? "flag" : "unset";
        if (c.value) Set("flag", c.value);
        int var_found = -1;
        int value_found = -1;
        int boolean = -1;
        ASSERT_EQ(Rk_UserConfigGetBoolValue(&cfg_, var, &var_found, &value_found, &boolean), 0);
        const std::string label = c.value ? std::string("'") + c.value + "'" : "unset";
        EXPECT_EQ(var_found, c.var_found) << label;
        EXPECT_EQ(value_found, c.value_found) << label;
        EXPECT_EQ(boolean, c.boolean) << label;
        for (int def : {0, 1}) {
            int result = -1;
            ASSERT_EQ(Rk_UserConfigGetBoolValueDef(&cfg_, var, def, &result), 0);
            EXPECT_EQ(result, c.value_found ? c.boolean : def) << label << " default " << def;
        }
    }
}

TEST_F(UserConfig, TheBooleanReadLeavesTheCallersTokenizingAlone)
{
    Set("flag", "yes");
    char text[] = "a b c";
    ASSERT_STREQ(std::strtok(text, " "), "a");
    int var_found = 0;
    int value_found = 0;
    int boolean = 0;
    ASSERT_EQ(Rk_UserConfigGetBoolValue(&cfg_, "flag", &var_found, &value_found, &boolean), 0);
    EXPECT_EQ(boolean, 1);
    const char* next = std::strtok(nullptr, " ");
    EXPECT_STREQ(next, "b");
}

TEST_F(UserConfig, IteratesInTheOrderSettingsWereFirstAdded)
{
    char var[RK_PATH_MAX + 1] = "untouched";
    int found = 1;
    ASSERT_EQ(Rk_UserConfigGetFirstVar(&cfg_, var, &found), 0);
    EXPECT_EQ(found, 0) << "an empty configuration has no first setting";
    EXPECT_STREQ(var, "untouched");

    Set("b", "1");
    Set("A", "2");
    Set("c", "3");
    Set("B", "4");
    std::vector<std::string> names;
    ASSERT_EQ(Rk_UserConfigGetFirstVar(&cfg_, var, &found), 0);
    while (found) {
        names.emplace_back(var);
        ASSERT_EQ(Rk_UserConfigGetNextVar(&cfg_, var, var, &found), 0) << "the name may be read and written in place";
    }
    EXPECT_EQ(names, (std::vector<std::string>{"b", "A", "c"}));

    for (const char* var_in : {"C", "absent"}) {
        char next[RK_PATH_MAX + 1] = "untouched";
        found = 1;
        ASSERT_EQ(Rk_UserConfigGetNextVar(&cfg_, var_in, next, &found), 0);
        EXPECT_EQ(found, 0) << var_in << ": the last or an absent setting has no next";
        EXPECT_STREQ(next, "untouched");
    }

    char* copy = nullptr;
    ASSERT_EQ(Rk_UserConfigGetFirstVarAlloc(&cfg_, &copy, &found), 0);
    EXPECT_STREQ(copy, "b");
    Rkos_Free(copy);
    ASSERT_EQ(Rk_UserConfigGetNextVarAlloc(&cfg_, "a", &copy, &found), 0);
    EXPECT_EQ(found, 1);
    EXPECT_STREQ(copy, "c");
    Rkos_Free(copy);
    copy = nullptr;
    ASSERT_EQ(Rk_UserConfigGetNextVarAlloc(&cfg_, "c", &copy, &found), 0);
    EXPECT_EQ(found, 0);
    EXPECT_EQ(copy, nullptr);
}

TEST_F(UserConfig, NamesAndValuesHandedOutAreCutAt256Characters)
{
    const std::string name(300, 'n');
    const std::string value(300, 'v');
    Set(name.c_str(), value.c_str());
    EXPECT_EQ(Settings(), (Pairs{{name, value}})) << "the table keeps the whole texts";

    char out[RK_PATH_MAX + 2];
    std::memset(out, '#', sizeof out);
    int found = 0;
    ASSERT_EQ(Rk_UserConfigGetFirstVar(&cfg_, out, &found), 0);
    EXPECT_EQ(std::string(out), name.substr(0, 256));
    EXPECT_EQ(out[RK_PATH_MAX + 1], '#');
    std::memset(out, '#', sizeof out);
    ASSERT_EQ(Rk_UserConfigGetValue(&cfg_, name.c_str(), out, &found), 0);
    EXPECT_EQ(std::string(out), value.substr(0, 256));
    EXPECT_EQ(out[RK_PATH_MAX + 1], '#');
    char* copy = nullptr;
    ASSERT_EQ(Rk_UserConfigGetValueAlloc(&cfg_, name.c_str(), &copy, &found), 0);
    EXPECT_EQ(std::string(copy), value.substr(0, 256));
    Rkos_Free(copy);
    std::memset(out, '#', sizeof out);
    ASSERT_EQ(Rk_UserConfigGetValueDef(&cfg_, "absent", value.c_str(), out), 0);
    EXPECT_EQ(std::string(out), value.substr(0, 256));
    EXPECT_EQ(out[RK_PATH_MAX + 1], '#');
}

TEST_F(UserConfig, ListsSettingsAndSections)
{
    Set("x", "1");
    Set("y", "1");
    Rk_StrList vars;
    Rk_StrList vals;
    ASSERT_EQ(Rk_StrListInit(&vars, 1), 0);
    ASSERT_EQ(Rk_StrListInit(&vals, 1), 0);
    ASSERT_EQ(Rk_StrListAdd(&vars, "before"), 0);
    int size = 0;
    ASSERT_EQ(Rk_UserConfigGetSettingsList(&cfg_, &vars, &vals, &size), 0);
    EXPECT_EQ(size, 2);
    int nvars = 0;
    int nvals = 0;
    Rk_StrListGetSize(&vars, &nvars);
    Rk_StrListGetSize(&vals, &nvals);
    EXPECT_EQ(nvars, 3) << "names are appended";
    EXPECT_EQ(nvals, 2) << "equal values stay parallel to their names";
    char* text = nullptr;
    Rk_StrListGet(&vars, 2, &text);
    EXPECT_STREQ(text, "y");

    Rk_StrList sections;
    ASSERT_EQ(Rk_StrListInit(&sections, 1), 0);
    const std::string file = WriteTempFile("s.ini", std::string(kExample) + "[ ]\n  [ Last ] \n");
    for (const std::string& path : {file, TempDir() + "/absent.ini", TempDir()})
        ASSERT_EQ(Rk_UserConfigGetSectionList(&cfg_, path.c_str(), &sections), 0) << path;
    int nsections = 0;
    Rk_StrListGetSize(&sections, &nsections);
    std::vector<std::string> names;
    for (int i = 0; i < nsections; ++i) {
        Rk_StrListGet(&sections, i, &text);
        names.emplace_back(text);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Display", "Print", "Last"}));
    Rk_StrListFree(&vars);
    Rk_StrListFree(&vals);
    Rk_StrListFree(&sections);
}

// ---- Writing ----

TEST_F(UserConfig, RewritesOneSectionAndKeepsEverythingElse)
{
    const std::string file = WriteTempFile("example.ini", kExample);
    Set("Units", "in");
    const std::string expected = "# units\n[ Display ]\nUnits = in\n[Print]\nCopies = 2\n";
    EXPECT_EQ(Write(file, "Display"), expected) << "GRID is dropped, Print stays as it was";
    EXPECT_EQ(Write(file, "display"), expected) << "writing again gives the same file";
    EXPECT_EQ(Settings(), (Pairs{{"Units", "in"}}));
    EXPECT_EQ(Cell(3, 0), "Rk_FALSE");
}

TEST_F(UserConfig, ANewFileGetsTheHeaderAnEmptyLineAndTheSettings)
{
    const std::string file = TempDir() + "/new.ini";
    Set("Units", "in");
    EXPECT_EQ(Write(file, "Display"), "[ Display ]\n\nUnits = in\n");
    EXPECT_EQ(Write(file, "Display"), "[ Display ]\n\nUnits = in\n");

    const std::string missing = WriteTempFile("m.ini", kExample);
    EXPECT_EQ(Write(missing, "Output"), std::string(kExample) + "[ Output ]\n\nUnits = in\n")
        << "a section not in the file is appended at its end";
}

TEST_F(UserConfig, TheTargetTakesTheConfigurationsFormAndNewSettingsGoAtItsEnd)
{
    const std::string file = WriteTempFile(
        "t.ini", "[A]\nx = 1\ny = 2\n; note\nX=3\n\n[B]\nx = 1\n[a]\nx = 4\nz = 5\n[C]\nc = 1\n");
    Set("X", "9");
    Set("n", "6");
    EXPECT_EQ(Write(file, "a"), "[A]\nX = 9\n; note\n\nn = 6\n[B]\nx = 1\n[a]\n[C]\nc = 1\n")
        << "repeats and removed settings dropped; a second occurrence of the target loses its settings";
}

TEST_F(UserConfig, ABlankSectionWritesTheUnnamedPartWithoutAHeader)
{
    Set("y", "2");
    const struct {
        const char* name;
        const char* before;  // null: no file yet
        const char* after;
    } cases[] = {
        {"h.ini", "[A]\ny = 1\n", "y = 2\n[A]\ny = 1\n"},
        {"u.ini", "y = 0\n\n[A]\ny = 7\n", "y = 2\n\n[A]\ny = 7\n"},
        {"n.ini", "# c\nz = 1\n", "# c\ny = 2\n"},
        {"new.ini", nullptr, "y = 2\n"},
    };
    for (const auto& c : cases) {
        const std::string file = c.before ? WriteTempFile(c.name, c.before) : TempDir() + "/" + c.name;
        for (int pass = 1; pass <= 3; ++pass)
            EXPECT_EQ(Write(file, pass == 2 ? "  " : ""), c.after) << c.name << " pass " << pass;
    }
}

TEST_F(UserConfig, ALastLineWithoutNewlineIsEndedBeforeAnythingFollowsIt)
{
    Set("Units", "in");
    const struct {
        const char* before;
        const char* section;
        const char* after;
    } cases[] = {
        {"[Print]\nCopies = 2", "Display", "[Print]\nCopies = 2\n[ Display ]\n\nUnits = in\n"},
        {"[Display]\n# end", "Display", "[Display]\n# end\nUnits = in\n"},
        {"[Display]\nUnits = mm", "Display", "[Display]\nUnits = in\n"},
        {"[Display]\nUnits = mm\n[Print]\nCopies = 2", "Display", "[Display]\nUnits = in\n[Print]\nCopies = 2"},
        {"# only", "", "# only\nUnits = in\n"},
    };
    for (const auto& c : cases) {
        const std::string file = WriteTempFile("nl.ini", c.before);
        EXPECT_EQ(Write(file, c.section), c.after) << c.before;
    }
}

TEST_F(UserConfig, OverLongLinesSurviveOutsideTheTargetAndNeverSwallowALine)
{
    const std::string comment = "#" + std::string(600, 'c') + " = x\n";
    const std::string other = "[B]\n" + comment + "long = " + std::string(400, 'v') + "\n";
    const std::string file = WriteTempFile("long.ini", "[A]\nUnits = mm\n" + comment + "[C]\n" + other);
    Set("Units", "in");
    EXPECT_EQ(Write(file, "A"), "[A]\nUnits = in\n" + comment.substr(0, 255) + "\n[C]\n" + other)
        << "in the target the rest of an over-long comment reads as settings and is dropped, and the next "
           "line still stands on its own; elsewhere the line is kept whole";
}

TEST_F(UserConfig, GarbageOutsideTheTargetIsKeptByteForByte)
{
    std::string garbage;
    for (int i = 0; i < 3000; ++i) {
        const int c = i % 17 == 0 ? '\n' : 0x80 + (i * 31) % 0x80;
        garbage += static_cast<char>(i % 5 == 0 && c != '\n' ? 0x01 + i % 9 : c);
    }
    garbage += "\r";
    const std::string file = WriteTempFile("g.ini", garbage);
    Set("k", "v");
    EXPECT_EQ(Write(file, "Z"), garbage + "\n[ Z ]\n\nk = v\n");
}

TEST_F(UserConfig, WritingRefusesWhatItCouldNotWriteBack)
{
    Set("k", "v");
    const char raw[] = "[Z]\nk = 1\nbin\0ary\n";
    const std::string with_nul(raw, sizeof raw - 1);
    const std::string nul_file = WriteTempFile("nul.ini", with_nul);
    const struct {
        std::string file;
        const char* what;
    } cases[] = {
        {"", "a blank name"},
        {"   ", "a blank name"},
        {TempDir(), "a directory"},
        {TempDir() + "/gone/x.ini", "a path in a missing directory"},
        {nul_file, "a file holding a NUL byte"},
    };
    const auto before = Entries();
    for (const auto& c : cases) {
        EXPECT_EQ(Rk_UserConfigWriteToFile(&cfg_, c.file.c_str(), "Z"), 1) << c.what;
        EXPECT_ERROR(1, "rk_ucfig(");
    }
    EXPECT_EQ(rktest::ReadFile(nul_file), with_nul);
    EXPECT_EQ(Entries(), before) << "nothing created, nothing left behind";
}

TEST_F(UserConfig, AWriteFailingPartWayLeavesTheOriginalIntact)
{
    const std::string file = WriteTempFile("example.ini", kExample);
    Set("Units", std::string(20000, 'u').c_str());
    rlimit old_limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
    rlimit small = old_limit;
    small.rlim_cur = 4096;
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int status = Rk_UserConfigWriteToFile(&cfg_, file.c_str(), "Display");
    setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);

    EXPECT_EQ(status, 1) << "the file size limit stops the write";
    EXPECT_ERROR(1, "rk_ucfig(");
    EXPECT_EQ(rktest::ReadFile(file), kExample);
    EXPECT_EQ(Entries(), std::set<std::string>{"example.ini"});
}

TEST_F(UserConfig, AnAllocationFailureAtAnyPointOfAWriteLeavesTheOriginalIntact)
{
    const std::string file = WriteTempFile("example.ini", std::string(kExample) + std::string(40, '\n'));
    Set("Units", "in");
    Set("New", "1");
    int failures = 0;
    for (long n = 1;; ++n) {
        rktest::FailingAlloc guard(n);
        if (Rk_UserConfigWriteToFile(&cfg_, file.c_str(), "Display") == 0) break;
        ++failures;
        EXPECT_ERROR(11, "rk_");
        ASSERT_EQ(rktest::ReadFile(file), std::string(kExample) + std::string(40, '\n')) << "allocation " << n;
        ASSERT_EQ(Entries(), std::set<std::string>{"example.ini"}) << "allocation " << n;
    }
    EXPECT_GT(failures, 3) << "the scratch table grows past its first block";
    EXPECT_EQ(rktest::ReadFile(file),
              "# units\n[ Display ]\nUnits = in\nNew = 1\n[Print]\nCopies = 2\n" + std::string(40, '\n'));
}

TEST_F(UserConfig, TheRewrittenFileKeepsItsPermissionsItsOwnerAndItsLink)
{
    Set("k", "v");
    const std::string file = WriteTempFile("p.ini", "[Z]\n");
    for (mode_t mode : {mode_t{0640}, mode_t{0600}, mode_t{0604}}) {
        ASSERT_EQ(chmod(file.c_str(), mode), 0);
        Write(file, "Z");
        struct stat info {};
        ASSERT_EQ(stat(file.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode);
    }

    const mode_t mask = umask(022);
    umask(mask);
    const std::string fresh = TempDir() + "/fresh.ini";
    Write(fresh, "Z");
    struct stat info {};
    ASSERT_EQ(stat(fresh.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0666 & ~mask) << "a new file is made as any other";

    const std::string link = TempDir() + "/link.ini";
    ASSERT_EQ(symlink(file.c_str(), link.c_str()), 0);
    Set("k", "w");
    EXPECT_EQ(Write(link, "Z"), "[Z]\nk = w\n");
    EXPECT_TRUE(fs::is_symlink(link)) << "the link stays a link";
    EXPECT_EQ(rktest::ReadFile(file), "[Z]\nk = w\n");

    if (geteuid() != 0) GTEST_SKIP() << "handing a file to another owner needs root";
    ASSERT_EQ(chown(file.c_str(), 4242, 4343), 0);
    Write(file, "Z");
    ASSERT_EQ(stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 4242u);
    EXPECT_EQ(info.st_gid, 4343u);
}

TEST_F(UserConfig, ALeftoverFileOfTheSameNameIsNeitherUsedNorTouched)
{
    const std::string file = WriteTempFile("x.ini", "[Z]\n");
    const std::string stale = WriteTempFile("x.ini." + std::to_string(getpid()) + "-0.tmp", "stale");
    Set("k", "v");
    EXPECT_EQ(Write(file, "Z"), "[Z]\nk = v\n");
    EXPECT_EQ(rktest::ReadFile(stale), "stale");
    EXPECT_EQ(Entries(), (std::set<std::string>{"x.ini", "x.ini." + std::to_string(getpid()) + "-0.tmp"}));
}

// ---- Allocation failures ----

// Runs `attempt` with the n-th allocation failing, n = 1, 2, ... until it succeeds; after every
// failure checks one error 11 was queued and calls `check`. Returns the number of failures.
template <class Attempt, class Check>
int FailEachAllocation(Attempt attempt, Check check)
{
    int failures = 0;
    for (long n = 1; n < 1000; ++n) {
        int status = 0;
        {
            rktest::FailingAlloc guard(n);
            status = attempt();
        }
        if (status == 0) break;
        ++failures;
        Rk_ErrorStruct error;
        int found = 0;
        Rk_ErrorQueueGetError(&error, &found);
        EXPECT_TRUE(found && error.msg.msg_id == 11) << "allocation " << n;
        check();
    }
    return failures;
}

TEST_F(UserConfig, EveryAllocationFailureIsReportedAndLosesNothing)
{
    Rk_UserConfig other{};
    EXPECT_GT(FailEachAllocation([&] { return Rk_UserConfigInit(&other); }, [] {}), 0);
    Rk_UserConfigFree(&other);

    Set("Units", "mm");
    const Pairs one = {{"Units", "mm"}};
    EXPECT_GT(FailEachAllocation([&] { return Rk_UserConfigSetValue(&cfg_, "grid", "on"); },
                                 [&] { EXPECT_EQ(Settings(), one); }),
              0);
    const Pairs two = {{"Units", "mm"}, {"grid", "on"}};
    EXPECT_GT(FailEachAllocation([&] { return Rk_UserConfigSetValue(&cfg_, "UNITS", "in"); },
                                 [&] { EXPECT_EQ(Settings(), two); }),
              0);

    char* copy = nullptr;
    int found = -1;
    const std::function<int()> copies[] = {
        [&] { return Rk_UserConfigGetValueAlloc(&cfg_, "grid", &copy, &found); },
        [&] { return Rk_UserConfigGetFirstVarAlloc(&cfg_, &copy, &found); },
        [&] { return Rk_UserConfigGetNextVarAlloc(&cfg_, "units", &copy, &found); },
    };
    for (const auto& hand_out : copies) {
        rktest::FailingAlloc guard(1);
        found = -1;
        EXPECT_EQ(hand_out(), 1);
        EXPECT_ERROR(11, "rk_ucfig(");
        EXPECT_EQ(copy, nullptr);
        EXPECT_EQ(found, 0) << "no copy is reported found";
    }

    Rk_StrList vars;
    Rk_StrList vals;
    ASSERT_EQ(Rk_StrListInit(&vars, 1), 0);
    ASSERT_EQ(Rk_StrListInit(&vals, 1), 0);
    int size = 0;
    EXPECT_GT(FailEachAllocation(
                                 [&] {
                                     Rk_StrListClear(&vars);
                                     Rk_StrListClear(&vals);
                                     return Rk_UserConfigGetSettingsList(&cfg_, &vars, &vals, &size);
                                 },
                                 [] {}),
              0);
    Rk_StrListFree(&vars);
    Rk_StrListFree(&vals);

    std::string text = "[S]\n";
    for (int i = 0; i < 30; ++i) text += "v" + std::to_string(i) + " = " + std::to_string(i) + "\n";
    for (int i = 0; i < 30; ++i) text += "[T" + std::to_string(i) + "]\n";
    const std::string file = WriteTempFile("many.ini", text);
    EXPECT_GT(FailEachAllocation(
                                 [&] {
                                     int file_found = 0;
                                     int section_found = 0;
                                     return Rk_UserConfigReadFromFile(&cfg_, file.c_str(), "S", &file_found,
                                                                      &section_found);
                                 },
                                 [] {}),
              2);
    EXPECT_EQ(Settings().size(), 32u);

    Rk_StrList sections;
    ASSERT_EQ(Rk_StrListInit(&sections, 1), 0);
    EXPECT_GT(FailEachAllocation(
                                 [&] {
                                     Rk_StrListClear(&sections);
                                     return Rk_UserConfigGetSectionList(&cfg_, file.c_str(), &sections);
                                 },
                                 [] {}),
              2);
    int nsections = 0;
    Rk_StrListGetSize(&sections, &nsections);
    EXPECT_EQ(nsections, 31);
    Rk_StrListFree(&sections);
}

}  // namespace
