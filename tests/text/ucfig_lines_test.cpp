// User configuration: the lines of a settings file, classified, split and read in bounded pieces.
#include "text_helpers.hpp"

#include <cstdio>

namespace {

using UserConfig = rktest::LibraryTest;

TEST_F(UserConfig, LinesAreClassifiedAndHeadersAndSettingsSplit)
{
    const std::pair<const char*, int> kinds[] = {
        {" \t\n", RK_UCFIG_LINE_BLANK}, {"; c", RK_UCFIG_LINE_COMMENT}, {"  ! c = 1", RK_UCFIG_LINE_COMMENT},
        {"#", RK_UCFIG_LINE_COMMENT}, {"// c", RK_UCFIG_LINE_COMMENT}, {"/ x = 1", RK_UCFIG_LINE_SETTING},
        {" [ Display ] \n", RK_UCFIG_LINE_SECTION}, {"[open", RK_UCFIG_LINE_SECTION}, {"[ ]", RK_UCFIG_LINE_OTHER},
        {"[]name", RK_UCFIG_LINE_OTHER}, {"\t=v", RK_UCFIG_LINE_OTHER}, {"Units", RK_UCFIG_LINE_SETTING}};
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
}

TEST_F(UserConfig, LinesAreReadInPiecesOf255CharactersAndStreamErrorsFail)
{
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

}  // namespace
