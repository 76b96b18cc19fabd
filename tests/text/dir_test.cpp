// Directory paths: resolution against the current directory (a substitute C:\w\x and the real
// working directory), parents, roots, components, relative paths, long results and failures.
#include "rk_test.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Directory = rktest::LibraryTest;
using DirectoryWorking = rktest::LibraryTest;
using DirectoryParts = rktest::LibraryTest;
using DirectoryRelative = rktest::LibraryTest;
using DirectoryFixedDeathTest = rktest::LibraryTest;

using Texts = std::vector<std::string>;

// The directory module reads `path` as the working directory while it lives.
class WorkingDir {
public:
    explicit WorkingDir(const char* path) { rk::seam::substitute_working_dir(path); }
    ~WorkingDir()
    {
        rk::seam::substitute_working_dir(nullptr);
        rk::seam::fail_working_dir(false);
    }
    WorkingDir(const WorkingDir&) = delete;
    WorkingDir& operator=(const WorkingDir&) = delete;
};

// The process works in `path` while it lives.
class ChangeDir {
public:
    explicit ChangeDir(const std::string& path) : saved_(std::filesystem::current_path())
    {
        std::filesystem::current_path(path);
    }
    ~ChangeDir() { std::filesystem::current_path(saved_); }
    ChangeDir(const ChangeDir&) = delete;
    ChangeDir& operator=(const ChangeDir&) = delete;

private:
    std::filesystem::path saved_;
};

