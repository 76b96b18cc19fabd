// User configuration: writing one section into a settings file, every other line kept.
#include "text_helpers.hpp"

#include <filesystem>

namespace {

using UserConfigWrite = rktest::LibraryTest;

TEST_F(UserConfigWrite, RewritesOneSectionAndKeepsEveryOtherLine)
{
    Config config;
    std::string garbage;
    for (int i = 0; i < 3000; ++i) garbage += char(i % 17 ? i % 5 ? 0x80 + (i * 31) % 0x80 : 1 + i % 9 : '\n');
    const std::string comment = "#" + std::string(600, 'c') + " = x\n";
    const std::string other = "[B]\n" + comment + "long = " + std::string(400, 'v') + "\n";
    const std::string long_lines = "[A]\nUnits = mm\n" + comment + "[C]\n" + other;
    const struct { const char *before, *section; std::string after; } cases[] = {  // before null: no file yet
        {kExample, "display", "# units\n[ Display ]\nUnits = in\nNew = 1\n[Print]\nCopies = 2\n"},  // grid dropped
        {nullptr, "Display", "[ Display ]\n\nUnits = in\nNew = 1\n"}, {nullptr, "", "Units = in\nNew = 1\n"},
        {kExample, "Output", std::string(kExample) + "[ Output ]\n\nUnits = in\nNew = 1\n"},
        {"[A]\nnew = 1\ny = 2\n; note\nUNITS=3\nnew = 0\n\n[B]\nx = 1\n[a]\nunits = 4\n[C]\n", "a",  // repeats dropped
         "[A]\nNew = 1\n; note\nUnits = in\n\n[B]\nx = 1\n[a]\n[C]\n"},
        {"units = 0\n\n[A]\ny = 7\n", "  ", "Units = in\n\nNew = 1\n[A]\ny = 7\n"},  // a blank section gets no header
        {"# c\nz = 1\n", "", "# c\nUnits = in\nNew = 1\n"},
        {"[Print]\nCopies = 2", "Display", "[Print]\nCopies = 2\n[ Display ]\n\nUnits = in\nNew = 1\n"},  // no last \n
        // In the target the rest of an over-long line reads as settings and is dropped, and the next line
        // still stands on its own; elsewhere the line is kept whole, and so are bytes of any value.
        {long_lines.c_str(), "A", "[A]\nUnits = in\n" + comment.substr(0, 255) + "\nNew = 1\n[C]\n" + other},
        {garbage.c_str(), "Z", garbage + "\n[ Z ]\n\nUnits = in\nNew = 1\n"},
    };
    Rk_UserConfigSetValue(&config.c, "Units", "in");
    Rk_UserConfigSetValue(&config.c, "New", "1");
    for (const auto& c : cases) {
        const std::string file = c.before ? WriteTempFile("t.ini", c.before) : TempDir() + "/new.ini";
        EXPECT_EQ(write(config, file, c.section), c.after) << (c.before ? c.before : "no file") << " " << c.section;
        EXPECT_EQ(write(config, file, c.section), c.after) << "writing again changes nothing";
        std::filesystem::remove(file);
    }
    EXPECT_EQ(config.settings(), "Units=in;New=1;");
    EXPECT_STREQ(config.c.set_table.table.stable[3][0], "Rk_FALSE") << "the configuration is not marked";
}

}  // namespace
