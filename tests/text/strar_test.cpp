// String arrays: owned slots, resizing, and the packed form.
#include "rk_test.hpp"

#include <string>
#include <vector>

namespace {

using StrArray = rktest::LibraryTest;
using StrArrayPack = rktest::LibraryTest;

// An array holding `texts`; a null entry stays unset.
Rk_StrArrayStruct make_array(const std::vector<const char*>& texts)
{
    Rk_StrArrayStruct a{};
    EXPECT_EQ(Rk_StrArrayInit(&a, static_cast<int>(texts.size())), 0);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i]) {
            EXPECT_EQ(Rk_StrArraySetStr(&a, static_cast<int>(i), texts[i]), 0);
        }
    }
    return a;
}

std::vector<std::string> contents(const Rk_StrArrayStruct& a)
{
    std::vector<std::string> out;
    int size = 0;
    if (Rk_StrArrayGetSize(&a, &size) != 0) return {"<not allocated>"};
    for (int i = 0; i < size; ++i) {
        char* text = nullptr;
        EXPECT_EQ(Rk_StrArrayGetStr(&a, i, &text), 0);
        out.emplace_back(text ? text : "<null>");
    }
    return out;
}

using Texts = std::vector<std::string>;

char g_marker[] = "marker";
int g_index_marker[1];

TEST_F(StrArray, UnsetSlotsReadAsAnEmptyStringNeverNull)
{
    Rk_StrArrayStruct a = make_array({nullptr, "x", nullptr});
    char* text = nullptr;
    ASSERT_EQ(Rk_StrArrayGetStr(&a, 0, &text), 0);
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(a.array[0], nullptr) << "reading an unset slot must not allocate it";
    EXPECT_EQ(a.str_size[0], 0);
    EXPECT_EQ(contents(a), (Texts{"", "x", ""}));
    Rk_StrArrayFree(&a);
}

TEST_F(StrArray, SlotShrinksInPlaceAndIsReallocatedOnlyToGrow)
{
    Rk_StrArrayStruct a = make_array({"abcdef"});
    EXPECT_EQ(a.str_size[0], 6);
    char* storage = a.array[0];

    ASSERT_EQ(Rk_StrArraySetStr(&a, 0, "abc"), 0);
    EXPECT_EQ(a.array[0], storage) << "a shorter text must reuse the slot's storage";
    EXPECT_EQ(a.str_size[0], 6) << "the capacity stays that of the storage";
    EXPECT_EQ(contents(a), Texts{"abc"});

    ASSERT_EQ(Rk_StrArraySetStr(&a, 0, "abcdef"), 0);
    EXPECT_EQ(a.array[0], storage) << "a text of exactly the capacity still fits";

    ASSERT_EQ(Rk_StrArraySetStr(&a, 0, "abcdefgh"), 0);
    EXPECT_EQ(a.str_size[0], 8);
    EXPECT_EQ(contents(a), Texts{"abcdefgh"});
    Rk_StrArrayFree(&a);
}

TEST_F(StrArray, KeepsItsOwnCopyAndAcceptsItsOwnTextAsSource)
{
    char buffer[] = "hello";
    Rk_StrArrayStruct a = make_array({buffer, nullptr});
    buffer[0] = 'J';
    EXPECT_EQ(contents(a), (Texts{"hello", ""}));

    ASSERT_EQ(Rk_StrArraySetStr(&a, 0, a.array[0] + 2), 0) << "the tail of the slot's own text";
    EXPECT_EQ(contents(a), (Texts{"llo", ""}));
    ASSERT_EQ(Rk_StrArraySetStr(&a, 1, a.array[0]), 0);
    EXPECT_EQ(contents(a), (Texts{"llo", "llo"}));
    EXPECT_NE(a.array[0], a.array[1]);
    Rk_StrArrayFree(&a);
}

