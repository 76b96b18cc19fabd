// What the text-module tests share: reading a string list back, running a call under every
// allocation failure it can meet, and capturing the console.
#pragma once

#include "rk_test.hpp"

#include <string>
#include <vector>

using Lines = std::vector<std::string>;

inline Lines list_lines(const Rk_StrList& list)
{
    int size = 0;
    Rk_StrListGetSize(&list, &size);
    Lines out;
    for (int i = 0; i < size; ++i) {
        char* text = nullptr;
        Rk_StrListGet(&list, i, &text);
        out.emplace_back(text);
    }
    return out;
}

// How a call that returned `status` failed: "error <id>" when it returned 1 and queued one error,
// raised in a module whose location starts with `module`; anything else is spelt out. Takes the error.
inline std::string failure(int status, const char* module)
{
    Rk_ErrorStruct error;
    int found = 0, left = 0;
    Rk_ErrorQueueGetError(&error, &found);
    Rk_ErrorQueueGetSize(&left);
    if (!found) return "status " + std::to_string(status) + ", no error";
    std::string out = "error " + std::to_string(error.msg.msg_id);
    if (status != 1) out += ", status " + std::to_string(status);
    if (std::string(error.loc).rfind(module, 0) != 0) out += " at " + std::string(error.loc);
    return left ? out + " and more" : out;
}

// Runs `attempt` with allocation n = 1, 2, ... failing until it succeeds. Each failure must raise
// error 11 in `module` ("rk_" for any); `check` then says what must still hold. Returns the
// number of failures.
template <class Attempt, class Check>
int fail_each_allocation(const char* module, Attempt attempt, Check check)
{
    int failures = 0;
    for (long n = 1; n < 1000; ++n) {
        int status = 0;
        {
            rktest::FailingAlloc guard(n);
            status = attempt();
        }
        if (status == 0) return failures;
        SCOPED_TRACE("allocation " + std::to_string(n));
        ++failures;
        EXPECT_EQ(failure(status, module), "error 11");
        check();
    }
    return failures;
}

// What `write` printed on the console.
template <class Write>
std::string console_of(Write write)
{
    testing::internal::CaptureStdout();
    write();
    return testing::internal::GetCapturedStdout();
}

// A live configuration, freed before the fixture looks for leaks, and its settings as
// "name=value;" in table order.
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
    std::string Settings() const
    {
        std::string out;
        for (int row = 0; row < cfg_.set_table.num_rows; ++row)
            out += std::string(cfg_.set_table.table.stable[1][row]) + "=" + cfg_.set_table.table.stable[2][row] + ";";
        return out;
    }
    Rk_UserConfig cfg_{};
};
