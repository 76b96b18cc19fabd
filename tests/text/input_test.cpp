// The input reader: sources, comments and blank lines, long lines, statements, token reads,
// skipped lines, copying into reports, and every failure.
#include "rk_test.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using Input = rktest::LibraryTest;
using InputRead = rktest::LibraryTest;
using InputStatement = rktest::LibraryTest;
using InputTokens = rktest::LibraryTest;
using InputReport = rktest::LibraryTest;
using InputSource = rktest::LibraryTest;

using Lines = std::vector<std::string>;

// The lines the line function hands out, and the next one.
Lines g_lines;
std::size_t g_next = 0;

char* next_line(char* text_line)
{
    if (g_next >= g_lines.size()) return nullptr;
    std::strcpy(text_line, g_lines[g_next++].c_str());
    return text_line;
}

// A reader over the line function, serving `lines`.
Rk_InputStruct function_reader(const Lines& lines)
{
    g_lines = lines;
    g_next = 0;
    Rk_InputStruct input;
    Rk_InputInit(&input);
    EXPECT_EQ(Rk_InputSetSource(&input, RK_INPUT_FUNCTION, nullptr, next_line), 0);
    return input;
}

// Every line Read delivers up to the end of the input.
Lines read_all(Rk_InputStruct* input)
{
    Lines out;
    char line[RK_INPUT_LINE_MAX + 1];
    for (int guard = 0; guard < 1000; ++guard) {
        int eof = 0;
        if (Rk_InputRead(input, line, &eof) != 0) return {"<failed>"};
        if (eof) return out;
        out.emplace_back(line);
    }
    return {"<no end>"};
}

// Makes a file the standard input while it lives.
class StdinFrom {
public:
    explicit StdinFrom(const std::string& path) : saved_(dup(0))
    {
        const int fd = open(path.c_str(), O_RDONLY);
        dup2(fd, 0);
        close(fd);
        std::clearerr(stdin);
    }
    ~StdinFrom()
    {
        dup2(saved_, 0);
        close(saved_);
        std::clearerr(stdin);
    }
    StdinFrom(const StdinFrom&) = delete;
    StdinFrom& operator=(const StdinFrom&) = delete;

private:
    int saved_;
};

TEST_F(Input, InitClearsEveryFieldAndLeavesNoSource)
{
    Rk_InputStruct input;
    std::memset(&input, 0x5a, sizeof input);
    ASSERT_EQ(Rk_InputInit(&input), 0);
    EXPECT_EQ(input.source, RK_INPUT_NONE);
    EXPECT_EQ(input.file_ptr, nullptr);
    EXPECT_STREQ(input.filename, "");
    EXPECT_EQ(input.func_name, nullptr);
    EXPECT_EQ(input.ignore_blank_lines, 0);
    EXPECT_EQ(input.ignore_comments, 0);
    EXPECT_STREQ(input.comment_delim, "");

    char line[RK_INPUT_LINE_MAX + 1];
    int eof = 7;
    EXPECT_EQ(Rk_InputRead(&input, line, &eof), 1) << "a reader without a source cannot read";
    EXPECT_ERROR(1, "rk_input(");
    EXPECT_EQ(eof, 0);
}

TEST_F(InputRead, CommentsAndBlankLinesCombine)
{
    struct Case {
        const char* what;
        bool skip_blanks;
        const char* delim;  // null: comments kept
        Lines raw;
        Lines expected;
    };
    const Case cases[] = {
        {"comment, blank and cut line give one read", true, "#", {"# header\n", "\n", "a = 1 # one\n"}, {"a = 1 \n"}},
        {"a whole-line comment kept as an empty line", false, "#", {"# header\n"}, {""}},
        {"a cut line keeps its newline", false, "#", {"x = 1 # note\n"}, {"x = 1 \n"}},
        {"a cut line without newline gets none", false, "#", {"x # note"}, {"x "}},
        {"comments kept while off", false, nullptr, {"# header\n", "\n"}, {"# header\n", "\n"}},
        {"white space only is blank", true, nullptr, {" \t \n", "b\n"}, {"b\n"}},
        {"the first delimiter cuts", false, "//", {"a // b // c\n"}, {"a \n"}},
        {"a cut leaving blanks is skipped", true, "#", {"   # only\n", "z\n"}, {"z\n"}},
        {"an empty delimiter empties every line", false, "", {"a\n", "b\n"}, {"", ""}},
        {"and with blanks skipped reads to the end", true, "", {"a\n", "b\n"}, {}},
    };
    for (const Case& c : cases) {
        Rk_InputStruct input = function_reader(c.raw);
        if (c.skip_blanks) Rk_InputIgnoreBlankLinesOn(&input);
        if (c.delim) Rk_InputIgnoreCommentsOn(&input, c.delim);
        EXPECT_EQ(read_all(&input), c.expected) << c.what;
    }
}

