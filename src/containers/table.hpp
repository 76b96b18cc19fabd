// A table: a grid of cells of one type stored column by column, growing 25 rows at a time,
// searched on any column and sorted on a list of key columns. The logic of all five members,
// written once over the cell traits of cells.hpp; errors are raised under the member's module.
// The growth by 25 rows is a contract, not a tuning knob: callers see it in `num_alloc_rows`, the
// header states it, and lists, queues and stacks inherit it as a growth by 25 values. The blocks
// behind it are reserved ahead, doubling, so that appending costs no resize in most growths.
#pragma once

#include <algorithm>
#include <cstring>
#include <utility>

#include "containers/cells.hpp"
#include "core/fail.hpp"
#include "core/memory.hpp"

namespace rk {

// Invariants of a live table (num_alloc_rows > 0): `num_cols` column blocks of `num_alloc_rows`
// cells each; rows 0 .. num_rows - 1 hold cells; in a string table each of those cells is a
// private copy and nothing else is owned. A failed operation leaves every field and cell as it
// was (InsertRow included: it cannot fail once its row is appended).
template <class Cell>
struct Table {
    using T = typename Cell::type;
    using In = typename Cell::in;

    static constexpr int kGrowth = 25;  // the contract stated above: never change it for speed

    static int init(Rk_TableStruct* t, int ncols)
    {
        if (ncols < 1) return raise(RK_ERR_GENERAL, __LINE__);
        *t = Rk_TableStruct{};
        t->type = Cell::code;
        T** cols = alloc_array<T*>(static_cast<std::size_t>(ncols));
        if (!cols) return raise(RK_ERR_NO_MEMORY, __LINE__);
        for (int c = 0; c < ncols; ++c) {
            cols[c] = alloc_array<T>(kGrowth);
            if (!cols[c]) {
                release_blocks(cols, c);
                return raise(RK_ERR_NO_MEMORY, __LINE__);
            }
        }
        Cell::set_columns(*t, cols);
        t->num_cols = ncols;
        t->num_alloc_rows = kGrowth;
        return 0;
    }

    // A value row appended to a live table where there is room needs nothing else; the rest of
    // the work is kept out of line, so that this path costs no more than it does.
    static int add_row(Rk_TableStruct* t, const In* vals)
    {
        if constexpr (!Cell::owns_copies) {
            if (t->type == Cell::code && t->num_rows < t->num_alloc_rows) {
                T** cols = Cell::columns(*t);
                const int row = t->num_rows;
                for (int c = 0; c < t->num_cols; ++c) cols[c][row] = vals[c];
                t->num_rows = row + 1;
                clear_sorted(t);
                return 0;
            }
        }
        return add_row_checked(t, vals);
    }

    // The new cells are made before the table grows, so a failed copy or growth changes nothing.
    __attribute__((noinline)) static int add_row_checked(Rk_TableStruct* t, const In* vals)
    {
        RK_TRY(check_live(t));
        StagedRow row;
        RK_TRY(row.stage(vals, t->num_cols));
        if (t->num_rows == t->num_alloc_rows) RK_TRY(grow(t));
        T** cols = Cell::columns(*t);
        for (int c = 0; c < t->num_cols; ++c) cols[c][t->num_rows] = row[c];
        row.hand_over();
        ++t->num_rows;
        clear_sorted(t);
        return 0;
    }

    // Appends the row, then rotates it into place column by column: no scratch storage, so once
    // the row is appended nothing can fail.
    static int insert_row(Rk_TableStruct* t, int row, const In* vals)
    {
        RK_TRY(check_live(t));
        RK_TRY(check_row(row, t->num_rows));
        RK_TRY(add_row(t, vals));
        const int last = t->num_rows - 1;
        T** cols = Cell::columns(*t);
        for (int c = 0; c < t->num_cols; ++c) {
            const T moved = cols[c][last];
            move_cells(cols[c] + row + 1, cols[c] + row, last - row);
            cols[c][row] = moved;
        }
        return 0;
    }

