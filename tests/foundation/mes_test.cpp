// Message texts looked up in the message file, and token substitution.
#include "rk_test.hpp"

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using MessageText = rktest::LibraryTest;
using MessageTokens = rktest::LibraryTest;

const char kUnreadable[] = "(Message file could not be read)";
const char kIdNotFound[] = "(Message ID not found)";
const char kNoSummary[] = "(Summary message not found)";
const char kNoDetailed[] = "(Detailed message not found)";

Rk_MessageStruct message(long id, const std::string& file)
{
    Rk_MessageStruct msg;
    Rk_MessageSet(&msg, id, file.c_str());
    return msg;
}

std::string summary(const Rk_MessageStruct& msg)
{
    char text[RK_TEXT_MAX + 1];
    std::memset(text, '?', sizeof text);
    EXPECT_EQ(Rk_MessageGetSummaryText(&msg, text), 0);
    return text;
}

std::string summary(long id, const std::string& file) { return summary(message(id, file)); }

bool check(long id, const std::string& file)
{
    Rk_MessageStruct msg = message(id, file);
    int found = -1;
    EXPECT_EQ(Rk_MessageCheck(&msg, &found), 0);
    EXPECT_TRUE(found == 0 || found == 1) << found;
    return found == 1;
}

// File descriptors this process holds open.
long open_descriptors()
{
    long n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++n;
    return n;
}

using Lines = std::vector<std::string>;

// The detailed text of `msg`, freed again; "<failed>" when the lookup fails.
Lines detailed(const Rk_MessageStruct& msg)
{
    Rk_StrArrayStruct text{};
    if (Rk_MessageGetDetailedText(&msg, &text) != 0) return {"<failed>"};
    Lines out;
    int size = 0;
    EXPECT_EQ(Rk_StrArrayGetSize(&text, &size), 0);
    for (int i = 0; i < size; ++i) {
        char* line = nullptr;
        Rk_StrArrayGetStr(&text, i, &line);
        out.emplace_back(line);
    }
    Rk_StrArrayFree(&text);
    return out;
}

Lines detailed(long id, const std::string& file) { return detailed(message(id, file)); }

TEST_F(MessageText, SummariesComeFromTheShippedMessageFile)
{
    EXPECT_EQ(summary(RK_ERR_NO_MEMORY, MessageFile()), "Out of memory");
    EXPECT_EQ(summary(RK_ERR_FILE_OPEN, MessageFile()), "File cannot be opened");
    EXPECT_EQ(summary(2, MessageFile()), kIdNotFound);
    EXPECT_TRUE(check(RK_ERR_ZERO_VECTOR, MessageFile()));
    EXPECT_FALSE(check(2, MessageFile()));
}

TEST_F(MessageText, AnErrorRaisedByTheLibraryReadsItsSummaryFromTheFileGivenAtInit)
{
    Rk_StrArrayStruct a{};
    ASSERT_EQ(Rk_StrArrayInit(&a, 0), 1);
    Rk_ErrorStruct error;
    int found = 0;
    Rk_ErrorQueueGetError(&error, &found);
    ASSERT_EQ(found, 1);
    char text[RK_TEXT_MAX + 1] = "";
    EXPECT_EQ(Rk_ErrorGetSummaryText(&error, text), 0);
    EXPECT_STREQ(text, "Invalid argument, object state or configuration");
    char same[RK_TEXT_MAX + 1] = "";
    EXPECT_EQ(Rk_ErrorGetSummaryMsg(&error, same), 0);
    EXPECT_STREQ(same, text);
}

TEST_F(MessageText, AMissingFileGivesItsFallbackAndIsNoFailure)
{
    const std::string missing = TempDir() + "/no-such-file.txt";
    EXPECT_EQ(summary(1, missing), kUnreadable);
    EXPECT_FALSE(check(1, missing));
    Rk_ErrorStruct error;
    Rk_ErrorSet(&error, 1, missing.c_str(), "here");
    char text[RK_TEXT_MAX + 1] = "";
    Rk_ErrorGetSummaryText(&error, text);
    EXPECT_STREQ(text, kUnreadable);
}

