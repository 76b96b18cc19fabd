// String arrays: owned slots, resizing, refusals that change nothing, and the packed form.
#include "text_helpers.hpp"

#include <functional>

namespace {

using StrArray = rktest::LibraryTest;

// An array freed when it goes out of scope; a null text leaves its slot unset.
struct Array {
    Rk_StrArrayStruct a{};
    explicit Array(const std::vector<const char*>& texts = {})
    {
        if (texts.empty()) return;
        EXPECT_EQ(Rk_StrArrayInit(&a, static_cast<int>(texts.size())), 0);
        for (std::size_t i = 0; i < texts.size(); ++i)
            if (texts[i]) Rk_StrArraySetStr(&a, static_cast<int>(i), texts[i]);
    }
    ~Array() { Rk_StrArrayFree(&a); }
    // The slots joined with '|'.
    std::string text() const
    {
        std::string out;
        for (int i = 0; i < a.array_size; ++i) {
            char* s = nullptr;
            EXPECT_EQ(Rk_StrArrayGetStr(&a, i, &s), 0);
            out += (i ? "|" : "") + std::string(s);
        }
        return out;
    }
};

char g_marker[] = "marker";
int g_index_marker[1];

TEST_F(StrArray, SlotsOwnTheirTextReadUnsetAsEmptyAndReallocateOnlyToGrow)
{
    char buffer[] = "abcdef";
    Array s({nullptr, buffer});
    buffer[0] = 'X';
    char* text = nullptr;
    ASSERT_EQ(Rk_StrArrayGetStr(&s.a, 0, &text), 0);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(s.a.array[0], nullptr) << "reading an unset slot must not allocate it";
    char* storage = s.a.array[1];
    ASSERT_EQ(Rk_StrArraySetStr(&s.a, 1, s.a.array[1] + 2), 0) << "the tail of the slot's own text";
    EXPECT_EQ(s.text(), "|cdef");
    ASSERT_EQ(Rk_StrArraySetStr(&s.a, 1, "ABCDEF"), 0);
    EXPECT_EQ(s.a.array[1], storage) << "a text up to the capacity reuses the storage";
    EXPECT_EQ(s.a.str_size[1], 6);
    ASSERT_EQ(Rk_StrArraySetStr(&s.a, 0, s.a.array[1]), 0);
    ASSERT_EQ(Rk_StrArraySetStr(&s.a, 1, "abcdefgh"), 0);
    EXPECT_EQ(s.a.str_size[1], 8);
    EXPECT_EQ(s.text(), "ABCDEF|abcdefgh");
}

TEST_F(StrArray, ResetSizeGrowsKeepingTextsAndShrinksDroppingThem)
{
    Array s({"a", "bb", "ccc"});
    ASSERT_EQ(Rk_StrArrayResetSize(&s.a, 5), 0);
    EXPECT_EQ(s.text(), "a|bb|ccc||");
    EXPECT_EQ(s.a.str_size[2], 3) << "the capacities are carried over";
    ASSERT_EQ(Rk_StrArraySetStr(&s.a, 4, "eeee"), 0);
    ASSERT_EQ(Rk_StrArrayResetSize(&s.a, 2), 0);
    ASSERT_EQ(Rk_StrArrayResetSize(&s.a, 5), 0);
    EXPECT_EQ(s.text(), "a|bb|||") << "dropped slots must not come back";
    ASSERT_EQ(Rk_StrArrayFree(&s.a), 0);
    EXPECT_EQ(s.a.array_size, 5) << "the slot count is left as it was";
    EXPECT_EQ(Rk_StrArrayFree(&s.a), 0) << "a freed array may be freed again";
}

TEST_F(StrArray, RefusalsRaiseError1AndChangeNothing)
{
    Array live({"a", "b"});
    Array freed({"x"});
    Rk_StrArrayFree(&freed.a);
    Rk_StrArrayStruct never{}, untouched{5, nullptr, nullptr}, out{};
    char* text = g_marker;
    int size = -7;
    int* index = g_index_marker;
    const int first[] = {0};
    const int beyond[] = {0, 5};
    const std::pair<const char*, std::function<int()>> refused[] = {
        {"get at -1", [&] { return Rk_StrArrayGetStr(&live.a, -1, &text); }},
        {"get past the end", [&] { return Rk_StrArrayGetStr(&live.a, 2, &text); }},
        {"set past the end", [&] { return Rk_StrArraySetStr(&live.a, 2, "z"); }},
        {"set at -1", [&] { return Rk_StrArraySetStr(&live.a, -1, "z"); }},
        {"resize to 0", [&] { return Rk_StrArrayResetSize(&live.a, 0); }},
        {"init with 0", [&] { return Rk_StrArrayInit(&untouched, 0); }},
        {"init with -3", [&] { return Rk_StrArrayInit(&untouched, -3); }},
        {"pack with 0", [&] { return Rk_StrArrayPack(&live.a, 0, &out, &index, &size); }},
        {"pack into itself", [&] { return Rk_StrArrayPack(&live.a, 2, &live.a, &index, &size); }},
        {"unpack into itself", [&] { return Rk_StrArrayUnpack(&live.a, first, 1, &live.a); }},
        {"unpack no string", [&] { return Rk_StrArrayUnpack(&live.a, first, 0, &out); }},
        {"unpack past the pieces", [&] { return Rk_StrArrayUnpack(&live.a, beyond, 2, &out); }},
    };
    for (const auto& [what, call] : refused) {
        SCOPED_TRACE(what);
        EXPECT_EQ(call(), 1);
        EXPECT_ERROR(1, "rk_strar(");
    }
    for (Rk_StrArrayStruct* dead : {&never, &freed.a}) {
        EXPECT_EQ(Rk_StrArrayGetSize(dead, &size), 1);
        EXPECT_EQ(Rk_StrArrayGetStr(dead, 0, &text), 1);
        EXPECT_EQ(Rk_StrArraySetStr(dead, 0, "x"), 1);
        EXPECT_EQ(Rk_StrArrayResetSize(dead, 3), 1);
        EXPECT_EQ(Rk_StrArrayPack(dead, 3, &out, &index, &size), 1);
        EXPECT_EQ(Rk_StrArrayUnpack(dead, first, 1, &out), 1);
        for (int i = 0; i < 6; ++i) EXPECT_ERROR(1, "rk_strar(");
        EXPECT_EQ(dead->array, nullptr);
    }
    EXPECT_EQ(text, g_marker);
    EXPECT_EQ(size, -7);
    EXPECT_EQ(index, g_index_marker);
    EXPECT_EQ(out.array, nullptr) << "what a failing Unpack built is freed";
    EXPECT_EQ(untouched.array_size, 5);
    EXPECT_EQ(live.text(), "a|b");
}

TEST_F(StrArray, AllocationFailuresLeaveTheArrayAsItWas)
{
    Array s({"ab", "cd"});
    Rk_StrArrayStruct fresh{9, nullptr, nullptr};
    EXPECT_EQ(fail_each_allocation("rk_strar(", [&] { return Rk_StrArrayInit(&fresh, 4); },
                                   [&] { EXPECT_EQ(fresh.array_size, 9); }), 2);
    Rk_StrArrayFree(&fresh);
    char** slots = s.a.array;
    EXPECT_EQ(fail_each_allocation("rk_strar(", [&] { return Rk_StrArrayResetSize(&s.a, 6); },
                                   [&] { EXPECT_EQ(s.a.array, slots); }), 2);
    Array t({"ab", "cd"});
    EXPECT_EQ(fail_each_allocation("rk_strar(", [&] { return Rk_StrArraySetStr(&t.a, 1, "longer"); },
                                   [&] { EXPECT_EQ(t.text(), "ab|cd"); }), 1);
    rktest::FailingAlloc guard(1);
    EXPECT_EQ(Rk_StrArraySetStr(&s.a, 0, "a"), 0) << "shrinking in place needs no memory";
}

TEST_F(StrArray, PackCutsIntoIndexedPiecesThatUnpackJoinsBack)
{
    const struct {
        std::vector<const char*> texts;
        int max_size;
        const char* pieces;
        std::vector<int> index;
    } cases[] = {
        {{"abcdefg", "hi"}, 3, "abc|def|g|hi", {0, 3}},
        {{"abcdef"}, 3, "abc|def", {0}},  // a multiple of max_size makes no empty tail
        {{"", "ab"}, 1, "a|b", {0, 0}},   // with max_size 1 an empty string has no piece
        {{"ab", ""}, 1, "a|b", {0, 2}},
        {{"", "abc"}, 2, "|ab|c", {0, 1}},  // otherwise it is one empty piece
        {{nullptr, "xy", nullptr}, 4, "|xy|", {0, 1, 2}},
        {{"abc", "de"}, 100, "abc|de", {0, 1}},
    };
    for (const auto& c : cases) {
        Array source(c.texts);
        const std::string original = source.text();
        SCOPED_TRACE(original + " in pieces of " + std::to_string(c.max_size));
        Array packed, unpacked;
        int* index = nullptr;
        int index_size = 0;
        ASSERT_EQ(Rk_StrArrayPack(&source.a, c.max_size, &packed.a, &index, &index_size), 0);
        EXPECT_EQ(packed.text(), c.pieces);
        EXPECT_EQ(std::vector<int>(index, index + index_size), c.index);
        ASSERT_EQ(Rk_StrArrayUnpack(&packed.a, index, index_size, &unpacked.a), 0);
        EXPECT_EQ(unpacked.text(), original);
        Rkos_Free(index);
    }
    Array packed({"ab", "cd"}), unpacked;
    const int descending[] = {1, 0};
    ASSERT_EQ(Rk_StrArrayUnpack(&packed.a, descending, 2, &unpacked.a), 0);
    EXPECT_EQ(unpacked.text(), "|abcd") << "a string whose run is empty is empty";
}

TEST_F(StrArray, AFailingPackOrUnpackKeepsNothingItMade)
{
    Array empty({"", nullptr}), out;
    int* index = g_index_marker;
    int index_size = -1;
    EXPECT_EQ(Rk_StrArrayPack(&empty.a, 1, &out.a, &index, &index_size), 1) << "no piece at all";
    EXPECT_ERROR(1, "rk_strar(");
    EXPECT_EQ(index, nullptr) << "the index array is released and the caller's pointer nulled";
    EXPECT_EQ(index_size, 0);

    Array source({"abcdefg", "", "hi"}), packed;
    ASSERT_EQ(Rk_StrArrayPack(&source.a, 3, &packed.a, &index, &index_size), 0);
    const long live = rk::seam::live_blocks();
    EXPECT_GE(fail_each_allocation("rk_strar(", [&] { return Rk_StrArrayUnpack(&packed.a, index, index_size, &out.a); },
                                   [&] { EXPECT_EQ(rk::seam::live_blocks(), live); }), 5);
    Rkos_Free(index);
    Array again;
    long n = 0;
    EXPECT_GE(fail_each_allocation("rk_strar(",
                                   [&] {
                                       ++n;
                                       index = g_index_marker;
                                       return Rk_StrArrayPack(&source.a, 3, &again.a, &index, &index_size);
                                   },
                                   [&] {
                                       EXPECT_EQ(again.a.array, nullptr);
                                       EXPECT_EQ(index, n == 1 ? g_index_marker : nullptr);
                                   }), 5);
    Rkos_Free(index);
    EXPECT_EQ(source.text(), "abcdefg||hi");
}

}  // namespace
