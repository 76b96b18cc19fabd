// The quoted tokenizer: delimiters, quoted sections with doubled quotes, empty quoted tokens,
// unclosed sections, and every allocation that can fail.
#include "rk_test.hpp"

namespace {

using rktest::Lines;
using QuotedTokenizer = rktest::LibraryTest;

// Each row: the text, its delimiters and quotes, the tokens, and what is wrong if the row fails.
TEST_F(QuotedTokenizer, SplitsAtDelimitersOutsideQuotedSections)
{
    const std::tuple<const char*, const char*, const char*, Lines, const char*> cases[] = {
        {nullptr, " ", "\"", {}, "no text has no tokens"},
        {"  \t word \t  ", " \t", "\"", {"word"}, "runs of delimiters at either end make no empty tokens"},
        {"a,,b;c", ",;", "\"", {"a", "b", "c"}, "every character of the set delimits"},
        {"plain \"a b\" \"\" \"say \"\"hi\"\"\"", " ", "\"", {"plain", "a b", "", "say \"hi\""},
         "a quoted blank, an empty quoted token and a doubled quote"},
        {"one \"two three", " ", "\"", {"one", "two three"}, "an unclosed section runs to the end"},
        {"ab\" \"cd ef", " ", "\"", {"ab\" \"cd", "ef"}, "a token not opening with a quote keeps its quotes"},
        {"\"ab\"cd", " ", "\"", {"abcd"}, "the closing quote is dropped and the rest kept"},
        {"\"a\tb\"", " \t", "\"", {"a\tb"}, "a tab inside quotes does not split"},
        {"\"\"\"x\"", " ", "\"", {"\"x"}, "a doubled quote right after the opening one"},
        {"'a''b' c", " ", "'", {"a'b", "c"}, "any quote character works as the quote"},
        {"\"it's fine\" x", " ", "\"'", {"it's", "fine\" x"},
         "another quote character closes the section and stays in the token; the next quote opens one"},
        {"'say \"\"' z", " ", "\"'", {"say \"\"", "z"}, "doubled other quotes stay doubled in a token opened by '"},
    };
    for (const auto& [text, delims, quotes, expected, fault] : cases) {
        SCOPED_TRACE(fault);
        Rk_StrList tokens;
        ASSERT_EQ(rk_strtok(text, delims, quotes, &tokens), 0);
        EXPECT_EQ(rktest::Texts(tokens), expected);
        EXPECT_EQ(std::make_pair(tokens.allocated, tokens.allowDups), std::make_pair(1, 1));
        Rk_StrListFree(&tokens);
    }
}

// The allocations in order: the list's column array and block, the working copy, the copy of "a"
// in the list, the scratch text of the quoted token, its copy. Tokens added before a failure stay.
TEST_F(QuotedTokenizer, EveryAllocationFailureIsReportedAndLeaksNothing)
{
    for (auto [n, location, kept] : {std::tuple{1L, "rk_strtb(", Lines{}}, {2L, "rk_strtb(", Lines{}},
                                     {3L, "rk_str(", Lines{}}, {4L, "rk_strtb(", Lines{}},
                                     {5L, "rk_str(", Lines{"a"}}, {6L, "rk_strtb(", Lines{"a"}}}) {
        Rk_StrList tokens{};
        EXPECT_FAILS(rktest::WithFailingAlloc(n, [&] { return rk_strtok("a \"b c\"", " ", "\"", &tokens); }), 11,
                     location);
        EXPECT_EQ(tokens.allocated ? rktest::Texts(tokens) : Lines{}, kept) << "allocation " << n;
        Rk_StrListFree(&tokens);
    }
}

}  // namespace
