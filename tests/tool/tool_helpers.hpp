// Running rkdatum as a subprocess and reading the numbers of its report; the fixture, the schemes
// several tests start from, and the check that a run was refused with one message.
#pragma once

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "rk_test.hpp"

namespace tooltest {

struct Run {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string shell_quoted(const std::string& arg)
{
    std::string quoted = "'";
    for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

inline std::string example(const std::string& name) { return std::string(RKDATUM_EXAMPLES) + "/" + name; }

inline std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> cells;
    std::istringstream in(text);
    for (std::string cell; std::getline(in, cell, separator);) cells.push_back(cell);
    return cells;
}

inline std::vector<std::string> lines_of(const std::string& text) { return split(text, '\n'); }

// The item of a JSON list whose `key` is `name`.
inline const nlohmann::json& named(const nlohmann::json& list, const std::string& name, const char* key = "name")
{
    for (const nlohmann::json& item : list)
        if (item.at(key) == name) return item;
    throw std::runtime_error("nothing named " + name);
}

inline double phi(double z) { return 0.5 * std::erfc(-z / std::sqrt(2.0)); }

// The part of a report that starts at the line beginning with `from` and ends before the next line
// beginning (after its indent) with `to`, or at the next title (a line underlined with dashes).
inline std::string part(const std::string& text, const std::string& from, const std::string& to = "")
{
    const std::vector<std::string> lines = lines_of(text);
    std::string result;   // empty until the line that starts it
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string stripped = lines[i].substr(std::min(lines[i].find_first_not_of(' '), lines[i].size()));
        const bool title = i + 1 < lines.size() && lines[i + 1].rfind("---", 0) == 0;
        if (result.empty() && stripped.rfind(from, 0) != 0) continue;
        if (!result.empty() && ((!to.empty() && stripped.rfind(to, 0) == 0) || title)) break;
        result += lines[i] + "\n";
    }
    return result;
}

// The words after `label` on the first line of `text` that starts with it (after its indent).
inline std::vector<std::string> words_after(const std::string& text, const std::string& label)
{
    for (const std::string& line : lines_of(text)) {
        const std::size_t start = line.find_first_not_of(' ');
        if (start == std::string::npos || line.compare(start, label.size() + 1, label + " ") != 0) continue;
        std::istringstream in(line.substr(start + label.size()));
        std::vector<std::string> words;
        for (std::string word; in >> word;) words.push_back(word);
        return words;
    }
    ADD_FAILURE() << "no line starts with '" << label << "' in:\n" << text;
    return {};
}

// The numbers after `label` (an arrow between the object's and the target's columns is skipped).
inline std::vector<double> numbers(const std::string& text, const std::string& label)
{
    std::vector<double> values;
    for (const std::string& word : words_after(text, label))
        if (word != "->") values.push_back(std::stod(word));
    return values;
}

// Numbers (a JSON array, a vector or an array) against `expected`, each within `tolerance`.
inline ::testing::AssertionResult near(const nlohmann::json& actual, const nlohmann::json& expected,
                                       double tolerance = 1e-4)
{
    bool same = actual.size() == expected.size();
    for (std::size_t i = 0; same && i < actual.size(); ++i)
        same = std::abs(actual[i].get<double>() - expected[i].get<double>()) <= tolerance;
    if (same) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got " << actual << ", expected " << expected;
}

// Whether `text` holds `phrase` (at its start when `at_start`).
inline ::testing::AssertionResult has(const std::string& text, const std::string& phrase, bool at_start = false)
{
    const std::size_t at = text.find(phrase);
    if (at_start ? at == 0 : at != std::string::npos) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "no '" << phrase << (at_start ? "' at the start of:\n" : "' in:\n") << text;
}

// Object and target located by one point each, (0,0,0) onto (10,20,30): the probe (5,5,5) lands at
// (15,25,35). A deviation d of the object's point moves the image by -d, of the target's by +d.
inline std::string point_scheme(const std::string& measurements, const std::string& variation, long samples)
{
    return "[ Object ]\nprimary = point\nprimary points = 0 0 0\n[ Target ]\nprimary = point\n"
           "primary points = 10 20 30\n[ Check points ]\nprobe = 5 5 5\n" +
           (measurements.empty() ? "" : "[ Measurements ]\n" + measurements) +
           "[ Variation ]\nsamples = " + std::to_string(samples) + "\nseed = 4242\n" + variation;
}

// A primary line 0.03 long whose points vary over +-0.02 along it: in about one sample in eight they
// come within the point tolerance, the line cannot be built and the sample fails.
inline std::string short_line_scheme(long samples)
{
    return "[ Object ]\nprimary = line\nprimary points = 0 0 0; 0.03 0 0\n"
           "[ Target ]\nprimary = line\nprimary points = 0 0 0; 0.03 0 0\n"
           "[ Check points ]\nprobe, \"tip\" = 1 1 1\n[ Measurements ]\nheight = coordinate probe, \"tip\" along z\n"
           "[ Variation ]\nsamples = " + std::to_string(samples) + "\nobject primary = uniform range 0.04 along x\n";
}

class ToolTest : public rktest::LibraryTest {
protected:
    // Runs the tool with `args`, its outputs captured in files of the test's folder.
    tooltest::Run Tool(const std::vector<std::string>& args) const
    {
        std::string command = shell_quoted(RKDATUM_EXE);
        for (const std::string& arg : args) command += " " + shell_quoted(arg);
        command += " >" + shell_quoted(TempDir() + "/stdout.txt") + " 2>" + shell_quoted(TempDir() + "/stderr.txt");
        const int raw = std::system((command + " </dev/null").c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, rktest::ReadFile(TempDir() + "/stdout.txt"),
                rktest::ReadFile(TempDir() + "/stderr.txt")};
    }

    // Runs the tool with --quiet --json and `args`, expecting success; the report is kept in `report`.
    nlohmann::json Json(std::vector<std::string> args)
    {
        const std::string out = TempDir() + "/run.json";
        args.insert(args.begin(), {"--quiet", "--json", out});
        const tooltest::Run run = Tool(args);
        EXPECT_EQ(run.status, 0) << run.err;
        report = run.out;
        return nlohmann::json::parse(rktest::ReadFile(out));
    }

    // A refusal: status 1, nothing on standard output, and `lines` lines on standard error, which
    // start with `start` and hold `phrase`.
    void ExpectRefused(const std::vector<std::string>& args, const std::string& start, const std::string& phrase,
                       long lines = 1) const
    {
        const tooltest::Run run = Tool(args);
        EXPECT_EQ(run.status, 1) << run.err;
        EXPECT_EQ(run.out, "") << "a report was printed despite the bad input";
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), lines) << run.err;
        EXPECT_TRUE(has(run.err, start, true));
        EXPECT_TRUE(has(run.err, phrase));
    }

    std::string report;
};

}  // namespace tooltest