TEST_F(InputRead, SwitchesTurnOffAndTheDelimiterIsKeptToTwelveCharacters)
{
    Rk_InputStruct input = function_reader({"x1234567890ABz\n", "  \n", "k # c\n"});
    Rk_InputIgnoreCommentsOn(&input, "1234567890ABCDEF");
    EXPECT_STREQ(input.comment_delim, "1234567890AB");
    Rk_InputIgnoreBlankLinesOn(&input);
    char line[RK_INPUT_LINE_MAX + 1];
    int eof = 0;
    ASSERT_EQ(Rk_InputRead(&input, line, &eof), 0);
    EXPECT_STREQ(line, "x\n") << "the twelve characters kept cut the line";

    Rk_InputIgnoreBlankLinesOff(&input);
    Rk_InputIgnoreCommentsOn(&input, "#");
    Rk_InputIgnoreCommentsOff(&input);
    EXPECT_STREQ(input.comment_delim, "#") << "turning comments off keeps the delimiter";
    EXPECT_EQ(read_all(&input), (Lines{"  \n", "k # c\n"}));
}

TEST_F(InputRead, LongLinesArriveInPiecesOf256Characters)
{
    struct Case {
        const char* what;
        std::string content;
        Lines expected;
    };
    const std::string x300(300, 'x');
    const std::string y255(255, 'y');
    const std::string z256(256, 'z');
    const Case cases[] = {
        {"300 characters: 256, then 44 and the newline", x300 + "\n", {x300.substr(0, 256), x300.substr(256) + "\n"}},
        {"255 and the newline fill one read", y255 + "\n", {y255 + "\n"}},
        {"256 and the newline: the newline comes alone", z256 + "\nq\n", {z256, "\n", "q\n"}},
        {"a last line without newline", "a\nb", {"a\n", "b"}},
    };
    for (const Case& c : cases) {
        const std::string path = WriteTempFile("long.txt", c.content);
        Rk_InputStruct input;
        ASSERT_EQ(Rk_InputFileInit(&input, path.c_str()), 0);
        EXPECT_EQ(read_all(&input), c.expected) << c.what;
        Rk_InputClose(&input);
    }
}

TEST_F(InputRead, ReadAndStripRemovesOneNewline)
{
    Rk_InputStruct input = function_reader({"a\n", "\n", "b", "c \n"});
    Lines out;
    char line[RK_INPUT_LINE_MAX + 1];
    int eof = 0;
    while (Rk_InputReadAndStrip(&input, line, &eof) == 0 && !eof) out.emplace_back(line);
    EXPECT_EQ(out, (Lines{"a", "", "b", "c "})) << "only the newline goes; other trailing blanks stay";
    EXPECT_EQ(eof, 1);
}

TEST_F(InputStatement, JoinsLinesUpToASemicolonAcrossBlankLinesAndTheEnd)
{
    Rk_InputStruct input = function_reader({"  select a\n", "\n", "from b;  \n", "next\n"});
    char* text = nullptr;
    int eof = 7;
    ASSERT_EQ(Rk_InputReadSpanningLines(&input, &text, &eof), 0);
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, "select a from b");
    EXPECT_EQ(eof, 0);
    Rkos_Free(text);

    ASSERT_EQ(Rk_InputReadSpanningLines(&input, &text, &eof), 0);
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, "next") << "an unterminated statement at the end is still returned";
    EXPECT_EQ(eof, 1);
    Rkos_Free(text);

    text = reinterpret_cast<char*>(&input);
    ASSERT_EQ(Rk_InputReadSpanningLines(&input, &text, &eof), 0);
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(eof, 1);
}

