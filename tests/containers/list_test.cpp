// Lists: the four members through typed tests (the duplicate rule, first occurrences, the Free rule),
// then the pointer list's set operations.
#include "container_helpers.hpp"

namespace {

using rktest::Make;

template <class M>
class ListFamily : public rktest::LibraryTest {
protected:
    using Cell = typename M::Cell;
    void TearDown() override
    {
        for (auto* l : {&list, &other, &out}) M::Free(l);
        rktest::LibraryTest::TearDown();
    }
    static void Put(Rk_ListStruct* l, const std::vector<int>& ks)
    {
        for (int k : ks) ASSERT_EQ(M::Add(l, Make<Cell>(k)), 0);
    }
    static rktest::Lines Values(const Rk_ListStruct& l) { return rktest::Column<Cell>(l.table); }
    static rktest::Lines Shown(const std::vector<int>& ks) { return rktest::ShowAll(rktest::Made<Cell>(ks)); }
    Rk_ListStruct list{}, other{}, out{};
};

using Members = ::testing::Types<rktest::IntList, rktest::LongList, rktest::PtrList, rktest::StrList>;
TYPED_TEST_SUITE(ListFamily, Members, rktest::KNames);

// Add skips a value already there only when duplicates are refused, Set never looks; Remove takes the first
// occurrence; FindPos starts at its position. A list whose flag is 0 is left alone; a failed Init changes nothing.
TYPED_TEST(ListFamily, TheDuplicateRuleFirstOccurrencesAndTheFreeRule)
{
    using M = TypeParam;
    using Cell = typename M::Cell;
    auto* l = &this->list;
    l->allowDups = 7;
    EXPECT_FAILS(rktest::WithFailingAlloc(1, [&] { return M::Init(l, 1); }), 11, M::kLoc);
    EXPECT_EQ(std::make_pair(l->allocated, l->allowDups), std::make_pair(0, 7));
    ASSERT_EQ(M::Free(l) || M::Init(l, 0), 0);
    this->Put(l, {7, 7, 3});
    ASSERT_EQ(M::Set(l, 1, Make<Cell>(7)), 0);
    EXPECT_EQ(this->Values(*l), this->Shown({7, 7}));
    ASSERT_EQ(M::Free(l) || M::Init(l, 1), 0);
    this->Put(l, {5, 9, 5, 9, 2});
    ASSERT_EQ(M::Remove(l, Make<Cell>(4)) || M::Remove(l, Make<Cell>(9)), 0);
    EXPECT_EQ(this->Values(*l), this->Shown({5, 5, 9, 2}));
    int at = -1, found = -1, later = -1;
    ASSERT_EQ(M::FindPos(l, 1, Make<Cell>(5), &at, &found) || M::FindPos(l, 3, Make<Cell>(9), &at, &later), 0);
    EXPECT_EQ(std::make_tuple(found, at, later), std::make_tuple(1, 1, 0));
    ASSERT_EQ(M::Free(l) || M::Free(l), 0);
    EXPECT_EQ(std::make_pair(l->allocated, l->allowDups), std::make_pair(0, 0));
    EXPECT_FAILS(M::Add(l, Make<Cell>(1)), 1, M::kLoc);
}

using PtrSets = ListFamily<rktest::PtrList>;

// Shared and unique pointers keep the first list's order, appended to the new list. Adding walks the source
// once, even itself; a move empties the source (duplicates too) under the destination's rule, onto itself
// keeps it, and stops where it cannot add, keeping both. Swap reads both values first: a bad position
// changes nothing.
TEST_F(PtrSets, SetOperationsWalkTheSourceOnceInItsOrder)
{
    for (auto* l : {&list, &other}) ASSERT_EQ(Rk_PtrListInit(l, 1), 0);
    ASSERT_EQ(Rk_PtrListInit(&out, 0), 0);
    Put(&list, {0, 1, 2});
    Put(&other, {2, 0});
    int size = -1;
    ASSERT_EQ(Rk_PtrListGetSharedPtrs(&list, &other, &out, &size), 0);
    EXPECT_EQ(std::make_pair(Values(out), size), std::make_pair(Shown({0, 2}), 2));
    ASSERT_EQ(Rk_PtrListGetUniquePtrs(&list, &other, &out, &size), 0);
    EXPECT_EQ(std::make_pair(Values(out), size), std::make_pair(Shown({0, 2, 1}), 3));
    ASSERT_EQ(Rk_PtrListAddPtrList(&other, &other) || Rk_PtrListMovePtrList(&other, &other), 0);
    EXPECT_EQ(Values(other), Shown({2, 0, 2, 0}));
    ASSERT_EQ(Rk_PtrListMovePtrList(&out, &other), 0);
    EXPECT_EQ(std::make_pair(Values(out), Values(other)), std::make_pair(Shown({0, 2, 1}), rktest::Lines{}));
    ASSERT_EQ(Rk_PtrListSwap(&out, 0, 2), 0);
    for (auto [i, j] : {std::pair{1, 3}, {-1, 1}}) EXPECT_FAILS(Rk_PtrListSwap(&out, i, j), 1, "rk_ptrtb(");
    EXPECT_EQ(Values(out), Shown({1, 2, 0}));
    for (int k = 3; k < 24; ++k) Put(&out, {k});
    for (int k = 100; k < 130; ++k) Put(&list, {k});
    EXPECT_FAILS(rktest::WithFailingAlloc(1, [&] { return Rk_PtrListMovePtrList(&out, &list); }), 11, "rk_ptrtb(");
    EXPECT_EQ(std::make_pair(out.table.num_rows, list.table.num_rows), std::make_pair(25, 33));
}

}  // namespace