TEST_F(StrArray, PositionsOutsideTheSlotsAreRefused)
{
    Rk_StrArrayStruct a = make_array({"a", "b"});
    for (int pos : {-1, 2, 1000}) {
        char* text = g_marker;
        EXPECT_EQ(Rk_StrArrayGetStr(&a, pos, &text), 1) << pos;
        EXPECT_ERROR(1, "rk_strar(");
        EXPECT_EQ(text, g_marker) << "the output is untouched on failure";
        EXPECT_EQ(Rk_StrArraySetStr(&a, pos, "z"), 1) << pos;
        EXPECT_ERROR(1, "rk_strar(");
    }
    EXPECT_EQ(contents(a), (Texts{"a", "b"}));
    Rk_StrArrayFree(&a);
}

TEST_F(StrArray, EveryOperationRefusesAnArrayThatIsNotAllocated)
{
    Rk_StrArrayStruct never{};  // before Init
    Rk_StrArrayStruct freed = make_array({"a"});
    Rk_StrArrayFree(&freed);
    for (Rk_StrArrayStruct* a : {&never, &freed}) {
        int size = -7;
        EXPECT_EQ(Rk_StrArrayGetSize(a, &size), 1);
        EXPECT_ERROR(1, "rk_strar(");
        EXPECT_EQ(size, -7);
        char* text = g_marker;
        EXPECT_EQ(Rk_StrArrayGetStr(a, 0, &text), 1);
        EXPECT_ERROR(1, "rk_strar(");
        EXPECT_EQ(text, g_marker);
        EXPECT_EQ(Rk_StrArraySetStr(a, 0, "x"), 1);
        EXPECT_ERROR(1, "rk_strar(");
        EXPECT_EQ(Rk_StrArrayResetSize(a, 3), 1);
        EXPECT_ERROR(1, "rk_strar(");
        EXPECT_EQ(a->array, nullptr);

        Rk_StrArrayStruct packed{};
        int* index = nullptr;
        int index_size = -1;
        EXPECT_EQ(Rk_StrArrayPack(a, 3, &packed, &index, &index_size), 1);
        EXPECT_ERROR(1, "rk_strar(");
        EXPECT_EQ(index, nullptr);
        EXPECT_EQ(index_size, -1);
        const int first[] = {0};
        Rk_StrArrayStruct unpacked{};
        EXPECT_EQ(Rk_StrArrayUnpack(a, first, 1, &unpacked), 1);
        EXPECT_ERROR(1, "rk_strar(");
        EXPECT_EQ(unpacked.array, nullptr);
    }
}

TEST_F(StrArray, InitNeedsAtLeastOneSlotAndLeavesTheRecordOnFailure)
{
    for (int n : {0, -3}) {
        Rk_StrArrayStruct a{5, nullptr, nullptr};
        EXPECT_EQ(Rk_StrArrayInit(&a, n), 1) << n;
        EXPECT_ERROR(1, "rk_strar(");
        EXPECT_EQ(a.array_size, 5);
        EXPECT_EQ(a.array, nullptr);
    }
}

TEST_F(StrArray, ResetSizeGrowsKeepingTextsAndShrinksDroppingThem)
{
    Rk_StrArrayStruct a = make_array({"a", "bb", "ccc"});
    ASSERT_EQ(Rk_StrArrayResetSize(&a, 5), 0);
    EXPECT_EQ(contents(a), (Texts{"a", "bb", "ccc", "", ""}));
    EXPECT_EQ(a.array[4], nullptr);
    EXPECT_EQ(a.str_size[4], 0);
    EXPECT_EQ(a.str_size[2], 3) << "the old capacities are carried over";

    ASSERT_EQ(Rk_StrArraySetStr(&a, 4, "eeee"), 0);
    ASSERT_EQ(Rk_StrArrayResetSize(&a, 2), 0);
    EXPECT_EQ(contents(a), (Texts{"a", "bb"}));
    char* text = nullptr;
    EXPECT_EQ(Rk_StrArrayGetStr(&a, 2, &text), 1) << "slot 2 was dropped";
    EXPECT_ERROR(1, "rk_strar(");

    ASSERT_EQ(Rk_StrArrayResetSize(&a, 5), 0);
    EXPECT_EQ(contents(a), (Texts{"a", "bb", "", "", ""})) << "dropped slots must not come back";

    ASSERT_EQ(Rk_StrArrayResetSize(&a, 5), 0);
    EXPECT_EQ(contents(a), (Texts{"a", "bb", "", "", ""}));

    for (int n : {0, -1}) {
        EXPECT_EQ(Rk_StrArrayResetSize(&a, n), 1) << n;
        EXPECT_ERROR(1, "rk_strar(");
    }
    EXPECT_EQ(contents(a), (Texts{"a", "bb", "", "", ""}));
    Rk_StrArrayFree(&a);
}

