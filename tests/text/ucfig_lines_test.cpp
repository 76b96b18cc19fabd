// User configuration: the lines of a settings file, classified, split and read in bounded pieces.
#include "text_helpers.hpp"

#include <cstdio>
#include <cstring>

namespace {

using UserConfig = rktest::LibraryTest;

TEST_F(UserConfig, LinesAreClassifiedAndHeadersAndSettingsSplit)
{
    const std::pair<const char*, int> kinds[] = {
        {"", RK_UCFIG_LINE_BLANK}, {" \t\n", RK_UCFIG_LINE_BLANK}, {"; c", RK_UCFIG_LINE_COMMENT},
        {"  ! c = 1", RK_UCFIG_LINE_COMMENT}, {"#", RK_UCFIG_LINE_COMMENT}, {"// c", RK_UCFIG_LINE_COMMENT},
        {"/ x = 1", RK_UCFIG_LINE_SETTING}, {" [ Display ] \n", RK_UCFIG_LINE_SECTION},
        {"[open", RK_UCFIG_LINE_SECTION},
        {"[ ]", RK_UCFIG_LINE_OTHER}, {"[]name", RK_UCFIG_LINE_OTHER}, {"\t=v", RK_UCFIG_LINE_OTHER},
        {"a = #b", RK_UCFIG_LINE_SETTING}, {"Units", RK_UCFIG_LINE_SETTING}};
    for (const auto& [line, kind] : kinds) {
        int type = -1;
        Rk_UserConfigLineGetType(line, &type);
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
        {"a = ; kept", "a|; kept"}, {"=x", "error 1|"}, {"  = x", "error 1|"}};
    for (const auto& [line, expected] : settings) {
        char var[RK_PATH_MAX + 1] = "", val[RK_PATH_MAX + 1] = "";
        const int status = Rk_UserConfigLineGetSetting(line, var, val);
        EXPECT_EQ((status ? failure(status, "rk_ucfig(") : "") + var + "|" + val, expected) << line;
    }
}

TEST_F(UserConfig, LinesAreReadInPiecesOf255CharactersAndStreamErrorsFail)
{
    std::FILE* fp = std::fopen(WriteTempFile("l.ini", std::string(300, 'a') + "\n[S]").c_str(), "r");
    const std::string a255(255, 'a'), a45(45, 'a');
    for (const std::string& expected : {a255 + " 4 1", a45 + "\n 4 1", std::string("[S] 3 1"), std::string(" 0 0")}) {
        char line[RK_PATH_MAX + 2] = "";
        line[RK_PATH_MAX + 1] = '#';
        int type = -1, found = -1;
        ASSERT_EQ(Rk_UserConfigLineGetFromFile(fp, line, &type, &found), 0);
        EXPECT_EQ(line + (" " + std::to_string(type)) + " " + std::to_string(found), expected);
        EXPECT_EQ(line[RK_PATH_MAX + 1], '#') << "nothing written past 257 bytes";
    }
    EXPECT_EQ(failure(Rk_UserConfigLineWriteToFile(fp, "b = 2\n"), "rk_ucfig("), "error 1") << "a read-only stream";
    std::fclose(fp);
    fp = std::fopen(TempDir().c_str(), "r");
    char line[RK_PATH_MAX + 1] = "untouched";
    int type = -1, found = -1;
    EXPECT_EQ(failure(Rk_UserConfigLineGetFromFile(fp, line, &type, &found), "rk_ucfig("), "error 1");
    EXPECT_EQ(line + (" " + std::to_string(type)) + " " + std::to_string(found), "untouched 0 0") << "not the end";
    std::fclose(fp);
}

}  // namespace
