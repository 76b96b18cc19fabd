// The quoted tokenizer: delimiters, quoted sections with doubled quotes, empty quoted tokens,
// unclosed sections, and every allocation that can fail.
#include <cstring>
#include <string>
#include <vector>

#include "../containers/container_helpers.hpp"
#include "rk_test.hpp"

namespace {

using rktest::FailingAlloc;
using rktest::Texts;
using QuotedTokenizer = rktest::LibraryTest;

TEST_F(QuotedTokenizer, SplitsAtDelimitersOutsideQuotedSections)
{
    struct Case {
        const char* text;
        const char* delims;
        const char* quotes;
        std::vector<std::string> tokens;
        const char* fault;  // what is wrong if the case fails
    };
    const std::vector<Case> cases = {
        {"", " ", "\"", {}, "an empty text has no tokens"},
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
        {"'say \"\"' z", " ", "\"'", {"say \"\"", "z"},
         "doubled other quotes pass through the section and stay doubled in a token opened by '"},
    };
    for (const Case& c : cases) {
        Rk_StrList tokens;
        ASSERT_EQ(rk_strtok(c.text, c.delims, c.quotes, &tokens), 0) << c.fault;
        EXPECT_EQ(Texts(tokens), c.tokens) << c.fault;
        EXPECT_EQ(tokens.allowDups, 1) << "the token list must allow duplicates";
        Rk_StrListFree(&tokens);
    }
}

TEST_F(QuotedTokenizer, ANullTextGivesAnEmptyList)
{
    Rk_StrList tokens;
    ASSERT_EQ(rk_strtok(nullptr, " ", "\"", &tokens), 0);
    EXPECT_EQ(tokens.allocated, 1);
    EXPECT_TRUE(Texts(tokens).empty());
    Rk_StrListFree(&tokens);
}

TEST_F(QuotedTokenizer, TheTextIsNotChangedAndASecondCallGivesTheSameTokens)
{
    char text[] = "x \"y z\" x";
    const std::string before = text;
    Rk_StrList first, second;
    ASSERT_EQ(rk_strtok(text, " ", "\"", &first), 0);
    ASSERT_EQ(rk_strtok(text, " ", "\"", &second), 0);
    EXPECT_EQ(text, before);
    EXPECT_EQ(Texts(first), (std::vector<std::string>{"x", "y z", "x"}));
    EXPECT_EQ(Texts(first), Texts(second));
    Rk_StrListFree(&first);
    Rk_StrListFree(&second);
}

// The allocations in order: the list's column array and block, the working copy, the copy of
// "a" in the list, the scratch text of the quoted token, its copy in the list.
TEST_F(QuotedTokenizer, EveryAllocationFailureIsReportedAndLeaksNothing)
{
    struct Case {
        long allocation;
        const char* location;
        std::vector<std::string> kept;
    };
    for (const Case& c : {Case{1, "rk_strtb(", {}}, Case{3, "rk_str(", {}}, Case{4, "rk_strtb(", {}},
                          Case{5, "rk_str(", {"a"}}, Case{6, "rk_strtb(", {"a"}}}) {
        Rk_StrList tokens;
        std::memset(&tokens, 0, sizeof tokens);
        {
            FailingAlloc guard(c.allocation);
            EXPECT_EQ(rk_strtok("a \"b c\"", " ", "\"", &tokens), 1) << "allocation " << c.allocation;
        }
        EXPECT_ERROR(11, c.location);
        if (tokens.allocated) {
            EXPECT_EQ(Texts(tokens), c.kept) << "allocation " << c.allocation;
        }
        Rk_StrListFree(&tokens);
    }
}

}  // namespace