TEST_F(StrArray, FreeReleasesEverythingAndMayBeRepeated)
{
    const long before = rk::seam::live_blocks();
    Rk_StrArrayStruct a = make_array({"one", nullptr, "three"});
    EXPECT_EQ(Rk_StrArrayFree(&a), 0);
    EXPECT_EQ(rk::seam::live_blocks(), before);
    EXPECT_EQ(a.array, nullptr);
    EXPECT_EQ(a.str_size, nullptr);
    EXPECT_EQ(a.array_size, 3) << "the slot count is left as it was";
    EXPECT_EQ(Rk_StrArrayFree(&a), 0);
    Rk_StrArrayStruct never{};
    EXPECT_EQ(Rk_StrArrayFree(&never), 0);
}

TEST_F(StrArray, AllocationFailuresLeaveTheArrayAsItWas)
{
    for (long n : {1, 2}) {
        Rk_StrArrayStruct a{9, nullptr, nullptr};
        {
            rktest::FailingAlloc guard(n);
            EXPECT_EQ(Rk_StrArrayInit(&a, 4), 1) << "allocation " << n;
        }
        EXPECT_ERROR(11, "rk_strar(");
        EXPECT_EQ(a.array_size, 9);
        EXPECT_EQ(a.array, nullptr);
    }

    Rk_StrArrayStruct a = make_array({"ab", "cd"});
    for (long n : {1, 2}) {
        char** slots = a.array;
        {
            rktest::FailingAlloc guard(n);
            EXPECT_EQ(Rk_StrArrayResetSize(&a, 6), 1) << "allocation " << n;
        }
        EXPECT_ERROR(11, "rk_strar(");
        EXPECT_EQ(a.array, slots);
        EXPECT_EQ(contents(a), (Texts{"ab", "cd"}));
    }

    {
        rktest::FailingAlloc guard(1);
        EXPECT_EQ(Rk_StrArraySetStr(&a, 1, "longer"), 1);
    }
    EXPECT_ERROR(11, "rk_strar(");
    EXPECT_EQ(a.str_size[1], 2) << "a slot that could not grow keeps its text";
    EXPECT_EQ(contents(a), (Texts{"ab", "cd"}));
    {
        rktest::FailingAlloc guard(1);
        EXPECT_EQ(Rk_StrArraySetStr(&a, 0, "a"), 0) << "shrinking in place needs no memory";
    }
    EXPECT_EQ(contents(a), (Texts{"a", "cd"}));
    Rk_StrArrayFree(&a);
}

struct PackCase {
    std::vector<const char*> texts;
    int max_size;
    Texts pieces;
    std::vector<int> index;
    const char* why;
};

