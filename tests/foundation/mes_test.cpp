// Message and error records, and their texts: looked up in the message file (read afresh by every
// lookup), fallbacks where a text is missing, tokens substituted.
#include <cstring>
#include <filesystem>

#include "rk_test.hpp"

namespace {

using rktest::Lines;
using Messages = rktest::LibraryTest;

const std::string kUnreadable = "(Message file could not be read)", kIdNotFound = "(Message ID not found)",
                  kNoSummary = "(Summary message not found)";

Rk_MessageStruct Message(long id, const std::string& file, const Lines& tokens = {})
{
    Rk_MessageStruct msg;
    Rk_MessageSet(&msg, id, file.c_str());
    for (std::size_t n = 0; n < tokens.size(); ++n)
        Rk_MessageSetToken(&msg, static_cast<int>(n + 1), tokens[n].c_str());
    return msg;
}

std::string Summary(const Rk_MessageStruct& msg)
{
    char text[RK_TEXT_MAX + 1];
    std::memset(text, '?', sizeof text);
    EXPECT_EQ(Rk_MessageGetSummaryText(&msg, text), 0);
    return text;
}

// The detailed text, freed again; "<failed>" when the lookup fails.
Lines Detailed(const Rk_MessageStruct& msg)
{
    Rk_StrArrayStruct text{};
    if (Rk_MessageGetDetailedText(&msg, &text) != 0) return {"<failed>"};
    Lines out(text.array, text.array + text.array_size);
    Rk_StrArrayFree(&text);
    return out;
}

long OpenDescriptors()
{
    return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), std::filesystem::directory_iterator());
}

// Set keeps 128 characters of path and location; an error's texts are its message's; tokens 0 and 251 fail.
TEST_F(Messages, RecordsKeepTheirFieldsWithinTheirBounds)
{
    const std::string long_text(200, 'p'), kept = long_text.substr(0, 128);
    Rk_ErrorStruct error;
    Rk_ErrorSet(&error, 42, long_text.c_str(), long_text.c_str());
    long id = 0;
    char loc[RK_TEXT_MAX + 1], text[RK_TEXT_MAX + 1], msg[RK_TEXT_MAX + 1];
    EXPECT_EQ(Rk_ErrorGetId(&error, &id) || Rk_ErrorGetLocation(&error, loc) || Rk_ErrorGetSummaryText(&error, text) ||
                  Rk_ErrorGetSummaryMsg(&error, msg), 0);
    EXPECT_EQ(std::make_pair(id, Lines({error.msg.msgfile, loc, text, msg})),
              std::make_pair(42L, Lines({kept, kept, kUnreadable, kUnreadable})));
    const Rk_MessageStruct before = error.msg;
    for (int bad : {0, 251}) {
        EXPECT_FAILS(Rk_MessageSetToken(&error.msg, bad, "bad"), 1, "rk_mes(");
        EXPECT_FAILS(Rk_ErrorSetToken(&error, bad, "bad"), 1, "rk_mes(");
        EXPECT_FAILS(Rk_MessageGetToken(&error.msg, bad, loc), 1, "rk_mes(");
    }
    EXPECT_TRUE(std::memcmp(&error.msg, &before, sizeof before) == 0 && loc == kept) << "nothing written";
}

// A summary is the first '*' line of the first block whose id line's first word, a C integer constant, is
// the id; any id line ends a block. Lines are read in pieces of 256 characters; every lookup reads afresh.
TEST_F(Messages, TheSummaryIsTheFirstSummaryLineOfTheBlockWithTheId)
{
    const std::string file = WriteTempFile("summaries.txt",
        "heading\n#010\n*eight\n#\t 0X1c NAME and a comment\n*twenty-eight\n#3\n&detail first\n\ncomment\n"
        "*first summary\n*second summary\n#3\n*a later block with the same id\n#5\n&only details\n#\n"
        "*after an empty id line\n#   \n#abc\n#6\n*six\n#2\n*" + std::string(128, 'l') + "XYZ\n#4\n&" +
        std::string(255, 'd') + "*tail\n#9\n&" + std::string(254, 'd') + "*tail\n#14\n&detail\n");
    const struct { long id; std::string summary; int check; const char* why; } cases[] = {
        {8, "eight", 1, "a leading 0: octal"}, {28, "twenty-eight", 1, "blanks and tabs before 0X, words after"},
        {0, kIdNotFound, 0, "no line carries 0, not even one without a number"}, {3, "first summary", 1, "the first"},
        {5, kNoSummary, 1, "an id line without number ends the block"}, {6, "six", 1, "going past such lines"},
        {14, kIdNotFound, 1, "the file ends within the block"}, {2, std::string(128, 'l'), 1, "128 kept"},
        {4, "tail", 1, "'*' opens the second piece of a line"}, {9, kNoSummary, 1, "a '*' in the first piece is text"},
    };
    for (const auto& c : cases) {
        const Rk_MessageStruct msg = Message(c.id, file);
        int found = -1;
        EXPECT_EQ(Rk_MessageCheck(&msg, &found), 0);
        EXPECT_EQ(std::make_pair(Summary(msg), found), std::make_pair(c.summary, c.check)) << c.why;
    }
    WriteTempFile("summaries.txt", "#6\n*changed\n");
    EXPECT_EQ(Summary(Message(6, file)), "changed");
}

