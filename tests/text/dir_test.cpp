// Directory paths: every form resolved against a substitute working directory (C:\w\x) and the
// real one, results past 256 characters, parents, roots, components, relative paths, failures.
#include "text_helpers.hpp"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using Directory = rktest::LibraryTest;
using DirectoryDeathTest = rktest::LibraryTest;

struct WorkingDir {  // the directory module takes `path` for the working directory while this lives
    explicit WorkingDir(const char* path) { rk::seam::substitute_working_dir(path); }
    ~WorkingDir() { rk::seam::substitute_working_dir(nullptr), rk::seam::fail_working_dir(false); }
};
struct ChangeDir {  // the process works in `path` while this lives
    fs::path saved = fs::current_path();
    explicit ChangeDir(const std::string& path) { fs::current_path(path); }
    ~ChangeDir() { fs::current_path(saved); }
};

std::string repeat(const std::string& text, int n) { return n ? text + repeat(text, n - 1) : ""; }

Rk_DirectoryStruct dir_of(const std::string& path)
{
    Rk_DirectoryStruct d{};
    path.copy(d.dir_path, RK_PATH_MAX);
    return d;
}

// What Set (SetToCurrent for "*") makes of `typed`, or its failure ("changed" when it touched the directory).
std::string set(const std::string& typed)
{
    Rk_DirectoryStruct d = dir_of("kept");
    const int status = typed == "*" ? Rk_DirectorySetToCurrent(&d) : Rk_DirectorySet(&d, typed.c_str());
    const bool kept = d.dir_path == std::string("kept");
    return status == 0 ? d.dir_path : failure(status, "rk_dir(") + (kept ? "" : " changed");
}

TEST_F(Directory, ResolvesEveryFormAgainstTheCurrentDirectoryUpTo256Characters)
{
    WorkingDir cwd("C:\\w\\x");
    const std::string r248(248, 'r'), a254(254, 'a');  // with C:\w\x\ and the final backslash: 256
    const std::pair<std::string, std::string> cases[] = {
        {"*", "C:\\w\\x\\"}, {"", "C:\\w\\x\\"}, {"  \t\n", "C:\\w\\x\\"}, {".", "C:\\w\\x\\"}, {".\\", "C:\\w\\x\\"},
        {"C:", "C:\\w\\x\\"}, {"D:t", "C:\\w\\x\\t\\"},  // a drive without a backslash after it is dropped
        {"sub", "C:\\w\\x\\sub\\"}, {".\\sub", "C:\\w\\x\\sub\\"}, {"  sub \n", "C:\\w\\x\\sub\\"},
        {"..", "C:\\w\\"}, {"..\\y", "C:\\w\\y\\"}, {"..\\ ..\\y", "C:\\y\\"},
        {"..\\..\\..\\..\\.\\z", "C:\\z\\"},  // climbing stops at the root, dropping the dots and backslashes left
        {repeat("..\\", 200) + "z", "C:\\z\\"}, {"\\t", "\\t\\"}, {"D:\\t\\", "D:\\t\\"}, {"e:\\Mixed", "e:\\Mixed\\"},
        {"a\\.\\..\\\\b", "C:\\w\\x\\a\\.\\..\\\\b\\"}, {"Sub/Dir", "C:\\w\\x\\Sub/Dir\\"},  // as written
        {r248, "C:\\w\\x\\" + r248 + "\\"}, {r248 + "r", "error 1"}, {".\\" + r248 + "r", "error 1"},
        {"\\" + a254, "\\" + a254 + "\\"}, {"\\" + a254 + "a", "error 1"},
        {"D:\\" + a254.substr(2) + "\\", "D:\\" + a254.substr(2) + "\\"},
        {"D:\\" + a254.substr(1) + "\\", "error 1"},
    };
    for (const auto& [typed, expected] : cases) EXPECT_EQ(set(typed), expected) << "'" << typed << "'";
    Rk_DirectoryStruct d = dir_of("..\\y");
    char out[RK_PATH_MAX + 1];
    ASSERT_EQ(Rk_DirectorySet(&d, d.dir_path), 0) << "the path given may be the directory's own";
    ASSERT_EQ(Rk_DirectoryGet(&d, out), 0);
    EXPECT_STREQ(out, "C:\\w\\y\\");
    rk::seam::substitute_working_dir("w\\x");
    EXPECT_EQ(set("*"), "error 5") << "a relative working directory cannot be current";
    rk::seam::substitute_working_dir("C:\\");
    EXPECT_EQ(set(""), "C:\\");
    rk::seam::fail_working_dir(true);
    for (const char* typed : {"*", "", ".", ".\\a", "..\\a", "a", "C:", "D:a"}) EXPECT_EQ(set(typed), "error 5") << typed;
    EXPECT_EQ(set("\\abs") + set("D:\\abs"), "\\abs\\D:\\abs\\") << "absolute paths need no working directory";
}

