// User configuration: writing one section into a settings file, every other line kept; the file is
// replaced whole or not at all, with its permissions, and nothing left behind.
#include "text_helpers.hpp"

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <csignal>
#include <filesystem>
#include <set>

namespace {

namespace fs = std::filesystem;
using UserConfigWrite = rktest::LibraryTest;

std::set<std::string> entries(const std::string& dir)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename().string());
    return names;
}

TEST_F(UserConfigWrite, RewritesOneSectionAndKeepsEveryOtherLine)
{
    Config config({{"Units", "in"}, {"New", "1"}});
    const std::string other = "[B]\n#" + std::string(600, 'c') + " = x\nlong = " + std::string(400, 'v') + "\n";
    const std::string long_lines = "[A]\n" + other;
    const struct { const char *before, *section; std::string after; } cases[] = {  // before null: no file yet
        {kExample, "display", "# units\n[ Display ]\nUnits = in\nNew = 1\n[Print]\nCopies = 2\n"},  // grid dropped
        {nullptr, "Display", "[ Display ]\n\nUnits = in\nNew = 1\n"}, {nullptr, "", "Units = in\nNew = 1\n"},
        {kExample, "Output", std::string(kExample) + "[ Output ]\n\nUnits = in\nNew = 1\n"},
        {"[A]\nnew = 1\ny = 2\n; note\nUNITS=3\nnew = 0\n\n[B]\nx = 1\n[a]\nunits = 4\n[C]\n", "a",  // repeats dropped
         "[A]\nNew = 1\n; note\nUnits = in\n\n[B]\nx = 1\n[a]\n[C]\n"},
        {"units = 0\n\n[A]\ny = 7\n", "  ", "Units = in\n\nNew = 1\n[A]\ny = 7\n"},  // a blank section gets no header
        {"[Print]\nCopies = 2", "Display", "[Print]\nCopies = 2\n[ Display ]\n\nUnits = in\nNew = 1\n"},  // no last \n
        {long_lines.c_str(), "A", "[A]\nUnits = in\nNew = 1\n" + other},  // long lines elsewhere are kept whole
    };
    for (const auto& c : cases) {
        const std::string file = c.before ? WriteTempFile("t.ini", c.before) : TempDir() + "/new.ini";
        EXPECT_EQ(write(config, file, c.section), c.after) << (c.before ? c.before : "no file") << " " << c.section;
        EXPECT_EQ(write(config, file, c.section), c.after) << "writing again changes nothing";
        std::filesystem::remove(file);
    }
    EXPECT_EQ(config.settings(), "Units=in;New=1;");
}

TEST_F(UserConfigWrite, AFailedWriteLeavesTheFileAsItWasAndNothingBehind)
{
    Config config({{"Units", std::string(20000, 'u')}});
    const std::string original = kExample + std::string(40, '\n'), example = WriteTempFile("example.ini", original);
    const std::string with_nul = WriteTempFile("nul.ini", std::string("[Z]\nk = 1\nbin\0ary\n", 18));
    const auto before = entries(TempDir());
    // Blank, too long, a directory, no new file can be made beside it, a NUL byte.
    for (const std::string& file : {std::string("   "), TempDir() + "/" + std::string(PATH_MAX, 'x'), TempDir(),
                                    TempDir() + "/gone/x.ini", with_nul})
        EXPECT_EQ(write(config, file, "Z"), "error 1: " + rktest::ReadFile(file)) << file;
    rlimit old_limit{}, small{4096, 4096};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
    small.rlim_max = old_limit.rlim_max;
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string stopped = write(config, example, "Display");
    setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_TRUE(stopped == "error 1: " + original && entries(TempDir()) == before) << "a size limit stops it part way";
    Rk_UserConfigSetValue(&config.c, "Units", "in");
    Rk_UserConfigSetValue(&config.c, "New", "1");
    const auto write_display = [&] { return Rk_UserConfigWriteToFile(&config.c, example.c_str(), "Display"); };
    const auto unchanged = [&] { EXPECT_TRUE(rktest::ReadFile(example) == original && entries(TempDir()) == before); };
    EXPECT_GT(fail_each_allocation("rk_", write_display, unchanged), 3) << "the scratch table grows past its first block";
    const std::string now = "# units\n[ Display ]\nUnits = in\nNew = 1\n[Print]\nCopies = 2\n" + std::string(40, '\n');
    EXPECT_TRUE(rktest::ReadFile(example) == now && entries(TempDir()) == before) << "and nothing else is left";
}

TEST_F(UserConfigWrite, TheFileKeepsItsPermissionsAndLeftoversAreLeftAlone)
{
    Config config({{"k", "v"}});
    const std::string file = WriteTempFile("p.ini", "[Z]\n");
    const std::string stale = WriteTempFile("p.ini." + std::to_string(getpid()) + "-0.tmp", "stale");
    struct stat info {};
    for (mode_t mode : {mode_t{0640}, mode_t{0604}}) {
        ASSERT_EQ(chmod(file.c_str(), mode), 0);
        EXPECT_EQ(write(config, file, "Z"), "[Z]\nk = v\n");
        ASSERT_EQ(stat(file.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode);
    }
    EXPECT_EQ(rktest::ReadFile(stale), "stale") << "a leftover of the same name is neither used nor touched";
    // A path that nearly fills PATH_MAX still leaves room for the new file's name beside it.
    std::string dir = TempDir();
    while (dir.size() < 3800) dir += "/" + std::string(200, 'd');
    ASSERT_TRUE(fs::create_directories(dir));
    const std::string deep = dir + "/" + std::string(PATH_MAX - 50 - dir.size(), 'f');  // 4,047 characters
    std::fclose(std::fopen(deep.c_str(), "w"));
    EXPECT_EQ(write(config, deep, "Z"), "[ Z ]\n\nk = v\n");
}

}  // namespace