// The detailed text is the first run of '&' lines, one string each (tokens substituted, 128 characters kept),
// or one fallback string. Only memory makes it (or a fallback) fail: error 11, nothing held, the file closed.
TEST_F(Messages, TheDetailedTextIsTheFirstRunOfDetailedLinesAndFailsOnlyForMemory)
{
    const std::string file = WriteTempFile("detailed.txt",
        "#1\n&one\n&two\n\n&after a blank line\n*summary after\n#2\n*summary first\ncomment\n&%T1 and %3T2|\n&" +
        std::string(130, 'x') + "\n#5\n&one\n&two\n&three\n#4\n*details missing at the end\n");
    const Rk_MessageStruct msg = Message(5, file);
    const struct { Lines detailed, expected; } cases[] = {
        {Detailed(Message(1, file)), {"one", "two"}}, {Detailed(msg), {"one", "two", "three"}},
        {Detailed(Message(2, file, {"first", "second"})), {"first and sec|", std::string(128, 'x')}},
        {Detailed(Message(4, file)), {kIdNotFound}}, {Detailed(Message(1, TempDir() + "/missing.txt")), {kUnreadable}},
    };
    for (const auto& c : cases) EXPECT_EQ(c.detailed, c.expected);
    const long descriptors = OpenDescriptors(), live = rk::seam::live_blocks(), calls = rk::seam::alloc_calls();
    Detailed(msg);
    const long allocations = rk::seam::alloc_calls() - calls;
    ASSERT_GE(allocations, 8) << "array, queue, three queued copies, three handed-over copies, ...";
    for (long n = 1; n <= allocations + 1; ++n) {
        Rk_StrArrayStruct text{};
        const Rk_MessageStruct& which = n <= allocations ? msg : Message(7, file);  // past them, a fallback's
        const auto lookup = [&] { return Rk_MessageGetDetailedText(&which, &text); };
        EXPECT_EQ(rktest::WithFailingAlloc(n > allocations ? 3 : n, lookup), 1);
        EXPECT_TRUE(text.array == nullptr && rk::seam::live_blocks() == live) << "allocation " << n;
        EXPECT_ERROR(11, "rk_");
        EXPECT_NO_ERROR();
    }
    EXPECT_EQ(OpenDescriptors(), descriptors) << "a failing lookup left the message file open";
}

// %[width]T<number> is replaced by the token, cut or padded to the width; anything else is copied, the scan
// going on right after its '%'; 128 characters kept. A token may be another message's summary.
TEST_F(Messages, TokenReferencesAreReplacedAndAnythingElseIsCopied)
{
    Rk_MessageStruct msg = Message(1, MessageFile(), {"abc", "", std::string(RK_TEXT_MAX, 't')});
    Rk_MessageSetToken(&msg, 250, "last");
    const std::pair<std::string, std::string> cases[] = {
        {"[%5T1]", "[abc  ]"}, {"%2T1", "ab"}, {"%T250", "last"}, {"%T0", "%T0"}, {"%T251", "%T251"}, {"%%T1", "%abc"},
        {"a%T1b%T1c", "aabcbabcc"}, {"xx%T3", "xx" + std::string(126, 't')}, {"%T3%T1", std::string(128, 't')},
        {"%99999999999999999999T1", "abc" + std::string(125, ' ')}, {"%T9999999999999999999", "%T9999999999999999999"}};
    for (const auto& [line, expected] : cases) {
        char buffer[RK_TEXT_MAX + 1];
        rk_strncpy(buffer, line.c_str(), RK_TEXT_MAX);
        EXPECT_EQ(Rk_MessageSubstituteTokens(&msg, buffer), 0);
        EXPECT_EQ(buffer, expected) << line;
    }
    const std::string file = WriteTempFile("terms.txt", "#2\n*term <%T1> here\n");
    char token[RK_TEXT_MAX + 1];
    ASSERT_EQ(Rk_MessageSetTokenByMessage(&msg, 2, 2, file.c_str()) || Rk_MessageGetToken(&msg, 2, token), 0);
    EXPECT_STREQ(token, "term <> here");
}

}  // namespace
