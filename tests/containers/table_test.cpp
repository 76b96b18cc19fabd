// Tables: every member through the same typed tests, then what only one member does (the double
// table's tolerance, the pointer table's address order, the string table's copies).
#include <cstdint>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "container_helpers.hpp"
#include "rk_test.hpp"

namespace {

using rktest::FailingAlloc;

// A table's fields and cells, read straight from the record, to compare before and after.
struct Snapshot {
    int type, num_cols, num_rows, num_alloc_rows, sorted, sorted_col;
    std::vector<std::vector<std::string>> rows;
    bool operator==(const Snapshot& o) const
    {
        return type == o.type && num_cols == o.num_cols && num_rows == o.num_rows &&
               num_alloc_rows == o.num_alloc_rows && sorted == o.sorted && sorted_col == o.sorted_col &&
               rows == o.rows;
    }
};

template <class M>
class TableFamily : public rktest::LibraryTest {
protected:
    using Cell = typename M::Cell;
    using Keys = std::vector<std::vector<int>>;

    void TearDown() override
    {
        if (table.type == M::kCode && table.num_alloc_rows != 0) M::Free(&table);
        rktest::LibraryTest::TearDown();
    }

    static std::vector<Cell> Row(const std::vector<int>& ks)
    {
        std::vector<Cell> row;
        for (int k : ks) row.push_back(M::Make(k));
        return row;
    }

    void Fill(int ncols, const Keys& rows)
    {
        ASSERT_EQ(M::Init(&table, ncols), 0);
        for (const auto& ks : rows) ASSERT_EQ(M::AddRow(&table, Row(ks).data()), 0);
    }

    std::vector<std::vector<std::string>> Rows() const
    {
        std::vector<std::vector<std::string>> rows;
        for (int r = 0; r < table.num_rows; ++r) {
            rows.emplace_back();
            for (int c = 0; c < table.num_cols; ++c) rows.back().push_back(M::Show(M::Columns(table)[c][r]));
        }
        return rows;
    }

    static std::vector<std::vector<std::string>> Shown(const Keys& keys)
    {
        std::vector<std::vector<std::string>> rows;
        for (const auto& ks : keys) {
            rows.emplace_back();
            for (int k : ks) rows.back().push_back(M::Show(M::Make(k)));
        }
        return rows;
    }

    Snapshot Snap() const
    {
        const Rk_TableStruct& t = table;
        return {t.type, t.num_cols, t.num_rows, t.num_alloc_rows, t.sorted, t.sorted_col, Rows()};
    }

    // FindPos as {found, row}; row -1 when it was not written.
    std::pair<int, int> FindPos(int col, int start, int k)
    {
        int row = -1, found = -1;
        EXPECT_EQ(M::FindPos(&table, col, start, M::Make(k), &row, &found), 0);
        return {found, row};
    }