TEST_F(MessageText, IdLinesReadDecimalHexadecimalAndOctalNumbers)
{
    const std::string file = WriteTempFile("ids.txt",
                                           "#0x1B hexadecimal\n*twenty-seven\n"
                                           "#010\n*eight\n"
                                           "#\t 0X1c\n*twenty-eight\n"
                                           "#12 NAME and a comment\n*twelve\n"
                                           "#13x\n*thirteen\n"
                                           "#-4\n*minus four\n");
    const struct {
        long id;
        const char* text;
        const char* why;
    } cases[] = {
        {27, "twenty-seven", "0x prefix: hexadecimal"},
        {8, "eight", "leading 0: octal"},
        {10, kIdNotFound, "010 is octal, not ten"},
        {28, "twenty-eight", "blanks and tabs before the word, 0X prefix"},
        {12, "twelve", "words after the number are ignored"},
        {13, "thirteen", "the number ends at the first character that cannot belong to it"},
        {-4, "minus four", "a signed number"},
        {0, kIdNotFound, "no id line carries 0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(summary(c.id, file), c.text) << c.why;
        EXPECT_EQ(check(c.id, file), std::string(c.text) != kIdNotFound) << c.why;
    }
}

TEST_F(MessageText, AnIdLineWithoutNumberMatchesNothingButEndsTheBlock)
{
    const std::string file = WriteTempFile("empty-id.txt",
                                           "#4\n&detail of four\n"
                                           "#\n*after an empty id line\n"
                                           "#   \n#abc\n#6\n*six\n");
    EXPECT_EQ(summary(4, file), kNoSummary) << "the empty id line ends the block of 4";
    EXPECT_EQ(summary(6, file), "six") << "the lookup goes on past id lines without number";
    EXPECT_FALSE(check(0, file)) << "a line without number must not read as id 0";
}

TEST_F(MessageText, SummaryIsTheFirstSummaryLineOfTheFirstMatchingBlock)
{
    const std::string file = WriteTempFile("blocks.txt",
                                           "heading\n#3\n&detail first\n\ncomment\n*first summary\n*second summary\n"
                                           "#3\n*a later block with the same id\n"
                                           "#5\n&only details\n"
                                           "#6\n&details again\n");
    EXPECT_EQ(summary(3, file), "first summary");
    EXPECT_EQ(summary(5, file), kNoSummary) << "another block follows";
    EXPECT_EQ(summary(6, file), kIdNotFound) << "the file ends within the block";
}

TEST_F(MessageText, SummaryKeepsAtMost128CharactersAndDropsOnlyATrailingNewline)
{
    const std::string exact(128, 'e');
    const std::string longer = std::string(128, 'l') + "XYZ";
    const std::string file = WriteTempFile("long.txt", "#1\n*" + exact + "\n#2\n*" + longer + "\n#3\n*ends without newline");
    EXPECT_EQ(summary(1, file), exact);
    EXPECT_EQ(summary(2, file), std::string(128, 'l'));
    EXPECT_EQ(summary(3, file), "ends without newline");
}

TEST_F(MessageText, LinesLongerThan256CharactersAreReadInPiecesThatCountAsLines)
{
    // "&" and 255 characters fill one piece, so "*tail" starts a piece of its own: a summary line.
    // With one character less the '*' belongs to the first piece and no summary follows.
    const std::string file = WriteTempFile("pieces.txt", "#1\n&" + std::string(255, 'd') + "*tail\n#2\n&" +
                                                             std::string(254, 'd') + "*tail\n#3\n");
    EXPECT_EQ(summary(1, file), "tail");
    EXPECT_EQ(summary(2, file), kNoSummary);
}

TEST_F(MessageText, EveryLookupReadsTheFileAfreshAndLeavesNoFileOpen)
{
    const std::string file = WriteTempFile("changing.txt", "#1\n*before\n#2\n&no summary\n#3\n");
    const long descriptors = open_descriptors();
    EXPECT_EQ(summary(1, file), "before");
    EXPECT_EQ(summary(2, file), kNoSummary);
    EXPECT_EQ(summary(3, file), kIdNotFound);
    EXPECT_EQ(summary(9, file), kIdNotFound);
    EXPECT_TRUE(check(1, file));
    EXPECT_FALSE(check(9, file));
    EXPECT_EQ(detailed(2, file), Lines{"no summary"});
    EXPECT_EQ(detailed(1, file), Lines{kNoDetailed});
    EXPECT_EQ(detailed(3, file), Lines{kIdNotFound});
    Rk_MessageStruct msg = message(1, file);
    EXPECT_EQ(Rk_MessageSetTokenByMessage(&msg, 1, 1, file.c_str()), 0);
    EXPECT_EQ(open_descriptors(), descriptors) << "a lookup left the message file open";

    WriteTempFile("changing.txt", "#1\n*after\n");
    EXPECT_EQ(summary(1, file), "after");
}

TEST_F(MessageText, SummariesHaveTheirTokensSubstituted)
{
    const std::string file = WriteTempFile("tokens.txt", "#7\n*Missing %T1 in %8T2|%T3|\n");
    Rk_MessageStruct msg = message(7, file);
    Rk_MessageSetToken(&msg, 1, "part");
    Rk_MessageSetToken(&msg, 2, "fixture1234");
    EXPECT_EQ(summary(msg), "Missing part in fixture1||");
}

TEST_F(MessageText, SetTokenByMessageBorrowsAnotherMessagesSummary)
{
    Rk_MessageStruct msg = message(500, MessageFile());
    ASSERT_EQ(Rk_MessageSetTokenByMessage(&msg, 3, RK_ERR_NO_MEMORY, MessageFile().c_str()), 0);
    char token[RK_TEXT_MAX + 1] = "";
    Rk_MessageGetToken(&msg, 3, token);
    EXPECT_STREQ(token, "Out of memory");

    ASSERT_EQ(Rk_MessageSetTokenByMessage(&msg, 250, 2, MessageFile().c_str()), 0);
    Rk_MessageGetToken(&msg, 250, token);
    EXPECT_STREQ(token, kIdNotFound);

    // The borrowed text is looked up with no tokens of its own, not with the parent's.
    const std::string file = WriteTempFile("terms.txt", "#2\n*term <%T1> here\n");
    Rk_MessageSetToken(&msg, 1, "parent's");
    ASSERT_EQ(Rk_MessageSetTokenByMessage(&msg, 2, 2, file.c_str()), 0);
    Rk_MessageGetToken(&msg, 2, token);
    EXPECT_STREQ(token, "term <> here");

    for (int pos : {0, 251}) {
        EXPECT_EQ(Rk_MessageSetTokenByMessage(&msg, pos, RK_ERR_NO_MEMORY, MessageFile().c_str()), 1) << pos;
        EXPECT_ERROR(1, "rk_mes(");
    }
    Rk_MessageGetToken(&msg, 3, token);
    EXPECT_STREQ(token, "Out of memory") << "a refused position changes no token";
}

TEST_F(MessageText, DetailedTextsComeFromTheShippedMessageFile)
{
    const Lines lines = detailed(RK_ERR_COINCIDENT_POINTS, MessageFile());
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "A line was set from two points closer together than the point tolerance, so they define");
    EXPECT_EQ(lines[2], "Use two distinct points, or check the point tolerance (Rk_GeometrySet).");
    EXPECT_EQ(detailed(2, MessageFile()), Lines{kIdNotFound}) << "exactly one string for an absent id";

    Rk_ErrorStruct error;
    Rk_ErrorSet(&error, RK_ERR_COINCIDENT_POINTS, MessageFile().c_str(), "here");
    Rk_StrArrayStruct text{};
    ASSERT_EQ(Rk_ErrorGetDetailedText(&error, &text), 0);
    char* first = nullptr;
    Rk_StrArrayGetStr(&text, 0, &first);
    EXPECT_EQ(first, lines[0]);
    Rk_StrArrayFree(&text);
}