TEST_F(InputStatement, OnlyAFinalSemicolonEndsAStatement)
{
    struct Case {
        const char* what;
        Lines raw;
        const char* expected;
    };
    const Case cases[] = {
        {"a semicolon inside a line is text", {"x;y\n", "z;\n", "rest;\n"}, "x;y z"},
        {"a lone semicolon gives an empty statement", {";\n", "b;\n"}, ""},
        {"a lone semicolon after text adds an empty line", {"a\n", " ; \n", "b;\n"}, "a "},
        {"two semicolons drop only the last", {"a;;\n"}, "a;"},
    };
    for (const Case& c : cases) {
        Rk_InputStruct input = function_reader(c.raw);
        char* text = nullptr;
        int eof = 0;
        ASSERT_EQ(Rk_InputReadSpanningLines(&input, &text, &eof), 0) << c.what;
        ASSERT_NE(text, nullptr) << c.what;
        EXPECT_STREQ(text, c.expected) << c.what;
        EXPECT_EQ(eof, 0) << c.what;
        Rkos_Free(text);
    }
}

TEST_F(InputStatement, BlankLinesAreSkippedWhateverTheSwitchesSay)
{
    Rk_InputStruct input = function_reader({"\n", " \t\n", "\n"});
    char* text = nullptr;
    int eof = 0;
    ASSERT_EQ(Rk_InputReadSpanningLines(&input, &text, &eof), 0);
    EXPECT_EQ(text, nullptr) << "only blank lines left: no statement";
    EXPECT_EQ(eof, 1);
}

TEST_F(InputStatement, AllocationFailuresLoseNothingAndReturnNoText)
{
    const Lines raw = {"alpha\n", "beta;\n"};
    bool join_failed = false;
    int status = 1;
    for (long n = 1; status != 0 && n < 50; ++n) {
        Rk_InputStruct input = function_reader(raw);
        char* text = reinterpret_cast<char*>(&input);
        int eof = 0;
        {
            rktest::FailingAlloc guard(n);
            status = Rk_InputReadSpanningLines(&input, &text, &eof);
        }
        if (status == 0) {
            EXPECT_STREQ(text, "alpha beta");
            Rkos_Free(text);
            break;
        }
        EXPECT_EQ(text, nullptr) << "failure " << n << " must leave no text";
        Rk_ErrorStruct error;
        int found = 0;
        Rk_ErrorQueueGetError(&error, &found);
        ASSERT_EQ(found, 1) << "failure " << n << " queued no error";
        EXPECT_EQ(error.msg.msg_id, RK_ERR_NO_MEMORY);
        join_failed = join_failed || std::string(error.loc).rfind("rk_input(", 0) == 0;
        EXPECT_NO_ERROR();
    }
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(join_failed) << "the joined statement's own allocation failure raises error 11 in the reader";
}

TEST_F(InputTokens, ReadToTokenStopsAfterTheMatchingLine)
{
    Rk_InputStruct input = function_reader({"one\n", "two END\n", "three END\n", "four\n"});
    int eof = 7;
    ASSERT_EQ(Rk_InputReadToToken(&input, "END", &eof), 0);
    EXPECT_EQ(eof, 0);
    char line[RK_INPUT_LINE_MAX + 1] = "untouched";
    ASSERT_EQ(Rk_InputReadToTokenReturn(&input, "END", line, &eof), 0);
    EXPECT_STREQ(line, "three END\n") << "the first read went no further than the first match";
    EXPECT_EQ(eof, 0);

    std::strcpy(line, "kept");
    ASSERT_EQ(Rk_InputReadToTokenReturn(&input, "END", line, &eof), 0);
    EXPECT_EQ(eof, 1);
    EXPECT_STREQ(line, "kept") << "no match: the caller's buffer keeps what it held";
    ASSERT_EQ(Rk_InputReadToToken(&input, "END", &eof), 0);
    EXPECT_EQ(eof, 1);
}

TEST_F(InputTokens, TheReturnedLineNeverPassesA257ByteBuffer)
{
    const std::string longest = std::string(252, 'a') + "END\n";
    ASSERT_EQ(longest.size(), 256u);
    struct {
        char line[RK_INPUT_LINE_MAX + 1];
        char canary;
    } buffer;
    buffer.canary = '@';
    Rk_InputStruct input = function_reader({longest, longest});
    int eof = 0;
    ASSERT_EQ(Rk_InputReadToTokenReturn(&input, "END", buffer.line, &eof), 0);
    EXPECT_EQ(std::string(buffer.line), longest);
    EXPECT_EQ(buffer.canary, '@') << "ReadToTokenReturn wrote past the 257-byte buffer";

    Rk_StrTable tokens;
    Rk_IntTable found;
    Rk_StrTableInit(&tokens, 1);
    Rk_IntTableInit(&found, 1);
    char token[] = "END";
    char* row = token;
    Rk_StrTableAddRow(&tokens, &row);
    ASSERT_EQ(Rk_InputReadToTokensReturn(&input, &tokens, &found, buffer.line, &eof), 0);
    EXPECT_EQ(buffer.canary, '@') << "ReadToTokensReturn wrote past the 257-byte buffer";
    Rk_StrTableFree(&tokens);
    Rk_IntTableFree(&found);
}