    Rk_TableStruct table{};
};

using Members = ::testing::Types<rktest::IntMember, rktest::LongMember, rktest::DblMember, rktest::PtrMember,
                                 rktest::StrMember>;
// Names the typed tests after their member: TableFamily/Str.SortGivesThe...
struct MemberNames {
    template <class M>
    static std::string GetName(int)
    {
        return std::string(M::kLoc).substr(3, 3);
    }
};
TYPED_TEST_SUITE(TableFamily, Members, MemberNames);

TYPED_TEST(TableFamily, InitMakesAnEmptyAllocatedTableOfItsMember)
{
    ASSERT_EQ(TypeParam::Init(&this->table, 3), 0);
    EXPECT_EQ(this->table.type, TypeParam::kCode);
    EXPECT_EQ(this->table.num_cols, 3);
    EXPECT_EQ(this->table.num_rows, 0);
    EXPECT_EQ(this->table.num_alloc_rows, 25);
    EXPECT_EQ(this->table.sorted, 0);
}

TYPED_TEST(TableFamily, InitWithoutColumnsFailsAndLeavesTheRecordUntouched)
{
    for (int ncols : {0, -1}) {
        Rk_TableStruct before;
        std::memset(&before, 0x5a, sizeof before);
        std::memcpy(&this->table, &before, sizeof before);
        EXPECT_EQ(TypeParam::Init(&this->table, ncols), 1) << ncols;
        EXPECT_ERROR(1, TypeParam::kLoc);
        EXPECT_EQ(std::memcmp(&this->table, &before, sizeof before), 0) << "Init(" << ncols << ") wrote the record";
    }
    this->table = Rk_TableStruct{};
}

TYPED_TEST(TableFamily, TheTwentySixthRowGrowsEveryColumnToFiftyRows)
{
    typename TestFixture::Keys rows;
    for (int r = 0; r < 25; ++r) rows.push_back({3 * r, 3 * r + 1, 3 * r + 2});
    this->Fill(3, rows);
    EXPECT_EQ(this->table.num_alloc_rows, 25) << "grew before it was full";
    rows.push_back({75, 76, 77});
    ASSERT_EQ(TypeParam::AddRow(&this->table, this->Row(rows.back()).data()), 0);
    EXPECT_EQ(this->table.num_alloc_rows, 50);
    int ncols = 0, nrows = 0;
    ASSERT_EQ(TypeParam::GetSize(&this->table, &ncols, &nrows), 0);
    EXPECT_EQ(ncols, 3);
    EXPECT_EQ(nrows, 26);
    EXPECT_EQ(this->Rows(), this->Shown(rows)) << "growth lost or moved cells";
}

// Random edits, each checked against a plain model of the rows.
TYPED_TEST(TableFamily, EditsPlaceRowsWhereAModelOfTheRowsSaysTheyGo)
{
    this->Fill(2, {});
    typename TestFixture::Keys model;
    std::mt19937 rng(7);
    for (int step = 0; step < 400; ++step) {
        const int n = static_cast<int>(model.size());
        const int pick = static_cast<int>(rng() % 5);
        const std::vector<int> ks = {static_cast<int>(rng() % 3000), static_cast<int>(rng() % 3000)};
        const int at = n == 0 ? 0 : static_cast<int>(rng() % static_cast<unsigned>(n));
        if (pick == 0 || n == 0) {
            ASSERT_EQ(TypeParam::AddRow(&this->table, this->Row(ks).data()), 0);
            model.push_back(ks);
        } else if (pick == 1) {
            const int before = static_cast<int>(rng() % static_cast<unsigned>(n + 1));
            ASSERT_EQ(TypeParam::InsertRow(&this->table, before, this->Row(ks).data()), 0);
            model.insert(model.begin() + before, ks);
        } else if (pick == 2) {
            ASSERT_EQ(TypeParam::RemoveRow(&this->table, at), 0);
            model.erase(model.begin() + at);
        } else if (pick == 3) {
            ASSERT_EQ(TypeParam::SetRow(&this->table, at, this->Row(ks).data()), 0);
            model[static_cast<std::size_t>(at)] = ks;
        } else {
            ASSERT_EQ(TypeParam::SetValue(&this->table, 1, at, TypeParam::Make(ks[0])), 0);
            model[static_cast<std::size_t>(at)][1] = ks[0];
        }
        ASSERT_EQ(this->Rows(), this->Shown(model)) << "after step " << step << " (operation " << pick << ")";
    }
    std::vector<typename TypeParam::Cell> out(2);
    ASSERT_EQ(TypeParam::GetRow(&this->table, 0, out.data()), 0);
    EXPECT_EQ(TypeParam::Show(out[1]), TypeParam::Show(TypeParam::Make(model[0][1])));
    typename TypeParam::Cell one{};
    ASSERT_EQ(TypeParam::GetValue(&this->table, 1, 0, &one), 0);
    EXPECT_EQ(TypeParam::Show(one), TypeParam::Show(TypeParam::Make(model[0][1])));
}

TYPED_TEST(TableFamily, ArgumentsOutOfRangeFailWithErrorOneAndChangeNothing)
{
    this->Fill(2, {{1, 2}, {3, 4}});
    const auto row = this->Row({8, 9});
    typename TypeParam::Cell out[2] = {};
    int a = 0, b = 0;
    const int key_low[] = {-1};
    const int key_high[] = {0, 2};
    const std::vector<std::pair<const char*, std::function<int()>>> cases = {
        {"InsertRow before -1", [&] { return TypeParam::InsertRow(&this->table, -1, row.data()); }},
        {"InsertRow past the end", [&] { return TypeParam::InsertRow(&this->table, 3, row.data()); }},
        {"RemoveRow -1", [&] { return TypeParam::RemoveRow(&this->table, -1); }},
        {"RemoveRow at the row count", [&] { return TypeParam::RemoveRow(&this->table, 2); }},
        {"SetRow at the row count", [&] { return TypeParam::SetRow(&this->table, 2, row.data()); }},
        {"GetRow -1", [&] { return TypeParam::GetRow(&this->table, -1, out); }},
        {"SetValue column -1", [&] { return TypeParam::SetValue(&this->table, -1, 0, row[0]); }},
        {"SetValue column count", [&] { return TypeParam::SetValue(&this->table, 2, 0, row[0]); }},
        {"SetValue row count", [&] { return TypeParam::SetValue(&this->table, 0, 2, row[0]); }},
        {"GetValue row -1", [&] { return TypeParam::GetValue(&this->table, 0, -1, out); }},
        {"GetValue column count", [&] { return TypeParam::GetValue(&this->table, 2, 0, out); }},
        {"Find column count", [&] { return TypeParam::Find(&this->table, 2, row[0], &a); }},
        {"FindPos start at the row count", [&] { return TypeParam::FindPos(&this->table, 0, 2, row[0], &a, &b); }},
        {"FindPos start -1", [&] { return TypeParam::FindPos(&this->table, 0, -1, row[0], &a, &b); }},
        {"Sort without keys", [&] { return TypeParam::Sort(&this->table, 0, key_low); }},
        {"Sort on column -1", [&] { return TypeParam::Sort(&this->table, 1, key_low); }},
        {"Sort with a later key out of range", [&] { return TypeParam::Sort(&this->table, 2, key_high); }},
    };
    const Snapshot before = this->Snap();
    for (const auto& [what, call] : cases) {
        EXPECT_EQ(call(), 1) << what;
        EXPECT_ERROR(1, TypeParam::kLoc) << what;
        EXPECT_TRUE(this->Snap() == before) << what << " changed the table";
    }
}

TYPED_TEST(TableFamily, EveryOperationRefusesARecordOfAnotherMember)
{
    this->Fill(1, {{1}});
    this->table.type = TypeParam::kCode == 5 ? 3 : 5;
    typename TypeParam::Cell out[1] = {};
    const auto row = this->Row({2});
    const int key[] = {0};
    int a = 0, b = 0;
    const std::vector<std::pair<const char*, std::function<int()>>> cases = {
        {"AddRow", [&] { return TypeParam::AddRow(&this->table, row.data()); }},
        {"InsertRow", [&] { return TypeParam::InsertRow(&this->table, 0, row.data()); }},
        {"RemoveRow", [&] { return TypeParam::RemoveRow(&this->table, 0); }},
        {"SetRow", [&] { return TypeParam::SetRow(&this->table, 0, row.data()); }},
        {"GetRow", [&] { return TypeParam::GetRow(&this->table, 0, out); }},
        {"SetValue", [&] { return TypeParam::SetValue(&this->table, 0, 0, row[0]); }},
        {"GetValue", [&] { return TypeParam::GetValue(&this->table, 0, 0, out); }},
        {"GetSize", [&] { return TypeParam::GetSize(&this->table, &a, &b); }},
        {"Find", [&] { return TypeParam::Find(&this->table, 0, row[0], &a); }},
        {"FindPos", [&] { return TypeParam::FindPos(&this->table, 0, 0, row[0], &a, &b); }},
        {"Sort", [&] { return TypeParam::Sort(&this->table, 1, key); }},
        {"Clear", [&] { return TypeParam::Clear(&this->table); }},
        {"Free", [&] { return TypeParam::Free(&this->table); }},
    };
    const Snapshot before = this->Snap();
    for (const auto& [what, call] : cases) {
        EXPECT_EQ(call(), 1) << what;
        EXPECT_ERROR(1, TypeParam::kLoc) << what;
        EXPECT_TRUE(this->Snap() == before) << what << " changed the table";
    }
    this->table.type = TypeParam::kCode;
}

TYPED_TEST(TableFamily, AFreedTableKeepsItsCodeRefusesUseAndFreesAgainQuietly)
{
    this->Fill(2, {{1, 2}});
    ASSERT_EQ(TypeParam::Free(&this->table), 0);
    EXPECT_EQ(this->table.type, TypeParam::kCode);
    EXPECT_EQ(this->table.num_alloc_rows, 0);
    EXPECT_EQ(this->table.num_cols, 0);
    EXPECT_EQ(this->table.num_rows, 0);
    EXPECT_EQ(TypeParam::Free(&this->table), 0) << "a second Free must do nothing";
    EXPECT_NO_ERROR();

    int a = 0, b = 0;
    EXPECT_EQ(TypeParam::Clear(&this->table), 1);
    EXPECT_ERROR(1, TypeParam::kLoc);
    EXPECT_EQ(TypeParam::GetSize(&this->table, &a, &b), 1);
    EXPECT_ERROR(1, TypeParam::kLoc);
    EXPECT_EQ(TypeParam::AddRow(&this->table, this->Row({1, 2}).data()), 1);
    EXPECT_ERROR(1, TypeParam::kLoc);
    EXPECT_EQ(TypeParam::Find(&this->table, 0, TypeParam::Make(1), &a), 1) << "a freed table is refused, rows or not";
    EXPECT_ERROR(1, TypeParam::kLoc);

    ASSERT_EQ(TypeParam::Init(&this->table, 1), 0) << "a freed table may be initialised again";
    ASSERT_EQ(TypeParam::AddRow(&this->table, this->Row({4}).data()), 0);
    EXPECT_EQ(this->Rows(), this->Shown({{4}}));
}

TYPED_TEST(TableFamily, ClearEmptiesButKeepsTheStorage)
{
    typename TestFixture::Keys rows;
    for (int r = 0; r < 30; ++r) rows.push_back({r});
    this->Fill(1, rows);
    ASSERT_EQ(TypeParam::Clear(&this->table), 0);
    EXPECT_EQ(this->table.num_rows, 0);
    EXPECT_EQ(this->table.num_alloc_rows, 50);
    ASSERT_EQ(TypeParam::AddRow(&this->table, this->Row({5}).data()), 0);
    EXPECT_EQ(this->Rows(), this->Shown({{5}}));
}

TYPED_TEST(TableFamily, FindPosOnAnEmptyTableFindsNothingWhateverItsArguments)
{
    this->Fill(2, {});
    int row = 77, found = 1;
    EXPECT_EQ(TypeParam::FindPos(&this->table, 9, -4, TypeParam::Make(1), &row, &found), 0);
    EXPECT_EQ(found, 0);
    EXPECT_EQ(row, 77);
}

TYPED_TEST(TableFamily, FindPosClearsFoundFirstAndLeavesTheRowWhenNothingMatches)
{
    this->Fill(1, {{1}, {2}});
    int row = 77, found = 1;
    EXPECT_EQ(TypeParam::FindPos(&this->table, 0, 2, TypeParam::Make(1), &row, &found), 1);
    EXPECT_ERROR(1, TypeParam::kLoc);
    EXPECT_EQ(found, 0) << "found must be cleared before the checks";
    found = 1;
    EXPECT_EQ(TypeParam::FindPos(&this->table, 0, 1, TypeParam::Make(1), &row, &found), 0);
    EXPECT_EQ(found, 0) << "the match at row 0 lies before the start";
    EXPECT_EQ(row, 77);
    EXPECT_EQ(this->FindPos(0, 0, 2), std::make_pair(1, 1));
}

// The rows with key 3 change places: the exchange sort is not stable, and its result is pinned.
TYPED_TEST(TableFamily, SortGivesTheExchangeOrderForEqualKeys)
{
    struct Case {
        typename TestFixture::Keys rows;
        std::vector<int> keys;
        typename TestFixture::Keys sorted;
    };
    const std::vector<Case> cases = {
        {{{3, 1}, {3, 2}, {1, 3}}, {0}, {{1, 3}, {3, 2}, {3, 1}}},
        {{{3, 20}, {1, 5}, {3, 10}}, {0}, {{1, 5}, {3, 20}, {3, 10}}},
        {{{3, 20}, {1, 5}, {3, 10}}, {0, 1}, {{1, 5}, {3, 10}, {3, 20}}},
        {{{3, 20}, {1, 5}, {3, 10}}, {1}, {{1, 5}, {3, 10}, {3, 20}}},
        {{{3, 20}, {1, 5}, {3, 10}}, {0, 0}, {{1, 5}, {3, 20}, {3, 10}}},
        {{{2, 9}, {1, 9}, {3, 1}}, {1, 0}, {{3, 1}, {1, 9}, {2, 9}}},
        {{{1, 5}, {1, 2}, {0, 9}}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, {{0, 9}, {1, 2}, {1, 5}}},
    };
    for (const Case& c : cases) {
        this->Fill(2, c.rows);
        ASSERT_EQ(TypeParam::Sort(&this->table, static_cast<int>(c.keys.size()), c.keys.data()), 0);
        EXPECT_EQ(this->Rows(), this->Shown(c.sorted)) << "keys starting with column " << c.keys[0];
        EXPECT_EQ(this->table.sorted, 1);
        EXPECT_EQ(this->table.sorted_col, c.keys[0]);
        TypeParam::Free(&this->table);
    }
}

// Larger tables with many equal keys against the exchange procedure run on plain vectors.
TYPED_TEST(TableFamily, SortMatchesTheExchangeProcedureOnManyEqualKeys)
{
    std::mt19937 rng(11);
    for (const std::vector<int>& keys : {std::vector<int>{2}, std::vector<int>{2, 0, 1}}) {
        typename TestFixture::Keys rows;
        for (int r = 0; r < 60; ++r)
            rows.push_back({static_cast<int>(rng() % 4), static_cast<int>(rng() % 3), static_cast<int>(rng() % 5)});
        this->Fill(3, rows);
        for (std::size_t i = 0; i + 1 < rows.size(); ++i)
            for (std::size_t j = i + 1; j < rows.size(); ++j)
                for (int k : keys) {
                    const int a = rows[i][static_cast<std::size_t>(k)], b = rows[j][static_cast<std::size_t>(k)];
                    if (a == b) continue;
                    if (a > b) std::swap(rows[i], rows[j]);
                    break;
                }
        ASSERT_EQ(TypeParam::Sort(&this->table, static_cast<int>(keys.size()), keys.data()), 0);
        EXPECT_EQ(this->Rows(), this->Shown(rows)) << keys.size() << " key(s)";
        TypeParam::Free(&this->table);
    }
}

TYPED_TEST(TableFamily, BisectionAndScanReturnTheSameRows)
{
    std::mt19937 rng(3);
    typename TestFixture::Keys rows;
    for (int r = 0; r < 70; ++r) rows.push_back({r, 0, static_cast<int>(rng() % 12) * 2});
    this->Fill(3, rows);
    const int key[] = {2};
    ASSERT_EQ(TypeParam::Sort(&this->table, 1, key), 0);
    std::vector<std::pair<int, int>> bisected;
    for (int k = -1; k < 25; ++k)
        for (int start = 0; start < 70; start += 3) bisected.push_back(this->FindPos(2, start, k));

    typename TypeParam::Cell same{};
    ASSERT_EQ(TypeParam::GetValue(&this->table, 2, 0, &same), 0);
    ASSERT_EQ(TypeParam::SetValue(&this->table, 2, 0, same), 0);
    ASSERT_EQ(this->table.sorted, 0) << "SetValue must clear the sorted mark";
    std::size_t i = 0;
    for (int k = -1; k < 25; ++k)
        for (int start = 0; start < 70; start += 3, ++i) {
            const auto scanned = this->FindPos(2, start, k);
            EXPECT_EQ(bisected[i], scanned) << "value " << k << " from row " << start;
            if (scanned.first) {
                const std::string sought = TypeParam::Show(TypeParam::Make(k));
                for (int r = start; r < scanned.second; ++r)
                    EXPECT_NE(TypeParam::Show(TypeParam::Columns(this->table)[2][r]), sought) << "an earlier match";
            }
        }
}

// With the mark standing on column 0, a search there bisects and cannot see a value out of
// order; on another column it scans and finds it.
TYPED_TEST(TableFamily, FindBisectsOnlyWhileTheMarkStandsOnTheSearchedColumn)
{
    this->Fill(2, {{5, 5}, {1, 1}, {9, 9}, {3, 3}});
    this->table.sorted = 1;
    this->table.sorted_col = 0;
    EXPECT_EQ(this->FindPos(0, 0, 5).first, 0) << "bisection went left of row 1 after passing value 1";
    EXPECT_EQ(this->FindPos(1, 0, 5), std::make_pair(1, 0));
    this->table.sorted = 0;
    EXPECT_EQ(this->FindPos(0, 0, 5), std::make_pair(1, 0));
}

TYPED_TEST(TableFamily, OnlySortSetsTheMarkAndOnlyRemovalsOfLaterRowsMayKeepIt)
{
    const int key[] = {0};
    const bool keeps = TypeParam::kKeepsSortedOnRemove;
    const auto row = this->Row({4});
    typename TypeParam::Cell out[1] = {};
    int a = 0, b = 0;
    struct Step {
        const char* what;
        std::function<int()> call;
        int mark;
    };
    const std::vector<Step> steps = {
        {"GetRow", [&] { return TypeParam::GetRow(&this->table, 0, out); }, 1},
        {"GetValue", [&] { return TypeParam::GetValue(&this->table, 0, 0, out); }, 1},
        {"FindPos", [&] { return TypeParam::FindPos(&this->table, 0, 0, row[0], &a, &b); }, 1},
        {"GetSize", [&] { return TypeParam::GetSize(&this->table, &a, &b); }, 1},
        {"RemoveRow of the last row", [&] { return TypeParam::RemoveRow(&this->table, this->table.num_rows - 1); },
         1},
        {"RemoveRow of the first row", [&] { return TypeParam::RemoveRow(&this->table, 0); }, keeps ? 1 : 0},
        {"AddRow", [&] { return TypeParam::AddRow(&this->table, row.data()); }, 0},
        {"InsertRow", [&] { return TypeParam::InsertRow(&this->table, 1, row.data()); }, 0},
        {"SetRow", [&] { return TypeParam::SetRow(&this->table, 1, row.data()); }, 0},
        {"SetValue", [&] { return TypeParam::SetValue(&this->table, 0, 1, row[0]); }, 0},
        {"Clear", [&] { return TypeParam::Clear(&this->table); }, 0},
    };
    this->Fill(1, {{7}, {2}, {5}, {3}, {6}});
    for (const Step& step : steps) {
        ASSERT_EQ(TypeParam::Sort(&this->table, 1, key), 0);
        ASSERT_EQ(step.call(), 0) << step.what;
        EXPECT_EQ(this->table.sorted, step.mark) << "after " << step.what;
        if (step.mark == 0) {
            EXPECT_EQ(this->table.sorted_col, 0) << "after " << step.what;
        }
    }
}

TYPED_TEST(TableFamily, InsertRowAtTheRowCountAppends)
{
    this->Fill(2, {{1, 2}});
    ASSERT_EQ(TypeParam::InsertRow(&this->table, 1, this->Row({3, 4}).data()), 0);
    ASSERT_EQ(TypeParam::InsertRow(&this->table, 0, this->Row({5, 6}).data()), 0);
    EXPECT_EQ(this->Rows(), this->Shown({{5, 6}, {1, 2}, {3, 4}}));
}

TYPED_TEST(TableFamily, AFailedInitReleasesWhatItTookAndLeavesAnUnallocatedTable)
{
    for (long n = 1; n <= 4; ++n) {
        std::memset(&this->table, 0, sizeof this->table);
        const long live = rk::seam::live_blocks();
        {
            FailingAlloc guard(n);
            EXPECT_EQ(TypeParam::Init(&this->table, 3), 1) << "allocation " << n;
        }
        EXPECT_ERROR(11, TypeParam::kLoc);
        EXPECT_EQ(rk::seam::live_blocks(), live) << "allocation " << n << " leaked";
        EXPECT_EQ(this->table.type, TypeParam::kCode);
        EXPECT_EQ(this->table.num_alloc_rows, 0);
        EXPECT_EQ(TypeParam::AddRow(&this->table, this->Row({1, 2, 3}).data()), 1);
        EXPECT_ERROR(1, TypeParam::kLoc);
        EXPECT_EQ(TypeParam::Free(&this->table), 0);
    }
}

// Failing each allocation of the growing AddRow in turn (the copies of a string row, the
// column resizes) leaves the table as it was; the next try succeeds with everything in place.
TYPED_TEST(TableFamily, AFailedGrowthLeavesTheTableAsItWas)
{
    typename TestFixture::Keys rows;
    for (int r = 0; r < 25; ++r) rows.push_back({r, r + 100, r + 200});
    this->Fill(3, rows);
    const Snapshot before = this->Snap();
    const long live = rk::seam::live_blocks();
    const auto extra = this->Row({25, 125, 225});
    int failures = 0;
    for (long n = 1;; ++n) {
        int status = 0;
        {
            FailingAlloc guard(n);
            status = TypeParam::AddRow(&this->table, extra.data());
        }
        if (status == 0) break;
        ++failures;
        EXPECT_ERROR(11, TypeParam::kLoc);
        EXPECT_TRUE(this->Snap() == before) << "allocation " << n << " changed the table";
        EXPECT_EQ(rk::seam::live_blocks(), live) << "allocation " << n << " leaked";
    }
    EXPECT_EQ(failures, (std::is_same_v<TypeParam, rktest::StrMember> ? 6 : 3));
    rows.push_back({25, 125, 225});
    for (int r = 26; r < 60; ++r) {
        rows.push_back({r, r + 100, r + 200});
        ASSERT_EQ(TypeParam::AddRow(&this->table, this->Row(rows.back()).data()), 0);
    }
    EXPECT_EQ(this->table.num_alloc_rows, 75);
    EXPECT_EQ(this->Rows(), this->Shown(rows));
}

using DblTable = rktest::LibraryTest;
using PtrTable = rktest::LibraryTest;
using StrTable = rktest::LibraryTest;

// Values closer than the zero tolerance match, by scan and by bisection, and are equal keys.
TEST_F(DblTable, ValuesWithinTheZeroToleranceMatchAndSortAsEqual)
{
    double eps = 0;
    Rk_GeometryGetZeroEpsilon(&eps);
    Rk_DblTable t;
    ASSERT_EQ(Rk_DblTableInit(&t, 2), 0);
    const double rows[][2] = {{1.0 + eps / 2, 1}, {1.0, 2}};
    for (const auto& row : rows) ASSERT_EQ(Rk_DblTableAddRow(&t, row), 0);
    int found = 0, at = -1;
    for (int start : {0, 1}) {
        ASSERT_EQ(Rk_DblTableFindPos(&t, 0, start, 1.0, &at, &found), 0);
        EXPECT_EQ(found, 1);
        EXPECT_EQ(at, start);
    }
    ASSERT_EQ(Rk_DblTableFind(&t, 0, 1.0 + 2 * eps, &found), 0);
    EXPECT_EQ(found, 0) << "twice the tolerance away is another value";

    const int key[] = {0};
    ASSERT_EQ(Rk_DblTableSort(&t, 1, key), 0);
    double second = 0;
    Rk_DblTableGetValue(&t, 1, 0, &second);
    EXPECT_EQ(second, 1) << "rows whose keys are within the tolerance were exchanged";
    for (int start : {0, 1}) {
        ASSERT_EQ(Rk_DblTableFindPos(&t, 0, start, 1.0, &at, &found), 0);
        EXPECT_EQ(at, start) << "bisection from row " << start;
    }
    Rk_DblTableFree(&t);
}

// A match is strictly within the tolerance, but a bisection's walk back also takes a cell at
// exactly the tolerance: the two searches then differ, as the search rules say.
TEST_F(DblTable, BisectionWalksBackOverACellExactlyOneToleranceAway)
{
    Rk_GeometrySetZeroEpsilon(0.5);
    Rk_DblTable t;
    ASSERT_EQ(Rk_DblTableInit(&t, 1), 0);
    for (double v : {0.0, 0.5, 1.0, 1.5}) ASSERT_EQ(Rk_DblTableAddRow(&t, &v), 0);
    const int key[] = {0};
    ASSERT_EQ(Rk_DblTableSort(&t, 1, key), 0);
    int found = 0, at = -1;
    ASSERT_EQ(Rk_DblTableFindPos(&t, 0, 0, 1.0, &at, &found), 0);
    EXPECT_EQ(at, 1) << "the walk back is inclusive";
    Rk_DblTableSetValue(&t, 0, 3, 1.5);
    ASSERT_EQ(Rk_DblTableFindPos(&t, 0, 0, 1.0, &at, &found), 0);
    EXPECT_EQ(at, 2) << "the scan's match is strict";
    Rk_DblTableFree(&t);
}

TEST_F(PtrTable, AddressesSortAsUnsignedNumbers)
{
    void* high = reinterpret_cast<void*>((std::uintptr_t{1} << (8 * sizeof(void*) - 1)) | 0x10);
    void* low = reinterpret_cast<void*>(std::uintptr_t{0x20});
    void* lower = reinterpret_cast<void*>(std::uintptr_t{0x10});
    Rk_PtrTable t;
    ASSERT_EQ(Rk_PtrTableInit(&t, 1), 0);
    for (void* p : {high, low, lower}) ASSERT_EQ(Rk_PtrTableAddRow(&t, &p), 0);
    const int key[] = {0};
    ASSERT_EQ(Rk_PtrTableSort(&t, 1, key), 0);
    EXPECT_EQ(t.table.ptable[0][0], lower);
    EXPECT_EQ(t.table.ptable[0][1], low);
    EXPECT_EQ(t.table.ptable[0][2], high) << "the address with its top bit set sorts last";
    int found = 0, at = -1;
    ASSERT_EQ(Rk_PtrTableFindPos(&t, 0, 0, high, &at, &found), 0);
    EXPECT_EQ(at, 2) << "bisection must use the same unsigned order";
    Rk_PtrTableFree(&t);
}

TEST_F(StrTable, TheTableKeepsItsOwnCopies)
{
    char a[] = "alpha", b[] = "beta";
    char* row[] = {a, b};
    Rk_StrTable t;
    ASSERT_EQ(Rk_StrTableInit(&t, 2), 0);
    ASSERT_EQ(Rk_StrTableAddRow(&t, row), 0);
    ASSERT_EQ(Rk_StrTableInsertRow(&t, 0, row), 0);
    std::strcpy(a, "XXXXX");
    char* out[2] = {};
    ASSERT_EQ(Rk_StrTableGetRow(&t, 1, out), 0);
    EXPECT_STREQ(out[0], "alpha");
    EXPECT_NE(out[0], a);
    ASSERT_EQ(Rk_StrTableSetValue(&t, 1, 0, a), 0);
    std::strcpy(a, "YYYYY");
    int found = 0;
    ASSERT_EQ(Rk_StrTableFind(&t, 1, "XXXXX", &found), 0);
    EXPECT_EQ(found, 1);
    Rk_StrTableFree(&t);
}

// The new copy is made before the old one is released, so the table's own texts may be written back.
TEST_F(StrTable, TextsHandedOutMayBeWrittenBack)
{
    const char* first[] = {"one", "two"};
    const char* second[] = {"three", "four"};
    Rk_StrTable t;
    ASSERT_EQ(Rk_StrTableInit(&t, 2), 0);
    ASSERT_EQ(Rk_StrTableAddRow(&t, const_cast<char**>(first)), 0);
    ASSERT_EQ(Rk_StrTableAddRow(&t, const_cast<char**>(second)), 0);
    char* own = nullptr;
    ASSERT_EQ(Rk_StrTableGetValue(&t, 0, 0, &own), 0);
    ASSERT_EQ(Rk_StrTableSetValue(&t, 0, 0, own), 0);
    char* row[2] = {};
    ASSERT_EQ(Rk_StrTableGetRow(&t, 0, row), 0);
    std::swap(row[0], row[1]);
    ASSERT_EQ(Rk_StrTableSetRow(&t, 0, row), 0);
    ASSERT_EQ(Rk_StrTableGetRow(&t, 1, row), 0);
    ASSERT_EQ(Rk_StrTableAddRow(&t, row), 0);
    char* cells[3][2] = {};
    for (int r = 0; r < 3; ++r) ASSERT_EQ(Rk_StrTableGetRow(&t, r, cells[r]), 0);
    EXPECT_STREQ(cells[0][0], "two");
    EXPECT_STREQ(cells[0][1], "one");
    EXPECT_STREQ(cells[2][0], "three");
    EXPECT_STREQ(cells[2][1], "four");
    Rk_StrTableFree(&t);
}

// A copy that cannot be made changes nothing: no row half-written, no null cell, nothing leaked.
TEST_F(StrTable, AFailedCopyLeavesTheTableAsItWas)
{
    const char* row[] = {"a", "b", "c"};
    Rk_StrTable t;
    ASSERT_EQ(Rk_StrTableInit(&t, 3), 0);
    ASSERT_EQ(Rk_StrTableAddRow(&t, const_cast<char**>(row)), 0);
    const char* other[] = {"x", "y", "z"};
    const long live = rk::seam::live_blocks();
    const std::vector<std::pair<const char*, std::function<int()>>> cases = {
        {"AddRow", [&] { return Rk_StrTableAddRow(&t, const_cast<char**>(other)); }},
        {"InsertRow", [&] { return Rk_StrTableInsertRow(&t, 0, const_cast<char**>(other)); }},
        {"SetRow", [&] { return Rk_StrTableSetRow(&t, 0, const_cast<char**>(other)); }},
        {"SetValue", [&] { return Rk_StrTableSetValue(&t, 2, 0, "x"); }},
    };
    for (const auto& [what, call] : cases)
        for (long n = 1; n <= (std::strcmp(what, "SetValue") == 0 ? 1 : 3); ++n) {
            FailingAlloc guard(n);
            EXPECT_EQ(call(), 1) << what << ", copy " << n;
            EXPECT_ERROR(11, "rk_strtb(");
            EXPECT_EQ(t.num_rows, 1) << what;
            EXPECT_STREQ(t.table.stable[0][0], "a") << what;
            EXPECT_STREQ(t.table.stable[2][0], "c") << what;
            EXPECT_EQ(rk::seam::live_blocks(), live) << what << ", copy " << n << " leaked";
        }
    Rk_StrTableFree(&t);
}

// Rows wider than the staging kept on the stack take a heap block for their copies.
TEST_F(StrTable, WideRowsAreCopiedWholeOrNotAtAll)
{
    std::vector<std::string> texts;
    for (int c = 0; c < 12; ++c) texts.push_back("cell" + std::to_string(c));
    std::vector<char*> row;
    for (auto& s : texts) row.push_back(s.data());
    Rk_StrTable t;
    ASSERT_EQ(Rk_StrTableInit(&t, 12), 0);
    const long live = rk::seam::live_blocks();
    for (long n : {1L, 2L, 13L}) {
        FailingAlloc guard(n);
        EXPECT_EQ(Rk_StrTableAddRow(&t, row.data()), 1) << "allocation " << n;
        EXPECT_ERROR(11, "rk_strtb(");
        EXPECT_EQ(t.num_rows, 0);
        EXPECT_EQ(rk::seam::live_blocks(), live) << "allocation " << n << " leaked";
    }
    ASSERT_EQ(Rk_StrTableAddRow(&t, row.data()), 0);
    EXPECT_STREQ(t.table.stable[11][0], "cell11");
    Rk_StrTableFree(&t);
}

}  // namespace