TEST_F(StrArrayPack, CutsIntoPiecesIndexesAndJoinsBackExactly)
{
    const PackCase cases[] = {
        {{"abcdefg", "hi"}, 3, {"abc", "def", "g", "hi"}, {0, 3}, "pieces of 3, the last one shorter"},
        {{"", "ab"}, 1, {"a", "b"}, {0, 0}, "with max_size 1 an empty string has no piece"},
        {{"ab", ""}, 1, {"a", "b"}, {0, 2}, "an empty last string with max_size 1 has no piece either"},
        {{"", "abc"}, 2, {"", "ab", "c"}, {0, 1}, "with max_size 2 an empty string is one empty piece"},
        {{nullptr, "xy", nullptr}, 4, {"", "xy", ""}, {0, 1, 2}, "unset slots pack as empty strings"},
        {{"abcdef"}, 3, {"abc", "def"}, {0}, "a length that is a multiple makes no empty tail"},
        {{"abc", "de"}, 100, {"abc", "de"}, {0, 1}, "short strings stay whole"},
        {{"abc"}, 1, {"a", "b", "c"}, {0}, "max_size 1 gives one character per piece"},
    };
    for (const PackCase& c : cases) {
        Rk_StrArrayStruct source = make_array(c.texts);
        const Texts original = contents(source);
        Rk_StrArrayStruct packed{};
        int* index = nullptr;
        int index_size = 0;
        ASSERT_EQ(Rk_StrArrayPack(&source, c.max_size, &packed, &index, &index_size), 0) << c.why;
        EXPECT_EQ(contents(packed), c.pieces) << c.why;
        ASSERT_EQ(index_size, static_cast<int>(c.index.size())) << c.why;
        EXPECT_EQ(std::vector<int>(index, index + index_size), c.index) << c.why;

        Rk_StrArrayStruct unpacked{};
        ASSERT_EQ(Rk_StrArrayUnpack(&packed, index, index_size, &unpacked), 0) << c.why;
        EXPECT_EQ(contents(unpacked), original) << c.why;
        EXPECT_EQ(contents(source), original) << "the source is unchanged";

        Rkos_Free(index);
        Rk_StrArrayFree(&source);
        Rk_StrArrayFree(&packed);
        Rk_StrArrayFree(&unpacked);
    }
}

TEST_F(StrArrayPack, RefusesBadSizesAndTargetsThatAreTheSource)
{
    Rk_StrArrayStruct source = make_array({"abc"});
    for (int max_size : {0, -2}) {
        Rk_StrArrayStruct packed{};
        int* index = nullptr;
        int index_size = -1;
        EXPECT_EQ(Rk_StrArrayPack(&source, max_size, &packed, &index, &index_size), 1) << max_size;
        EXPECT_ERROR(1, "rk_strar(");
        EXPECT_EQ(index, nullptr);
        EXPECT_EQ(index_size, -1);
        EXPECT_EQ(packed.array, nullptr);
    }

    int* index = nullptr;
    int index_size = -1;
    EXPECT_EQ(Rk_StrArrayPack(&source, 2, &source, &index, &index_size), 1);
    EXPECT_ERROR(1, "rk_strar(");
    const int first[] = {0};
    EXPECT_EQ(Rk_StrArrayUnpack(&source, first, 1, &source), 1);
    EXPECT_ERROR(1, "rk_strar(");
    EXPECT_EQ(contents(source), Texts{"abc"}) << "packing into itself must not lose the source";

    Rk_StrArrayStruct unpacked{};
    EXPECT_EQ(Rk_StrArrayUnpack(&source, first, 0, &unpacked), 1);
    EXPECT_ERROR(1, "rk_strar(");
    EXPECT_EQ(unpacked.array, nullptr);
    Rk_StrArrayFree(&source);
}

TEST_F(StrArrayPack, OnlyEmptyStringsWithMaxSizeOneHaveNoPiecesAndFailCleanly)
{
    Rk_StrArrayStruct source = make_array({"", nullptr});
    Rk_StrArrayStruct packed{};
    int* index = g_index_marker;
    int index_size = -1;
    EXPECT_EQ(Rk_StrArrayPack(&source, 1, &packed, &index, &index_size), 1);
    EXPECT_ERROR(1, "rk_strar(");
    EXPECT_EQ(index, nullptr) << "the index array is released and the caller's pointer nulled";
    EXPECT_EQ(index_size, 0);
    EXPECT_EQ(packed.array, nullptr);
    Rk_StrArrayFree(&source);
}

