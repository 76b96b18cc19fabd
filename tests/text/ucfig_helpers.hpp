// The settings-file tests' fixture: a live configuration, freed before the fixture looks for leaks,
// with readers of its table and of the temporary folder.
#pragma once

#include "rk_test.hpp"

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

const char kExample[] = "# units\n[ Display ]\nUnits = mm\ngrid=ON\n[Print]\nCopies = 2\n";

using Pairs = std::vector<std::pair<std::string, std::string>>;

// A live configuration, freed before the fixture looks for leaks.
class UserConfig : public rktest::LibraryTest {
protected:
    void SetUp() override
    {
        LibraryTest::SetUp();
        ASSERT_EQ(Rk_UserConfigInit(&cfg_), 0);
    }
    void TearDown() override
    {
        Rk_UserConfigFree(&cfg_);
        LibraryTest::TearDown();
    }

    void Set(const char* var, const char* val) { ASSERT_EQ(Rk_UserConfigSetValue(&cfg_, var, val), 0); }

    std::string Cell(int col, int row) const { return cfg_.set_table.table.stable[col][row]; }

    // Every setting as (name as first given, value), in table order.
    Pairs Settings() const
    {
        Pairs out;
        for (int row = 0; row < cfg_.set_table.num_rows; ++row) out.emplace_back(Cell(1, row), Cell(2, row));
        return out;
    }

    // Reads `section` of `file`; returns {file_found, section_found}.
    std::pair<int, int> Read(const std::string& file, const char* section)
    {
        int file_found = -1;
        int section_found = -1;
        EXPECT_EQ(Rk_UserConfigReadFromFile(&cfg_, file.c_str(), section, &file_found, &section_found), 0);
        return {file_found, section_found};
    }

    // Writes `section` into `file` and returns the file's content.
    std::string Write(const std::string& file, const char* section)
    {
        EXPECT_EQ(Rk_UserConfigWriteToFile(&cfg_, file.c_str(), section), 0);
        return rktest::ReadFile(file);
    }

    // Names in the temporary folder other than the message file: a failed write leaves no new file.
    std::set<std::string> Entries() const
    {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(TempDir()))
            if (entry.path().filename() != "messages.txt") names.insert(entry.path().filename().string());
        return names;
    }

    Rk_UserConfig cfg_{};
};

using UserConfigLine = rktest::LibraryTest;

// Runs `attempt` with the n-th allocation failing, n = 1, 2, ... until it succeeds; after every
// failure checks one error 11 was queued and calls `check`. Returns the number of failures.
template <class Attempt, class Check>
inline int FailEachAllocation(Attempt attempt, Check check)
{
    int failures = 0;
    for (long n = 1; n < 1000; ++n) {
        int status = 0;
        {
            rktest::FailingAlloc guard(n);
            status = attempt();
        }
        if (status == 0) break;
        ++failures;
        Rk_ErrorStruct error;
        int found = 0;
        Rk_ErrorQueueGetError(&error, &found);
        EXPECT_TRUE(found && error.msg.msg_id == 11) << "allocation " << n;
        check();
    }
    return failures;
}
