// User configuration: the line operations on settings files.
#include "ucfig_helpers.hpp"

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
