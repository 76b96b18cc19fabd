// String utilities.
#include <cstring>
#include <string>

#include "rk_test.hpp"

namespace {

using StringCopy = rktest::LibraryTest;
using StringCompare = rktest::LibraryTest;
using StringStrip = rktest::LibraryTest;
using StringEdit = rktest::LibraryTest;
using StringHex = rktest::LibraryTest;
using StringCombine = rktest::LibraryTest;
using StringGenLong = rktest::LibraryTest;

TEST_F(StringCopy, LongSourceIsCutAtNumAndTerminated)
{
    char dst[8];
    std::memset(dst, 'x', sizeof dst);
    EXPECT_EQ(rk_strncpy(dst, "abcdefghij", 5), dst);
    EXPECT_STREQ(dst, "abcde");
    EXPECT_EQ(dst[6], 'x') << "nothing written past position num";
}

TEST_F(StringCopy, ShortSourceIsPaddedWithTerminators)
{
    char dst[6];
    std::memset(dst, 'x', sizeof dst);
    rk_strncpy(dst, "ab", 5);
    for (int i = 2; i <= 5; ++i) EXPECT_EQ(dst[i], '\0') << "position " << i;
}

TEST_F(StringCopy, DuplicateIsAnIndependentBlock)
{
    char source[] = "copy me";
    char* copy = rk_strdup(source);
    ASSERT_NE(copy, nullptr);
    source[0] = 'X';
    EXPECT_STREQ(copy, "copy me");
    EXPECT_EQ(rk_strlen(copy), 7);
    Rkos_Free(copy);
}

TEST_F(StringCopy, DuplicateReportsExhaustionByNullOnly)
{
    rktest::FailingAlloc guard(1);
    EXPECT_EQ(rk_strdup("text"), nullptr);
    EXPECT_NO_ERROR();
}

TEST_F(StringCompare, IgnoresCaseAndOrdersPrefixesFirst)
{
    struct Case {
        const char* a;
        const char* b;
        int result;
    } cases[] = {
        {"Hello", "hELLO", 0}, {"abc", "abd", -1}, {"b", "A", 1},
        {"abc", "abcd", -1},   {"abcd", "abc", 1}, {"", "", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(rk_stricmp(c.a, c.b), c.result) << c.a << " vs " << c.b;
}

TEST_F(StringCompare, BlankMeansOnlyWhiteSpace)
{
    EXPECT_EQ(rk_strisblank(""), 1);
    EXPECT_EQ(rk_strisblank(" \t\r\n\v\f"), 1);
    EXPECT_EQ(rk_strisblank("  x "), 0);
}

TEST_F(StringEdit, UpperCaseMayBeWrittenInPlace)
{
    char text[] = "Mixed case 42";
    EXPECT_EQ(rk_strtoup(text, text), text);
    EXPECT_STREQ(text, "MIXED CASE 42");
    char out[8];
    rk_strtoup("ab", out);
    EXPECT_STREQ(out, "AB");
}

TEST_F(StringEdit, CharSwapReplacesUpToTheOriginalEnd)
{
    char path[] = "a/b/c";
    rk_strcharswap(path, '/', '\\');
    EXPECT_STREQ(path, "a\\b\\c");
    char cut[] = "a,b,c";
    rk_strcharswap(cut, ',', '\0');
    EXPECT_EQ(std::memcmp(cut, "a\0b\0c", 6), 0) << "every separator replaced, not only the first";
}

TEST_F(StringEdit, InsertShiftsTheTail)
{
    char text[32] = "held";
    rk_strinsert(text, 2, "-mid-");
    EXPECT_STREQ(text, "he-mid-ld");
    rk_strinsert(text, 0, ">");
    EXPECT_STREQ(text, ">he-mid-ld");
    rk_strinsert(text, rk_strlen(text), "<");
    EXPECT_STREQ(text, ">he-mid-ld<");
}

TEST_F(StringStrip, RemovesBlanksTabsAndNewlinesButNotCarriageReturns)
{
    struct Case {
        const char* input;
        const char* both;
        const char* front;
        const char* tail;
    } cases[] = {
        {" \t\n word \t\n", "word", "word \t\n", " \t\n word"},
        {"\rword\r", "\rword\r", "\rword\r", "\rword\r"},
        {"   ", "", "", ""},
        {"", "", "", ""},
        {"a b", "a b", "a b", "a b"},
    };
    for (const Case& c : cases) {
        char out[32];
        EXPECT_STREQ(rk_strstrip(c.input, out), c.both) << '[' << c.input << ']';
        EXPECT_STREQ(rk_strstripfront(c.input, out), c.front) << '[' << c.input << ']';
        EXPECT_STREQ(rk_strstriptail(c.input, out), c.tail) << '[' << c.input << ']';
    }
}

TEST_F(StringStrip, MayStripInPlace)
{
    char both[] = "  both  ";
    rk_strstrip(both, both);
    EXPECT_STREQ(both, "both");
    char front[] = "\t\tfront ";
    rk_strstripfront(front, front);
    EXPECT_STREQ(front, "front ");
    char tail[] = " tail\n\n";
    rk_strstriptail(tail, tail);
    EXPECT_STREQ(tail, " tail");
}

TEST_F(StringHex, FromIntIsUpperCaseWithoutPrefix)
{
    char hex[9];
    EXPECT_EQ(rk_strhexfromint(hex, 255), 0);
    EXPECT_STREQ(hex, "FF");
    rk_strhexfromint(hex, 0);
    EXPECT_STREQ(hex, "0");
    rk_strhexfromint(hex, -1);
    EXPECT_STREQ(hex, "FFFFFFFF");
}

TEST_F(StringHex, ToIntAcceptsEitherCaseAndALeadingMinus)
{
    struct Case {
        const char* text;
        int value;
    } cases[] = {
        {"7fFF", 32767}, {"", 0}, {"-1F", -31}, {"FFFFFFFF", -1}, {"100000000", 0}, {"0", 0},
    };
    for (const Case& c : cases) {
        int value = 12345;
        EXPECT_EQ(rk_strhextoint(c.text, &value), 0) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
}

TEST_F(StringHex, ToIntRoundTripsEveryBitPattern)
{
    const int samples[] = {1, 0x7FFFFFFF, static_cast<int>(0x80000000u), -2, 0x12345678, 0x0ABCDEF0};
    for (int sample : samples) {
        char hex[9];
        rk_strhexfromint(hex, sample);
        int back = 0;
        EXPECT_EQ(rk_strhextoint(hex, &back), 0);
        EXPECT_EQ(back, sample) << hex;
    }
}

TEST_F(StringHex, BadCharacterFailsWithWhatWasReadSoFar)
{
    struct Case {
        const char* text;
        int partial;
    } cases[] = {{"0x1F", 31}, {"+A", 10}, {"1 2", 2}, {"G", 0}};
    for (const Case& c : cases) {
        int value = 777;
        EXPECT_EQ(rk_strhextoint(c.text, &value), 1) << c.text;
        EXPECT_EQ(value, c.partial) << c.text;
        EXPECT_ERROR(1, "rk_str(");
    }
}

TEST_F(StringCombine, PiecesThatFitAreConcatenated)
{
    char out[64];
    EXPECT_EQ(rk_strcombine("left", "right", " | ", 40, 0, out), 0);
    EXPECT_STREQ(out, "left | right");
    EXPECT_EQ(rk_strcombine("left", "right", "", 9, 0, out), 0);
    EXPECT_STREQ(out, "leftright") << "an empty delimiter takes no room";
}

TEST_F(StringCombine, FirstStringGivesWayFirst)
{
    char out[64];
    // 14 + 3 + 8 = 25 characters into 16: the first string keeps 5.
    EXPECT_EQ(rk_strcombine("ABCDEFGHIJKLMN", "12345678", "...", 16, 3, out), 0);
    EXPECT_STREQ(out, "ABCDE...12345678");
}

TEST_F(StringCombine, BelowItsMinimumTheSecondGivesWayThenTheDelimiter)
{
    char out[64];
    // The first keeps its minimum of 6; the second is cut to 16 - 3 - 6 = 7.
    EXPECT_EQ(rk_strcombine("ABCDEFGHIJ", "1234567890", "...", 16, 6, out), 0);
    EXPECT_STREQ(out, "ABCDEF...1234567");
    // Minimum 9 of 10 leaves no room for the second; the delimiter is cut to 1.
    EXPECT_EQ(rk_strcombine("ABCDEFGHIJ", "1234567890", "...", 10, 9, out), 0);
    EXPECT_STREQ(out, "ABCDEFGHI.");
}

TEST_F(StringCombine, MinimumAboveTheSizeKeepsTheStartOfTheFirst)
{
    char out[64];
    EXPECT_EQ(rk_strcombine("ABCDEFGHIJ", "12345", "-", 4, 8, out), 0);
    EXPECT_STREQ(out, "ABCD");
}

TEST_F(StringCombine, LongSecondStringNeverOverrunsTheSize)
{
    const std::string second(40, 's');
    char out[11];
    std::memset(out, 'x', sizeof out);
    EXPECT_EQ(rk_strcombine("ab", second.c_str(), "--", 10, 0, out), 0);
    EXPECT_STREQ(out, "ssssssssss") << "the first string and the delimiter give way, then the second is cut";
}

TEST_F(StringCombine, BadSizesFailAndLeaveTheResultAlone)
{
    char out[16] = "untouched";
    EXPECT_EQ(rk_strcombine("a", "b", "-", 0, 0, out), 1);
    EXPECT_ERROR(1, "rk_str(");
    EXPECT_EQ(rk_strcombine("a", "b", "-", 5, -1, out), 1);
    EXPECT_ERROR(1, "rk_str(");
    EXPECT_STREQ(out, "untouched");
}

TEST_F(StringGenLong, FixedTimeGivesItsDocumentedValue)
{
    Rkos_TimeShowFixed();
    EXPECT_EQ(rk_strgenlong(""), 1180033000L);
    EXPECT_EQ(rk_strgenlong("abc"), 1180033000L) << "a trailing group of fewer than four characters is ignored";
    // "abcd": 97e7 + 98e4 + 99 * 10 + 100 added, wrapping in 32 bits.
    const long expected = static_cast<int>(1180033000u + 970000000u + 980000u + 990u + 100u);
    EXPECT_EQ(rk_strgenlong("abcd"), expected);
}

TEST_F(StringGenLong, CharactersAreSigned)
{
    Rkos_TimeShowFixed();
    // '\xff' counts as -1 in the last place of the group.
    const char text[] = {'\0' + 1, '\0' + 1, '\0' + 1, '\xff', '\0'};
    EXPECT_EQ(rk_strgenlong(text), 1180033000L + 10000000L + 10000L + 10L - 1L);
}

TEST_F(StringGenLong, ZeroUnderTheFixedTimeDoesNotHang)
{
    Rkos_TimeShowFixed();
    // Three groups worth -1,180,033,000 in all cancel the fixed time's 1,180,033,000 exactly.
    const signed char groups[] = {-40, -1, -100, 1, -40, -1, -100, 1, -38, -1, -100, -2, 0};
    const char* text = reinterpret_cast<const char*>(groups);
    const long value = rk_strgenlong(text);
    EXPECT_NE(value, 0L);
    Rkos_TimeShowCurrent();
    EXPECT_NE(rk_strgenlong(text), 0L);
}

}  // namespace
