// String arrays: refusals that change nothing; resizing, setting (from the array's own texts too),
// packing and unpacking under every allocation failure, which loses nothing.
#include "text_helpers.hpp"

#include <functional>

namespace {

using StrArray = rktest::LibraryTest;

struct Array {  // freed when it goes out of scope; a null text leaves its slot unset
    Rk_StrArrayStruct a{};
    explicit Array(const std::vector<const char*>& texts = {})
    {
        if (!texts.empty()) Rk_StrArrayInit(&a, static_cast<int>(texts.size()));
        for (std::size_t i = 0; i < texts.size(); ++i)
            if (texts[i]) Rk_StrArraySetStr(&a, static_cast<int>(i), texts[i]);
    }
    ~Array() { Rk_StrArrayFree(&a); }
    std::string text() const  // the slots joined with '|'
    {
        std::string out;
        char* s = nullptr;
        for (int i = 0; i < a.array_size && Rk_StrArrayGetStr(&a, i, &s) == 0; ++i) out += (i ? "|" : "") + std::string(s);
        return out;
    }
};

TEST_F(StrArray, RefusalsRaiseError1AndChangeNothing)
{
    Array live({"a", "b"}), out;
    Rk_StrArrayStruct never{}, untouched{5, nullptr, nullptr};
    char marker[] = "marker";
    char* text = marker;
    int size = -7, index_marker = 0, *index = &index_marker;
    const int beyond[] = {0, 5};
    const std::pair<const char*, std::function<int()>> refused[] = {
        {"get at -1", [&] { return Rk_StrArrayGetStr(&live.a, -1, &text); }},
        {"set past the end", [&] { return Rk_StrArraySetStr(&live.a, 2, "z"); }},
        {"resize to 0", [&] { return Rk_StrArrayResetSize(&live.a, 0); }},
        {"init with 0", [&] { return Rk_StrArrayInit(&untouched, 0); }},
        {"pack in pieces of 0", [&] { return Rk_StrArrayPack(&live.a, 0, &out.a, &index, &size); }},
        {"pack into itself", [&] { return Rk_StrArrayPack(&live.a, 2, &live.a, &index, &size); }},
        {"unpack past the pieces", [&] { return Rk_StrArrayUnpack(&live.a, beyond, 2, &out.a); }},
        {"size of one never made", [&] { return Rk_StrArrayGetSize(&never, &size); }},
        {"resize one never made", [&] { return Rk_StrArrayResetSize(&never, 3); }},
        {"set in one freed", [&] { return Rk_StrArrayFree(&live.a) + Rk_StrArraySetStr(&live.a, 0, "x"); }},
    };
    for (const auto& [what, call] : refused) EXPECT_EQ(failure(call(), "rk_strar("), "error 1") << what;
    EXPECT_TRUE(text == marker && size == -7 && index == &index_marker && untouched.array_size == 5);
    EXPECT_TRUE(out.a.array == nullptr && never.array == nullptr) << "what a failing Unpack built is freed";
}

TEST_F(StrArray, EveryAllocationFailureLosesNothingAndUnpackJoinsThePackedPiecesBack)
{
    Array s({"ab", "cd"}), source({"abcdefg", "", "hi"}), empty({"", nullptr}), packed, out;
    Rk_StrArrayStruct fresh{9, nullptr, nullptr};
    EXPECT_EQ(fail_each_allocation("rk_strar(", [&] { return Rk_StrArrayInit(&fresh, 4); },
                                   [&] { EXPECT_EQ(fresh.array_size, 9); }), 2);
    Rk_StrArrayFree(&fresh);
    char** slots = s.a.array;
    EXPECT_EQ(fail_each_allocation("rk_strar(", [&] { return Rk_StrArrayResetSize(&s.a, 6); },
                                   [&] { EXPECT_EQ(s.a.array, slots); }), 2);
    EXPECT_EQ(fail_each_allocation("rk_strar(", [&] { return Rk_StrArraySetStr(&s.a, 1, "longer"); },
                                   [&] { EXPECT_EQ(s.text(), "ab|cd||||"); }), 1);
    ASSERT_EQ(Rk_StrArraySetStr(&s.a, 0, s.a.array[1]) || Rk_StrArraySetStr(&s.a, 1, s.a.array[1] + 2), 0);
    EXPECT_EQ(s.text(), "longer|nger||||") << "a slot's text may come from another slot or its own tail";
    int marker = 0, *index = &marker, size = -1;
    EXPECT_EQ(failure(Rk_StrArrayPack(&empty.a, 1, &out.a, &index, &size), "rk_strar("), "error 1") << "no piece";
    EXPECT_TRUE(index == nullptr && size == 0) << "the index array is released and the caller's pointer nulled";
    const auto pack = [&] {
        index = &marker;
        return Rk_StrArrayPack(&source.a, 3, &packed.a, &index, &size);
    };
    EXPECT_GE(fail_each_allocation("rk_strar(", pack, [&] {  // the index array is the first allocation
        EXPECT_TRUE(packed.a.array == nullptr && (index == &marker || index == nullptr));
    }), 5);
    EXPECT_EQ(packed.text() + " " + std::to_string(index[0]) + std::to_string(index[1]) + std::to_string(index[2]),
              "abc|def|g||hi 034") << "an empty string has one empty piece; the index holds each string's first";
    const long live = rk::seam::live_blocks();
    EXPECT_GE(fail_each_allocation("rk_strar(", [&] { return Rk_StrArrayUnpack(&packed.a, index, size, &out.a); },
                                   [&] { EXPECT_EQ(rk::seam::live_blocks(), live); }), 5);
    EXPECT_EQ(out.text(), "abcdefg||hi");
    Rkos_Free(index);
}

}  // namespace
