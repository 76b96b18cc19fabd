// Lists: duplicates, removal, ownership of texts, order, the freed-list rules, errors that come
// from the table underneath, and the pointer list's set operations.
#include <cstring>
#include <string>
#include <vector>

#include "container_helpers.hpp"
#include "rk_test.hpp"

namespace {

using rktest::FailingAlloc;
using rktest::Texts;
using IntList = rktest::LibraryTest;
using LongList = rktest::LibraryTest;
using StrList = rktest::LibraryTest;
using PtrList = rktest::LibraryTest;

std::vector<int> Values(const Rk_IntList& list)
{
    int size = 0;
    Rk_IntListGetSize(&list, &size);
    std::vector<int> values(static_cast<std::size_t>(size));
    for (int i = 0; i < size; ++i) Rk_IntListGet(&list, i, &values[static_cast<std::size_t>(i)]);
    return values;
}

std::vector<void*> Pointers(const Rk_PtrList& list)
{
    int size = 0;
    Rk_PtrListGetSize(&list, &size);
    std::vector<void*> values(static_cast<std::size_t>(size));
    for (int i = 0; i < size; ++i) Rk_PtrListGet(&list, i, &values[static_cast<std::size_t>(i)]);
    return values;
}

TEST_F(IntList, AListRefusingDuplicatesIgnoresAValueAlreadyThere)
{
    Rk_IntList list;
    ASSERT_EQ(Rk_IntListInit(&list, 0), 0);
    EXPECT_EQ(list.allocated, 1);
    EXPECT_EQ(list.allowDups, 0);
    for (int v : {7, 7, 3}) EXPECT_EQ(Rk_IntListAdd(&list, v), 0);
    EXPECT_EQ(Values(list), (std::vector<int>{7, 3}));
    ASSERT_EQ(Rk_IntListSet(&list, 1, 7), 0) << "Set does not check for duplicates";
    EXPECT_EQ(Values(list), (std::vector<int>{7, 7}));
    Rk_IntListFree(&list);

    ASSERT_EQ(Rk_IntListInit(&list, 1), 0);
    for (int v : {7, 7, 3}) EXPECT_EQ(Rk_IntListAdd(&list, v), 0);
    EXPECT_EQ(Values(list), (std::vector<int>{7, 7, 3}));
    Rk_IntListFree(&list);
}

TEST_F(IntList, RemoveTakesOnlyTheFirstOccurrenceAndIgnoresAbsentValues)
{
    Rk_IntList list;
    ASSERT_EQ(Rk_IntListInit(&list, 1), 0);
    for (int v : {4, 8, 4, 2}) Rk_IntListAdd(&list, v);
    EXPECT_EQ(Rk_IntListRemove(&list, 5), 0);
    EXPECT_EQ(Values(list), (std::vector<int>{4, 8, 4, 2}));
    EXPECT_EQ(Rk_IntListRemove(&list, 4), 0);
    EXPECT_EQ(Values(list), (std::vector<int>{8, 4, 2}));
    Rk_IntListFree(&list);
}

TEST_F(IntList, FindPosStartsAtTheGivenPosition)
{
    Rk_IntList list;
    ASSERT_EQ(Rk_IntListInit(&list, 1), 0);
    for (int v : {5, 9, 5, 9}) Rk_IntListAdd(&list, v);
    struct Case {
        int value, start, found, pos;
    };
    for (const Case& c : {Case{5, 2, 1, 2}, Case{9, 2, 1, 3}, Case{5, 3, 0, -1}, Case{9, 0, 1, 1}}) {
        int pos = -1, found = -1;
        ASSERT_EQ(Rk_IntListFindPos(&list, c.start, c.value, &pos, &found), 0);
        EXPECT_EQ(found, c.found) << c.value << " from " << c.start;
        EXPECT_EQ(pos, c.pos) << c.value << " from " << c.start;
    }
    Rk_IntListFree(&list);
}

// Sorting marks the list, so later finds bisect; they must still find what a scan finds.
TEST_F(IntList, SortOrdersSignedValuesAndFindsStillWork)
{
    Rk_IntList list;
    ASSERT_EQ(Rk_IntListInit(&list, 1), 0);
    for (int v : {3, -7, 12, 0, -7, 5}) Rk_IntListAdd(&list, v);
    ASSERT_EQ(Rk_IntListSort(&list), 0);
    EXPECT_EQ(Values(list), (std::vector<int>{-7, -7, 0, 3, 5, 12}));
    EXPECT_EQ(list.table.sorted, 1);
    int pos = -1, found = 0;
    ASSERT_EQ(Rk_IntListFindPos(&list, 1, -7, &pos, &found), 0);
    EXPECT_EQ(pos, 1);
    ASSERT_EQ(Rk_IntListRemove(&list, 5), 0);
    EXPECT_EQ(list.table.sorted, 0) << "removing a value with later values after it clears the mark";
    Rk_IntListFree(&list);
}

TEST_F(LongList, HoldsLongValuesAndErrorsComeFromTheLongTable)
{
    Rk_LongList list;
    ASSERT_EQ(Rk_LongListInit(&list, 0), 0);
    const long big = sizeof(long) > 4 ? (1L << 40) + 1 : 1L << 30;
    ASSERT_EQ(Rk_LongListAdd(&list, big), 0);
    ASSERT_EQ(Rk_LongListAdd(&list, big - 1), 0);
    ASSERT_EQ(Rk_LongListSort(&list), 0);
    long first = 0;
    ASSERT_EQ(Rk_LongListGet(&list, 0, &first), 0);
    EXPECT_EQ(first, big - 1);
    int found = 0;
    ASSERT_EQ(Rk_LongListFind(&list, big, &found), 0);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(Rk_LongListGet(&list, 2, &first), 1);
    EXPECT_ERROR(1, "rk_lngtb(");
    EXPECT_EQ(Rk_LongListClear(&list), 0);
    int size = -1;
    Rk_LongListGetSize(&list, &size);
    EXPECT_EQ(size, 0);
    EXPECT_EQ(Rk_LongListFree(&list), 0);
}

TEST_F(StrList, TheListKeepsItsOwnCopies)
{
    Rk_StrList list;
    ASSERT_EQ(Rk_StrListInit(&list, 1), 0);
    char buffer[16] = "first";
    ASSERT_EQ(Rk_StrListAdd(&list, buffer), 0);
    std::strcpy(buffer, "changed");
    ASSERT_EQ(Rk_StrListAdd(&list, buffer), 0);
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"first", "changed"}));
    char* own = nullptr;
    Rk_StrListGet(&list, 0, &own);
    ASSERT_EQ(Rk_StrListSet(&list, 1, own), 0) << "a text the list handed out may be set back";
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"first", "first"}));
    Rk_StrListFree(&list);
}

