// String utilities: bounded copies, comparison, editing, stripping, hexadecimal conversion, the
// shortening join, the time-based number and the quoted tokenizer.
#include <cstring>

#include "rk_test.hpp"

namespace {

using rktest::Lines;
using Strings = rktest::LibraryTest;

// rk_strncpy writes `num` characters (padded with terminators) and a terminator; a duplicate without memory
// is a null. Comparison ignores case, a prefix first. Edits may work in place; stripping takes blanks, tabs
// and newlines, not carriage returns; an insert position outside the text is its nearer end.
TEST_F(Strings, CopiesAreBoundedComparisonsIgnoreCaseAndEditsMayWorkInPlace)
{
    for (auto [num, image] : {std::pair{5, std::string("abcde\0xx", 8)}, {3, std::string("ab\0\0xxxx", 8)}}) {
        char dst[8] = {'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x'};
        EXPECT_EQ(rk_strncpy(dst, num == 5 ? "abcdefghij" : "ab", num), dst);
        EXPECT_EQ(std::string(dst, sizeof dst), image) << num;
    }
    EXPECT_EQ(rktest::WithFailingAlloc(1, [] { return rk_strdup("text"); }), nullptr) << "and no error queued";
    for (auto [a, b, result] : {std::tuple{"Hello", "hELLO", 0}, {"b", "A", 1}, {"ab", "abc", -1}, {"abc", "ab", 1}})
        EXPECT_EQ(rk_stricmp(a, b), result) << a << " vs " << b;
    EXPECT_EQ(std::make_tuple(rk_strisblank(""), rk_strisblank(" \t\r\n\v\f"), rk_strisblank("  x ")),
              std::make_tuple(1, 1, 0));
    char text[32] = "Mixed case 42";
    EXPECT_STREQ(rk_strtoup(text, text), "MIXED CASE 42");
    char cut[] = "a,b,c\0";
    EXPECT_EQ(std::string(rk_strcharswap(cut, ',', '\0'), 7), std::string("a\0b\0c\0", 7)) << "every separator";
    EXPECT_EQ(std::string(rk_strcharswap(cut, '\0', 'x'), 3), std::string("a\0b", 3)) << "the terminator stays";
    std::strcpy(text, "held");
    for (auto [pos, insert, result] :
         {std::tuple{2, "-mid-", "he-mid-ld"}, {-3, ">", ">he-mid-ld"}, {99, "<", ">he-mid-ld<"}})
        EXPECT_STREQ(rk_strinsert(text, pos, insert), result) << pos;
    char all[] = " \t\n\ra b\r \t\n", front[] = " \t\n\ra b\r \t\n", tail[] = " \t\n\ra b\r \t\n";
    EXPECT_EQ(Lines({rk_strstrip(all, all), rk_strstripfront(front, front), rk_strstriptail(tail, tail)}),
              Lines({"\ra b\r", "\ra b\r \t\n", " \t\n\ra b\r"}));
}

// From an int: upper case without prefix, the bit pattern of negatives. To an int: either case, read from
// the last character in 32 bits, where '-' negates what was read; any other character fails there.
TEST_F(Strings, HexadecimalTextsAndIntsConvertBothWays)
{
    char hex[9];
    int value = 0;
    EXPECT_EQ(rk_strhexfromint(hex, -1) + rk_strhextoint("-aBcD", &value), 0);
    EXPECT_EQ(std::make_pair(std::string(hex), value), std::make_pair(std::string("FFFFFFFF"), -0xABCD));
    EXPECT_FAILS(rk_strhextoint("0x1F", &value), 1, "rk_str(");
}

// The first string gives way first, then (below its minimum) the second, then the delimiter; a
// second string longer than the room is cut, keeping its start. Bad sizes leave the result alone.
TEST_F(Strings, CombinedPiecesGiveWayInTheirOrderToFitTheSize)
{
    const std::string s40(40, 's');
    const struct { const char *first, *second, *delimiter; int size, min; const char* combined; } cases[] = {
        {"left", "right", " | ", 40, 0, "left | right"}, {"left", "right", "", 9, 0, "leftright"},
        {"ABCDEFGHIJKLMN", "12345678", "...", 16, 3, "ABCDE...12345678"},
        {"ABCDEFGHIJ", "1234567890", "...", 16, 6, "ABCDEF...1234567"},
        {"ABCDEFGHIJ", "1234567890", "...", 10, 9, "ABCDEFGHI."}, {"ABCDEFGHIJ", "12345", "-", 4, 8, "ABCD"},
        {"ab", s40.c_str(), "--", 10, 0, "ssssssssss"}, {"", "y", "-", 1, 0, "y"},
    };
    for (const auto& c : cases) {
        char out[64];
        EXPECT_EQ(rk_strcombine(c.first, c.second, c.delimiter, c.size, c.min, out), 0);
        EXPECT_STREQ(out, c.combined) << c.size << ", " << c.min;
    }
    char out[16] = "untouched";
    for (auto [size, min] : {std::pair{0, 0}, {5, -1}})
        EXPECT_FAILS(rk_strcombine("a", "b", "-", size, min, out), 1, "rk_str(");
    EXPECT_STREQ(out, "untouched");
}

// Under the fixed time (year 93, day 180, 03:30:00) the number is 1 180 033 000, plus for each whole group
// of four characters c0 * 10^7 + c1 * 10^4 + c2 * 10 + c3 (signed), in 32 bits; never zero.
TEST_F(Strings, TheTimeBasedNumberIsTheFixedTimesPlusTheGroups)
{
    Rkos_TimeShowFixed();
    const signed char cancelling[] = {-40, -1, -100, 1, -40, -1, -100, 1, -38, -1, -100, -2, 0};
    EXPECT_EQ(rk_strgenlong("abc\xff" "ef"), static_cast<int>(1180033000u + 970000000u + 980000u + 990u - 1u));
    EXPECT_NE(rk_strgenlong(reinterpret_cast<const char*>(cancelling)), 0L);
}

TEST_F(Strings, TheTokenizerSplitsAtDelimitersOutsideQuotedSectionsAndKeepsWhatItAddedBeforeAFailure)
{
    const std::tuple<const char*, const char*, const char*, Lines, const char*> cases[] = {
        {nullptr, " ", "\"", {}, "no text has no tokens"},
        {"  \t word \t  ", " \t", "\"", {"word"}, "runs of delimiters at either end make no empty tokens"},
        {"plain \"a b\" \"\" \"say \"\"hi\"\"\"", " ", "\"", {"plain", "a b", "", "say \"hi\""}, "quoted tokens"},
        {"one \"two three", " ", "\"", {"one", "two three"}, "an unclosed section runs to the end"},
        {"\"it's fine\" x", " ", "\"'", {"it's", "fine\" x"}, "another quote closes the section, stays, opens one"},
    };
    for (const auto& [text, delims, quotes, expected, fault] : cases) {
        SCOPED_TRACE(fault);
        Rk_StrList tokens;
        ASSERT_EQ(rk_strtok(text, delims, quotes, &tokens), 0);
        EXPECT_EQ(rktest::Texts(tokens), expected);
        EXPECT_EQ(std::make_pair(tokens.allocated, tokens.allowDups), std::make_pair(1, 1));
        Rk_StrListFree(&tokens);
    }
    // The allocations in order: the list's column array and block, the working copy, the copy of "a"
    // in the list, the scratch text of the quoted token, its copy.
    for (auto [n, location, kept] : {std::tuple{1L, "rk_strtb(", Lines{}}, {3L, "rk_str(", Lines{}},
                                     {5L, "rk_str(", Lines{"a"}}, {6L, "rk_strtb(", Lines{"a"}}}) {
        Rk_StrList tokens{};
        EXPECT_FAILS(rktest::WithFailingAlloc(n, [&] { return rk_strtok("a \"b c\"", " ", "\"", &tokens); }), 11,
                     location);
        EXPECT_EQ(tokens.allocated ? rktest::Texts(tokens) : Lines{}, kept) << "allocation " << n;
        Rk_StrListFree(&tokens);
    }
}

}  // namespace