// A string table of tokens and an int table for the findings, freed with the fixture's help.
struct TokenTables {
    Rk_StrTable tokens{};
    Rk_IntTable found{};
    TokenTables(const Lines& texts, int found_cols)
    {
        Rk_StrTableInit(&tokens, 1);
        Rk_IntTableInit(&found, found_cols);
        for (const std::string& t : texts) {
            char* text = const_cast<char*>(t.c_str());
            Rk_StrTableAddRow(&tokens, &text);
        }
    }
    ~TokenTables()
    {
        Rk_StrTableFree(&tokens);
        Rk_IntTableFree(&found);
    }
    std::vector<int> flags() const
    {
        int cols = 0;
        int rows = 0;
        Rk_IntTableGetSize(&found, &cols, &rows);
        std::vector<int> out;
        for (int r = 0; r < rows; ++r) {
            int v = -1;
            Rk_IntTableGetValue(&found, 0, r, &v);
            out.push_back(v);
        }
        return out;
    }
};

TEST_F(InputTokens, ReadToTokensReturnSaysWhichTokensTheLineHolds)
{
    TokenTables t({"END", "STOP"}, 1);
    Rk_InputStruct input = function_reader({"nothing\n", "STOP here\n", "END and STOP\n", "tail\n"});
    char line[RK_INPUT_LINE_MAX + 1] = "";
    int eof = 7;
    ASSERT_EQ(Rk_InputReadToTokensReturn(&input, &t.tokens, &t.found, line, &eof), 0);
    EXPECT_EQ(eof, 0);
    EXPECT_STREQ(line, "STOP here\n");
    EXPECT_EQ(t.flags(), (std::vector<int>{0, 1}));

    ASSERT_EQ(Rk_InputReadToTokensReturn(&input, &t.tokens, &t.found, line, &eof), 0);
    EXPECT_STREQ(line, "END and STOP\n");
    EXPECT_EQ(t.flags(), (std::vector<int>{1, 1})) << "the table is cleared before each line";

    std::strcpy(line, "kept");
    ASSERT_EQ(Rk_InputReadToTokensReturn(&input, &t.tokens, &t.found, line, &eof), 0);
    EXPECT_EQ(eof, 1);
    EXPECT_STREQ(line, "kept");
    EXPECT_EQ(t.flags(), (std::vector<int>{0, 0})) << "the last line read matched nothing";
}

TEST_F(InputTokens, ReadToTokensReturnRefusesBadTables)
{
    char line[RK_INPUT_LINE_MAX + 1] = "";
    int eof = 0;
    {
        TokenTables empty({}, 1);
        Rk_InputStruct input = function_reader({"a\n"});
        EXPECT_EQ(Rk_InputReadToTokensReturn(&input, &empty.tokens, &empty.found, line, &eof), 1);
        EXPECT_ERROR(1, "rk_input(");
        EXPECT_EQ(read_all(&input), Lines{"a\n"}) << "an empty token table reads nothing";
    }
    {
        TokenTables wide({"a"}, 2);
        Rk_InputStruct input = function_reader({"a\n"});
        EXPECT_EQ(Rk_InputReadToTokensReturn(&input, &wide.tokens, &wide.found, line, &eof), 1)
            << "a findings table of two columns would be read past a one-cell row";
        EXPECT_ERROR(1, "rk_input(");
    }
    {
        TokenTables t({"a"}, 1);
        Rk_IntTableFree(&t.found);
        Rk_InputStruct input = function_reader({"a\n"});
        EXPECT_EQ(Rk_InputReadToTokensReturn(&input, &t.tokens, &t.found, line, &eof), 1);
        EXPECT_ERROR(1, "rk_inttb(");
        Rk_StrTableFree(&t.tokens);
        EXPECT_EQ(Rk_InputReadToTokensReturn(&input, &t.tokens, &t.found, line, &eof), 1);
        EXPECT_ERROR(1, "rk_strtb(");
    }
    {
        TokenTables t(Lines(30, "a"), 1);
        Rk_InputStruct input = function_reader({"a\n"});
        rktest::FailingAlloc guard(1);
        EXPECT_EQ(Rk_InputReadToTokensReturn(&input, &t.tokens, &t.found, line, &eof), 1)
            << "thirty findings outgrow the table's first block";
        EXPECT_ERROR(11, "rk_inttb(");
    }
}

