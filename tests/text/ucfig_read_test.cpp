// User configuration: reading a section of a settings file, the typed reads and iteration, and
// allocation failures of the operations on settings.
#include "ucfig_helpers.hpp"

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

// ---- Allocation failures ----

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