TEST_F(StrList, SortPutsUpperCaseBeforeLowerCase)
{
    Rk_StrList list;
    ASSERT_EQ(Rk_StrListInit(&list, 1), 0);
    for (const char* s : {"banana", "Zebra", "apple", "Apple", "a"}) Rk_StrListAdd(&list, s);
    ASSERT_EQ(Rk_StrListSort(&list), 0);
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"Apple", "Zebra", "a", "apple", "banana"}));
    int found = 0;
    ASSERT_EQ(Rk_StrListFind(&list, "apple", &found), 0);
    EXPECT_EQ(found, 1);
    ASSERT_EQ(Rk_StrListFind(&list, "APPLE", &found), 0);
    EXPECT_EQ(found, 0) << "comparison is case-sensitive";
    ASSERT_EQ(Rk_StrListRemove(&list, "Apple"), 0);
    EXPECT_EQ(list.table.sorted, 1) << "a string list keeps its mark on every removal";
    Rk_StrListFree(&list);
}

TEST_F(StrList, AFailedAddLeavesTheListUnchanged)
{
    Rk_StrList list;
    ASSERT_EQ(Rk_StrListInit(&list, 0), 0);
    for (int i = 0; i < 25; ++i) ASSERT_EQ(Rk_StrListAdd(&list, std::to_string(i).c_str()), 0);
    const long live = rk::seam::live_blocks();
    for (long n : {1L, 2L}) {
        FailingAlloc guard(n);
        EXPECT_EQ(Rk_StrListAdd(&list, "new"), 1) << (n == 1 ? "the copy" : "the growth");
        EXPECT_ERROR(11, "rk_strtb(");
        EXPECT_EQ(list.table.num_rows, 25);
        EXPECT_EQ(rk::seam::live_blocks(), live);
    }
    Rk_StrListFree(&list);
}

