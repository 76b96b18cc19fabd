// Lists, queues and stacks: one-column tables with a flag or two around them. Every operation
// maps onto the member's table operations on column 0 and reports only the table's errors, under
// the table's module. A full container grows as its table does, by 25 values: a contract the
// header states.
#pragma once

#include "containers/table.hpp"

namespace rk {

template <class Cell>
struct List {
    using Tab = Table<Cell>;
    using T = typename Cell::type;
    using In = typename Cell::in;

    static int init(Rk_ListStruct* list, int allow_dups)
    {
        RK_TRY(Tab::init(&list->table, 1));
        list->allowDups = allow_dups;
        list->allocated = 1;
        return 0;
    }

    static int add(Rk_ListStruct* list, In val)
    {
        if (list->allowDups == 0) {
            int found = 0;
            RK_TRY(Tab::find(&list->table, 0, val, &found));
            if (found) return 0;
        }
        return Tab::add_row(&list->table, &val);
    }

    static int get(const Rk_ListStruct* list, int position, T* val)
    {
        return Tab::get_value(&list->table, 0, position, val);
    }

    static int set(Rk_ListStruct* list, int position, In val) { return Tab::set_value(&list->table, 0, position, val); }

    static int get_size(const Rk_ListStruct* list, int* size)
    {
        int ncols = 0;
        return Tab::get_size(&list->table, &ncols, size);
    }

    static int find(const Rk_ListStruct* list, In val, int* found)
    {
        return Tab::find(&list->table, 0, val, found);
    }

    static int find_pos(const Rk_ListStruct* list, int start_pos, In val, int* found_pos, int* found)
    {
        return Tab::find_pos(&list->table, 0, start_pos, val, found_pos, found);
    }

    // Removes the first occurrence; a value that is not there changes nothing.
    static int remove(Rk_ListStruct* list, In val)
    {
        int pos = 0;
        int found = 0;
        RK_TRY(find_pos(list, 0, val, &pos, &found));
        return found ? Tab::remove_row(&list->table, pos) : 0;
    }

    static int sort(Rk_ListStruct* list)
    {
        const int key = 0;
        return Tab::sort(&list->table, 1, &key);
    }

    static int clear(Rk_ListStruct* list) { return Tab::clear(&list->table); }

    // A list whose flag says it was never allocated (or was freed) is left alone.
    static int free(Rk_ListStruct* list)
    {
        if (list->allocated == 0) return 0;
        RK_TRY(Tab::free(&list->table));
        list->allocated = 0;
        list->allowDups = 0;
        return 0;
    }

    // Adds the values of `from` in order under `list`'s duplicate rule. The count is taken first,
    // so a list added to itself is walked once.
    static int add_list(Rk_ListStruct* list, const Rk_ListStruct* from)
    {
        int size = 0;
        RK_TRY(get_size(from, &size));
        for (int i = 0; i < size; ++i) {
            T val;
            RK_TRY(get(from, i, &val));
            RK_TRY(add(list, val));
        }
        return 0;
    }

    // Adds, then removes from the source last position first, each time the first occurrence of
    // the value found there, which empties it even when it holds duplicates. A list moved onto
    // itself keeps its values.
    static int move_list(Rk_ListStruct* list, Rk_ListStruct* from)
    {
        int size = 0;
        RK_TRY(get_size(from, &size));
        if (list == from) return 0;
        RK_TRY(add_list(list, from));
        for (int i = size - 1; i >= 0; --i) {
            T val;
            RK_TRY(get(from, i, &val));
            RK_TRY(remove(from, val));
        }
        return 0;
    }

    // Appends to `out` each value of `list1`, in order, that `list2` holds (`wanted` 1) or does
    // not hold (`wanted` 0); `out` is not emptied first. `out_size` is its size afterwards.
    static int add_matching(const Rk_ListStruct* list1, const Rk_ListStruct* list2, Rk_ListStruct* out,
                            int wanted, int* out_size)
    {
        int size = 0;
        RK_TRY(get_size(list1, &size));
        for (int i = 0; i < size; ++i) {
            T val;
            int found = 0;
            RK_TRY(get(list1, i, &val));
            RK_TRY(find(list2, val, &found));
            if (found == wanted) RK_TRY(add(out, val));
        }
        return get_size(out, out_size);
    }