    // Value tables lose the sorted mark when later rows move up; a string table's cells are
    // moved as they are and keep it.
    static int remove_row(Rk_TableStruct* t, int row)
    {
        RK_TRY(check_live(t));
        RK_TRY(check_row(row, t->num_rows - 1));
        const int later = t->num_rows - 1 - row;
        T** cols = Cell::columns(*t);
        for (int c = 0; c < t->num_cols; ++c) {
            Cell::release(cols[c][row]);
            move_cells(cols[c] + row, cols[c] + row + 1, later);
        }
        --t->num_rows;
        if (!Cell::keeps_sorted_on_remove && later > 0) clear_sorted(t);
        return 0;
    }

    // The new cells are made before the old ones go, so a text the table handed out may be
    // written back, and a failed copy changes nothing.
    static int set_row(Rk_TableStruct* t, int row, const In* vals)
    {
        RK_TRY(check_live(t));
        RK_TRY(check_row(row, t->num_rows - 1));
        StagedRow staged;
        RK_TRY(staged.stage(vals, t->num_cols));
        T** cols = Cell::columns(*t);
        for (int c = 0; c < t->num_cols; ++c) {
            Cell::release(cols[c][row]);
            cols[c][row] = staged[c];
        }
        staged.hand_over();
        clear_sorted(t);
        return 0;
    }

    static int get_row(const Rk_TableStruct* t, int row, T* vals)
    {
        RK_TRY(check_live(t));
        RK_TRY(check_row(row, t->num_rows - 1));
        T** cols = Cell::columns(*t);
        for (int c = 0; c < t->num_cols; ++c) vals[c] = cols[c][row];
        return 0;
    }

    static int set_value(Rk_TableStruct* t, int col, int row, In val)
    {
        RK_TRY(check_live(t));
        RK_TRY(check_col(t, col));
        RK_TRY(check_row(row, t->num_rows - 1));
        T cell;
        if (!Cell::store(val, &cell)) return raise(RK_ERR_NO_MEMORY, __LINE__);
        T& slot = Cell::columns(*t)[col][row];
        Cell::release(slot);
        slot = cell;
        clear_sorted(t);
        return 0;
    }

    static int get_value(const Rk_TableStruct* t, int col, int row, T* val)
    {
        RK_TRY(check_live(t));
        RK_TRY(check_col(t, col));
        RK_TRY(check_row(row, t->num_rows - 1));
        *val = Cell::columns(*t)[col][row];
        return 0;
    }

    static int get_size(const Rk_TableStruct* t, int* ncols, int* nrows)
    {
        RK_TRY(check_live(t));
        *ncols = t->num_cols;
        *nrows = t->num_rows;
        return 0;
    }

    static int find(const Rk_TableStruct* t, int col, In value, int* found)
    {
        int row = 0;
        return find_pos(t, col, 0, value, &row, found);
    }

    // Bisects while the sorted mark stands on `col`, scans otherwise; both give the first
    // matching row at or after `start_row` of a column in ascending order.
    static int find_pos(const Rk_TableStruct* t, int col, int start_row, In value, int* row, int* found)
    {
        *found = 0;
        RK_TRY(check_live(t));
        if (t->num_rows == 0) return 0;
        RK_TRY(check_col(t, col));
        RK_TRY(check_row(start_row, t->num_rows - 1));
        const double eps = Cell::tolerance();
        const T* cells = Cell::columns(*t)[col];
        const int last = t->num_rows - 1;
        const int hit = t->sorted == 1 && t->sorted_col == col ? bisect(cells, start_row, last, value, eps)
                                                               : scan(cells, start_row, last, value, eps);
        if (hit < 0) return 0;
        *row = hit;
        *found = 1;
        return 0;
    }