TEST_F(StrList, AFailedInitLeavesTheFlagsAlone)
{
    Rk_StrList list;
    std::memset(&list, 0, sizeof list);
    list.allowDups = 7;
    {
        FailingAlloc guard(1);
        EXPECT_EQ(Rk_StrListInit(&list, 1), 1);
    }
    EXPECT_ERROR(11, "rk_strtb(");
    EXPECT_EQ(list.allocated, 0);
    EXPECT_EQ(list.allowDups, 7);
}

// Free trusts the flag: a list whose flag is 0 (freed, or zero-filled before use) is left alone;
// a raised flag over a record that is not a string table is refused by the table.
TEST_F(StrList, FreeFollowsTheAllocatedFlag)
{
    Rk_StrList list;
    ASSERT_EQ(Rk_StrListInit(&list, 0), 0);
    Rk_StrListAdd(&list, "x");
    EXPECT_EQ(Rk_StrListFree(&list), 0);
    EXPECT_EQ(list.allocated, 0);
    EXPECT_EQ(Rk_StrListFree(&list), 0) << "a freed list frees again quietly";
    EXPECT_EQ(Rk_StrListAdd(&list, "y"), 1);
    EXPECT_ERROR(1, "rk_strtb(");

    Rk_StrList zeroed;
    std::memset(&zeroed, 0, sizeof zeroed);
    EXPECT_EQ(Rk_StrListFree(&zeroed), 0);

    Rk_StrList stranger;
    std::memset(&stranger, 0, sizeof stranger);
    stranger.allocated = 1;
    stranger.allowDups = 1;
    stranger.table.type = 5;
    stranger.table.num_alloc_rows = 25;
    EXPECT_EQ(Rk_StrListFree(&stranger), 1);
    EXPECT_ERROR(1, "rk_strtb(");
    EXPECT_EQ(stranger.allocated, 1) << "a failed Free keeps the flags";
}

class PtrSets : public rktest::LibraryTest {
protected:
    void SetUp() override
    {
        rktest::LibraryTest::SetUp();
        for (Rk_PtrList* list : {&a, &b, &out}) ASSERT_EQ(Rk_PtrListInit(list, 1), 0);
    }
    void TearDown() override
    {
        for (Rk_PtrList* list : {&a, &b, &out}) Rk_PtrListFree(list);
        rktest::LibraryTest::TearDown();
    }
    static void Put(Rk_PtrList* list, std::initializer_list<void*> values)
    {
        for (void* v : values) Rk_PtrListAdd(list, v);
    }

    int cells[4] = {};
    void* p = &cells[0];
    void* q = &cells[1];
    void* r = &cells[2];
    void* s = &cells[3];
    Rk_PtrList a, b, out;
};