TEST_F(InputRead, SkipLinesCountsAcceptedLinesAndStopsAtTheEnd)
{
    struct Case {
        const char* what;
        int count;
        int eof;
        Lines rest;
    };
    const Case cases[] = {
        {"two accepted lines, the blank one not counted", 2, 0, {"c\n"}},
        {"zero reads nothing", 0, 0, {"a\n", "b\n", "c\n"}},
        {"a negative count reads nothing", -3, 0, {"a\n", "b\n", "c\n"}},
        {"more than there are", 9, 1, {}},
    };
    for (const Case& c : cases) {
        Rk_InputStruct input = function_reader({"a\n", "\n", "b\n", "c\n"});
        Rk_InputIgnoreBlankLinesOn(&input);
        int eof = 7;
        ASSERT_EQ(Rk_InputSkipLines(&input, c.count, &eof), 0) << c.what;
        EXPECT_EQ(eof, c.eof) << c.what;
        EXPECT_EQ(read_all(&input), c.rest) << c.what;
    }
}

TEST_F(InputReport, RemainingLinesGoToTheReportNewlinesIncluded)
{
    Rk_StrList list{};
    ASSERT_EQ(Rk_StrListInit(&list, 1), 0);
    Rk_ReportStruct report;
    Rk_ReportStrListInit(&report, &list);
    Rk_InputStruct input = function_reader({"skip\n", "a\n", "b"});
    int eof = 0;
    Rk_InputSkipLines(&input, 1, &eof);
    ASSERT_EQ(Rk_InputWriteToReport(&input, &report), 0);
    int size = 0;
    Rk_StrListGetSize(&list, &size);
    ASSERT_EQ(size, 2);
    char* text = nullptr;
    Rk_StrListGet(&list, 0, &text);
    EXPECT_STREQ(text, "a\n");
    Rk_StrListGet(&list, 1, &text);
    EXPECT_STREQ(text, "b");
    Rk_StrListFree(&list);
}

TEST_F(InputReport, FileReportsGetTheLinesWithAndWithoutAnAddedNewline)
{
    const std::string content = "one\n\ntwo\nlast";
    const std::string in = WriteTempFile("in.txt", content);
    const std::string plain = TempDir() + "/plain.txt";
    const std::string doubled = TempDir() + "/doubled.txt";
    Rk_InputStruct input;
    Rk_ReportStruct report;

    ASSERT_EQ(Rk_InputFileInit(&input, in.c_str()), 0);
    ASSERT_EQ(Rk_ReportFileInit(&report, plain.c_str(), 1), 0);
    ASSERT_EQ(Rk_InputWriteToReportNoNewline(&input, &report), 0);
    Rk_ReportClose(&report);
    Rk_InputClose(&input);
    EXPECT_EQ(rktest::ReadFile(plain), content) << "the input is copied exactly";

    ASSERT_EQ(Rk_InputFileInit(&input, in.c_str()), 0);
    ASSERT_EQ(Rk_ReportFileInit(&report, doubled.c_str(), 1), 0);
    ASSERT_EQ(Rk_InputWriteToReport(&input, &report), 0);
    Rk_ReportClose(&report);
    Rk_InputClose(&input);
    EXPECT_EQ(rktest::ReadFile(doubled), "one\n\n\n\ntwo\n\nlast\n") << "every write adds its own newline";
}

TEST_F(InputReport, FailingReadsAndWritesAreReported)
{
    Rk_InputStruct input;
    Rk_InputInit(&input);
    Rk_ReportStruct report;
    Rk_ReportInit(&report);
    EXPECT_EQ(Rk_InputWriteToReport(&input, &report), 1);
    EXPECT_ERROR(1, "rk_input(");
    EXPECT_EQ(Rk_InputWriteToReportNoNewline(&input, &report), 1);
    EXPECT_ERROR(1, "rk_input(");

    Rk_StrList list{};
    ASSERT_EQ(Rk_StrListInit(&list, 1), 0);
    Rk_ReportStrListInit(&report, &list);
    input = function_reader({"a\n", "b\n"});
    {
        rktest::FailingAlloc guard(1);
        EXPECT_EQ(Rk_InputWriteToReportNoNewline(&input, &report), 1);
    }
    EXPECT_ERROR(11, "rk_strtb(");
    EXPECT_EQ(read_all(&input), Lines{"b\n"}) << "copying stops at the failed write";
    Rk_StrListFree(&list);
}

