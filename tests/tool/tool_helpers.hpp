// Running rkdatum as a subprocess and reading the numbers of its report.
#pragma once

#include <gtest/gtest.h>

#include <sys/wait.h>

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

// Runs the tool with `args`, its outputs captured in files of `dir`.
inline Run rkdatum(const std::vector<std::string>& args, const std::string& dir)
{
    std::string command = shell_quoted(RKDATUM_EXE);
    for (const std::string& arg : args) command += " " + shell_quoted(arg);
    const std::string out = dir + "/stdout.txt";
    const std::string err = dir + "/stderr.txt";
    command += " >" + shell_quoted(out) + " 2>" + shell_quoted(err) + " </dev/null";
    Run run;
    const int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = rktest::ReadFile(out);
    run.err = rktest::ReadFile(err);
    return run;
}

inline std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

inline std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> cells;
    std::istringstream in(text);
    for (std::string cell; std::getline(in, cell, separator);) cells.push_back(cell);
    return cells;
}

// The part of a report that starts at the line beginning with `from` and ends before the next line
// beginning (after its indent) with `to`, or at the next title (a line underlined with dashes).
inline std::string part(const std::string& text, const std::string& from, const std::string& to = "")
{
    const std::vector<std::string> lines = lines_of(text);
    std::string result;
    bool inside = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string stripped = lines[i].substr(std::min(lines[i].find_first_not_of(' '), lines[i].size()));
        if (!inside) {
            inside = stripped.rfind(from, 0) == 0;
            if (!inside) continue;
        } else if ((!to.empty() && stripped.rfind(to, 0) == 0) ||
                   (i + 1 < lines.size() && lines[i + 1].rfind("---", 0) == 0)) {
            break;
        }
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

// The C and O cells of a degree-of-freedom row, as one word such as "OCCOCOCCCCCC".
inline std::string cells(const std::string& text, const std::string& label)
{
    std::string joined;
    for (const std::string& word : words_after(text, label)) joined += word;
    return joined;
}

inline ::testing::AssertionResult near(const std::vector<double>& actual, const std::vector<double>& expected,
                                       double tolerance = 1e-4)
{
    bool same = actual.size() == expected.size();
    for (std::size_t i = 0; same && i < actual.size(); ++i) same = std::abs(actual[i] - expected[i]) <= tolerance;
    if (same) return ::testing::AssertionSuccess();
    std::ostringstream message;
    message << "got";
    for (double v : actual) message << " " << v;
    message << ", expected";
    for (double v : expected) message << " " << v;
    return ::testing::AssertionFailure() << message.str();
}

}  // namespace tooltest