TEST_F(PtrSets, SharedAndUniquePointersKeepTheFirstListsOrder)
{
    Put(&a, {p, q, r});
    Put(&b, {r, p});
    int size = -1;
    ASSERT_EQ(Rk_PtrListGetSharedPtrs(&a, &b, &out, &size), 0);
    EXPECT_EQ(size, 2);
    EXPECT_EQ(Pointers(out), (std::vector<void*>{p, r}));
    Rk_PtrListClear(&out);
    Put(&out, {s});
    ASSERT_EQ(Rk_PtrListGetUniquePtrs(&a, &b, &out, &size), 0);
    EXPECT_EQ(size, 2) << "results are appended to what the new list holds";
    EXPECT_EQ(Pointers(out), (std::vector<void*>{s, q}));
}

TEST_F(PtrSets, MovingEmptiesTheSourceEvenWithDuplicates)
{
    Rk_PtrListFree(&out);
    ASSERT_EQ(Rk_PtrListInit(&out, 0), 0);
    Put(&a, {p, p, q});
    ASSERT_EQ(Rk_PtrListMovePtrList(&out, &a), 0);
    EXPECT_EQ(Pointers(out), (std::vector<void*>{p, q}));
    EXPECT_TRUE(Pointers(a).empty());
}

TEST_F(PtrSets, AListAddedOrMovedOntoItselfIsWalkedOnce)
{
    Put(&a, {p, q});
    ASSERT_EQ(Rk_PtrListAddPtrList(&a, &a), 0);
    EXPECT_EQ(Pointers(a), (std::vector<void*>{p, q, p, q}));
    ASSERT_EQ(Rk_PtrListMovePtrList(&a, &a), 0);
    EXPECT_EQ(Pointers(a), (std::vector<void*>{p, q, p, q})) << "moving a list onto itself must not lose it";
    Put(&b, {q});
    ASSERT_EQ(Rk_PtrListAddPtrList(&b, &a), 0);
    EXPECT_EQ(Pointers(b), (std::vector<void*>{q, p, q, p, q}));
    EXPECT_EQ(Pointers(a), (std::vector<void*>{p, q, p, q})) << "the added list is unchanged";
}

TEST_F(PtrSets, SwapExchangesTwoPositionsOrNothing)
{
    Put(&a, {p, q, r});
    ASSERT_EQ(Rk_PtrListSwap(&a, 0, 2), 0);
    EXPECT_EQ(Pointers(a), (std::vector<void*>{r, q, p}));
    EXPECT_EQ(Rk_PtrListSwap(&a, 1, 3), 1);
    EXPECT_ERROR(1, "rk_ptrtb(");
    EXPECT_EQ(Pointers(a), (std::vector<void*>{r, q, p}));
}

TEST_F(PtrSets, SortOrdersByAddressAndAFreedListIsRefused)
{
    Put(&a, {s, p, r, q});
    ASSERT_EQ(Rk_PtrListSort(&a), 0);
    EXPECT_EQ(Pointers(a), (std::vector<void*>{p, q, r, s}));
    Rk_PtrListFree(&b);
    int size = 0;
    EXPECT_EQ(Rk_PtrListGetSharedPtrs(&a, &b, &out, &size), 1);
    EXPECT_ERROR(1, "rk_ptrtb(");
    EXPECT_EQ(Rk_PtrListMovePtrList(&out, &b), 1);
    EXPECT_ERROR(1, "rk_ptrtb(");
}

// A move that cannot add everything stops: what was added stays, the source keeps all its values.
TEST_F(PtrSets, AMoveThatFailsPartWayKeepsTheSourceWhole)
{
    std::vector<int> many(30);
    for (int& v : many) Rk_PtrListAdd(&a, &v);
    for (int i = 0; i < 24; ++i) Rk_PtrListAdd(&out, s);
    {
        FailingAlloc guard(1);
        EXPECT_EQ(Rk_PtrListMovePtrList(&out, &a), 1);
    }
    EXPECT_ERROR(11, "rk_ptrtb(");
    EXPECT_EQ(Pointers(out).size(), 25u);
    EXPECT_EQ(Pointers(a).size(), 30u);
}

}  // namespace