TEST_F(InputSource, FileInitOpensTheFileAndResetsTheSwitches)
{
    const std::string path = WriteTempFile("f.txt", "# c\nx\n");
    Rk_InputStruct input;
    Rk_InputInit(&input);
    Rk_InputIgnoreBlankLinesOn(&input);
    Rk_InputIgnoreCommentsOn(&input, "#");
    ASSERT_EQ(Rk_InputFileInit(&input, path.c_str()), 0);
    int source = 0;
    Rk_InputGetSource(&input, &source);
    EXPECT_EQ(source, RK_INPUT_FILE);
    char name[RK_TEXT_MAX + 1];
    Rk_InputGetFilename(&input, name);
    EXPECT_EQ(std::string(name), path);
    EXPECT_EQ(read_all(&input), (Lines{"# c\n", "x\n"})) << "FileInit turned both switches off";

    ASSERT_EQ(Rk_InputClose(&input), 0);
    EXPECT_EQ(input.file_ptr, nullptr);
    Rk_InputGetFilename(&input, name);
    EXPECT_STREQ(name, "");
    char line[RK_INPUT_LINE_MAX + 1];
    int eof = 0;
    EXPECT_EQ(Rk_InputRead(&input, line, &eof), 1) << "read after Close";
    EXPECT_ERROR(1, "rk_input(");
}

TEST_F(InputSource, FilesThatCannotBeReadFailWithError37AndLeaveNoSource)
{
    const std::string missing = TempDir() + "/missing.txt";
    const char* const paths[] = {missing.c_str(), TempDir().c_str(), nullptr};
    for (const char* path : paths) {
        Rk_InputStruct input;
        Rk_InputInit(&input);
        Rk_InputIgnoreBlankLinesOn(&input);
        EXPECT_EQ(Rk_InputFileInit(&input, path), 1) << (path ? path : "(null)");
        EXPECT_ERROR(37, "rk_input(");
        int source = 9;
        Rk_InputGetSource(&input, &source);
        EXPECT_EQ(source, RK_INPUT_NONE);
        EXPECT_EQ(input.ignore_blank_lines, 0) << "the reader stays initialised";
        EXPECT_EQ(input.file_ptr, nullptr);
    }
}

TEST_F(InputSource, AFailedSwitchToAFileLeavesNoSourceAndNoClosedStream)
{
    const std::string first = WriteTempFile("first.txt", "1\n2\n");
    const std::string missing = TempDir() + "/missing.txt";
    Rk_InputStruct input;
    ASSERT_EQ(Rk_InputFileInit(&input, first.c_str()), 0);
    Rk_InputIgnoreCommentsOn(&input, "#");
    EXPECT_EQ(Rk_InputSetSource(&input, RK_INPUT_FILE, missing.c_str(), nullptr), 1);
    EXPECT_ERROR(37, "rk_input(");
    int source = 9;
    Rk_InputGetSource(&input, &source);
    EXPECT_EQ(source, RK_INPUT_NONE);
    EXPECT_EQ(input.file_ptr, nullptr);
    char name[RK_TEXT_MAX + 1] = "x";
    Rk_InputGetFilename(&input, name);
    EXPECT_STREQ(name, "");
    char line[RK_INPUT_LINE_MAX + 1];
    int eof = 0;
    EXPECT_EQ(Rk_InputRead(&input, line, &eof), 1);
    EXPECT_ERROR(1, "rk_input(");

    Rk_InputSetSource(&input, RK_INPUT_CONSOLE, nullptr, nullptr);
    EXPECT_EQ(Rk_InputSetSource(&input, RK_INPUT_FILE, missing.c_str(), nullptr), 1);
    EXPECT_ERROR(37, "rk_input(");
    Rk_InputGetSource(&input, &source);
    EXPECT_EQ(source, RK_INPUT_NONE) << "a failed open never falls back to the console";

    ASSERT_EQ(Rk_InputSetSource(&input, RK_INPUT_FILE, first.c_str(), nullptr), 0);
    EXPECT_EQ(input.ignore_comments, 1) << "the switches survive SetSource";
    Rk_InputClose(&input);
}

