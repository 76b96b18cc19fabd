// A growing table keeps its contract of 25 more rows at a time in num_alloc_rows while its blocks
// are resized only when they double: every value stays in place, and a failed resize at a
// doubling leaves the table as it was.
#include <vector>

#include "rk_test.hpp"

namespace {

using TableReserve = rktest::LibraryTest;

TEST_F(TableReserve, RoomGrowsBy25WhileBlocksResizeOnlyWhenTheyDouble)
{
    Rk_IntTable t;
    ASSERT_EQ(Rk_IntTableInit(&t, 2), 0);
    const long calls = rk::seam::alloc_calls();
    for (int r = 0; r < 10000; ++r) {
        const int row[2] = {r, -r};
        ASSERT_EQ(Rk_IntTableAddRow(&t, row), 0);
        ASSERT_EQ(t.num_alloc_rows, 25 * ((r + 25) / 25)) << "after row " << r;
    }
    // 25 doubles to 12,800 in 9 steps, two columns each.
    EXPECT_EQ(rk::seam::alloc_calls() - calls, 18);
    for (int r = 0; r < 10000; r += 997) {
        int row[2] = {};
        ASSERT_EQ(Rk_IntTableGetRow(&t, r, row), 0);
        EXPECT_EQ(row[0], r);
        EXPECT_EQ(row[1], -r);
    }
    Rk_IntTableFree(&t);
}

TEST_F(TableReserve, AFailedResizeAtADoublingChangesNothing)
{
    Rk_IntTable t;
    ASSERT_EQ(Rk_IntTableInit(&t, 3), 0);
    for (int r = 0; r < 50; ++r) {
        const int row[3] = {r, r, r};
        ASSERT_EQ(Rk_IntTableAddRow(&t, row), 0);
    }
    const int extra[3] = {50, 51, 52};
    for (long n = 1; n <= 3; ++n) {
        {
            rktest::FailingAlloc guard(n);
            EXPECT_EQ(Rk_IntTableAddRow(&t, extra), 1) << "resize of column " << n;
        }
        EXPECT_ERROR(11, "rk_inttb(");
        EXPECT_EQ(t.num_rows, 50);
        EXPECT_EQ(t.num_alloc_rows, 50);
    }
    ASSERT_EQ(Rk_IntTableAddRow(&t, extra), 0);
    int row[3] = {};
    ASSERT_EQ(Rk_IntTableGetRow(&t, 50, row), 0);
    EXPECT_EQ(row[2], 52);
    Rk_IntTableFree(&t);
}

}  // namespace
