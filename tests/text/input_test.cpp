// The input reader: lines from the line function, a file and standard input, with comments and
// blank lines cut; statements, token reads, skipped lines, copies into reports; every failure.
#include "text_helpers.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cstring>

namespace {

using namespace std::string_literals;
using Input = rktest::LibraryTest;

Lines g_lines;  // what the line function hands out, and the next one
std::size_t g_next = 0;
char* next_line(char* line) { return g_next < g_lines.size() ? std::strcpy(line, g_lines[g_next++].c_str()) : nullptr; }

Rk_InputStruct function_reader(const Lines& lines)
{
    g_lines = lines, g_next = 0;
    Rk_InputStruct input;
    Rk_InputInit(&input);
    Rk_InputSetSource(&input, RK_INPUT_FUNCTION, nullptr, next_line);
    return input;
}

// Every line Read delivers up to the end of the input, then its failure if it fails.
Lines read_all(Rk_InputStruct* input)
{
    Lines out;
    char line[RK_INPUT_LINE_MAX + 1];
    for (int eof = 0; out.size() < 100; out.emplace_back(line)) {
        const int status = Rk_InputRead(input, line, &eof);
        if (status) return out.emplace_back(failure(status, "rk_input(")), out;
        if (eof) return out;
    }
    return out;
}

struct StdinFrom {  // the standard input reads `path` while this lives
    int saved = dup(0);
    explicit StdinFrom(const std::string& path) { move_to_stdin(open(path.c_str(), O_RDONLY)); }
    ~StdinFrom() { move_to_stdin(saved); }
    static void move_to_stdin(int fd) { dup2(fd, 0), close(fd), std::clearerr(stdin); }
};

TEST_F(Input, CommentsAndBlankLinesAreCutOnRequestAndLongLinesComeInPieces)
{
    const struct { bool skip_blanks; const char* delim; Lines raw, expected; } cases[] = {  // delim null: comments kept
        {true, "#", {"# header\n", "\n", "a = 1 # one\n"}, {"a = 1 \n"}},
        {false, "#", {"# header\n", "x = 1 # note\n", "x # note"}, {"", "x = 1 \n", "x "}},  // a cut keeps the newline
        {false, nullptr, {"# header\n", "\n"}, {"# header\n", "\n"}}, {true, nullptr, {" \t \n", "b\n"}, {"b\n"}},
        {false, "//", {"a // b // c\n"}, {"a \n"}}, {true, "#", {"   # only\n", "z\n"}, {"z\n"}},
        {false, "", {"a\n", "b\n"}, {"", ""}}, {true, "", {"a\n", "b\n"}, {}},  // "" cuts every line whole
        {false, "1234567890ABCDEF", {"x1234567890ABz\n"}, {"x\n"}},  // twelve characters of it are kept
    };
    for (const auto& c : cases) {
        Rk_InputStruct input = function_reader(c.raw);
        if (c.skip_blanks) Rk_InputIgnoreBlankLinesOn(&input);
        if (c.delim) Rk_InputIgnoreCommentsOn(&input, c.delim);
        EXPECT_EQ(read_all(&input), c.expected) << (c.delim ? c.delim : "no comments") << ", blanks " << c.skip_blanks;
        Rk_InputIgnoreBlankLinesOff(&input), Rk_InputIgnoreCommentsOff(&input), g_next = 0;
        EXPECT_EQ(read_all(&input), c.raw) << "both switches turn off";
    }
    const std::string x300(300, 'x'), y255(255, 'y'), z256(256, 'z');
    const std::string path = WriteTempFile("long.txt", x300 + "\n" + y255 + "\n" + z256 + "\nlast");
    const Lines expected = {x300.substr(0, 256), x300.substr(256) + "\n", y255 + "\n", z256, "\n", "last"};
    Rk_InputStruct input;
    ASSERT_EQ(Rk_InputFileInit(&input, path.c_str()), 0);
    EXPECT_EQ(read_all(&input), expected);
    Rk_InputClose(&input);
    ASSERT_EQ(Rk_InputSetSource(&input, RK_INPUT_CONSOLE, nullptr, nullptr), 0);
    StdinFrom redirect(path);
    EXPECT_EQ(read_all(&input), expected);
}

TEST_F(Input, ReadAndStripDropsOneNewlineAndSkipLinesCountsAcceptedLines)
{
    Rk_InputStruct input = function_reader({"a\n", "\n", "b", "c \n", ""});
    std::string out;
    struct {
        char before = '\n';
        char line[RK_INPUT_LINE_MAX + 1];
    } buffer;
    for (int eof = 0; Rk_InputReadAndStrip(&input, buffer.line, &eof) == 0 && !eof;) out += buffer.line + ";"s;
    EXPECT_EQ(out, "a;;b;c ;;");
    EXPECT_EQ(buffer.before, '\n') << "an empty line has no newline to drop";
    const Lines all = {"a\n", "b\n", "c\n"};
    const std::pair<int, Lines> skips[] = {{2, {"c\n"}}, {0, all}, {-3, all}, {9, {}}};
    for (const auto& [count, rest] : skips) {
        input = function_reader({"a\n", "\n", "b\n", "c\n"});
        Rk_InputIgnoreBlankLinesOn(&input);
        int eof = 7;
        ASSERT_EQ(Rk_InputSkipLines(&input, count, &eof), 0);
        EXPECT_EQ(read_all(&input), rest) << count;
        EXPECT_EQ(eof, count == 9) << count;
    }
}

TEST_F(Input, AStatementJoinsLinesUpToAFinalSemicolon)
{
    const std::pair<Lines, const char*> cases[] = {
        {{"  select a\n", "\n", "from b;  \n", "next\n"}, "select a from b"}, {{"x;y\n", "z;\n", "rest;\n"}, "x;y z"},
        {{";\n", "b;\n"}, ""}, {{"a\n", " ; \n", "b;\n"}, "a "}, {{"a;;\n"}, "a;"},
        {{"a\n", "b"}, "a b + end"},  // an unterminated statement comes with the end of the input
        {{"\n", " \t\n"}, "null + end"},
    };
    for (const auto& [raw, expected] : cases) {
        Rk_InputStruct input = function_reader(raw);
        char* text = reinterpret_cast<char*>(&input);
        int eof = 7;
        ASSERT_EQ(Rk_InputReadSpanningLines(&input, &text, &eof), 0);
        EXPECT_EQ((text ? std::string(text) : "null") + (eof ? " + end" : ""), expected);
        Rkos_Free(text);
    }
    Rk_InputStruct input;
    char* text = nullptr;
    int eof = 0;
    const auto read = [&] {
        input = function_reader({"alpha\n", "beta;\n"}), text = reinterpret_cast<char*>(&input);
        return Rk_InputReadSpanningLines(&input, &text, &eof);
    };
    const int failures = fail_each_allocation("rk_", read, [&] { EXPECT_EQ(text, nullptr); });
    EXPECT_STREQ(text, "alpha beta");
    Rkos_Free(text);
    rktest::FailingAlloc last(failures);
    EXPECT_EQ(failure(read(), "rk_input("), "error 11") << "the joined text, the last to be allocated";
}

TEST_F(Input, TokenReadsStopAtTheFirstMatchingLineAndSayWhichTokensItHolds)
{
    Rk_InputStruct input = function_reader({"one\n", "two END\n", "three END\n", "four\n"});
    char line[RK_INPUT_LINE_MAX + 1] = "kept";
    int eof = 7;
    ASSERT_EQ(Rk_InputReadToToken(&input, "END", &eof), 0);
    ASSERT_EQ(Rk_InputReadToTokenReturn(&input, "END", line, &eof), 0);
    EXPECT_EQ(line + std::to_string(eof), "three END\n0") << "the first read went no further than the first match";
    ASSERT_EQ(Rk_InputReadToTokenReturn(&input, "END", std::strcpy(line, "kept"), &eof), 0);
    EXPECT_EQ(line + std::to_string(eof), "kept1") << "no match: the buffer keeps what it held";

    Rk_StrTable tokens{};
    Rk_IntTable found{};
    Rk_StrTableInit(&tokens, 1), Rk_IntTableInit(&found, 1);
    const auto read = [&] { return Rk_InputReadToTokensReturn(&input, &tokens, &found, line, &eof); };
    EXPECT_EQ(failure(read(), "rk_input("), "error 1") << "no token";
    for (const char* token : {"END", "STOP"}) Rk_StrTableAddRow(&tokens, const_cast<char**>(&token));
    const std::string longest = std::string(251, 'a') + "STOP\n";
    input = function_reader({"nothing\n", "STOP here\n", "END and STOP\n", longest, "tail\n"});
    const std::string expectations[] = {"STOP here\n01", "END and STOP\n11", longest + "01", "kept00"};
    for (const std::string& expected : expectations) {
        struct {
            char line[RK_INPUT_LINE_MAX + 1] = "kept";
            char canary = '@';
        } buffer;
        ASSERT_EQ(Rk_InputReadToTokensReturn(&input, &tokens, &found, buffer.line, &eof), 0);
        std::string flags = buffer.line;
        for (int r = 0, v = 0; r < found.num_rows && Rk_IntTableGetValue(&found, 0, r, &v) == 0; ++r) flags += '0' + v;
        EXPECT_EQ(flags + buffer.canary, expected + "@") << "the findings of the last line read, even at the end";
    }
    Rk_IntTableFree(&found), Rk_IntTableInit(&found, 2);
    input = function_reader({"END\n", "END\n"});
    EXPECT_EQ(failure(read(), "rk_input("), "error 1") << "the findings need exactly one column";
    Rk_IntTableFree(&found);
    EXPECT_EQ(failure(read(), "rk_inttb("), "error 1");
    Rk_IntTableInit(&found, 1);
    const char* other = "zz";
    for (int i = 0; i < 30; ++i) Rk_StrTableAddRow(&tokens, const_cast<char**>(&other));
    EXPECT_GE(fail_each_allocation("rk_inttb(", [&] { return g_next = 0, read(); }, [] {}), 1) << "32 findings outgrow";
    Rk_StrTableFree(&tokens), Rk_IntTableFree(&found);
    EXPECT_EQ(failure(read(), "rk_strtb("), "error 1");
}

TEST_F(Input, TheRestOfTheInputIsCopiedIntoAReportUntilAWriteFails)
{
    const std::string content = "one\n\ntwo\nlast", in = WriteTempFile("in.txt", content), out = TempDir() + "/out";
    const std::pair<int (*)(Rk_InputStruct*, Rk_ReportStruct*), std::string> copies[] = {
        {Rk_InputWriteToReportNoNewline, content}, {Rk_InputWriteToReport, "one\n\n\n\ntwo\n\nlast\n"}};
    for (const auto& [copy, expected] : copies) {
        Rk_InputStruct input;
        Rk_ReportStruct report;
        ASSERT_EQ(Rk_InputFileInit(&input, in.c_str()) + Rk_ReportFileInit(&report, out.c_str(), 1), 0);
        ASSERT_EQ(copy(&input, &report), 0);
        Rk_ReportClose(&report), Rk_InputClose(&input);
        EXPECT_EQ(rktest::ReadFile(out), expected) << "every write adds its own newline";
        EXPECT_EQ(failure(copy(&input, &report), "rk_input("), "error 1") << "a closed reader has no source";
    }
    Rk_StrList list{};
    Rk_StrListInit(&list, 1);
    Rk_ReportStruct report;
    Rk_ReportStrListInit(&report, &list);
    Rk_InputStruct input = function_reader({"a\n", "b\n"});
    rktest::FailingAlloc guard(1);
    EXPECT_EQ(failure(Rk_InputWriteToReport(&input, &report), "rk_strtb("), "error 11");
    EXPECT_EQ(read_all(&input), Lines{"b\n"}) << "copying stops at the failed write";
    Rk_StrListFree(&list);
}

TEST_F(Input, SourcesThatCannotBeReadFailAndLeaveNoSource)
{
    const std::string path = WriteTempFile(std::string(150, 'f'), "# c\nx\n"), missing = TempDir() + "/missing.txt";
    Rk_InputStruct input;
    Rk_InputInit(&input);
    EXPECT_EQ(read_all(&input), Lines{"error 1"}) << "an initialised reader has no source";
    Rk_InputIgnoreCommentsOn(&input, "#");
    ASSERT_EQ(Rk_InputFileInit(&input, path.c_str()), 0);
    char name[RK_TEXT_MAX + 1];
    Rk_InputGetFilename(&input, name);
    EXPECT_EQ(name, path.substr(0, 128));
    EXPECT_EQ(read_all(&input), (Lines{"# c\n", "x\n"})) << "FileInit turns the switches off";
    for (const char* bad : {missing.c_str(), TempDir().c_str(), static_cast<const char*>(nullptr)}) {
        Rk_InputIgnoreBlankLinesOn(&input);
        EXPECT_EQ(failure(Rk_InputFileInit(&input, bad), "rk_input("), "error 37");
        EXPECT_TRUE(input.source == RK_INPUT_NONE && input.ignore_blank_lines == 0) << "initialised, without a source";
    }
    ASSERT_EQ(Rk_InputFileInit(&input, path.c_str()), 0);
    Rk_InputIgnoreCommentsOn(&input, "#");
    for (int code : {RK_INPUT_CONSOLE, RK_INPUT_FILE}) {
        Rk_InputSetSource(&input, code, path.c_str(), nullptr);
        EXPECT_EQ(failure(Rk_InputSetSource(&input, RK_INPUT_FILE, missing.c_str(), nullptr), "rk_input("), "error 37");
        EXPECT_EQ(read_all(&input), Lines{"error 1"}) << "no fall back to the former source";
    }
    for (int code : {0, 3, 6, -1}) {
        ASSERT_EQ(Rk_InputSetSource(&input, RK_INPUT_FILE, path.c_str(), nullptr), 0);
        EXPECT_EQ(failure(Rk_InputSetSource(&input, code, path.c_str(), next_line), "rk_input("), "error 1") << code;
        EXPECT_EQ(input.source, RK_INPUT_NONE) << "the file was closed before the code was checked";
    }
    ASSERT_EQ(Rk_InputSetSource(&input, RK_INPUT_FILE, path.c_str(), nullptr), 0);
    g_lines = {"f\n"}, g_next = 0;
    ASSERT_EQ(Rk_InputSetSource(&input, RK_INPUT_FUNCTION, nullptr, next_line), 0);
    Rk_InputGetFilename(&input, name);
    EXPECT_STREQ(name, "") << "switching to the function closed the file";
    EXPECT_EQ(failure(Rk_InputSetSource(&input, 3, nullptr, nullptr), "rk_input("), "error 1");
    EXPECT_EQ(read_all(&input), Lines{"f\n"}) << "a refused code keeps a source that was not a file";
    ASSERT_EQ(Rk_InputSetSource(&input, RK_INPUT_FUNCTION, nullptr, nullptr), 0);
    EXPECT_EQ(read_all(&input), Lines{"error 1"}) << "a function source without a function";
    EXPECT_EQ(input.ignore_comments, 1) << "the switches survive SetSource";
    ASSERT_EQ(Rk_InputSetSource(&input, RK_INPUT_CONSOLE, nullptr, nullptr), 0);
    StdinFrom directory(TempDir());
    EXPECT_EQ(read_all(&input), Lines{"error 37"}) << "a failing stream is an error, not the end of the input";
}

}  // namespace