    // An exchange sort: row i is compared with every later row j and the two change places when
    // row i's keys are greater. Quadratic, and not stable: its result for equal keys is part of
    // the contract, so it must not be replaced by another algorithm.
    static int sort(Rk_TableStruct* t, int n_keys, const int* keys)
    {
        RK_TRY(check_live(t));
        if (n_keys < 1) return raise(RK_ERR_GENERAL, __LINE__);
        for (int k = 0; k < n_keys; ++k) RK_TRY(check_col(t, keys[k]));
        const double eps = Cell::tolerance();
        T** cols = Cell::columns(*t);
        const SortKeys sort_keys(cols, keys, n_keys);
        const int n = t->num_rows;
        for (int i = 0; i < n - 1; ++i)
            for (int j = i + 1; j < n; ++j)
                if (sort_keys.row_greater(i, j, eps)) swap_rows(cols, t->num_cols, i, j);
        t->sorted = 1;
        t->sorted_col = keys[0];
        return 0;
    }

    static int clear(Rk_TableStruct* t)
    {
        RK_TRY(check_live(t));
        release_cells(t);
        t->num_rows = 0;
        clear_sorted(t);
        return 0;
    }

    // A table never allocated or already freed is left alone; a freed table keeps its type code.
    static int free(Rk_TableStruct* t)
    {
        if (t->type != Cell::code) return raise(RK_ERR_GENERAL, __LINE__);
        if (t->num_alloc_rows == 0) return 0;
        release_cells(t);
        release_blocks(Cell::columns(*t), t->num_cols);
        *t = Rk_TableStruct{};
        t->type = Cell::code;
        return 0;
    }

private:
    // The cells of a row about to be written, made before the table changes. Copies that were
    // not handed over to the table are released with the staging.
    class StagedRow {
    public:
        StagedRow() = default;
        StagedRow(const StagedRow&) = delete;
        StagedRow& operator=(const StagedRow&) = delete;
        ~StagedRow()
        {
            for (int c = 0; c < made_; ++c) Cell::release(cells_[c]);
            if (cells_ != local_) Rkos_Free(cells_);
        }

        // Value cells are read straight from the caller's row; texts are copied.
        int stage(const In* vals, int n)
        {
            if constexpr (!Cell::owns_copies) {
                view_ = vals;
                return 0;
            } else {
                if (n > kLocal) {
                    cells_ = alloc_array<T>(static_cast<std::size_t>(n));
                    if (!cells_) {
                        cells_ = local_;
                        return raise(RK_ERR_NO_MEMORY, __LINE__);
                    }
                }
                for (; made_ < n; ++made_)
                    if (!Cell::store(vals[made_], &cells_[made_])) return raise(RK_ERR_NO_MEMORY, __LINE__);
                return 0;
            }
        }

        T operator[](int c) const
        {
            if constexpr (Cell::owns_copies)
                return cells_[c];
            else
                return view_[c];
        }

        // The table owns the copies from now on.
        void hand_over() { made_ = 0; }

    private:
        static constexpr int kLocal = 8;
        T local_[kLocal];
        T* cells_ = local_;
        const In* view_ = nullptr;
        int made_ = 0;
    };

    static int raise(long id, int line) { return fail(id, Cell::module, line); }

    static int check_live(const Rk_TableStruct* t)
    {
        if (t->type != Cell::code) return raise(RK_ERR_GENERAL, __LINE__);
        if (t->num_alloc_rows == 0) return raise(RK_ERR_GENERAL, __LINE__);
        return 0;
    }

    // `last` is the highest row the operation accepts.
    static int check_row(int row, int last)
    {
        return row < 0 || row > last ? raise(RK_ERR_GENERAL, __LINE__) : 0;
    }

    static int check_col(const Rk_TableStruct* t, int col)
    {
        return col < 0 || col >= t->num_cols ? raise(RK_ERR_GENERAL, __LINE__) : 0;
    }

    static void clear_sorted(Rk_TableStruct* t)
    {
        t->sorted = 0;
        t->sorted_col = 0;
    }