TEST_F(Directory, TheRealWorkingDirectoryReadsWithBackslashesAsItStands)
{
    const std::string work = TempDir() + "/w ", gone = TempDir() + "/gone";
    const std::string long_dir = TempDir() + "/" + std::string(256 - TempDir().size(), 'n');  // 257 characters
    ASSERT_TRUE(fs::create_directory(work) && fs::create_directory(gone) && fs::create_directories(long_dir + "/dd"));
    {
        ChangeDir in(work);
        std::string current = fs::current_path().string() + "/";
        std::replace(current.begin(), current.end(), '/', '\\');
        EXPECT_EQ(set("*") + set(".."), current + current.substr(0, current.size() - 3)) << "a name may end in a blank";
        EXPECT_EQ(set(repeat("..\\", 9) + "z"), "\\z\\") << "climbing stops at the root of the current drive";
    }
    const std::pair<std::string, const char*> failing[] = {
        {long_dir, "error 1"}, {long_dir + "/dd", "error 5"}, {gone, "error 5"}};
    for (const auto& [dir, expected] : failing) {
        ChangeDir in(dir);  // 260 characters and the terminator do not fit the 260-byte buffer it is read into
        if (dir == gone) rmdir(gone.c_str());
        EXPECT_EQ(set("*"), expected) << dir.size() << " characters";
    }
}

TEST_F(Directory, ParentsStopAtARootAndRootsKeepTheDriveAsWritten)
{
    const struct { const char *path, *parent, *root; } cases[] = {
        {"C:\\a\\b\\", "C:\\a\\", "C:\\"}, {"e:\\a\\", "e:\\", "e:\\"}, {"\\a\\", "\\", "\\"}, {"C:\\", "", "C:\\"},
        {"\\", "", "\\"}, {"a\\", "", "\\"}, {"C:a\\", "", "C:\\"}, {"C:\\a", "error 5", "C:\\"}, {"", "error 5", "\\"},
    };
    for (const auto& c : cases) {
        Rk_DirectoryStruct d = dir_of(c.path), out = dir_of("");
        int found = 7;
        const int status = Rk_DirectoryGetParent(&d, &out, &found);
        EXPECT_EQ(status ? failure(status, "rk_dir(") : out.dir_path, c.parent) << c.path << ": none leaves the output";
        EXPECT_EQ(found, c.parent[0] && !status) << c.path;
        if (Rk_DirectoryGetParent(&d, &d, &found)) failure(1, "rk_dir(");
        ASSERT_EQ(Rk_DirectoryGetRoot(&d, &d), 0);
        EXPECT_STREQ(d.dir_path, c.root) << c.path << ": the parent and the root may replace the directory";
    }
}