    // Both values are read before either is written, so a bad position changes nothing.
    static int swap(Rk_ListStruct* list, int pos1, int pos2)
    {
        static_assert(!Cell::owns_copies, "a Set would release the copy still to be written back");
        T first;
        T second;
        RK_TRY(get(list, pos1, &first));
        RK_TRY(get(list, pos2, &second));
        RK_TRY(set(list, pos1, second));
        return set(list, pos2, first);
    }
};

// What queues and stacks share: values go in at the end of column 0 and are taken from the
// front (a queue, `kFront` true) or from the end (a stack).
template <class Cell, class Record, bool kFront>
struct Pile {
    using Tab = Table<Cell>;
    using T = typename Cell::type;
    using In = typename Cell::in;

    static int init(Record* r)
    {
        RK_TRY(Tab::init(&r->table, 1));
        r->allocated = 1;
        return 0;
    }

    static int add(Record* r, In value) { return Tab::add_row(&r->table, &value); }

    static int get_size(const Record* r, int* size)
    {
        int ncols = 0;
        return Tab::get_size(&r->table, &ncols, size);
    }

    static int clear(Record* r) { return Tab::clear(&r->table); }

    // The value at the taking end, left in place (a text is the container's own).
    static int peek(const Record* r, T* value, int* found)
    {
        int size = 0;
        RK_TRY(get_size(r, &size));
        if (size == 0) {
            *found = 0;
            return 0;
        }
        RK_TRY(Tab::get_value(&r->table, 0, end_row(size), value));
        *found = 1;
        return 0;
    }

    // Takes the value at the taking end out; a text comes as the caller's own copy. The copy is
    // made before the value is removed: when it cannot be made, error 11 is raised under the
    // table's module and the container, `value` and `found` are left as they were.
    static int take(Record* r, T* value, int* found)
    {
        int size = 0;
        RK_TRY(get_size(r, &size));
        if (size == 0) {
            *found = 0;
            return 0;
        }
        const int row = end_row(size);
        T cell;
        T copy;
        RK_TRY(Tab::get_value(&r->table, 0, row, &cell));
        if (!Cell::store(cell, &copy)) return fail(RK_ERR_NO_MEMORY, Cell::module, __LINE__);
        if (Tab::remove_row(&r->table, row) != 0) {
            Cell::release(copy);
            return 1;
        }
        *value = copy;
        *found = 1;
        return 0;
    }

protected:
    static int end_row(int size) { return kFront ? 0 : size - 1; }
};

template <class Cell>
struct Queue : Pile<Cell, Rk_QueueStruct, true> {
    using Tab = Table<Cell>;
    using In = typename Cell::in;

    static int find(const Rk_QueueStruct* q, In val, int* found)
    {
        return Tab::find(&q->table, 0, val, found);
    }

    static int find_pos(const Rk_QueueStruct* q, In val, int start_pos, int* found_pos, int* found)
    {
        return Tab::find_pos(&q->table, 0, start_pos, val, found_pos, found);
    }

    // Only a queue whose flag is exactly 1 is freed; any other is left alone.
    static int free(Rk_QueueStruct* q)
    {
        if (q->allocated != 1) return 0;
        RK_TRY(Tab::free(&q->table));
        q->allocated = 0;
        return 0;
    }
};

template <class Cell>
struct Stack : Pile<Cell, Rk_StackStruct, false> {
    using Tab = Table<Cell>;

    // Removes the top value unread; an empty stack is left as it is.
    static int drop(Rk_StackStruct* s)
    {
        int size = 0;
        RK_TRY(Stack::get_size(s, &size));
        return size > 0 ? Tab::remove_row(&s->table, size - 1) : 0;
    }

    // The table is freed whatever the flag says, so a record that never was a stack of this
    // member is reported; freeing a freed stack does nothing.
    static int free(Rk_StackStruct* s)
    {
        RK_TRY(Tab::free(&s->table));
        s->allocated = 0;
        return 0;
    }
};

}  // namespace rk
