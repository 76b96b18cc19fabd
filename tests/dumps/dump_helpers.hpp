// Helpers of the dump tests: a report that collects its lines in a string list, what the console
// received, and memory that runs out for as long as a guard lives.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/seams.hpp"
#include "rk_basekit.h"

namespace rktest {

using Lines = std::vector<std::string>;

// A report into a string list that keeps every line, equal ones included, with the indent given.
class ListReport {
public:
    explicit ListReport(int indent = 0)
    {
        EXPECT_EQ(Rk_StrListInit(&list_, 1), 0);
        Rk_ReportStrListInit(&report_, &list_);
        EXPECT_EQ(Rk_ReportSetIndent(&report_, indent), 0);
    }
    ~ListReport()
    {
        Rk_ReportClose(&report_);
        Rk_StrListFree(&list_);
    }
    ListReport(const ListReport&) = delete;
    ListReport& operator=(const ListReport&) = delete;

    Rk_ReportStruct* get() { return &report_; }

    Lines lines() const
    {
        int size = 0;
        EXPECT_EQ(Rk_StrListGetSize(&list_, &size), 0);
        Lines out;
        for (int i = 0; i < size; ++i) {
            char* text = nullptr;
            Rk_StrListGet(&list_, i, &text);
            out.emplace_back(text);
        }
        return out;
    }

    int indent() const
    {
        int indent = -1;
        Rk_ReportGetIndent(&report_, &indent);
        return indent;
    }

private:
    Rk_StrList list_{};
    Rk_ReportStruct report_{};
};

// Runs `print` with standard output captured; returns what it printed.
template <class Print>
std::string ConsoleOf(Print print)
{
    testing::internal::CaptureStdout();
    print();
    return testing::internal::GetCapturedStdout();
}

// Every allocation fails while this lives.
class NoMemory {
public:
    NoMemory() { rk::seam::fail_all_allocs(); }
    ~NoMemory() { rk::seam::fail_nth_alloc(0); }
    NoMemory(const NoMemory&) = delete;
    NoMemory& operator=(const NoMemory&) = delete;
};

// What a dump printed to a console report with no memory to be had, its status, and the report's
// indent afterwards.
struct Starved {
    std::string printed;
    int status;
    int indent;
};

template <class Dump>
Starved ConsoleWithoutMemory(Dump dump)
{
    Rk_ReportStruct console;
    Rk_ReportConsoleInit(&console);
    Starved out{};
    out.printed = ConsoleOf([&] {
        NoMemory no_memory;
        out.status = dump(&console);
    });
    Rk_ReportGetIndent(&console, &out.indent);
    return out;
}

// A line of as many '-' as `title` has characters: the underline of a dump's title.
inline std::string Underline(const std::string& title) { return std::string(title.size(), '-'); }

// The text of `lines` as the console prints them: each followed by a newline.
inline std::string Printed(const Lines& lines)
{
    std::string out;
    for (const auto& line : lines) out += line + "\n";
    return out;
}

}  // namespace rktest
