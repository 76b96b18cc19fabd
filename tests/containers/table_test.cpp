// Tables: the five members through one set of typed tests, checked against the record itself and a
// plain model of the rows; then what only one member does (tolerance, text copies).
#include <algorithm>
#include <cstring>
#include <functional>
#include <random>

#include "container_helpers.hpp"

namespace {

using rktest::Make;
using Keys = std::vector<std::vector<int>>;
using Grid = std::vector<rktest::Lines>;
using Calls = std::vector<std::pair<const char*, std::function<int()>>>;

template <class M>
class TableFamily : public rktest::LibraryTest {
protected:
    using Cell = typename M::Cell;
    static constexpr bool kText = std::is_same_v<Cell, char*>;
    void TearDown() override
    {
        if (table.type == M::kCode && table.num_alloc_rows != 0) M::Free(&table);
        rktest::LibraryTest::TearDown();
    }
    static std::vector<Cell> Row(const std::vector<int>& ks) { return rktest::Made<Cell>(ks); }
    void Fill(int ncols, const Keys& rows)
    {
        ASSERT_EQ(M::Init(&table, ncols), 0);
        for (const auto& ks : rows) ASSERT_EQ(M::AddRow(&table, Row(ks).data()), 0);
    }
    // The record's fields and its cells column by column, to compare with what they should be.
    auto State() const
    {
        Grid cells;
        for (int c = 0; c < table.num_cols; ++c) cells.push_back(rktest::Column<Cell>(table, c));
        const auto& t = table;
        return std::make_tuple(t.type, t.num_cols, t.num_rows, t.num_alloc_rows, t.sorted, t.sorted_col, cells);
    }
    static Grid Columns(const Keys& rows, int ncols)
    {
        Grid cells(static_cast<std::size_t>(ncols));
        for (const auto& ks : rows)
            for (int c = 0; c < ncols; ++c) cells[c].push_back(rktest::Show(Make<Cell>(ks[c])));
        return cells;
    }
    // Every call fails with error 1 of the member and changes nothing.
    void ExpectRefused(const Calls& calls)
    {
        const auto before = State();
        for (const auto& [what, call] : calls) {
            SCOPED_TRACE(what);
            EXPECT_FAILS(call(), 1, M::kLoc);
            EXPECT_TRUE(State() == before);
        }
    }
    Rk_TableStruct table{};
};

using Members = ::testing::Types<rktest::IntTable, rktest::LongTable, rktest::DblTable, rktest::PtrTable,
                                 rktest::StrTable>;
TYPED_TEST_SUITE(TableFamily, Members, rktest::KNames);

// A write copies a text row first (past eight cells in a block of its own), then grows a full table a column
// at a time: any allocation failing leaves the table as it was, leaking nothing.
TYPED_TEST(TableFamily, AWriteThatRunsOutOfMemoryChangesNothing)
{
    using M = TypeParam;
    auto* t = &this->table;
    const int ncols = 12;
    Keys rows(25, std::vector<int>(ncols));
    for (int r = 0; r < 25; ++r)
        for (int c = 0; c < ncols; ++c) rows[r][c] = 100 * c + r;
    this->Fill(ncols, rows);
    const auto row = this->Row(std::vector<int>(ncols, 99));
    const int copies = this->kText * (ncols + 1);
    const std::vector<std::tuple<const char*, int, std::function<int()>>> writes = {
        {"SetValue", this->kText, [&] { return M::SetValue(t, ncols - 1, 3, row[0]); }},
        {"SetRow", copies, [&] { return M::SetRow(t, 3, row.data()); }},
        {"InsertRow into a full table", copies + ncols, [&] { return M::InsertRow(t, 3, row.data()); }},
        {"AddRow", copies, [&] { return M::AddRow(t, row.data()); }}};
    for (const auto& [what, allocations, write] : writes) {
        SCOPED_TRACE(what);
        const auto before = this->State();
        const long live = rk::seam::live_blocks();
        int failures = 0;
        for (long n = 1; rktest::WithFailingAlloc(n, write) != 0; ++n, ++failures) {
            EXPECT_ERROR(11, M::kLoc);
            EXPECT_TRUE(this->State() == before && rk::seam::live_blocks() == live) << "allocation " << n;
        }
        EXPECT_EQ(failures, allocations);
    }
}

// Random operations against a plain model: where rows go; a sort's exchange order (not stable); the first
// match from a start, by bisection or scan; the sorted mark, which only Sort sets and only reads and removals
// may keep (a text table's removals always do); growth by 25 rows, which Clear keeps.
TYPED_TEST(TableFamily, OperationsFollowAPlainModelOfTheRows)
{
    using M = TypeParam;
    auto* t = &this->table;
    this->Fill(3, {});
    Keys model;
    int mark = 0, mark_col = 0, room = 25;
    std::mt19937 rng(7);
    const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    for (int step = 0; step < 700; ++step) {
        const int n = static_cast<int>(model.size()), at = n ? pick(n) : 0, col = pick(3);
        int op = pick(8);
        if ((n == 0 && op >= 2) || (op == 7 && n < 60)) op = 0;
        const std::vector<int> ks = {pick(4), pick(3), pick(40)};
        const auto row = this->Row(ks);
        bool keeps_mark = false;
        if (op <= 1) {
            const int before = op == 0 ? n : pick(n + 1);
            ASSERT_EQ(op == 0 ? M::AddRow(t, row.data()) : M::InsertRow(t, before, row.data()), 0);
            model.insert(model.begin() + before, ks);
        } else if (op == 2) {
            ASSERT_EQ(M::RemoveRow(t, at), 0);
            model.erase(model.begin() + at);
            keeps_mark = at == n - 1 || this->kText;
        } else if (op <= 4) {
            ASSERT_EQ(op == 3 ? M::SetRow(t, at, row.data()) : M::SetValue(t, col, at, row[col]), 0);
            for (int c = 0; c < 3; ++c)
                if (op == 3 || c == col) model[at][c] = ks[c];
        } else if (op == 5) {
            std::vector<int> keys(1 + pick(10));  // past the eight looked up once
            for (int& k : keys) k = pick(3);
            for (int i = 0; i + 1 < n; ++i)
                for (int j = i + 1; j < n; ++j)
                    for (int k : keys)
                        if (model[i][k] != model[j][k]) {
                            if (model[i][k] > model[j][k]) std::swap(model[i], model[j]);
                            break;
                        }
            ASSERT_EQ(M::Sort(t, static_cast<int>(keys.size()), keys.data()), 0);
            mark = 1, mark_col = keys[0], keeps_mark = true;
        } else if (op == 6) {
            const int start = pick(n), value = pick(41);
            int hit = start, row_at = -1, found = -1, any = -1, ncols = 0, nrows = 0;
            while (hit < n && model[hit][col] != value) ++hit;
            const int anywhere = std::any_of(model.begin(), model.end(), [&](auto& r) { return r[col] == value; });
            const auto v = Make<typename M::Cell>(value);
            ASSERT_EQ(M::FindPos(t, col, start, v, &row_at, &found) + M::Find(t, col, v, &any), 0);
            EXPECT_EQ(std::make_tuple(found, row_at, any), std::make_tuple(int(hit < n), hit < n ? hit : -1, anywhere))
                << "value " << value << " in column " << col << " from row " << start << ", mark " << mark;
            std::vector<typename M::Cell> cells(4);
            ASSERT_EQ(M::GetRow(t, at, cells.data()) + M::GetValue(t, col, at, &cells[3]), 0);
            ASSERT_EQ(M::GetSize(t, &ncols, &nrows), 0);
            const auto& m = model[at];
            EXPECT_EQ(std::make_tuple(rktest::ShowAll(cells), ncols, nrows),
                      std::make_tuple(rktest::ShowAll(this->Row({m[0], m[1], m[2], m[col]})), 3, n));
            keeps_mark = true;
        } else {
            ASSERT_EQ(M::Clear(t), 0);
            model.clear();
        }
        if (!keeps_mark) mark = 0, mark_col = 0;
        room = std::max(room, (static_cast<int>(model.size()) + 24) / 25 * 25);
        ASSERT_EQ(this->State(), std::make_tuple(M::kCode, 3, static_cast<int>(model.size()), room, mark, mark_col,
                                                 this->Columns(model, 3))) << "step " << step << ", operation " << op;
    }
}

// Every operation checks its record, then its arguments. A freed table keeps its code, is refused,
// frees again quietly and may be initialised again, but not without columns; an Init that runs out of
// memory (the column array, then a block per column) leaves an unallocated table.
TYPED_TEST(TableFamily, BadArgumentsAndRecordsNotOfTheMemberAreRefusedUnchanged)
{
    using M = TypeParam;
    auto* t = &this->table;
    this->Fill(2, {{1, 2}, {3, 4}});
    const auto row = this->Row({8, 9});
    const auto v = row[0];
    const auto* r = row.data();
    typename M::Cell out[2] = {};
    int a = 0, b = 0;
    const int low[] = {-1}, high[] = {0, 2}, key[] = {0};
    this->ExpectRefused({RK_CALL(M::InsertRow(t, -1, r)), RK_CALL(M::InsertRow(t, 3, r)), RK_CALL(M::RemoveRow(t, 2)),
                         RK_CALL(M::SetRow(t, 2, r)), RK_CALL(M::GetRow(t, 2, out)), RK_CALL(M::GetValue(t, 0, 2, out)),
                         RK_CALL(M::SetValue(t, -1, 0, v)), RK_CALL(M::SetValue(t, 2, 0, v)),
                         RK_CALL(M::SetValue(t, 0, 2, v)), RK_CALL(M::GetValue(t, 2, 0, out)),
                         RK_CALL(M::Find(t, 2, v, &a)), RK_CALL(M::FindPos(t, 0, 2, v, &a, &b)),
                         RK_CALL(M::Sort(t, 0, low)), RK_CALL(M::Sort(t, 1, low)), RK_CALL(M::Sort(t, 2, high))});
    const Calls every = {RK_CALL(M::AddRow(t, r)), RK_CALL(M::InsertRow(t, 0, r)), RK_CALL(M::RemoveRow(t, 0)),
                         RK_CALL(M::SetRow(t, 0, r)), RK_CALL(M::GetRow(t, 0, out)), RK_CALL(M::SetValue(t, 0, 0, v)),
                         RK_CALL(M::GetValue(t, 0, 0, out)), RK_CALL(M::GetSize(t, &a, &b)),
                         RK_CALL(M::Find(t, 0, v, &a)), RK_CALL(M::FindPos(t, 0, 0, v, &a, &b)),
                         RK_CALL(M::Sort(t, 1, key)), RK_CALL(M::Clear(t))};
    t->type = M::kCode == 5 ? 3 : 5;
    this->ExpectRefused(every);
    EXPECT_FAILS(M::Free(t), 1, M::kLoc);
    t->type = M::kCode;
    ASSERT_EQ(M::Free(t), 0);
    EXPECT_EQ(this->State(), std::make_tuple(M::kCode, 0, 0, 0, 0, 0, Grid()));
    this->ExpectRefused(every);
    EXPECT_EQ(M::Free(t), 0);
    for (int ncols : {0, -1}) EXPECT_FAILS(M::Init(t, ncols), 1, M::kLoc);
    for (long n = 1; n <= 3; ++n) {
        EXPECT_FAILS(rktest::WithFailingAlloc(n, [&] { return M::Init(t, 2); }), 11, M::kLoc);
        EXPECT_EQ(std::make_pair(t->type, t->num_alloc_rows), std::make_pair(M::kCode, 0));
    }
    ASSERT_EQ(M::Init(t, 1), 0);
}

using MemberRules = rktest::LibraryTest;

// Doubles strictly closer than the zero tolerance match and sort as equal keys, but a bisection's
// walk back to the first match also takes a cell exactly one tolerance away. A text table keeps
// copies, made before old cells go, so its own texts may be written back.
TEST_F(MemberRules, ToleranceAndTextCopies)
{
    Rk_DblTable dbl;
    Rk_StrTable str;
    const int key[] = {0};
    int found = 0, at = -1;
    Rk_GeometrySetZeroEpsilon(0.5);
    ASSERT_EQ(Rk_DblTableInit(&dbl, 1) || Rk_StrTableInit(&str, 1), 0);
    const std::vector<double> values = {0.0, 0.5, 1.0, 1.7, 1.5};
    for (double v : values) ASSERT_EQ(Rk_DblTableAddRow(&dbl, &v), 0);
    ASSERT_EQ(Rk_DblTableSort(&dbl, 1, key), 0);
    EXPECT_EQ(std::vector<double>(dbl.table.dtable[0], dbl.table.dtable[0] + 5), values);
    for (auto [sorted, row] : {std::pair{1, 1}, {0, 2}}) {
        dbl.sorted = sorted;
        ASSERT_EQ(Rk_DblTableFindPos(&dbl, 0, 0, 1.0, &at, &found), 0);
        EXPECT_EQ(at, row) << (sorted ? "the walk back is inclusive" : "the scan's match is strict");
    }
    char text[] = "one";
    char* cells[] = {text};
    ASSERT_EQ(Rk_StrTableAddRow(&str, cells) || Rk_StrTableGetValue(&str, 0, 0, cells), 0);
    std::strcpy(text, "XXX");
    ASSERT_EQ(Rk_StrTableSetValue(&str, 0, 0, cells[0]) || Rk_StrTableGetRow(&str, 0, cells), 0);
    ASSERT_EQ(Rk_StrTableSetRow(&str, 0, cells), 0);
    EXPECT_EQ(rktest::Column<char*>(str), rktest::Lines{"one"});
    EXPECT_EQ(Rk_DblTableFree(&dbl) || Rk_StrTableFree(&str), 0);
}

}  // namespace