TEST_F(InputSource, CodesOtherThanOneTwoAndFourAreRefused)
{
    const std::string path = WriteTempFile("f.txt", "1\n");
    for (int code : {0, 3, 6, 8, -1}) {
        Rk_InputStruct input;
        ASSERT_EQ(Rk_InputFileInit(&input, path.c_str()), 0);
        EXPECT_EQ(Rk_InputSetSource(&input, code, path.c_str(), next_line), 1) << code;
        EXPECT_ERROR(1, "rk_input(");
        EXPECT_EQ(input.source, RK_INPUT_NONE) << "the file was closed before the code was checked";
        EXPECT_EQ(input.file_ptr, nullptr);
    }
    Rk_InputStruct input = function_reader({"f\n"});
    EXPECT_EQ(Rk_InputSetSource(&input, 3, nullptr, nullptr), 1);
    EXPECT_ERROR(1, "rk_input(");
    EXPECT_EQ(read_all(&input), Lines{"f\n"}) << "a refused code keeps a source that was not a file";
}

TEST_F(InputSource, SwitchingFromAFileToTheFunctionClosesTheFile)
{
    const std::string path = WriteTempFile("f.txt", "file\n");
    Rk_InputStruct input;
    ASSERT_EQ(Rk_InputFileInit(&input, path.c_str()), 0);
    g_lines = {"fn\n"};
    g_next = 0;
    ASSERT_EQ(Rk_InputSetSource(&input, RK_INPUT_FUNCTION, nullptr, next_line), 0);
    EXPECT_EQ(input.file_ptr, nullptr);
    EXPECT_STREQ(input.filename, "");
    char name[RK_TEXT_MAX + 1] = "x";
    Rk_InputGetFilename(&input, name);
    EXPECT_STREQ(name, "");
    EXPECT_EQ(read_all(&input), Lines{"fn\n"});

    ASSERT_EQ(Rk_InputSetSource(&input, RK_INPUT_FUNCTION, nullptr, nullptr), 0);
    char line[RK_INPUT_LINE_MAX + 1];
    int eof = 0;
    EXPECT_EQ(Rk_InputRead(&input, line, &eof), 1) << "a function source without a function cannot read";
    EXPECT_ERROR(1, "rk_input(");
}

TEST_F(InputSource, TheFilenameKeeps128Characters)
{
    const std::string path = WriteTempFile(std::string(150, 'n') + ".txt", "x\n");
    ASSERT_GT(path.size(), 128u);
    Rk_InputStruct input;
    ASSERT_EQ(Rk_InputFileInit(&input, path.c_str()), 0);
    char name[RK_TEXT_MAX + 1];
    Rk_InputGetFilename(&input, name);
    EXPECT_EQ(std::string(name), path.substr(0, 128));
    Rk_InputClose(&input);
}

TEST_F(InputSource, TheConsoleIsReadFromStandardInput)
{
    const std::string path = WriteTempFile("stdin.txt", "# c\n\nvalue # v\n" + std::string(260, 'w'));
    Rk_InputStruct input;
    Rk_InputInit(&input);
    ASSERT_EQ(Rk_InputSetSource(&input, RK_INPUT_CONSOLE, nullptr, nullptr), 0);
    Rk_InputIgnoreBlankLinesOn(&input);
    Rk_InputIgnoreCommentsOn(&input, "#");
    Lines out;
    {
        StdinFrom redirect(path);
        out = read_all(&input);
    }
    EXPECT_EQ(out, (Lines{"value \n", std::string(256, 'w'), "wwww"}));
}

TEST_F(InputSource, AFailingStreamIsAnErrorNotTheEndOfTheInput)
{
    Rk_InputStruct input;
    Rk_InputInit(&input);
    Rk_InputSetSource(&input, RK_INPUT_CONSOLE, nullptr, nullptr);
    char line[RK_INPUT_LINE_MAX + 1];
    int eof = 7;
    int status = 0;
    {
        StdinFrom redirect(TempDir());
        status = Rk_InputRead(&input, line, &eof);
    }
    EXPECT_EQ(status, 1) << "reading a directory fails";
    EXPECT_ERROR(37, "rk_input(");
    EXPECT_EQ(eof, 0);
}

}  // namespace