TEST_F(MessageText, DetailedTextIsTheFirstRunOfDetailedLinesOfItsBlock)
{
    const std::string file = WriteTempFile("detailed.txt",
                                           "#1\n&one\n&two\n\n&after a blank line\n*summary after\n"
                                           "#2\n*summary first\ncomment\n&%T1 and %3T2|\n&" + std::string(130, 'x') + "\n"
                                           "#3\n*no details\n"
                                           "#4\n*details missing at the end\n");
    EXPECT_EQ(detailed(1, file), (Lines{"one", "two"})) << "a blank line ends the run";
    Rk_MessageStruct msg = message(2, file);
    Rk_MessageSetToken(&msg, 1, "first");
    Rk_MessageSetToken(&msg, 2, "second");
    EXPECT_EQ(detailed(msg), (Lines{"first and sec|", std::string(128, 'x')}))
        << "lines before the run are passed over; tokens substituted; 128 characters kept";
    EXPECT_EQ(detailed(3, file), Lines{kNoDetailed}) << "another block follows";
    EXPECT_EQ(detailed(4, file), Lines{kIdNotFound}) << "the file ends within the block";
    EXPECT_EQ(detailed(1, TempDir() + "/missing.txt"), Lines{kUnreadable});
}

TEST_F(MessageText, DetailedTextRunsToTheEndOfTheFile)
{
    const std::string file = WriteTempFile("last.txt", "#9\n&last\n&lines");
    EXPECT_EQ(detailed(9, file), (Lines{"last", "lines"}));
}

