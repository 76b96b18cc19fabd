// The input reader: lines from the line function, a file and standard input, with comments and
// blank lines cut; statements, token reads, skipped lines, copies into reports; every failure.
#include "text_helpers.hpp"

#include <cstdio>
#include <cstring>

namespace {

using Input = rktest::LibraryTest;

Lines g_lines;  // what the line function hands out, and the next one
std::size_t g_next = 0;
char* next_line(char* line) { return g_next < g_lines.size() ? std::strcpy(line, g_lines[g_next++].c_str()) : nullptr; }

// A reader of `lines` from the line function, cutting comments at `delim` (null: none) and skipping
// blank lines on request. One reader at a time.
Rk_InputStruct* reader(const Lines& lines, const char* delim = nullptr, bool skip_blanks = false)
{
    static Rk_InputStruct input;
    g_lines = lines;
    g_next = 0;
    int status = Rk_InputInit(&input) || Rk_InputSetSource(&input, RK_INPUT_FUNCTION, nullptr, next_line);
    if (delim) status += Rk_InputIgnoreCommentsOn(&input, delim);
    if (skip_blanks) status += Rk_InputIgnoreBlankLinesOn(&input);
    EXPECT_EQ(status, 0) << "setting the reader up";
    return &input;
}

// What `read` delivers call by call up to the end of the input, each line followed by '|', then its
// failure, or "<before>" when a read wrote in front of the buffer (an empty line has no newline to drop).
std::string transcript(Rk_InputStruct* input, int (*read)(Rk_InputStruct*, char*, int*) = Rk_InputRead)
{
    std::string out;
    struct {
        char before = '\n';
        char line[RK_INPUT_LINE_MAX + 1];
    } buffer;
    for (int eof = 0, calls = 0; calls < 100; ++calls) {
        const int status = read(input, buffer.line, &eof);
        if (status) return out + failure(status, "rk_input(");
        if (eof) return out + (buffer.before == '\n' ? "" : "<before>");
        out += buffer.line + std::string("|");
    }
    return out + "...";
}

// Skips `count` lines; then whether that reached the end, and the rest.
std::string skip(Rk_InputStruct* input, int count)
{
    int eof = 7;
    const int status = Rk_InputSkipLines(input, count, &eof);
    return (status ? failure(status, "rk_input(") : "") + std::to_string(eof) + ":" + transcript(input);
}

// The statement read first, "null" for none, and " + end" when the input ended with it.
std::string statement(Rk_InputStruct* input)
{
    char* text = reinterpret_cast<char*>(input);
    int eof = 7;
    const int status = Rk_InputReadSpanningLines(input, &text, &eof);
    const std::string out = status ? failure(status, "rk_input(") : text ? text : "null";
    Rkos_Free(text);
    return out + (eof ? " + end" : "");
}

TEST_F(Input, LinesComeWithCommentsAndBlankLinesCutOnRequestStrippedSkippedAndJoinedIntoStatements)
{
    Rk_InputStruct* both_off = reader({"# h\n", "\n"}, "#", true);
    Rk_InputIgnoreBlankLinesOff(both_off);
    Rk_InputIgnoreCommentsOff(both_off);
    const std::pair<std::string, std::string> cases[] = {
        {transcript(both_off), "# h\n|\n|"},
        {transcript(reader({"# header\n", "\n", "a = 1 # one\n"}, "#", true)), "a = 1 \n|"},
        {transcript(reader({"# header\n", "x # note"}, "#")), "|x |"},  // a cut keeps the newline, if there was one
        {transcript(reader({"a\n", "\n", "b", "c \n", ""}), Rk_InputReadAndStrip), "a||b|c ||"},  // one newline dropped
        {skip(reader({"a\n", "\n", "b\n", "c\n"}, nullptr, true), 2), "0:c\n|"},  // accepted lines are counted
        {skip(reader({"a\n", "b\n"}), 9), "1:"},
        {statement(reader({"  select a\n", "\n", "from b;  \n", "next\n"})), "select a from b"},
        {statement(reader({"x;y\n", "z;;\n", "rest;\n"})), "x;y z;"}, {statement(reader({";\n", "b;\n"})), ""},
        {statement(reader({"a\n", "b"})), "a b + end"},  // unterminated
        {statement(reader({"\n", " \t\n"})), "null + end"},
    };
    for (const auto& [got, expected] : cases) EXPECT_EQ(got, expected);
    char* text = nullptr;
    int eof = 0;
    const auto read = [&] {
        Rk_InputStruct* input = reader({"alpha\n", "beta;\n"});
        text = reinterpret_cast<char*>(input);
        return Rk_InputReadSpanningLines(input, &text, &eof);
    };
    const int failures = fail_each_allocation("rk_", read, [&] { EXPECT_EQ(text, nullptr); });
    EXPECT_STREQ(text, "alpha beta");
    Rkos_Free(text);
    EXPECT_EQ(failure(rktest::WithFailingAlloc(failures, read), "rk_input("), "error 11") << "the joined text is last";
}

TEST_F(Input, TokenReadsStopAtTheFirstMatchingLineAndSayWhichTokensItHolds)
{
    Rk_InputStruct* input = reader({"one\n", "two END\n", "three END\n", "four\n"});
    char line[RK_INPUT_LINE_MAX + 1] = "kept";
    int eof = 7;
    ASSERT_EQ(Rk_InputReadToToken(input, "END", &eof) || Rk_InputReadToTokenReturn(input, "END", line, &eof), 0);
    EXPECT_EQ(line + std::to_string(eof), "three END\n0") << "the first read went no further than the first match";
    Rk_StrTable tokens{};
    Rk_IntTable found{};
    Rk_StrTableInit(&tokens, 1);
    Rk_IntTableInit(&found, 1);
    const auto read = [&] {  // the line read last and, token by token, whether it holds it
        const int status = Rk_InputReadToTokensReturn(input, &tokens, &found, line, &eof);
        std::string out = status ? failure(status, "rk_input(") : line + std::to_string(eof);
        for (int r = 0, v = 0; r < found.num_rows && Rk_IntTableGetValue(&found, 0, r, &v) == 0; ++r) out += '0' + v;
        return out;
    };
    for (const char* token : {"END", "STOP"}) Rk_StrTableAddRow(&tokens, const_cast<char**>(&token));
    input = reader({"nothing\n", "END and STOP\n", "STOP\n", "tail\n"});
    EXPECT_EQ((Lines{read(), read(), read()}), (Lines{"END and STOP\n011", "STOP\n001", "STOP\n100"}))
        << "no match: the buffer keeps what it held; the findings are of the last line read";
    Rk_IntTableFree(&found);
    Rk_StrTableFree(&tokens);
}

TEST_F(Input, TheRestOfAFileIsCopiedIntoAReportInPiecesOf256CharactersUntilAWriteFails)
{
    const std::string x300(300, 'x'), z256(256, 'z'), content = x300 + "\n" + z256 + "\n\nlast";
    const std::string in = WriteTempFile("in.txt", content), out = TempDir() + "/out";
    const std::pair<int (*)(Rk_InputStruct*, Rk_ReportStruct*), std::string> copies[] = {
        {Rk_InputWriteToReportNoNewline, content},
        {Rk_InputWriteToReport, x300.substr(0, 256) + "\n" + x300.substr(256) + "\n\n" + z256 + "\n\n\n\n\nlast\n"}};
    for (const auto& [copy, expected] : copies) {
        Rk_InputStruct input;
        Rk_ReportStruct report;
        char name[RK_TEXT_MAX + 1] = "";
        ASSERT_EQ(Rk_InputFileInit(&input, in.c_str()) || Rk_ReportFileInit(&report, out.c_str(), 1), 0);
        ASSERT_EQ(copy(&input, &report) || Rk_InputGetFilename(&input, name), 0);
        Rk_ReportClose(&report);
        Rk_InputClose(&input);
        EXPECT_EQ(rktest::ReadFile(out), expected) << "every write adds its own newline";
        EXPECT_EQ(name, in) << "a file names itself";
    }
    rktest::ListReport report;
    Rk_InputStruct* input = reader({"a\n", "b\n"});
    const int status = rktest::WithFailingAlloc(1, [&] { return Rk_InputWriteToReport(input, report.get()); });
    EXPECT_EQ(failure(status, "rk_strtb("), "error 11");
    EXPECT_EQ(transcript(input), "b\n|") << "copying stops at the failed write";
}

TEST_F(Input, SourcesThatCannotBeReadFailAndLeaveNoSource)
{
    const std::string path = WriteTempFile("c.txt", "# c\nx\n"), missing = TempDir() + "/missing.txt";
    Rk_InputStruct input;
    for (const char* bad : {missing.c_str(), TempDir().c_str(), static_cast<const char*>(nullptr)}) {
        Rk_InputIgnoreBlankLinesOn(&input);
        EXPECT_EQ(failure(Rk_InputFileInit(&input, bad), "rk_input("), "error 37");
        EXPECT_TRUE(input.source == RK_INPUT_NONE && input.ignore_blank_lines == 0) << "initialised, without a source";
    }
    ASSERT_EQ(Rk_InputSetSource(&input, RK_INPUT_FILE, path.c_str(), nullptr), 0);
    EXPECT_EQ(failure(Rk_InputSetSource(&input, 3, path.c_str(), next_line), "rk_input("), "error 1") << "no such code";
    EXPECT_EQ(input.source, RK_INPUT_NONE) << "the file was closed before the code was checked";
    ASSERT_EQ(Rk_InputSetSource(&input, RK_INPUT_CONSOLE, nullptr, nullptr), 0);
    ASSERT_NE(std::freopen(TempDir().c_str(), "r", stdin), nullptr);
    EXPECT_EQ(transcript(&input), "error 37") << "a failing stream is an error, not the end of the input";
}

}  // namespace