    // The rows each column block holds for a table whose `num_alloc_rows` is `rows`: 25 times the
    // smallest power of two that reaches it. Worked out again from `num_alloc_rows` whenever it is
    // needed, so the table record keeps no field for it.
    static long reserved_rows(long rows)
    {
        long reserved = kGrowth;
        while (reserved < rows) reserved *= 2;
        return reserved;
    }

    // Room for 25 more rows in every column; the blocks are resized only when that passes what
    // they hold. When a resize fails, the columns already resized keep their larger blocks (as
    // large as the next growth asks for) and the failed one keeps its old block; `num_alloc_rows`
    // still names the room every column has.
    static int grow(Rk_TableStruct* t)
    {
        const int capacity = t->num_alloc_rows + kGrowth;
        if (capacity > reserved_rows(t->num_alloc_rows)) {
            const std::size_t reserved = static_cast<std::size_t>(reserved_rows(capacity));
            T** cols = Cell::columns(*t);
            for (int c = 0; c < t->num_cols; ++c) {
                T* block = realloc_array(cols[c], reserved);
                if (!block) return raise(RK_ERR_NO_MEMORY, __LINE__);
                cols[c] = block;
            }
        }
        t->num_alloc_rows = capacity;
        return 0;
    }

    static void move_cells(T* to, const T* from, int count)
    {
        if (count > 0) std::memmove(to, from, static_cast<std::size_t>(count) * sizeof(T));
    }

    static void release_cells(Rk_TableStruct* t)
    {
        if constexpr (Cell::owns_copies) {
            T** cols = Cell::columns(*t);
            for (int c = 0; c < t->num_cols; ++c)
                for (int r = 0; r < t->num_rows; ++r) Cell::release(cols[c][r]);
        }
    }

    static void release_blocks(T** cols, int count)
    {
        for (int c = 0; c < count; ++c) Rkos_Free(cols[c]);
        Rkos_Free(cols);
    }

    static int bisect(const T* cells, int first, int last, In value, double eps)
    {
        const int start = first;
        while (first <= last) {
            int middle = (first + last) / 2;
            if (Cell::equal(cells[middle], value, eps)) {
                while (middle > start && Cell::equal_walking_back(cells[middle - 1], value, eps)) --middle;
                return middle;
            }
            if (Cell::at_least(value, cells[middle]))
                first = middle + 1;
            else
                last = middle - 1;
        }
        return -1;
    }

    static int scan(const T* cells, int first, int last, In value, double eps)
    {
        const T* end = cells + last + 1;
        const auto matches = [&](const T& cell) { return Cell::equal(cell, value, eps); };
        const T* hit = std::find_if(cells + first, end, matches);
        return hit == end ? -1 : static_cast<int>(hit - cells);
    }

    // The key columns of a sort. The blocks of the first few keys are looked up once, which saves
    // an indirection in every comparison of the quadratic loop; the columns never move while it runs.
    class SortKeys {
    public:
        SortKeys(T* const* cols, const int* keys, int n_keys) : cols_(cols), keys_(keys), n_keys_(n_keys)
        {
            for (int k = 0; k < n_keys && k < kCached; ++k) cached_[k] = cols[keys[k]];
        }

        // Compares row i with row j key by key; the first key that differs decides.
        bool row_greater(int i, int j, double eps) const
        {
            for (int k = 0; k < n_keys_; ++k) {
                const T* key = k < kCached ? cached_[k] : cols_[keys_[k]];
                if (Cell::equal(key[i], key[j], eps)) continue;
                return Cell::greater(key[i], key[j]);
            }
            return false;
        }

    private:
        static constexpr int kCached = 8;
        T* const* cols_;
        const int* keys_;
        int n_keys_;
        T* cached_[kCached] = {};
    };

    static void swap_rows(T** cols, int ncols, int i, int j)
    {
        for (int c = 0; c < ncols; ++c) std::swap(cols[c][i], cols[c][j]);
    }
};

}  // namespace rk
