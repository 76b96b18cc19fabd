// User configuration: a file is replaced whole or not at all: refused input, failures part way,
// its permissions, owner and link kept.
#include "ucfig_helpers.hpp"

// ---- Replacing the file ----

TEST_F(UserConfig, WritingRefusesWhatItCouldNotWriteBack)
{
    Set("k", "v");
    const char raw[] = "[Z]\nk = 1\nbin\0ary\n";
    const std::string with_nul(raw, sizeof raw - 1);
    const std::string nul_file = WriteTempFile("nul.ini", with_nul);
    const struct {
        std::string file;
        const char* what;
    } cases[] = {
        {"", "a blank name"},
        {"   ", "a blank name"},
        {TempDir(), "a directory"},
        {TempDir() + "/gone/x.ini", "a path in a missing directory"},
        {nul_file, "a file holding a NUL byte"},
    };
    const auto before = Entries();
    for (const auto& c : cases) {
        EXPECT_EQ(Rk_UserConfigWriteToFile(&cfg_, c.file.c_str(), "Z"), 1) << c.what;
        EXPECT_ERROR(1, "rk_ucfig(");
    }
    EXPECT_EQ(rktest::ReadFile(nul_file), with_nul);
    EXPECT_EQ(Entries(), before) << "nothing created, nothing left behind";
}

TEST_F(UserConfig, AWriteFailingPartWayLeavesTheOriginalIntact)
{
    const std::string file = WriteTempFile("example.ini", kExample);
    Set("Units", std::string(20000, 'u').c_str());
    rlimit old_limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
    rlimit small = old_limit;
    small.rlim_cur = 4096;
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int status = Rk_UserConfigWriteToFile(&cfg_, file.c_str(), "Display");
    setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);

    EXPECT_EQ(status, 1) << "the file size limit stops the write";
    EXPECT_ERROR(1, "rk_ucfig(");
    EXPECT_EQ(rktest::ReadFile(file), kExample);
    EXPECT_EQ(Entries(), std::set<std::string>{"example.ini"});
}

TEST_F(UserConfig, AnAllocationFailureAtAnyPointOfAWriteLeavesTheOriginalIntact)
{
    const std::string file = WriteTempFile("example.ini", std::string(kExample) + std::string(40, '\n'));
    Set("Units", "in");
    Set("New", "1");
    int failures = 0;
    for (long n = 1;; ++n) {
        rktest::FailingAlloc guard(n);
        if (Rk_UserConfigWriteToFile(&cfg_, file.c_str(), "Display") == 0) break;
        ++failures;
        EXPECT_ERROR(11, "rk_");
        ASSERT_EQ(rktest::ReadFile(file), std::string(kExample) + std::string(40, '\n')) << "allocation " << n;
        ASSERT_EQ(Entries(), std::set<std::string>{"example.ini"}) << "allocation " << n;
    }
    EXPECT_GT(failures, 3) << "the scratch table grows past its first block";
    EXPECT_EQ(rktest::ReadFile(file),
              "# units\n[ Display ]\nUnits = in\nNew = 1\n[Print]\nCopies = 2\n" + std::string(40, '\n'));
}

TEST_F(UserConfig, TheRewrittenFileKeepsItsPermissionsItsOwnerAndItsLink)
{
    Set("k", "v");
    const std::string file = WriteTempFile("p.ini", "[Z]\n");
    for (mode_t mode : {mode_t{0640}, mode_t{0600}, mode_t{0604}}) {
        ASSERT_EQ(chmod(file.c_str(), mode), 0);
        Write(file, "Z");
        struct stat info {};
        ASSERT_EQ(stat(file.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode);
    }

    const mode_t mask = umask(022);
    umask(mask);
    const std::string fresh = TempDir() + "/fresh.ini";
    Write(fresh, "Z");
    struct stat info {};
    ASSERT_EQ(stat(fresh.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0666 & ~mask) << "a new file is made as any other";

    const std::string link = TempDir() + "/link.ini";
    ASSERT_EQ(symlink(file.c_str(), link.c_str()), 0);
    Set("k", "w");
    EXPECT_EQ(Write(link, "Z"), "[Z]\nk = w\n");
    EXPECT_TRUE(fs::is_symlink(link)) << "the link stays a link";
    EXPECT_EQ(rktest::ReadFile(file), "[Z]\nk = w\n");

    if (geteuid() != 0) GTEST_SKIP() << "handing a file to another owner needs root";
    ASSERT_EQ(chown(file.c_str(), 4242, 4343), 0);
    Write(file, "Z");
    ASSERT_EQ(stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 4242u);
    EXPECT_EQ(info.st_gid, 4343u);
}

TEST_F(UserConfig, ALeftoverFileOfTheSameNameIsNeitherUsedNorTouched)
{
    const std::string file = WriteTempFile("x.ini", "[Z]\n");
    const std::string stale = WriteTempFile("x.ini." + std::to_string(getpid()) + "-0.tmp", "stale");
    Set("k", "v");
    EXPECT_EQ(Write(file, "Z"), "[Z]\nk = v\n");
    EXPECT_EQ(rktest::ReadFile(stale), "stale");
    EXPECT_EQ(Entries(), (std::set<std::string>{"x.ini", "x.ini." + std::to_string(getpid()) + "-0.tmp"}));
}