TEST_F(StrArrayPack, UnpackRefusesIndexesOutsideThePackedArrayAndKeepsNothing)
{
    Rk_StrArrayStruct packed = make_array({"ab", "cd"});
    const int beyond[] = {0, 5};
    const int negative[] = {-1};
    for (const auto& [index, size] : {std::pair<const int*, int>{beyond, 2}, {negative, 1}}) {
        Rk_StrArrayStruct unpacked{};
        EXPECT_EQ(Rk_StrArrayUnpack(&packed, index, size, &unpacked), 1);
        EXPECT_ERROR(1, "rk_strar(");
        EXPECT_EQ(unpacked.array, nullptr) << "what Unpack built is freed";
    }
    const int descending[] = {1, 0};
    Rk_StrArrayStruct unpacked{};
    ASSERT_EQ(Rk_StrArrayUnpack(&packed, descending, 2, &unpacked), 0);
    EXPECT_EQ(contents(unpacked), (Texts{"", "abcd"})) << "a string whose run is empty is empty";
    Rk_StrArrayFree(&unpacked);
    Rk_StrArrayFree(&packed);
}

TEST_F(StrArrayPack, EveryAllocationFailureIsReportedAndLeavesNothingBehind)
{
    Rk_StrArrayStruct source = make_array({"abcdefg", "", "hi"});
    const long live = rk::seam::live_blocks();

    Rk_StrArrayStruct packed{};
    int* index = nullptr;
    int index_size = 0;
    long calls = rk::seam::alloc_calls();
    ASSERT_EQ(Rk_StrArrayPack(&source, 3, &packed, &index, &index_size), 0);
    const long pack_allocs = rk::seam::alloc_calls() - calls;
    calls = rk::seam::alloc_calls();
    Rk_StrArrayStruct unpacked{};
    ASSERT_EQ(Rk_StrArrayUnpack(&packed, index, index_size, &unpacked), 0);
    const long unpack_allocs = rk::seam::alloc_calls() - calls;
    Rk_StrArrayFree(&unpacked);
    ASSERT_GE(pack_allocs, 5) << "index, two slot arrays, scratch, pieces";
    ASSERT_GE(unpack_allocs, 5) << "two slot arrays, a join buffer and a copy per string";

    for (long n = 1; n <= unpack_allocs; ++n) {
        Rk_StrArrayStruct out{};
        {
            rktest::FailingAlloc guard(n);
            EXPECT_EQ(Rk_StrArrayUnpack(&packed, index, index_size, &out), 1) << "allocation " << n;
        }
        EXPECT_ERROR(11, "rk_strar(");
        EXPECT_EQ(out.array, nullptr) << "allocation " << n;
    }
    Rkos_Free(index);
    Rk_StrArrayFree(&packed);
    EXPECT_EQ(rk::seam::live_blocks(), live);

    for (long n = 1; n <= pack_allocs; ++n) {
        Rk_StrArrayStruct out{};
        int* out_index = g_index_marker;
        int out_size = -1;
        {
            rktest::FailingAlloc guard(n);
            EXPECT_EQ(Rk_StrArrayPack(&source, 3, &out, &out_index, &out_size), 1) << "allocation " << n;
        }
        EXPECT_ERROR(11, "rk_strar(");
        EXPECT_EQ(out.array, nullptr) << "allocation " << n;
        // The index array is the first allocation: before it the pointer is untouched, after it
        // the array is released and the pointer nulled.
        EXPECT_EQ(out_index, n == 1 ? g_index_marker : nullptr) << "allocation " << n;
        EXPECT_EQ(rk::seam::live_blocks(), live) << "allocation " << n;
    }
    EXPECT_EQ(contents(source), (Texts{"abcdefg", "", "hi"}));
    Rk_StrArrayFree(&source);
}

}  // namespace
