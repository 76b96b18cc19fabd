// Helpers of the dump tests: what a dump writes to a report of its own, and to the console.
#pragma once

#include "rk_test.hpp"

namespace rktest {

// What a dump wrote to a string-list report that starts at `indent`, its status, and whether it
// left the indent as it found it.
struct Dumped {
    int status;
    Lines lines;
    bool indent_kept;
};

template <class Dump>
Dumped DumpOf(Dump dump, int indent = 0)
{
    ListReport report(indent);
    const int status = dump(report.get());
    return {status, report.lines(), report.indent() == indent};
}

// The text of `lines` as the console prints them.
inline std::string Printed(const Lines& lines)
{
    std::string out;
    for (const auto& line : lines) out += line + "\n";
    return out;
}

// What a dump printed to a console report with no memory to be had, and its status.
template <class Dump>
std::pair<std::string, int> ConsoleWithoutMemory(Dump dump)
{
    Rk_ReportStruct console;
    Rk_ReportConsoleInit(&console);
    int status = -1;
    const std::string printed = ConsoleOf([&] {
        FailingAlloc none(FailingAlloc::kEvery);
        status = dump(&console);
    });
    EXPECT_EQ(console.indent, 0) << "the indent was not restored";
    return {printed, status};
}

}  // namespace rktest
