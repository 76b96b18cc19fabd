// Helpers of the container tests: the five table members described for typed tests (their
// exported operations, where their errors are located, and `Make(k)`, a cell value that grows
// with k, -1 <= k < 4000), and the texts of a string list.
#pragma once

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "rk_basekit.h"

// The fourteen operations of the member Rk_<T>Table, under their short names.
#define RK_TABLE_OPERATIONS(T)                                \
    static constexpr auto Init = &Rk_##T##TableInit;           \
    static constexpr auto AddRow = &Rk_##T##TableAddRow;       \
    static constexpr auto InsertRow = &Rk_##T##TableInsertRow; \
    static constexpr auto RemoveRow = &Rk_##T##TableRemoveRow; \
    static constexpr auto SetRow = &Rk_##T##TableSetRow;       \
    static constexpr auto GetRow = &Rk_##T##TableGetRow;       \
    static constexpr auto SetValue = &Rk_##T##TableSetValue;   \
    static constexpr auto GetValue = &Rk_##T##TableGetValue;   \
    static constexpr auto GetSize = &Rk_##T##TableGetSize;     \
    static constexpr auto Find = &Rk_##T##TableFind;           \
    static constexpr auto FindPos = &Rk_##T##TableFindPos;     \
    static constexpr auto Sort = &Rk_##T##TableSort;           \
    static constexpr auto Clear = &Rk_##T##TableClear;         \
    static constexpr auto Free = &Rk_##T##TableFree;

namespace rktest {

// The texts of a string list, in order.
inline std::vector<std::string> Texts(const Rk_StrList& list)
{
    int size = 0;
    Rk_StrListGetSize(&list, &size);
    std::vector<std::string> texts;
    for (int i = 0; i < size; ++i) {
        char* text = nullptr;
        Rk_StrListGet(&list, i, &text);
        texts.emplace_back(text);
    }
    return texts;
}

struct IntMember {
    using Cell = int;
    static constexpr const char* kLoc = "rk_inttb(";
    static constexpr int kCode = 5;
    static constexpr bool kKeepsSortedOnRemove = false;
    static Cell Make(int k) { return k - 100; }
    static Cell** Columns(const Rk_TableStruct& t) { return t.table.itable; }
    static std::string Show(Cell v) { return std::to_string(v); }
    RK_TABLE_OPERATIONS(Int)
};

struct LongMember {
    using Cell = long;
    static constexpr const char* kLoc = "rk_lngtb(";
    static constexpr int kCode = 3;
    static constexpr bool kKeepsSortedOnRemove = false;
    // Wider than 32 bits where long is, so a table that truncated to int would be caught.
    static Cell Make(int k) { return static_cast<long>(k) + (sizeof(long) > 4 ? (1L << 40) : 0L); }
    static Cell** Columns(const Rk_TableStruct& t) { return t.table.ltable; }
    static std::string Show(Cell v) { return std::to_string(v); }
    RK_TABLE_OPERATIONS(Long)
};

struct DblMember {
    using Cell = double;
    static constexpr const char* kLoc = "rk_dbltb(";
    static constexpr int kCode = 1;
    static constexpr bool kKeepsSortedOnRemove = false;
    static Cell Make(int k) { return k * 0.25 - 3.0; }
    static Cell** Columns(const Rk_TableStruct& t) { return t.table.dtable; }
    static std::string Show(Cell v)
    {
        char text[64];
        std::snprintf(text, sizeof text, "%a", v);
        return text;
    }
    RK_TABLE_OPERATIONS(Dbl)
};

struct PtrMember {
    using Cell = void*;
    static constexpr const char* kLoc = "rk_ptrtb(";
    static constexpr int kCode = 8;
    static constexpr bool kKeepsSortedOnRemove = false;
    static Cell Make(int k)
    {
        static char places[4001];
        return &places[k + 1];
    }
    static Cell** Columns(const Rk_TableStruct& t) { return t.table.ptable; }
    static std::string Show(Cell v)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%p", v);
        return text;
    }
    RK_TABLE_OPERATIONS(Ptr)
};

struct StrMember {
    using Cell = char*;
    static constexpr const char* kLoc = "rk_strtb(";
    static constexpr int kCode = 2;
    static constexpr bool kKeepsSortedOnRemove = true;
    // Texts of different lengths whose byte order is the order of k.
    static Cell Make(int k)
    {
        static std::map<int, std::string> texts;
        std::string& text = texts[k];
        const int n = k + 1;
        if (text.empty())
            text = "t" + std::string(static_cast<std::size_t>(n / 1000), 'z') + std::to_string(1000 + n % 1000);
        return text.data();
    }
    static Cell** Columns(const Rk_TableStruct& t) { return t.table.stable; }
    static std::string Show(Cell v) { return v ? v : "<null>"; }
    RK_TABLE_OPERATIONS(Str)
};

}  // namespace rktest