TEST_F(Directory, ParseAppendsTheComponentsLeavingACallersStrtokAlone)
{
    const std::pair<const char*, Lines> cases[] = {
        {"C:\\a\\\\b\\", {"x", "a", "b"}}, {"\\a\\a\\", {"x", "a", "a"}}, {"C:\\", {"x"}},
        {"c:r\\x\\", {"x", "r", "x"}}};
    char text[] = "one two";
    ASSERT_STREQ(std::strtok(text, " "), "one");
    Rk_StrList list{};
    int size = -1;
    for (const auto& [path, expected] : cases) {
        const Rk_DirectoryStruct d = dir_of(path);
        Rk_StrListInit(&list, 1), Rk_StrListAdd(&list, "x");
        ASSERT_EQ(Rk_DirectoryParse(&d, &list, &size), 0);
        EXPECT_EQ(list_lines(list), expected) << path;
        EXPECT_EQ(size, static_cast<int>(expected.size())) << path;
        Rk_StrListFree(&list);
    }
    EXPECT_STREQ(std::strtok(nullptr, " "), "two");
    const Rk_DirectoryStruct d = dir_of("C:\\a\\b\\");
    size = -1;
    EXPECT_EQ(failure(Rk_DirectoryParse(&d, &list, &size), "rk_strtb("), "error 1") << "a list that is not live";
    Rk_StrListInit(&list, 1);
    EXPECT_GE(fail_each_allocation("rk_strtb(", [&] { return Rk_DirectoryParse(&d, &list, &size); },
                                   [&] {  // the components before the failure stay
                                       EXPECT_TRUE(size == -1 && list_lines(list).size() < 2);
                                       Rk_StrListClear(&list);
                                   }), 1);
    EXPECT_EQ(list_lines(list), (Lines{"a", "b"}));
    Rk_StrListFree(&list);
}

TEST_F(Directory, RelativePathsLeadFromOneDirectoryToAnother)
{
    const struct { std::string from, to, expected; } cases[] = {
        {"C:\\a\\b\\", "C:\\a\\b\\c\\d\\", "c\\d\\"}, {"C:\\a\\b\\", "c:\\A\\x\\", "..\\x\\"},
        {"c:\\a\\", "D:\\b\\", "D:\\b\\"},  // another drive: the whole path
        {"C:\\A\\B\\", "c:\\a\\b\\", ""}, {"C:\\a\\b\\c\\", "C:\\a\\", "..\\..\\"}, {"\\", "\\", ""},
        {"C:\\x\\y\\", "C:\\p\\", "..\\..\\p\\"}, {"\\a\\", "C:\\a\\b\\", "b\\"},  // one drive only: components
        {"C:\\" + repeat("a\\", 84), "C:\\bbb\\", repeat("..\\", 84) + "bbb\\"},  // 256 characters
        {"C:\\" + repeat("a\\", 85), "C:\\bbb\\", "error 1"},
        {"C:\\" + repeat("a\\", 120), "C:\\" + repeat("b\\", 120), "error 1"},
    };
    for (const auto& c : cases) {
        const Rk_DirectoryStruct from = dir_of(c.from);
        Rk_DirectoryStruct to = dir_of(c.to);
        struct {
            char out[RK_PATH_MAX + 1] = "unset";
            char canary = '@';
        } buffer;
        const int status = Rk_DirectoryGetRelativePath(&from, &to, buffer.out);
        EXPECT_EQ(status ? failure(status, "rk_dir(") + buffer.out : buffer.out, c.expected) << "a failure leaves \"\"";
        EXPECT_EQ(buffer.canary, '@') << "written past the 257-byte buffer";
        ASSERT_EQ(Rk_DirectoryGetRelativePath(&from, &to, to.dir_path), status) << "the result may replace a path";
        EXPECT_EQ(status ? failure(status, "rk_dir(") : to.dir_path, c.expected);
    }
    const Rk_DirectoryStruct from = dir_of("C:\\a\\b\\"), to = dir_of("C:\\a\\c\\");
    char out[RK_PATH_MAX + 1] = "unset";
    EXPECT_GE(fail_each_allocation("rk_strtb(", [&] { return Rk_DirectoryGetRelativePath(&from, &to, out); },
                                   [&] { EXPECT_STREQ(out, ""); std::strcpy(out, "unset"); }), 4)
        << "two lists and four components";
    EXPECT_STREQ(out, "..\\c\\");
}

TEST_F(DirectoryDeathTest, TheFixedCurrentDirectoryIsTheDevelopmentDirectory)
{
    // The switch lasts for the whole process, so it is thrown in a child of its own.
    EXPECT_EXIT(
        {
            WorkingDir cwd("C:\\w\\x");
            Rk_DirectoryFixCurrentDir();
            _exit(set("*") + set("..") + set("D:\\t") != "C:\\rkbasekit\\dev\\C:\\rkbasekit\\D:\\t\\");
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(set("sub"), set("") + "sub\\") << "the parent process is not fixed";
}

}  // namespace