TEST_F(MessageText, DetailedTextFailsOnlyForMemoryAndThenHoldsNothing)
{
    const std::string file = WriteTempFile("memory.txt", "#5\n&one\n&two\n&three\n#6\n");
    const Rk_MessageStruct msg = message(5, file);
    const long descriptors = open_descriptors();
    const long calls = rk::seam::alloc_calls();
    ASSERT_EQ(detailed(msg), (Lines{"one", "two", "three"}));
    const long allocations = rk::seam::alloc_calls() - calls;
    ASSERT_GE(allocations, 8) << "array, queue, three queued copies, three handed-over copies, ...";

    const long live = rk::seam::live_blocks();
    for (long n = 1; n <= allocations; ++n) {
        Rk_StrArrayStruct text{};
        int status = 0;
        {
            rktest::FailingAlloc guard(n);
            status = Rk_MessageGetDetailedText(&msg, &text);
        }
        EXPECT_EQ(status, 1) << "allocation " << n;
        int errors = 0;
        Rk_ErrorQueueGetSize(&errors);
        EXPECT_EQ(errors, 1) << "allocation " << n;
        Rk_ErrorStruct error;
        int found = 0;
        Rk_ErrorQueueGetError(&error, &found);
        EXPECT_EQ(error.msg.msg_id, RK_ERR_NO_MEMORY) << "allocation " << n << " at " << error.loc;
        EXPECT_EQ(text.array, nullptr) << "allocation " << n;
        EXPECT_EQ(rk::seam::live_blocks(), live) << "allocation " << n;
    }
    EXPECT_EQ(open_descriptors(), descriptors) << "a failing lookup left the message file open";

    Rk_StrArrayStruct text{};
    const Rk_MessageStruct absent = message(7, file);
    {
        rktest::FailingAlloc guard(3);
        EXPECT_EQ(Rk_MessageGetDetailedText(&absent, &text), 1) << "setting a fallback can fail too";
    }
    EXPECT_ERROR(11, "rk_strar(");
    EXPECT_EQ(text.array, nullptr);
}

std::string substitute(const Rk_MessageStruct& msg, const std::string& line)
{
    char buffer[RK_TEXT_MAX + 1];
    rk_strncpy(buffer, line.c_str(), RK_TEXT_MAX);
    EXPECT_EQ(Rk_MessageSubstituteTokens(&msg, buffer), 0);
    return buffer;
}

TEST_F(MessageTokens, ReferencesAreReplacedAndAnythingElseIsCopied)
{
    Rk_MessageStruct msg = message(1, MessageFile());
    Rk_MessageSetToken(&msg, 1, "abc");
    Rk_MessageSetToken(&msg, 250, "last");
    const struct {
        const char* line;
        std::string expected;
        const char* why;
    } cases[] = {
        {"%T1", "abc", "plain reference"},
        {"%5T1", "abc  ", "a wider field is padded with blanks on the right"},
        {"%2T1", "ab", "a narrower field cuts the token"},
        {"%3T1", "abc", "a field of the token's own length"},
        {"%0T1", "abc", "width 0 has no effect"},
        {"%T01", "abc", "the token number's digits are read as decimal"},
        {"%T250", "last", "the highest token number"},
        {"[%T2]", "[]", "an unset token is empty"},
        {"[%4T2]", "[    ]", "an unset token padded to its width"},
        {"%T0", "%T0", "token number 0 is not a reference"},
        {"%T251", "%T251", "token number above 250 is not a reference"},
        {"%T", "%T", "no token number"},
        {"%3T", "%3T", "a width and no token number"},
        {"%X1", "%X1", "no T after the %"},
        {"%t1", "%t1", "a lower-case t is not a reference"},
        {"100%", "100%", "a % at the end"},
        {"50%%", "50%%", "a doubled % is copied as two"},
        {"%%T1", "%abc", "the second % of a pair can begin a reference"},
        {"%5X%T1", "%5Xabc", "the digits after an invalid % are copied and the scan goes on"},
        {"a%T1b%T1c", "aabcbabcc", "several references"},
        {"%T1x9", "abcx9", "scanning goes on after the token number"},
        {"no references", "no references", "a line without % is left alone"},
    };
    for (const auto& c : cases) EXPECT_EQ(substitute(msg, c.line), c.expected) << c.why << ": " << c.line;
}

TEST_F(MessageTokens, TheResultHoldsAtMost128Characters)
{
    Rk_MessageStruct msg = message(1, MessageFile());
    const std::string long_token(RK_TEXT_MAX, 't');
    Rk_MessageSetToken(&msg, 1, long_token.c_str());
    Rk_MessageSetToken(&msg, 2, "abc");

    EXPECT_EQ(substitute(msg, "xx%T1"), "xx" + std::string(126, 't')) << "the token is cut to what fits";
    EXPECT_EQ(substitute(msg, "%T1%T2"), long_token) << "a full line takes nothing more";
    EXPECT_EQ(substitute(msg, "%200T2"), "abc" + std::string(125, ' ')) << "widths above 128 count as 128";
    EXPECT_EQ(substitute(msg, "%99999999999999999999T2").size(), 128u) << "a huge width is held at 128";
    EXPECT_EQ(substitute(msg, "%T99999999999999999999"), "%T99999999999999999999")
        << "a huge token number is out of range, not wrapped into it";
}

}  // namespace
