// The dumps of tables, lists, queues and stacks, written once. The members of a family differ
// only in their titles and in how a value shows, which `Shown<Cell>` holds for each cell type.
// The cell widths (7, 12 with 3 decimals, 15) and the cut of long texts are the header's contract.
#pragma once

#include <cstring>

#include "containers/containers.hpp"
#include "core/dump.hpp"

namespace rk::dump {

// What names a member in its dump: the title, and the module a scratch text that cannot be held
// is reported under (the one of the list, queue or stack itself, not of its table).
struct Member {
    const char* title;
    const char* module;
};

// Titles and value formats of each member. A table cell takes a fixed width (7 for int and long,
// 12 with 3 decimals for double, 15 for a text) unless its value needs more; lists, queues and
// stacks show a value after a lead text that says where it stands.
template <class Cell>
struct Shown;

template <>
struct Shown<IntCell> {
    static constexpr Member kTable = {"Int Integer Table", IntCell::module};
    static constexpr Member kList = {"Integer List", "src/rk_intls"};
    static constexpr Member kQueue = {"Integer Queue", "src/rk_intqu"};
    static constexpr bool kHasValues = true;
    static int cell(Text& row, int v) { return row.append("%7d", v); }
    static int value(Text& line, const char* lead, int v) { return line.append("%s%d", lead, v); }
};

template <>
struct Shown<LongCell> {
    static constexpr Member kTable = {"Long Integer Table", LongCell::module};
    static constexpr Member kList = {"Long Integer List", "src/rk_lngls"};
    static constexpr Member kQueue = {"Long Integer Queue", "src/rk_lngqu"};
    static constexpr Member kStack = {"Long Stack", "src/rk_lngst"};
    static constexpr bool kHasValues = true;
    static int cell(Text& row, long v) { return row.append("%7ld", v); }
    static int value(Text& line, const char* lead, long v) { return line.append("%s%ld", lead, v); }
};

template <>
struct Shown<DblCell> {
    static constexpr Member kTable = {"Double Precision Table", DblCell::module};
    static constexpr Member kQueue = {"Double-Precision Queue", "src/rk_dblqu"};
    static constexpr bool kHasValues = true;
    static int cell(Text& row, double v) { return row.append("%12.3f", v); }
    static int value(Text& line, const char* lead, double v) { return line.append("%s%10.5f", lead, v); }
};

template <>
struct Shown<StrCell> {
    static constexpr Member kTable = {"String Table", StrCell::module};
    static constexpr Member kList = {"String List", "src/rk_strls"};
    static constexpr Member kQueue = {"String Queue", "src/rk_strqu"};
    static constexpr Member kStack = {"String Stack", "src/rk_strst"};
    static constexpr bool kHasValues = true;
    // A text of 15 characters or more shows as a blank, its first 11 characters and "...".
    static int cell(Text& row, const char* v)
    {
        return std::strlen(v) < 15 ? row.append("%15s", v) : row.append(" %.11s...", v);
    }
    static int value(Text& line, const char* lead, const char* v) { return line.append("%s%s", lead, v); }
};

// Pointers are counted, never shown.
template <>
struct Shown<PtrCell> {
    static constexpr Member kTable = {"Pointer Table", PtrCell::module};
    static constexpr Member kList = {"Pointer List", "src/rk_ptrls"};
    static constexpr bool kHasValues = false;
};

template <class Cell>
struct ContainerDump {
    using Show = Shown<Cell>;
    using T = typename Cell::type;
    using Tab = Table<Cell>;

    // A record of another member is refused before anything is written.
    static int table(const Rk_TableStruct* t, Rk_ReportStruct* r)
    {
        if (t->type != Cell::code) return fail(RK_ERR_GENERAL, Cell::module, __LINE__);
        return titled(r, Show::kTable.title, [t, r] { return table_body(t, r); });
    }

    static int list(const Rk_ListStruct* l, Rk_ReportStruct* r)
    {
        return titled(r, Show::kList.title, [l, r] { return list_body(l, r); });
    }

    static int stack(const Rk_StackStruct* s, Rk_ReportStruct* r)
    {
        return titled(r, Show::kStack.title, [s, r] { return stack_body(s, r); });
    }

