// User configuration: the lines of a settings file, reading one section of it (thousands of settings
// too), the settings and their typed reads, and every allocation failure of these.
#include "text_helpers.hpp"

#include <cstdio>
#include <cstring>
#include <functional>

namespace {

using UserConfig = rktest::LibraryTest;

TEST_F(UserConfig, LinesAreClassifiedSplitAndReadInPiecesOf255CharactersAndStreamErrorsFail)
{
    const std::pair<const char*, int> kinds[] = {
        {" \t\n", RK_UCFIG_LINE_BLANK}, {"; c", RK_UCFIG_LINE_COMMENT}, {"  ! c = 1", RK_UCFIG_LINE_COMMENT},
        {"// c", RK_UCFIG_LINE_COMMENT}, {"/ x = 1", RK_UCFIG_LINE_SETTING}, {" [ D ] \n", RK_UCFIG_LINE_SECTION},
        {"[open", RK_UCFIG_LINE_SECTION}, {"[ ]", RK_UCFIG_LINE_OTHER}, {"\t=v", RK_UCFIG_LINE_OTHER}};
    for (const auto& [line, kind] : kinds) {
        int type = -1;
        Rk_UserConfigLineGetType(line, &type);
        EXPECT_EQ(type, kind) << "'" << line << "'";
    }
    const std::pair<const char*, const char*> sections[] = {
        {"  [a b]  ", "a b"}, {"[open ", "open"}, {"x[y]z", "y"}, {"[a]b]", "a"}, {"", "error 1 kept"},
        {"]x[y]", "error 1 kept"}, {"no bracket", "error 1 kept"}};
    for (const auto& [line, expected] : sections) {
        char name[RK_PATH_MAX + 1] = "kept";
        const int status = Rk_UserConfigLineGetSection(line, name);
        EXPECT_EQ(status ? failure(status, "rk_ucfig(") + " " + name : name, expected) << "'" << line << "'";
    }
    const std::pair<const char*, const char*> settings[] = {
        {" Units = mm \n", "Units|mm"}, {"a = b = c", "a|b = c"}, {"Units", "Units|"}, {"  = x", "error 1 v|w"}};
    for (const auto& [line, expected] : settings) {
        char var[RK_PATH_MAX + 1] = "v", val[RK_PATH_MAX + 1] = "w";
        const int status = Rk_UserConfigLineGetSetting(line, var, val);
        EXPECT_EQ((status ? failure(status, "rk_ucfig(") + " " : "") + var + "|" + val, expected) << line;
    }
    std::FILE* fp = std::fopen(WriteTempFile("l.ini", std::string(300, 'a') + "\n[S]").c_str(), "r");
    const auto next = [&] {  // the line, its kind and whether one was found; nothing written past 257 bytes
        char line[RK_PATH_MAX + 2] = "untouched";
        line[RK_PATH_MAX + 1] = '#';
        int type = -1, found = -1;
        const int status = Rk_UserConfigLineGetFromFile(fp, line, &type, &found);
        return (status ? failure(status, "rk_ucfig(") + " " + line : found ? line : "") + " " + std::to_string(type) +
               std::to_string(found) + line[RK_PATH_MAX + 1];
    };
    const std::string a255(255, 'a'), a45(45, 'a');
    for (const std::string& expected : {a255 + " 41#", a45 + "\n 41#", std::string("[S] 31#"), std::string(" 00#")})
        EXPECT_EQ(next(), expected);
    EXPECT_EQ(failure(Rk_UserConfigLineWriteToFile(fp, "b = 2\n"), "rk_ucfig("), "error 1") << "a read-only stream";
    std::fclose(fp);
    fp = std::fopen(TempDir().c_str(), "r");
    EXPECT_EQ(next(), "error 1 untouched 00#") << "a failing stream is not the end of the file";
    std::fclose(fp);
}

TEST_F(UserConfig, ReadsOneSectionInAnyCaseKeepingTheFirstSpellingAndTheLastValue)
{
    const std::string example = WriteTempFile("example.ini", kExample);
    const std::string repeats = WriteTempFile("r.ini", "[S]\nUNITS = a\nx = 1\nUnits = b\n[ ]\ny = 2\n[T]\nz = 3\n");
    const std::string unnamed = WriteTempFile("u.ini", "a = 1\n; b = 0\n\nb=2\nc\n[S]\nc = 3\n");
    // 3,000 names each read twice, in another case: past 512 names the index moves to the heap.
    std::string text = "[ Other ]\nname_1 = elsewhere\n[ Main ]\n", many = "units=in;keep=me;";
    for (int i = 0; i < 6000; ++i) {
        const std::string n = std::to_string(i % 3000), name = (i >= 3000 ? "Name_" : i % 3 ? "name_" : "NAME_") + n;
        text += name + " = " + std::to_string(i) + "\n";
        if (i < 3000) many += name + "=" + std::to_string(i + 3000) + ";";
    }
    const std::string large = WriteTempFile("large.ini", text + "[ Last ]\nname_2 = after\n");
    const struct { std::string file; const char* section; std::string settings; int found; } cases[] = {
        {example, "display", "units=mm;keep=me;grid=ON;", 1},  // a setting present keeps its spelling and place
        {example, "Output", "units=in;keep=me;", 0}, {TempDir(), "", "units=in;keep=me;", -1},  // a directory
        {repeats, "s", "units=b;keep=me;x=1;y=2;", 1},  // a header with a blank name does not end the section
        {unnamed, "  \t", "units=in;keep=me;a=1;b=2;c=;", 0},
        {large, "main", many, 1}, {TempDir() + "/absent.ini", "Display", "units=in;keep=me;", -1},
    };  // found -1: the file was not found
    for (const auto& c : cases) {
        Config config({{"units", "in"}, {"keep", "me"}});
        int file_found = -1, section_found = -1;
        ASSERT_EQ(Rk_UserConfigReadFromFile(&config.c, c.file.c_str(), c.section, &file_found, &section_found), 0);
        EXPECT_EQ(config.settings(), c.settings) << c.file << " [" << c.section << "]";
        EXPECT_EQ(file_found ? section_found : -1, c.found) << c.file << " [" << c.section << "]";
    }
}

TEST_F(UserConfig, BlankValuesAreAbsentNamesAreWalkedInOrderAndWhatIsHandedOutIsCutAt256Characters)
{
    const std::string name(300, 'n'), value(300, 'v');
    Config config({{"white", " \t"}, {"Units", "mm"}, {name, value}, {"UNITS", "in"}});
    EXPECT_EQ(config.settings(), "white= \t;Units=in;" + name + "=" + value + ";") << "kept whole";
    const std::pair<std::string, std::string> reads[] = {
        {"white", ""}, {"absent", ""}, {"uNITS", "in"}, {name, value.substr(0, 256)}};
    for (const auto& [var, expected] : reads) {
        char val[RK_PATH_MAX + 2] = "untouched";
        val[RK_PATH_MAX + 1] = '#';
        char* copy = nullptr;
        int found = -1, copied = -1;
        ASSERT_EQ(Rk_UserConfigGetValue(&config.c, var.c_str(), val, &found), 0);
        EXPECT_EQ(val + std::to_string(found), expected.empty() ? "untouched0" : expected + "1") << var;
        ASSERT_EQ(Rk_UserConfigGetValueAlloc(&config.c, var.c_str(), &copy, &copied), 0);
        EXPECT_EQ((copy ? copy : "none") + std::to_string(copied), expected.empty() ? "none0" : expected + "1");
        Rkos_Free(copy);
        ASSERT_EQ(Rk_UserConfigGetValueDef(&config.c, var.c_str(), value.c_str(), val), 0);
        EXPECT_EQ(val, expected.empty() ? value.substr(0, 256) : expected);
        EXPECT_EQ(val[RK_PATH_MAX + 1], '#') << "257 bytes at most";
    }
    ASSERT_EQ(Rk_UserConfigRemoveValue(&config.c, "uNiTs"), 0);
    EXPECT_EQ(config.settings(), "white= \t;" + name + "=" + value + ";");
    char var[RK_PATH_MAX + 1];
    int found = -1;
    ASSERT_EQ(Rk_UserConfigGetFirstVar(&config.c, var, &found) || Rk_UserConfigGetNextVar(&config.c, var, var, &found), 0);
    EXPECT_EQ(var + std::to_string(found), name.substr(0, 256) + "1") << "the name may be read and written in place";
    ASSERT_EQ(Rk_UserConfigGetNextVar(&config.c, name.c_str(), std::strcpy(var, "untouched"), &found), 0);
    EXPECT_EQ(var + std::to_string(found), "untouched0") << "nothing after the last";
    Rk_UserConfig dead{};
    EXPECT_EQ(failure(Rk_UserConfigGetFirstVar(&dead, var, &found), "rk_strtb("), "error 1") << "a configuration not live";
}

TEST_F(UserConfig, BooleanWordsAreMatchedWhole)
{
    const std::pair<const char*, const char*> cases[] = {  // var found, value found, boolean; then the defaults 0 and 1
        {"yes", "111 11"}, {"T", "111 11"}, {"on", "111 11"}, {"off", "110 00"}, {"0", "110 00"}, {"No", "110 00"},
        {" yes", "100 01"}, {"YES,", "100 01"}, {"ON YES", "100 01"}, {"ONYES", "100 01"}, {nullptr, "000 01"}};
    Config config;
    for (const auto& [value, expected] : cases) {
        if (value) Rk_UserConfigSetValue(&config.c, "flag", value);
        const char* var = value ? "flag" : "unset";
        int var_found = -1, value_found = -1, boolean = -1, with_0 = -1, with_1 = -1;
        Rk_UserConfigGetBoolValue(&config.c, var, &var_found, &value_found, &boolean);
        Rk_UserConfigGetBoolValueDef(&config.c, var, 0, &with_0);
        Rk_UserConfigGetBoolValueDef(&config.c, var, 1, &with_1);
        char got[7];
        std::snprintf(got, sizeof got, "%d%d%d %d%d", var_found, value_found, boolean, with_0, with_1);
        EXPECT_STREQ(got, expected) << (value ? value : "unset");
    }
}

TEST_F(UserConfig, EveryAllocationFailureIsReportedAndLosesNothing)
{
    Rk_UserConfig fresh{};
    EXPECT_GT(fail_each_allocation("rk_strtb(", [&] { return Rk_UserConfigInit(&fresh); }, [] {}), 0);
    Rk_UserConfigFree(&fresh);
    Config config({{"Units", "mm"}});
    EXPECT_GT(fail_each_allocation("rk_strtb(", [&] { return Rk_UserConfigSetValue(&config.c, "grid", "on"); },
                                   [&] { EXPECT_EQ(config.settings(), "Units=mm;"); }), 0);
    EXPECT_GT(fail_each_allocation("rk_strtb(", [&] { return Rk_UserConfigSetValue(&config.c, "UNITS", "in"); },
                                   [&] { EXPECT_EQ(config.settings(), "Units=mm;grid=on;"); }), 0);
    char* copy = nullptr;
    int found = -1, file_found = 0, size = 0;
    const std::pair<std::function<int()>, const char*> copies[] = {
        {[&] { return Rk_UserConfigGetValueAlloc(&config.c, "grid", &copy, &found); }, "on"},
        {[&] { return Rk_UserConfigGetFirstVarAlloc(&config.c, &copy, &found); }, "Units"},
        {[&] { return Rk_UserConfigGetNextVarAlloc(&config.c, "units", &copy, &found); }, "grid"},
    };
    for (const auto& [hand_out, expected] : copies) {
        EXPECT_EQ(fail_each_allocation("rk_ucfig(", hand_out, [&] { EXPECT_TRUE(copy == nullptr && found == 0); }), 1);
        EXPECT_STREQ(copy, expected);
        Rkos_Free(copy);
        copy = nullptr;
    }
    std::string text = "[S]\n";
    for (int i = 0; i < 30; ++i) text += "v" + std::to_string(i) + " = " + std::to_string(i) + "\n";
    for (int i = 0; i < 30; ++i) text += "[T" + std::to_string(i) + "]\n";
    const std::string file = WriteTempFile("many.ini", text + "[ ]\n  [ Last ] \n");
    const auto read = [&] { return Rk_UserConfigReadFromFile(&config.c, file.c_str(), "S", &file_found, &size); };
    EXPECT_GT(fail_each_allocation("rk_strtb(", read, [] {}), 2);
    EXPECT_TRUE(Rk_UserConfigGetSize(&config.c, &size) == 0 && size == 32) << size;
    Rk_StrList vars{}, vals{};
    Rk_StrListInit(&vars, 1);
    Rk_StrListInit(&vals, 1);
    const auto clear = [&] {
        Rk_StrListClear(&vars);
        Rk_StrListClear(&vals);
    };
    EXPECT_GT(fail_each_allocation("rk_strtb(", [&] { return Rk_UserConfigGetSettingsList(&config.c, &vars, &vals, &size); },
                                   clear), 2);
    EXPECT_EQ(rktest::Texts(vars)[2] + "=" + rktest::Texts(vals)[31], "v0=29") << "in the order added, side by side";
    clear();
    const auto sections = [&] { return Rk_UserConfigGetSectionList(&config.c, file.c_str(), &vars); };
    EXPECT_GT(fail_each_allocation("rk_strtb(", sections, clear), 2);
    EXPECT_TRUE(rktest::Texts(vars).size() == 32 && rktest::Texts(vars).back() == "Last") << "a blank name is left out";
    Rk_StrListFree(&vars);
    Rk_StrListFree(&vals);
}

}  // namespace
