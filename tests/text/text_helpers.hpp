// What the text-module tests share: a failure read as text, a call run under every allocation
// failure it can meet, a live configuration and the settings file most tests start from.
#pragma once

#include "rk_test.hpp"

#include <string>

using rktest::Lines;

// "error <id>" when the call returned 1 having queued one error raised in `module` (a location
// prefix); anything else is spelt out. Takes the error.
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
// error 11 in `module` ("rk_" for any); `check` says what must still hold. Returns the failures.
template <class Attempt, class Check>
int fail_each_allocation(const char* module, Attempt attempt, Check check)
{
    for (int n = 1; n < 1000; ++n) {
        const int status = rktest::WithFailingAlloc(n, attempt);
        if (status == 0) return n - 1;
        EXPECT_EQ(failure(status, module), "error 11") << "allocation " << n;
        check();
    }
    return 1000;
}

// A live configuration holding `settings` (name, value), freed before the fixture looks for leaks.
struct Config {
    Rk_UserConfig c{};
    explicit Config(std::initializer_list<std::pair<std::string, std::string>> settings = {})
    {
        EXPECT_EQ(Rk_UserConfigInit(&c), 0);
        for (const auto& [var, val] : settings) EXPECT_EQ(Rk_UserConfigSetValue(&c, var.c_str(), val.c_str()), 0);
    }
    ~Config() { Rk_UserConfigFree(&c); }
    std::string settings() const  // "name=value;" for each row, in table order
    {
        std::string out;
        for (int row = 0; row < c.set_table.num_rows; ++row)
            out += std::string(c.set_table.table.stable[1][row]) + "=" + c.set_table.table.stable[2][row] + ";";
        return out;
    }
};

// A settings file with a comment, two sections and a setting without blanks around '='.
inline const char kExample[] = "# units\n[ Display ]\nUnits = mm\ngrid=ON\n[Print]\nCopies = 2\n";

// Writes `section` of `config` into `file`: the file's content then, after the failure if it failed.
inline std::string write(Config& config, const std::string& file, const char* section)
{
    const int status = Rk_UserConfigWriteToFile(&config.c, file.c_str(), section);
    return (status ? failure(status, "rk_ucfig(") + ": " : "") + rktest::ReadFile(file);
}
