// User configuration: rewriting one section of a settings file while keeping everything else.
#include "ucfig_helpers.hpp"

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
