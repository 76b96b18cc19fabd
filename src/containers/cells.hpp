// What differs between the five table members, in one place: the cell type and what the caller
// hands in, the type code and module, how two cells match and order, who owns what a cell points
// to, and whether a removal keeps the sorted mark. The table logic itself is in table.hpp.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

#include "geometry/tolerance.hpp"
#include "rk_basekit.h"

namespace rk {

using TableViews = decltype(Rk_TableStruct::table);

// Value cells: copied in and out, matched exactly, ordered by the built-in operators. Removing a
// row that has rows after it loses the sorted mark, because those rows are written again.
template <class T, T** TableViews::*View>
struct ValueCell {
    using type = T;  // what a cell holds and what reads hand out
    using in = T;    // what writes and searches take

    static constexpr bool owns_copies = false;
    static constexpr bool keeps_sorted_on_remove = false;

    static T** columns(const Rk_TableStruct& t) { return t.table.*View; }
    static void set_columns(Rk_TableStruct& t, T** cols) { t.table.*View = cols; }

    // The tolerance of a match, read once at the start of a search or a sort.
    static double tolerance() { return 0.0; }
    // The match of a search step and of a sort.
    static bool equal(T a, T b, double) { return a == b; }
    // The match of a bisection's walk back to the first of equal cells.
    static bool equal_walking_back(T a, T b, double) { return a == b; }
    // A sort exchanges two rows when the earlier one's key is greater.
    static bool greater(T a, T b) { return a > b; }
    // A bisection goes on to the right when the value sought is at least the middle cell.
    static bool at_least(T a, T b) { return a >= b; }

    // Writes the cell's form of `value` to `cell`; false when no copy could be made.
    static bool store(T value, T* cell)
    {
        *cell = value;
        return true;
    }
    static void release(T) {}
};

struct IntCell : ValueCell<int, &TableViews::itable> {
    static constexpr int code = 5;
    static constexpr char module[] = "src/rk_inttb";
};

struct LongCell : ValueCell<long, &TableViews::ltable> {
    static constexpr int code = 3;
    static constexpr char module[] = "src/rk_lngtb";
};

// Doubles closer than the zero tolerance are equal: strictly closer in a search step and a sort,
// within it (bound included) while a bisection walks back.
struct DblCell : ValueCell<double, &TableViews::dtable> {
    static constexpr int code = 1;
    static constexpr char module[] = "src/rk_dbltb";

    static double tolerance() { return zero_eps(); }
    static bool equal(double a, double b, double eps) { return std::fabs(a - b) < eps; }
    static bool equal_walking_back(double a, double b, double eps) { return std::fabs(a - b) <= eps; }
};

// The caller's pointers, never dereferenced: same address is equal, order is that of the
// addresses as unsigned numbers.
struct PtrCell : ValueCell<void*, &TableViews::ptable> {
    static constexpr int code = 8;
    static constexpr char module[] = "src/rk_ptrtb";

    static std::uintptr_t address(const void* p) { return reinterpret_cast<std::uintptr_t>(p); }
    static bool greater(void* a, void* b) { return address(a) > address(b); }
    static bool at_least(void* a, void* b) { return address(a) >= address(b); }
};

// Private copies of the caller's texts, compared byte by byte (case-sensitive). Cells are moved
// as pointers, never rewritten, so a removal keeps the sorted mark.
struct StrCell {
    using type = char*;
    using in = const char*;

    static constexpr int code = 2;
    static constexpr char module[] = "src/rk_strtb";
    static constexpr bool owns_copies = true;
    static constexpr bool keeps_sorted_on_remove = true;

    static char*** columns(const Rk_TableStruct& t) { return t.table.stable; }
    static void set_columns(Rk_TableStruct& t, char*** cols) { t.table.stable = cols; }

    static double tolerance() { return 0.0; }
    static bool equal(const char* a, const char* b, double) { return std::strcmp(a, b) == 0; }
    static bool equal_walking_back(const char* a, const char* b, double) { return std::strcmp(a, b) == 0; }
    static bool greater(const char* a, const char* b) { return std::strcmp(a, b) > 0; }
    static bool at_least(const char* a, const char* b) { return std::strcmp(a, b) >= 0; }

    static bool store(const char* value, char** cell)
    {
        *cell = rk_strdup(value);
        return *cell != nullptr;
    }
    static void release(char* cell) { Rkos_Free(cell); }
};

}  // namespace rk
