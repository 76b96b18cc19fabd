// Queues and stacks: one-column tables whose values are taken from the front (a queue) or the top
// (a stack); a text taken out is the caller's copy.
#include "container_helpers.hpp"

namespace {

using rktest::Make;
using rktest::Show;

template <class M>
class PileFamily : public rktest::LibraryTest {
protected:
    using Cell = typename M::Cell;
    void TearDown() override
    {
        if (pile.allocated == 1) M::Free(&pile);
        rktest::LibraryTest::TearDown();
    }
    // Takes a value out: its text, or "none" when nothing was found and the value was left alone.
    std::string Take()
    {
        Cell v = Make<Cell>(-1);
        int found = -1;
        EXPECT_EQ(M::Take(&pile, &v, &found), 0);
        const std::string shown = found == 1 ? Show(v) : found == 0 && v == Make<Cell>(-1) ? "none" : "?";
        if (found == 1) rktest::Release(v);
        return shown;
    }
    void Fill(std::initializer_list<int> ks)
    {
        ASSERT_EQ(M::Init(&pile), 0);
        for (int k : ks) ASSERT_EQ(M::Add(&pile, Make<Cell>(k)), 0);
    }
    std::conditional_t<M::kFront, Rk_QueueStruct, Rk_StackStruct> pile{};
};

using Members = ::testing::Types<rktest::IntQueue, rktest::LongQueue, rktest::DblQueue, rktest::StrQueue,
                                 rktest::LongStack, rktest::StrStack>;
TYPED_TEST_SUITE(PileFamily, Members, rktest::KNames);

// Peek leaves the value in place (a text is the container's own); empty, it answers "not found", value
// alone. A text is copied before it comes out: without memory the container and outputs stay as they were.
// A taken text outlives its container; a freed one frees again quietly and refuses use; a failed Init
// leaves the flag down.
TYPED_TEST(PileFamily, ValuesComeOutFromTheFrontOfAQueueAndTheTopOfAStack)
{
    using M = TypeParam;
    using Cell = typename M::Cell;
    constexpr bool text = std::is_same_v<Cell, char*>;
    EXPECT_FAILS(rktest::WithFailingAlloc(2, [&] { return M::Init(&this->pile); }), 11, M::kLoc);
    EXPECT_EQ(this->pile.allocated, 0);
    this->Fill({1, 2, 3});
    const int first = M::kFront ? 1 : 3;
    Cell peeked{}, taken = Make<Cell>(-1);
    int found = 0, size = 0, pos = -1;
    ASSERT_EQ(M::Peek(&this->pile, &peeked, &found) || M::GetSize(&this->pile, &size), 0);
    EXPECT_EQ(std::make_tuple(Show(peeked), found, size), std::make_tuple(Show(Make<Cell>(first)), 1, 3));
    if constexpr (M::kFront) {
        ASSERT_EQ(M::FindPos(&this->pile, Make<Cell>(3), 1, &pos, &found), 0);
        ASSERT_EQ(M::Find(&this->pile, Make<Cell>(2), &size), 0);
        EXPECT_EQ(std::make_tuple(found, pos, size), std::make_tuple(1, 2, 1));
    }
    found = 5;
    EXPECT_EQ(rktest::WithFailingAlloc(1, [&] { return M::Take(&this->pile, &taken, &found); }), text ? 1 : 0);
    if (text) {
        EXPECT_ERROR(11, M::kLoc);
        EXPECT_EQ(std::make_tuple(Show(taken), found, this->pile.table.num_rows),
                  std::make_tuple(Show(Make<Cell>(-1)), 5, 3));
        ASSERT_EQ(M::Take(&this->pile, &taken, &found), 0);
    }
    EXPECT_EQ((rktest::Lines{this->Take(), this->Take(), this->Take()}),
              (rktest::Lines{Show(Make<Cell>(2)), Show(Make<Cell>(4 - first)), "none"}));
    found = 1;
    ASSERT_EQ(M::Peek(&this->pile, &peeked, &found) || M::Free(&this->pile) || M::Free(&this->pile), 0);
    EXPECT_EQ(std::make_pair(found, Show(taken)), std::make_pair(0, Show(Make<Cell>(first))));
    rktest::Release(taken);
    EXPECT_FAILS(M::Take(&this->pile, &peeked, &found), 1, M::kLoc);
    EXPECT_FAILS(M::Peek(&this->pile, &peeked, &found), 1, M::kLoc);
}

}  // namespace
