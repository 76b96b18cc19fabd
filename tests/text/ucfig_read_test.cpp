// User configuration: the lines of a settings file, reading one section of it, the settings and
// their typed reads, and every allocation failure of these.
#include "text_helpers.hpp"

#include <cstring>
#include <functional>

namespace {

using UserConfigLine = rktest::LibraryTest;
const char kExample[] = "# units\n[ Display ]\nUnits = mm\ngrid=ON\n[Print]\nCopies = 2\n";

TEST_F(UserConfigLine, ClassifiesLinesAndSplitsHeadersAndSettings)
{
    const std::pair<const char*, int> kinds[] = {
        {"", RK_UCFIG_LINE_BLANK}, {" \t\n", RK_UCFIG_LINE_BLANK}, {"; c", RK_UCFIG_LINE_COMMENT},
        {"  ! c = 1", RK_UCFIG_LINE_COMMENT}, {"#", RK_UCFIG_LINE_COMMENT}, {"// c", RK_UCFIG_LINE_COMMENT},
        {"/ x = 1", RK_UCFIG_LINE_SETTING}, {" [ Display ] \n", RK_UCFIG_LINE_SECTION}, {"[open", RK_UCFIG_LINE_SECTION},
        {"[ ]", RK_UCFIG_LINE_OTHER}, {"[]name", RK_UCFIG_LINE_OTHER}, {"\t=v", RK_UCFIG_LINE_OTHER},
        {"a = #b", RK_UCFIG_LINE_SETTING}, {"Units", RK_UCFIG_LINE_SETTING}};
    for (const auto& [line, kind] : kinds) {
        int type = -1;
        EXPECT_EQ(Rk_UserConfigLineGetType(line, &type), 0);
        EXPECT_EQ(type, kind) << "'" << line << "'";
    }
    const std::pair<const char*, const char*> sections[] = {
        {"[ Display ]\n", "Display"}, {"  [a b]  ", "a b"}, {"[open ", "open"}, {"x[y]z", "y"}, {"[a]b]", "a"},
        {"x]y[z", "z"}, {"", "error 1"}, {"]x[y]", "error 1"}, {"no bracket", "error 1"}};
    for (const auto& [line, expected] : sections) {
        char name[RK_PATH_MAX + 1] = "";
        const int status = Rk_UserConfigLineGetSection(line, name);
        EXPECT_EQ(status ? failure(status, "rk_ucfig(") + name : name, expected) << "'" << line << "'";
    }
    const std::pair<const char*, const char*> settings[] = {
        {" Units = mm \n", "Units|mm"}, {"grid=ON", "grid|ON"}, {"a = b = c", "a|b = c"}, {"Units", "Units|"},
        {"a = ; kept", "a|; kept"}, {"=x", "error 1"}, {"  = x", "error 1"}};
    for (const auto& [line, expected] : settings) {
        char var[RK_PATH_MAX + 1] = "", val[RK_PATH_MAX + 1] = "";
        const int status = Rk_UserConfigLineGetSetting(line, var, val);
        EXPECT_EQ(status ? failure(status, "rk_ucfig(") + var + val : var + std::string("|") + val, expected) << line;
    }
}

TEST_F(UserConfigLine, ReadsLinesOf255CharactersAtMostAndFailsOnStreamErrors)
{
    std::FILE* fp = std::fopen(WriteTempFile("l.ini", std::string(300, 'a') + "\n[S]").c_str(), "r");
    const std::pair<std::string, int> expected[] = {{std::string(255, 'a'), RK_UCFIG_LINE_SETTING},
                                                   {std::string(45, 'a') + "\n", RK_UCFIG_LINE_SETTING},
                                                   {"[S]", RK_UCFIG_LINE_SECTION}, {"", 0}};
    for (const auto& [text, kind] : expected) {
        char line[RK_PATH_MAX + 2];
        std::memset(line, '#', sizeof line), line[0] = '\0';
        int type = -1, found = -1;
        ASSERT_EQ(Rk_UserConfigLineGetFromFile(fp, line, &type, &found), 0);
        EXPECT_EQ(line + std::to_string(type) + std::to_string(found), text + std::to_string(kind) + (text.empty() ? "0" : "1"));
        EXPECT_EQ(line[RK_PATH_MAX + 1], '#') << "nothing written past 257 bytes";
    }
    EXPECT_EQ(failure(Rk_UserConfigLineWriteToFile(fp, "b = 2\n"), "rk_ucfig("), "error 1") << "a read-only stream";
    std::fclose(fp);
    fp = std::fopen(TempDir().c_str(), "r");
    char line[RK_PATH_MAX + 1] = "untouched";
    int type = -1, found = -1;
    EXPECT_EQ(failure(Rk_UserConfigLineGetFromFile(fp, line, &type, &found), "rk_ucfig("), "error 1");
    EXPECT_EQ(line + std::to_string(type) + std::to_string(found), "untouched00") << "a read error is not the end";
    std::fclose(fp);
}

TEST_F(UserConfig, ReadsOneSectionInAnyCaseKeepingTheFirstSpellingAndTheLastValue)
{
    const std::string example = WriteTempFile("example.ini", kExample);
    const std::string repeats = WriteTempFile("r.ini", "[S]\nUNITS = a\nx = 1\nUnits = b\n[ ]\ny = 2\n[T]\nz = 3\n");
    const std::string unnamed = WriteTempFile("u.ini", "a = 1\n; b = 0\n\nb=2\nc\n[S]\nc = 3\n");
    const std::string long_value = WriteTempFile("long.ini", "[s]\nname = " + std::string(400, 'v') + "\n");
    const struct {
        std::string file;
        const char* section;
        std::string settings;
        int found;
    } cases[] = {
        {example, "display", "units=mm;keep=me;grid=ON;", 1},  // a setting present keeps its spelling and place
        {example, "PRINT", "units=in;keep=me;Copies=2;", 1}, {example, "Output", "units=in;keep=me;", 0},
        {repeats, "s", "units=b;keep=me;x=1;y=2;", 1},  // a header with a blank name does not end the section
        {unnamed, "", "units=in;keep=me;a=1;b=2;c=;", 0}, {unnamed, "  \t", "units=in;keep=me;a=1;b=2;c=;", 0},
        {long_value, "S", "units=in;keep=me;name=" + std::string(248, 'v') + ";" + std::string(152, 'v') + "=;", 1},
        {TempDir() + "/absent.ini", "Display", "units=in;keep=me;", -1},  // -1: no file found
        {TempDir(), "", "units=in;keep=me;", -1}, {TempDir() + "/no/dir.ini", "", "units=in;keep=me;", -1},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(Rk_UserConfigClear(&cfg_), 0);
        Rk_UserConfigSetValue(&cfg_, "units", "in"), Rk_UserConfigSetValue(&cfg_, "keep", "me");
        int file_found = -1, section_found = -1;
        ASSERT_EQ(Rk_UserConfigReadFromFile(&cfg_, c.file.c_str(), c.section, &file_found, &section_found), 0);
        EXPECT_EQ(Settings(), c.settings) << c.file << " [" << c.section << "]";
        EXPECT_EQ(file_found ? section_found : -1, c.found) << c.file << " [" << c.section << "]";
    }
    EXPECT_STREQ(cfg_.set_table.table.stable[0][0], "UNITS") << "the key is the name upper-cased";
    EXPECT_STREQ(cfg_.set_table.table.stable[3][0], "Rk_FALSE");

    std::string garbage;
    for (int i = 0; i < 3000; ++i) garbage += static_cast<char>(i % 13 == 0 ? '\n' : (i * 37) % 255 + 1);
    int file_found = 0, section_found = 0;
    ASSERT_EQ(Rk_UserConfigReadFromFile(&cfg_, WriteTempFile("junk.ini", garbage).c_str(), "", &file_found, &section_found), 0);
    for (int row = 0; row < cfg_.set_table.num_rows; ++row) EXPECT_LE(std::strlen(cfg_.set_table.table.stable[1][row]), 255u);
}

TEST_F(UserConfig, BlankValuesAreAbsentAndNamesAndValuesHandedOutAreCutAt256Characters)
{
    const std::string name(300, 'n'), value(300, 'v');
    const std::pair<std::string, std::string> settings[] = {{"empty", ""}, {"white", " \t"}, {"Units", "mm"}, {name, value}, {"UNITS", "in"}};
    for (const auto& [var, val] : settings) Rk_UserConfigSetValue(&cfg_, var.c_str(), val.c_str());
    ASSERT_EQ(Rk_UserConfigRemoveValue(&cfg_, "absent"), 0);
    EXPECT_EQ(Settings(), "empty=;white= \t;Units=in;" + name + "=" + value + ";") << "the table keeps whole texts";
    const std::pair<std::string, std::string> cases[] = {
        {"empty", "def"}, {"white", "def"}, {"absent", "def"}, {"uNITS", "in"}, {name, value.substr(0, 256)}};
    for (const auto& [var, expected] : cases) {
        char val[RK_PATH_MAX + 2];
        std::strcpy(static_cast<char*>(std::memset(val, '#', sizeof val)), "untouched");
        int found = -1;
        ASSERT_EQ(Rk_UserConfigGetValue(&cfg_, var.c_str(), val, &found), 0);
        EXPECT_EQ(val + std::to_string(found), expected == "def" ? "untouched0" : expected + "1") << var;
        char* copy = nullptr;
        ASSERT_EQ(Rk_UserConfigGetValueAlloc(&cfg_, var.c_str(), &copy, &found), 0);
        EXPECT_EQ(copy ? copy : "def", expected);
        Rkos_Free(copy);
        ASSERT_EQ(Rk_UserConfigGetValueDef(&cfg_, var.c_str(), std::string(300, 'd').c_str(), val), 0);
        EXPECT_EQ(val, expected == "def" ? std::string(256, 'd') : expected);
        EXPECT_EQ(val[RK_PATH_MAX + 1], '#') << "257 bytes at most";
    }
    char var[RK_PATH_MAX + 1];
    int found = 0;
    ASSERT_EQ(Rk_UserConfigGetNextVar(&cfg_, "UNITS", var, &found), 0);
    EXPECT_EQ(var, name.substr(0, 256));
    ASSERT_EQ(Rk_UserConfigRemoveValue(&cfg_, "uNiTs"), 0);
    EXPECT_EQ(Settings(), "empty=;white= \t;" + name + "=" + value + ";");
}

TEST_F(UserConfig, BooleanWordsAreMatchedWhole)
{
    const struct {
        const char* value;  // null: not set
        int var_found, value_found, boolean;
    } cases[] = {
        {"yes", 1, 1, 1}, {"T", 1, 1, 1}, {"1", 1, 1, 1}, {"on", 1, 1, 1}, {"Y", 1, 1, 1}, {"true", 1, 1, 1},
        {"off", 1, 1, 0}, {"0", 1, 1, 0}, {"No", 1, 1, 0}, {"n", 1, 1, 0}, {"FALSE", 1, 1, 0}, {"f", 1, 1, 0},
        {"maybe", 1, 0, 0}, {" yes", 1, 0, 0}, {"yes ", 1, 0, 0}, {"YES,", 1, 0, 0}, {"ON YES", 1, 0, 0},
        {"ONYES", 1, 0, 0}, {"", 0, 0, 0}, {nullptr, 0, 0, 0},
    };
    char text[] = "a b";
    ASSERT_STREQ(std::strtok(text, " "), "a");
    for (const auto& c : cases) {
        if (c.value) Rk_UserConfigSetValue(&cfg_, "flag", c.value);
        const char* var = c.value ? "flag" : "unset";
        int var_found = -1, value_found = -1, boolean = -1, with_0 = -1, with_1 = -1;
        ASSERT_EQ(Rk_UserConfigGetBoolValue(&cfg_, var, &var_found, &value_found, &boolean), 0);
        ASSERT_EQ(Rk_UserConfigGetBoolValueDef(&cfg_, var, 0, &with_0) + Rk_UserConfigGetBoolValueDef(&cfg_, var, 1, &with_1), 0);
        EXPECT_EQ(std::to_string(var_found) + std::to_string(value_found) + std::to_string(boolean),
                  std::to_string(c.var_found) + std::to_string(c.value_found) + std::to_string(c.boolean))
            << (c.value ? c.value : "unset");
        EXPECT_EQ(std::to_string(with_0) + std::to_string(with_1), c.value_found ? std::string(2, '0' + c.boolean) : "01");
    }
    EXPECT_STREQ(std::strtok(nullptr, " "), "b") << "the caller's tokenizing is left alone";
}

TEST_F(UserConfig, IteratesAndListsInTheOrderSettingsWereFirstAddedAndSectionsAsFound)
{
    char var[RK_PATH_MAX + 1] = "untouched";
    int found = 1;
    ASSERT_EQ(Rk_UserConfigGetFirstVar(&cfg_, var, &found), 0);
    EXPECT_EQ(var + std::to_string(found), "untouched0");
    for (const char* name : {"b", "A", "c", "B"}) Rk_UserConfigSetValue(&cfg_, name, "1");
    std::string names;
    for (Rk_UserConfigGetFirstVar(&cfg_, var, &found); found; Rk_UserConfigGetNextVar(&cfg_, var, var, &found)) names += var;
    EXPECT_EQ(names, "bAc") << "the name may be read and written in place";
    for (const char* last : {"C", "absent"}) {
        ASSERT_EQ(Rk_UserConfigGetNextVar(&cfg_, last, std::strcpy(var, "untouched"), &found), 0);
        EXPECT_EQ(var + std::to_string(found), "untouched0") << last;
    }
    char* copies[3] = {};
    int founds[3] = {-1, -1, -1};
    Rk_UserConfigGetFirstVarAlloc(&cfg_, &copies[0], &founds[0]);
    Rk_UserConfigGetNextVarAlloc(&cfg_, "a", &copies[1], &founds[1]);
    Rk_UserConfigGetNextVarAlloc(&cfg_, "c", &copies[2], &founds[2]);
    EXPECT_EQ(std::string(copies[0]) + copies[1] + std::to_string(founds[0] + founds[1] + founds[2]) , "bc2");
    EXPECT_EQ(copies[2], nullptr);
    Rkos_Free(copies[0]), Rkos_Free(copies[1]);

    Rk_StrList vars{}, vals{}, sections{};
    Rk_StrListInit(&vars, 1), Rk_StrListInit(&vals, 1), Rk_StrListInit(&sections, 1);
    Rk_StrListAdd(&vars, "before");
    int size = 0;
    ASSERT_EQ(Rk_UserConfigGetSettingsList(&cfg_, &vars, &vals, &size), 0);
    EXPECT_EQ(list_lines(vars), (Lines{"before", "b", "A", "c"})) << "names are appended";
    EXPECT_EQ(list_lines(vals), Lines(3, "1")) << "equal values stay parallel to their names";
    EXPECT_EQ(size, 3);
    const std::string file = WriteTempFile("s.ini", std::string(kExample) + "[ ]\n  [ Last ] \n");
    for (const std::string& path : {file, TempDir() + "/absent.ini", TempDir()})
        ASSERT_EQ(Rk_UserConfigGetSectionList(&cfg_, path.c_str(), &sections), 0) << path;
    EXPECT_EQ(list_lines(sections), (Lines{"Display", "Print", "Last"}));
    Rk_StrListFree(&vars), Rk_StrListFree(&vals), Rk_StrListFree(&sections);
    Rk_UserConfig dead{};
    EXPECT_EQ(failure(Rk_UserConfigGetSize(&dead, &size), "rk_strtb("), "error 1") << "a configuration never initialised";
    EXPECT_EQ(failure(Rk_UserConfigSetValue(&dead, "a", "b"), "rk_strtb("), "error 1");
}

TEST_F(UserConfig, EveryAllocationFailureIsReportedAndLosesNothing)
{
    Rk_UserConfig other{};
    EXPECT_GT(fail_each_allocation("rk_strtb(", [&] { return Rk_UserConfigInit(&other); }, [] {}), 0);
    Rk_UserConfigFree(&other);
    Rk_UserConfigSetValue(&cfg_, "Units", "mm");
    EXPECT_GT(fail_each_allocation("rk_strtb(", [&] { return Rk_UserConfigSetValue(&cfg_, "grid", "on"); },
                                   [&] { EXPECT_EQ(Settings(), "Units=mm;"); }), 0);
    EXPECT_GT(fail_each_allocation("rk_strtb(", [&] { return Rk_UserConfigSetValue(&cfg_, "UNITS", "in"); },
                                   [&] { EXPECT_EQ(Settings(), "Units=mm;grid=on;"); }), 0);
    char* copy = nullptr;
    int found = -1;
    const std::function<int()> copies[] = {
        [&] { return Rk_UserConfigGetValueAlloc(&cfg_, "grid", &copy, &found); },
        [&] { return Rk_UserConfigGetFirstVarAlloc(&cfg_, &copy, &found); },
        [&] { return Rk_UserConfigGetNextVarAlloc(&cfg_, "units", &copy, &found); },
    };
    for (const auto& hand_out : copies) {
        found = -1;
        EXPECT_EQ(fail_each_allocation("rk_ucfig(", hand_out, [&] { EXPECT_TRUE(copy == nullptr && found == 0); }), 1);
        Rkos_Free(copy), copy = nullptr;
    }
    std::string text = "[S]\n";
    for (int i = 0; i < 30; ++i) text += "v" + std::to_string(i) + " = " + std::to_string(i) + "\n";
    for (int i = 0; i < 30; ++i) text += "[T" + std::to_string(i) + "]\n";
    const std::string file = WriteTempFile("many.ini", text);
    int file_found = 0, section_found = 0, size = 0;
    EXPECT_GT(fail_each_allocation("rk_strtb(", [&] { return Rk_UserConfigReadFromFile(&cfg_, file.c_str(), "S", &file_found, &section_found); },
                                   [] {}), 2);
    EXPECT_EQ(cfg_.set_table.num_rows, 32);
    Rk_StrList vars{}, vals{};
    Rk_StrListInit(&vars, 1), Rk_StrListInit(&vals, 1);
    EXPECT_GT(fail_each_allocation("rk_strtb(", [&] { return Rk_UserConfigGetSettingsList(&cfg_, &vars, &vals, &size); },
                                   [&] { Rk_StrListClear(&vars), Rk_StrListClear(&vals); }), 2);
    Rk_StrListClear(&vars);
    EXPECT_GT(fail_each_allocation("rk_strtb(", [&] { return Rk_UserConfigGetSectionList(&cfg_, file.c_str(), &vars); },
                                   [&] { Rk_StrListClear(&vars); }), 2);
    EXPECT_EQ(list_lines(vars).size(), 31u);
    Rk_StrListFree(&vars), Rk_StrListFree(&vals);
}

}  // namespace