    static int queue(const Rk_QueueStruct* q, Rk_ReportStruct* r)
    {
        Rk_ReportWrite(r, "\n");
        return titled(r, Show::kQueue.title, [q, r] { return queue_body(q, r); });
    }

private:
    static int table_body(const Rk_TableStruct* t, Rk_ReportStruct* r)
    {
        if (!Cell::columns(*t) || t->num_alloc_rows == 0 || t->num_cols == 0) {
            Rk_ReportWrite(r, "Table not initialized");
            return 0;
        }
        const char* module = Show::kTable.module;
        int ncols = 0;
        int nrows = 0;
        RK_TRY(Tab::get_size(t, &ncols, &nrows));
        RK_TRY(line(r, module, " Table has %d columns", ncols));
        RK_TRY(line(r, module, " Table has %d rows ( %d allocated)", nrows, t->num_alloc_rows));
        if (t->sorted)
            RK_TRY(line(r, module, " Table is sorted on column %d", t->sorted_col));
        else
            Rk_ReportWrite(r, " Table is not sorted");
        if constexpr (Show::kHasValues) return table_rows(t, r, ncols, nrows);
        return 0;
    }

    // Each row on one line, its cells side by side without separators.
    static int table_rows(const Rk_TableStruct* t, Rk_ReportStruct* r, int ncols, int nrows)
    {
        Text row_text(Show::kTable.module);
        for (int row = 0; row < nrows; ++row) {
            row_text.clear();
            for (int col = 0; col < ncols; ++col) {
                T v;
                RK_TRY(Tab::get_value(t, col, row, &v));
                RK_TRY(Show::cell(row_text, v));
            }
            Rk_ReportWrite(r, row_text.c_str());
        }
        return 0;
    }

    static int list_body(const Rk_ListStruct* l, Rk_ReportStruct* r)
    {
        if (!l->allocated) {
            Rk_ReportWrite(r, "List not allocated");
            return 0;
        }
        int size = 0;
        RK_TRY(List<Cell>::get_size(l, &size));
        RK_TRY(line(r, Show::kList.module, "List contains %d %s", size, Show::kHasValues ? "value(s)" : "pointer(s)"));
        Rk_ReportWrite(r, l->allowDups ? "Duplicates allowed in list" : "Duplicates not allowed in list");
        if constexpr (Show::kHasValues) {
            for (int i = 0; i < size; ++i) RK_TRY(value_line(r, Show::kList, &l->table, i, "    "));
        }
        return 0;
    }

    // From the top (the last pushed) down; a stack of one value shows it as the top.
    static int stack_body(const Rk_StackStruct* s, Rk_ReportStruct* r)
    {
        if (!s->allocated) {
            Rk_ReportWrite(r, "Stack not allocated");
            return 0;
        }
        int size = 0;
        RK_TRY(Stack<Cell>::get_size(s, &size));
        RK_TRY(line(r, Show::kStack.module, "Stack contains %d value(s)", size));
        for (int row = size - 1; row >= 0; --row) {
            const char* lead = row == size - 1 ? "Top     " : row == 0 ? "Bottom  " : "        ";
            RK_TRY(value_line(r, Show::kStack, &s->table, row, lead));
        }
        return 0;
    }

    // A queue whose table cannot be read is described as such: that is its state, not a failure of
    // the dump, so nothing is queued for it.
    static int queue_body(const Rk_QueueStruct* q, Rk_ReportStruct* r)
    {
        if (q->allocated != 1) {
            Rk_ReportWrite(r, "\nQueue was not initialized/allocated.\n");
            return 0;
        }
        if (q->table.type != Cell::code || q->table.num_alloc_rows == 0) {
            Rk_ReportWrite(r, "Queue not initialized");
            return 0;
        }
        const char* module = Show::kQueue.module;
        int size = 0;
        RK_TRY(Queue<Cell>::get_size(q, &size));
        if (size == 0) return line(r, module, "\nQueue has %d rows (empty).\n", size);
        RK_TRY(line(r, module, "\nQueue has %d rows.\n", size));
        for (int row = 0; row < size; ++row) {
            const char* lead = row == 0 ? "Front  " : row == size - 1 ? "End    " : "       ";
            RK_TRY(value_line(r, Show::kQueue, &q->table, row, lead));
        }
        Rk_ReportWrite(r, "\n");
        return 0;
    }

    // The value in row `row` of a one-column table, after `lead`.
    static int value_line(Rk_ReportStruct* r, const Member& member, const Rk_TableStruct* t, int row, const char* lead)
    {
        T v;
        RK_TRY(Tab::get_value(t, 0, row, &v));
        Text text(member.module);
        RK_TRY(Show::value(text, lead, v));
        Rk_ReportWrite(r, text.c_str());
        return 0;
    }
};

}  // namespace rk::dump