// A Linux path in the library's notation.
std::string backslashed(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

Rk_DirectoryStruct dir_of(const std::string& path)
{
    Rk_DirectoryStruct d;
    EXPECT_LT(path.size(), sizeof d.dir_path);
    std::strcpy(d.dir_path, path.c_str());
    return d;
}

// What Set gives for `spec`, or "<failed>".
std::string set(const std::string& spec)
{
    Rk_DirectoryStruct d;
    std::strcpy(d.dir_path, "unset");
    if (Rk_DirectorySet(&d, spec.c_str()) != 0) return "<failed>";
    return d.dir_path;
}

Texts list_texts(const Rk_StrList& list)
{
    int size = 0;
    Rk_StrListGetSize(&list, &size);
    Texts out;
    for (int i = 0; i < size; ++i) {
        char* text = nullptr;
        Rk_StrListGet(&list, i, &text);
        out.emplace_back(text);
    }
    return out;
}

std::string relative(const std::string& from, const std::string& to)
{
    const Rk_DirectoryStruct a = dir_of(from);
    const Rk_DirectoryStruct b = dir_of(to);
    char out[RK_PATH_MAX + 1] = "unset";
    if (Rk_DirectoryGetRelativePath(&a, &b, out) != 0) return "<failed>";
    return out;
}

TEST_F(Directory, ResolvesEveryFormAgainstTheCurrentDirectory)
{
    WorkingDir cwd("C:\\w\\x");
    struct Case {
        const char* spec;
        const char* expected;
    };
    const Case cases[] = {
        {"", "C:\\w\\x\\"},            // blank: the current directory
        {"  \t\n", "C:\\w\\x\\"},      // white space is blank
        {".", "C:\\w\\x\\"},
        {".\\", "C:\\w\\x\\"},
        {"sub", "C:\\w\\x\\sub\\"},    // relative
        {".\\sub", "C:\\w\\x\\sub\\"},
        {"  sub \n", "C:\\w\\x\\sub\\"},  // stripped first
        {"..", "C:\\w\\"},
        {"..\\y", "C:\\w\\y\\"},
        {"..\\..\\..\\z", "C:\\z\\"},  // climbing stops at the root
        {"..\\..\\..\\..\\.\\z", "C:\\z\\"},  // and the dots and backslashes left are dropped
        {"..\\ ..\\y", "C:\\y\\"},     // blanks after a step are dropped
        {"\\t", "\\t\\"},              // absolute on the current drive
        {"D:\\t", "D:\\t\\"},          // absolute with drive
        {"D:\\t\\", "D:\\t\\"},        // no second backslash
        {"e:\\Mixed\\", "e:\\Mixed\\"},  // case as written
        {"D:t", "C:\\w\\x\\t\\"},      // drive-relative: the drive is dropped
        {"C:", "C:\\w\\x\\"},          // a bare drive
        {"a\\.\\..\\\\b", "C:\\w\\x\\a\\.\\..\\\\b\\"},  // not normalised
        {"Sub/Dir", "C:\\w\\x\\Sub/Dir\\"},  // a slash is an ordinary character
    };
    for (const Case& c : cases) EXPECT_EQ(set(c.spec), c.expected) << "Set of '" << c.spec << "'";

    Rk_DirectoryStruct d;
    ASSERT_EQ(Rk_DirectorySetToCurrent(&d), 0);
    EXPECT_STREQ(d.dir_path, "C:\\w\\x\\");
    char out[RK_PATH_MAX + 1];
    ASSERT_EQ(Rk_DirectoryGet(&d, out), 0);
    EXPECT_STREQ(out, "C:\\w\\x\\");
}

TEST_F(Directory, ThePathGivenMayBeTheDirectorysOwnPath)
{
    WorkingDir cwd("C:\\w\\x");
    Rk_DirectoryStruct d = dir_of("..\\y");
    ASSERT_EQ(Rk_DirectorySet(&d, d.dir_path), 0);
    EXPECT_STREQ(d.dir_path, "C:\\w\\y\\");
}

TEST_F(DirectoryWorking, TheRealWorkingDirectoryReadsWithBackslashes)
{
    const std::string work = TempDir() + "/w";
    ASSERT_EQ(mkdir(work.c_str(), 0700), 0);
    ChangeDir in(work);
    const std::string current = backslashed(std::filesystem::current_path().string()) + "\\";
    ASSERT_EQ(current.rfind("\\tmp\\", 0), 0u);

    Rk_DirectoryStruct d;
    ASSERT_EQ(Rk_DirectorySetToCurrent(&d), 0);
    EXPECT_EQ(std::string(d.dir_path), current);
    EXPECT_EQ(set(""), current);
    EXPECT_EQ(set("sub"), current + "sub\\");
    EXPECT_EQ(set(".."), backslashed(TempDir()) + "\\");
    EXPECT_EQ(set("..\\..\\..\\..\\..\\..\\z"), "\\z\\") << "climbing stops at the root of the current drive";
    EXPECT_EQ(set("D:sub"), current + "sub\\");

    Rk_DirectoryStruct root;
    ASSERT_EQ(Rk_DirectoryGetRoot(&d, &root), 0);
    EXPECT_STREQ(root.dir_path, "\\");
}

TEST_F(DirectoryWorking, AnUnreadableWorkingDirectoryFailsWithError5)
{
    const std::string gone = TempDir() + "/gone";
    ASSERT_EQ(mkdir(gone.c_str(), 0700), 0);
    Rk_DirectoryStruct d = dir_of("C:\\kept\\");
    {
        ChangeDir in(gone);
        ASSERT_EQ(rmdir(gone.c_str()), 0);
        EXPECT_EQ(Rk_DirectorySetToCurrent(&d), 1) << "the working directory was removed";
        EXPECT_ERROR(5, "rk_dir(");
    }
    EXPECT_STREQ(d.dir_path, "C:\\kept\\") << "a failed Set changes nothing";

    WorkingDir cwd("C:\\w\\x");
    rk::seam::fail_working_dir(true);
    for (const char* spec : {"", ".", ".\\a", "..\\a", "a", "C:", "D:a"}) {
        EXPECT_EQ(Rk_DirectorySet(&d, spec), 1) << "'" << spec << "' needs the current directory";
        EXPECT_ERROR(5, "rk_dir(");
        EXPECT_STREQ(d.dir_path, "C:\\kept\\");
    }
    EXPECT_EQ(set("\\abs"), "\\abs\\") << "an absolute path needs no current directory";
    EXPECT_EQ(set("D:\\abs"), "D:\\abs\\");
}

TEST_F(DirectoryWorking, AWorkingDirectoryIsTakenAsItStands)
{
    {
        WorkingDir cwd("w\\x");
        Rk_DirectoryStruct d;
        EXPECT_EQ(Rk_DirectorySetToCurrent(&d), 1) << "a relative working directory cannot be the current one";
        EXPECT_ERROR(5, "rk_dir(");
    }
    WorkingDir cwd("C:\\w\\x ");
    EXPECT_EQ(set("a"), "C:\\w\\x \\a\\") << "a directory name may end in a blank";
    WorkingDir root("C:\\");
    EXPECT_EQ(set(""), "C:\\");
}

TEST_F(DirectoryWorking, ResultsLongerThan256CharactersFailAndChangeNothing)
{
    const std::string base = "C:\\" + std::string(240, 'w');  // 243 characters
    WorkingDir cwd(base.c_str());
    Rk_DirectoryStruct d = dir_of("C:\\kept\\");
    struct Case {
        std::string spec;
        bool fits;
    };
    const Case cases[] = {
        {std::string(11, 'r'), true},   // 243 + 1 + 11 + the final backslash = 256
        {std::string(12, 'r'), false},  // 257
        {".\\" + std::string(12, 'r'), false},
        {"\\" + std::string(255, 'a'), false},  // 256, then the final backslash
        {"\\" + std::string(254, 'a'), true},
        {"D:\\" + std::string(252, 'a') + "\\", true},  // exactly 256, its own backslash
        {"D:\\" + std::string(253, 'a') + "\\", false},
    };
    for (const Case& c : cases) {
        const int status = Rk_DirectorySet(&d, c.spec.c_str());
        if (c.fits) {
            EXPECT_EQ(status, 0) << c.spec.size();
            EXPECT_EQ(std::strlen(d.dir_path), 256u);
        } else {
            EXPECT_EQ(status, 1) << c.spec.size();
            EXPECT_ERROR(1, "rk_dir(");
        }
        std::strcpy(d.dir_path, "C:\\kept\\");
    }

    std::string climbing;
    for (int i = 0; i < 200; ++i) climbing += "..\\";
    EXPECT_EQ(set(climbing + "z"), "C:\\z\\") << "a long text that climbs to a short result is fine";
}

TEST_F(DirectoryWorking, ALongRealWorkingDirectoryFailsRatherThanBeingCut)
{
    // TempDir() + "/" + name is 257 characters: 258 with the final backslash.
    const std::string name(257 - TempDir().size() - 1, 'n');
    const std::string long_dir = TempDir() + "/" + name;
    ASSERT_EQ(mkdir(long_dir.c_str(), 0700), 0);
    Rk_DirectoryStruct d = dir_of("C:\\kept\\");
    {
        ChangeDir in(long_dir);
        EXPECT_EQ(Rk_DirectorySetToCurrent(&d), 1);
        EXPECT_ERROR(1, "rk_dir(");
    }
    const std::string deeper = long_dir + "/" + std::string(10, 'd');  // past the 260-byte buffer
    ASSERT_EQ(mkdir(deeper.c_str(), 0700), 0);
    {
        ChangeDir in(deeper);
        EXPECT_EQ(Rk_DirectorySetToCurrent(&d), 1);
        EXPECT_ERROR(5, "rk_dir(");
    }
    EXPECT_STREQ(d.dir_path, "C:\\kept\\");
}

TEST_F(DirectoryParts, ParentsStopAtARoot)
{
    struct Case {
        const char* path;
        int found;
        const char* parent;
    };
    const Case cases[] = {
        {"C:\\a\\b\\", 1, "C:\\a\\"}, {"C:\\a\\", 1, "C:\\"}, {"\\a\\", 1, "\\"},
        {"C:\\", 0, nullptr},         {"\\", 0, nullptr},      {"a\\", 0, nullptr},
        {"C:a\\", 0, nullptr},
    };
    for (const Case& c : cases) {
        const Rk_DirectoryStruct d = dir_of(c.path);
        Rk_DirectoryStruct parent = dir_of("untouched");
        int found = 7;
        ASSERT_EQ(Rk_DirectoryGetParent(&d, &parent, &found), 0) << c.path;
        EXPECT_EQ(found, c.found) << c.path;
        EXPECT_STREQ(parent.dir_path, c.parent ? c.parent : "untouched") << c.path;
    }

    Rk_DirectoryStruct d = dir_of("C:\\a\\b\\");
    int found = 0;
    ASSERT_EQ(Rk_DirectoryGetParent(&d, &d, &found), 0);
    EXPECT_STREQ(d.dir_path, "C:\\a\\") << "the parent may replace the directory itself";

    for (const char* bad : {"C:\\a", ""}) {
        const Rk_DirectoryStruct b = dir_of(bad);
        Rk_DirectoryStruct parent = dir_of("untouched");
        found = 7;
        EXPECT_EQ(Rk_DirectoryGetParent(&b, &parent, &found), 1) << "'" << bad << "' has no final backslash";
        EXPECT_ERROR(5, "rk_dir(");
        EXPECT_EQ(found, 0);
        EXPECT_STREQ(parent.dir_path, "untouched");
    }
}

TEST_F(DirectoryParts, TheRootKeepsTheDriveLetterAsWritten)
{
    const std::pair<const char*, const char*> cases[] = {
        {"\\a\\", "\\"}, {"e:\\a\\", "e:\\"}, {"C:\\", "C:\\"}, {"\\", "\\"}};
    for (const auto& [path, root] : cases) {
        Rk_DirectoryStruct d = dir_of(path);
        Rk_DirectoryStruct r = dir_of("untouched");
        ASSERT_EQ(Rk_DirectoryGetRoot(&d, &r), 0);
        EXPECT_STREQ(r.dir_path, root) << path;
        ASSERT_EQ(Rk_DirectoryGetRoot(&d, &d), 0);
        EXPECT_STREQ(d.dir_path, root) << path << " as its own root";
    }
}

TEST_F(DirectoryParts, ParseAppendsTheComponentsWithoutEmptyOnes)
{
    struct Case {
        const char* path;
        Texts before;
        Texts after;
    };
    const Case cases[] = {
        {"C:\\a\\\\b\\", {}, {"a", "b"}},
        {"\\a\\a\\", {"x"}, {"x", "a", "a"}},  // appended, duplicates kept
        {"C:\\", {}, {}},
        {"\\", {"x"}, {"x"}},
        {"c:rel\\x\\", {}, {"rel", "x"}},
    };
    for (const Case& c : cases) {
        Rk_StrList list{};
        ASSERT_EQ(Rk_StrListInit(&list, 1), 0);
        for (const std::string& t : c.before) Rk_StrListAdd(&list, t.c_str());
        const Rk_DirectoryStruct d = dir_of(c.path);
        int size = -1;
        ASSERT_EQ(Rk_DirectoryParse(&d, &list, &size), 0) << c.path;
        EXPECT_EQ(list_texts(list), c.after) << c.path;
        EXPECT_EQ(size, static_cast<int>(c.after.size())) << c.path;
        Rk_StrListFree(&list);
    }
}

TEST_F(DirectoryParts, ParseLeavesACallersStrtokAlone)
{
    char text[] = "one two three";
    ASSERT_STREQ(std::strtok(text, " "), "one");
    Rk_StrList list{};
    Rk_StrListInit(&list, 1);
    const Rk_DirectoryStruct d = dir_of("C:\\p\\q\\");
    int size = 0;
    ASSERT_EQ(Rk_DirectoryParse(&d, &list, &size), 0);
    const char* next = std::strtok(nullptr, " ");
    ASSERT_NE(next, nullptr);
    EXPECT_STREQ(next, "two") << "Parse disturbed the runtime's strtok";
    Rk_StrListFree(&list);
}

TEST_F(DirectoryParts, ParseReportsAListThatCannotGrow)
{
    Rk_StrList list{};
    ASSERT_EQ(Rk_StrListInit(&list, 1), 0);
    const Rk_DirectoryStruct d = dir_of("C:\\a\\b\\");
    int size = -1;
    {
        rktest::FailingAlloc guard(2);
        EXPECT_EQ(Rk_DirectoryParse(&d, &list, &size), 1);
    }
    EXPECT_ERROR(11, "rk_strtb(");
    EXPECT_EQ(size, -1);
    EXPECT_EQ(list_texts(list), Texts{"a"}) << "the components before the failure stay";
    Rk_StrListFree(&list);
}

TEST_F(DirectoryRelative, LeadsFromOneDirectoryToAnother)
{
    struct Case {
        const char* from;
        const char* to;
        const char* expected;
    };
    const Case cases[] = {
        {"C:\\a\\b\\", "C:\\a\\b\\c\\d\\", "c\\d\\"},  // below
        {"C:\\a\\b\\", "c:\\A\\x\\", "..\\x\\"},       // across, case ignored
        {"C:\\a\\", "D:\\a\\", "D:\\a\\"},             // another drive: the whole path
        {"c:\\a\\", "D:\\b\\", "D:\\b\\"},
        {"C:\\A\\B\\", "c:\\a\\b\\", ""},              // the same directory
        {"C:\\a\\b\\c\\", "C:\\a\\", "..\\..\\"},      // above
        {"C:\\x\\y\\", "C:\\p\\", "..\\..\\p\\"},      // nothing in common
        {"\\a\\", "C:\\a\\b\\", "b\\"},                // one drive only: components compared
        {"\\", "\\", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(relative(c.from, c.to), c.expected) << c.from << " -> " << c.to;
}

TEST_F(DirectoryRelative, TheResultMayReplaceEitherPath)
{
    Rk_DirectoryStruct from = dir_of("C:\\a\\b\\");
    Rk_DirectoryStruct to = dir_of("C:\\a\\c\\");
    ASSERT_EQ(Rk_DirectoryGetRelativePath(&from, &to, to.dir_path), 0);
    EXPECT_STREQ(to.dir_path, "..\\c\\");
    to = dir_of("D:\\z\\");
    ASSERT_EQ(Rk_DirectoryGetRelativePath(&from, &to, from.dir_path), 0);
    EXPECT_STREQ(from.dir_path, "D:\\z\\");
}

TEST_F(DirectoryRelative, APathLongerThan256CharactersFailsWithinTheBuffer)
{
    std::string deep_a = "C:\\";
    std::string deep_b = "C:\\";
    for (int i = 0; i < 120; ++i) {
        deep_a += "a\\";
        deep_b += "b\\";
    }
    const Rk_DirectoryStruct from = dir_of(deep_a);
    const Rk_DirectoryStruct to = dir_of(deep_b);
    struct {
        char out[RK_PATH_MAX + 1];
        char canary;
    } buffer;
    std::strcpy(buffer.out, "unset");
    buffer.canary = '@';
    EXPECT_EQ(Rk_DirectoryGetRelativePath(&from, &to, buffer.out), 1) << "600 characters cannot be returned";
    EXPECT_ERROR(1, "rk_dir(");
    EXPECT_STREQ(buffer.out, "");
    EXPECT_EQ(buffer.canary, '@');

    std::string from84 = "C:\\";
    for (int i = 0; i < 84; ++i) from84 += "a\\";
    EXPECT_EQ(relative(from84, "C:\\bbb\\").size(), 256u) << "84 steps up and one component fill 256";
    EXPECT_EQ(relative(from84 + "a\\", "C:\\bbb\\"), "<failed>");
    EXPECT_ERROR(1, "rk_dir(");
}

TEST_F(DirectoryRelative, AllocationFailuresLeaveAnEmptyResult)
{
    const Rk_DirectoryStruct from = dir_of("C:\\a\\b\\");
    const Rk_DirectoryStruct to = dir_of("C:\\a\\c\\");
    int status = 1;
    long n = 1;
    for (; status != 0 && n < 20; ++n) {
        char out[RK_PATH_MAX + 1] = "unset";
        {
            rktest::FailingAlloc guard(n);
            status = Rk_DirectoryGetRelativePath(&from, &to, out);
        }
        if (status == 0) {
            EXPECT_STREQ(out, "..\\c\\");
            break;
        }
        EXPECT_STREQ(out, "") << "failure " << n;
        EXPECT_ERROR(11, "rk_strtb(");
    }
    EXPECT_EQ(status, 0);
    EXPECT_GT(n, 4) << "two lists and four components: several allocations can fail";
}

TEST_F(DirectoryFixedDeathTest, TheFixedCurrentDirectoryIsTheDevelopmentDirectory)
{
    // The switch lasts for the whole process, so it is thrown in a child of its own.
    EXPECT_EXIT(
        {
            WorkingDir cwd("C:\\w\\x");
            Rk_DirectoryFixCurrentDir();
            Rk_DirectoryStruct d;
            int failures = 0;
            failures += Rk_DirectorySetToCurrent(&d) != 0 || std::strcmp(d.dir_path, "C:\\rkbasekit\\dev\\") != 0;
            failures += set("sub") != "C:\\rkbasekit\\dev\\sub\\";
            failures += set("..") != "C:\\rkbasekit\\";
            failures += set("D:\\t") != "D:\\t\\";
            _exit(failures);
        },
        ::testing::ExitedWithCode(0), "");

    EXPECT_EQ(set("sub"), set("") + "sub\\") << "the parent process is not fixed";
}

}  // namespace
