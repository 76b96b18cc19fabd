// Directory paths: every form resolved against a substitute working directory (C:\w\x), parents, roots,
// components, relative paths, failures. The thread tests try the real and the development directory.
#include "text_helpers.hpp"

#include <cstring>

namespace {

using Directory = rktest::LibraryTest;

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
    rk::seam::substitute_working_dir("C:\\w\\x");
    const std::string r248(248, 'r');  // with C:\w\x\ and the final backslash: 256 characters
    const std::pair<std::string, std::string> cases[] = {
        {"*", "C:\\w\\x\\"}, {"  \t\n", "C:\\w\\x\\"}, {".", "C:\\w\\x\\"}, {"C:", "C:\\w\\x\\"},
        {"D:t", "C:\\w\\x\\t\\"},  // a drive without a backslash after it is dropped
        {".\\sub", "C:\\w\\x\\sub\\"}, {"  sub \n", "C:\\w\\x\\sub\\"}, {"..", "C:\\w\\"}, {"..\\ ..\\y", "C:\\y\\"},
        {repeat("..\\", 200) + ".\\z", "C:\\z\\"},  // climbing stops at the root; the dots and backslashes left go
        {"\\t", "\\t\\"}, {"e:\\Mixed", "e:\\Mixed\\"}, {r248, "C:\\w\\x\\" + r248 + "\\"}, {r248 + "r", "error 1"},
    };
    for (const auto& [typed, expected] : cases) EXPECT_EQ(set(typed), expected) << "'" << typed << "'";
    rk::seam::substitute_working_dir("w\\x");
    EXPECT_EQ(set("*"), "error 5") << "a relative working directory cannot be current";
    rk::seam::substitute_working_dir(nullptr);
}

TEST_F(Directory, ParentsStopAtARootAndRootsKeepTheDriveAsWritten)
{
    const struct { const char *path, *parent, *root; } cases[] = {
        {"C:\\a\\b\\", "C:\\a\\", "C:\\"}, {"e:\\a\\", "e:\\", "e:\\"}, {"\\a\\", "\\", "\\"}, {"C:\\", "", "C:\\"},
        {"\\", "", "\\"}, {"a\\", "", "\\"}, {"C:\\a", "error 5", "C:\\"}, {"", "error 5", "\\"},
    };
    for (const auto& c : cases) {
        Rk_DirectoryStruct d = dir_of(c.path), out{};
        int found = 7;
        const int status = Rk_DirectoryGetParent(&d, &out, &found);
        EXPECT_EQ(status ? failure(status, "rk_dir(") : out.dir_path, c.parent) << c.path << ": none leaves the output";
        EXPECT_EQ(found, c.parent[0] && !status) << c.path;
        Rk_DirectoryGetRoot(&d, &d);
        EXPECT_STREQ(d.dir_path, c.root) << c.path << ": the root may replace the directory";
    }
}

TEST_F(Directory, RelativePathsLeadFromOneDirectoryToAnother)
{
    const struct { std::string from, to, expected; } cases[] = {
        {"C:\\a\\b\\", "C:\\a\\b\\c\\d\\", "c\\d\\"}, {"C:\\a\\b\\", "c:\\A\\x\\", "..\\x\\"},
        {"C:\\A\\B\\", "c:\\a\\b\\", ""}, {"C:\\a\\b\\c\\", "C:\\a\\", "..\\..\\"},
        {"c:\\a\\", "D:\\b\\", "D:\\b\\"}, {"\\a\\", "C:\\a\\b\\", "b\\"},  // another drive, one drive only
        {"C:\\" + repeat("a\\", 84), "C:\\bbb\\", repeat("..\\", 84) + "bbb\\"},  // 256 characters
        {"C:\\" + repeat("a\\", 85), "C:\\bbb\\", "error 1"},                      // a failure leaves ""
    };
    for (const auto& c : cases) {
        const Rk_DirectoryStruct from = dir_of(c.from);
        Rk_DirectoryStruct to = dir_of(c.to);
        const int status = Rk_DirectoryGetRelativePath(&from, &to, to.dir_path);
        EXPECT_EQ(status ? failure(status, "rk_dir(") + to.dir_path : to.dir_path, c.expected) << "written over `to`";
    }
    const Rk_DirectoryStruct from = dir_of("C:\\a\\b\\"), to = dir_of("C:\\a\\c\\");
    char out[RK_PATH_MAX + 1] = "unset";
    const auto relate = [&] { return Rk_DirectoryGetRelativePath(&from, &to, out); };
    EXPECT_GE(fail_each_allocation("rk_strtb(", relate, [&] {
        EXPECT_STREQ(out, "");
        std::strcpy(out, "unset");
    }), 4) << "two lists and four components";
}

TEST_F(Directory, ParseAppendsTheComponentsLeavingACallersStrtokAlone)
{
    char text[] = "one two";
    ASSERT_STREQ(std::strtok(text, " "), "one");
    const Rk_DirectoryStruct d = dir_of("c:r\\\\x\\");
    Rk_StrList list{};
    int size = -1;
    Rk_StrListInit(&list, 1);
    Rk_StrListAdd(&list, "x");
    const auto parse = [&] { return Rk_DirectoryParse(&d, &list, &size); };
    EXPECT_GE(fail_each_allocation("rk_strtb(", parse, [&] {  // the components before the failure stay
        EXPECT_TRUE(size == -1 && rktest::Texts(list).size() < 3);
        Rk_StrListClear(&list);
        Rk_StrListAdd(&list, "x");
    }), 2) << "a copy of each component";
    EXPECT_TRUE(rktest::Texts(list) == (Lines{"x", "r", "x"}) && size == 3) << "no drive, no empty component";
    EXPECT_STREQ(std::strtok(nullptr, " "), "two");
    Rk_StrListFree(&list);
}

}  // namespace
