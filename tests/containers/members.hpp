// The five table members described for typed tests: their exported operations, where their
// errors are located, and `Make(k)`, a cell value that grows with k (0 <= k < 4000).
#pragma once

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>

#include "rk_basekit.h"

namespace rktest {

struct IntMember {
    using Cell = int;
    static constexpr const char* kLoc = "rk_inttb(";
    static constexpr int kCode = 5;
    static constexpr bool kKeepsSortedOnRemove = false;
    static Cell Make(int k) { return k - 100; }
    static Cell** Columns(const Rk_TableStruct& t) { return t.table.itable; }
    static std::string Show(Cell v) { return std::to_string(v); }
    static constexpr auto Init = &Rk_IntTableInit;
    static constexpr auto AddRow = &Rk_IntTableAddRow;
    static constexpr auto InsertRow = &Rk_IntTableInsertRow;
    static constexpr auto RemoveRow = &Rk_IntTableRemoveRow;
    static constexpr auto SetRow = &Rk_IntTableSetRow;
    static constexpr auto GetRow = &Rk_IntTableGetRow;
    static constexpr auto SetValue = &Rk_IntTableSetValue;
    static constexpr auto GetValue = &Rk_IntTableGetValue;
    static constexpr auto GetSize = &Rk_IntTableGetSize;
    static constexpr auto Find = &Rk_IntTableFind;
    static constexpr auto FindPos = &Rk_IntTableFindPos;
    static constexpr auto Sort = &Rk_IntTableSort;
    static constexpr auto Clear = &Rk_IntTableClear;
    static constexpr auto Free = &Rk_IntTableFree;
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
    static constexpr auto Init = &Rk_LongTableInit;
    static constexpr auto AddRow = &Rk_LongTableAddRow;
    static constexpr auto InsertRow = &Rk_LongTableInsertRow;
    static constexpr auto RemoveRow = &Rk_LongTableRemoveRow;
    static constexpr auto SetRow = &Rk_LongTableSetRow;
    static constexpr auto GetRow = &Rk_LongTableGetRow;
    static constexpr auto SetValue = &Rk_LongTableSetValue;
    static constexpr auto GetValue = &Rk_LongTableGetValue;
    static constexpr auto GetSize = &Rk_LongTableGetSize;
    static constexpr auto Find = &Rk_LongTableFind;
    static constexpr auto FindPos = &Rk_LongTableFindPos;
    static constexpr auto Sort = &Rk_LongTableSort;
    static constexpr auto Clear = &Rk_LongTableClear;
    static constexpr auto Free = &Rk_LongTableFree;
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
    static constexpr auto Init = &Rk_DblTableInit;
    static constexpr auto AddRow = &Rk_DblTableAddRow;
    static constexpr auto InsertRow = &Rk_DblTableInsertRow;
    static constexpr auto RemoveRow = &Rk_DblTableRemoveRow;
    static constexpr auto SetRow = &Rk_DblTableSetRow;
    static constexpr auto GetRow = &Rk_DblTableGetRow;
    static constexpr auto SetValue = &Rk_DblTableSetValue;
    static constexpr auto GetValue = &Rk_DblTableGetValue;
    static constexpr auto GetSize = &Rk_DblTableGetSize;
    static constexpr auto Find = &Rk_DblTableFind;
    static constexpr auto FindPos = &Rk_DblTableFindPos;
    static constexpr auto Sort = &Rk_DblTableSort;
    static constexpr auto Clear = &Rk_DblTableClear;
    static constexpr auto Free = &Rk_DblTableFree;
};

struct PtrMember {
    using Cell = void*;
    static constexpr const char* kLoc = "rk_ptrtb(";
    static constexpr int kCode = 8;
    static constexpr bool kKeepsSortedOnRemove = false;
    static Cell Make(int k)
    {
        static char places[4000];
        return &places[k];
    }
    static Cell** Columns(const Rk_TableStruct& t) { return t.table.ptable; }
    static std::string Show(Cell v)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%p", v);
        return text;
    }
    static constexpr auto Init = &Rk_PtrTableInit;
    static constexpr auto AddRow = &Rk_PtrTableAddRow;
    static constexpr auto InsertRow = &Rk_PtrTableInsertRow;
    static constexpr auto RemoveRow = &Rk_PtrTableRemoveRow;
    static constexpr auto SetRow = &Rk_PtrTableSetRow;
    static constexpr auto GetRow = &Rk_PtrTableGetRow;
    static constexpr auto SetValue = &Rk_PtrTableSetValue;
    static constexpr auto GetValue = &Rk_PtrTableGetValue;
    static constexpr auto GetSize = &Rk_PtrTableGetSize;
    static constexpr auto Find = &Rk_PtrTableFind;
    static constexpr auto FindPos = &Rk_PtrTableFindPos;
    static constexpr auto Sort = &Rk_PtrTableSort;
    static constexpr auto Clear = &Rk_PtrTableClear;
    static constexpr auto Free = &Rk_PtrTableFree;
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
        if (text.empty()) text = "t" + std::string(static_cast<std::size_t>(k / 1000), 'z') + std::to_string(1000 + k % 1000);
        return text.data();
    }
    static Cell** Columns(const Rk_TableStruct& t) { return t.table.stable; }
    static std::string Show(Cell v) { return v ? v : "<null>"; }
    static constexpr auto Init = &Rk_StrTableInit;
    static constexpr auto AddRow = &Rk_StrTableAddRow;
    static constexpr auto InsertRow = &Rk_StrTableInsertRow;
    static constexpr auto RemoveRow = &Rk_StrTableRemoveRow;
    static constexpr auto SetRow = &Rk_StrTableSetRow;
    static constexpr auto GetRow = &Rk_StrTableGetRow;
    static constexpr auto SetValue = &Rk_StrTableSetValue;
    static constexpr auto GetValue = &Rk_StrTableGetValue;
    static constexpr auto GetSize = &Rk_StrTableGetSize;
    static constexpr auto Find = &Rk_StrTableFind;
    static constexpr auto FindPos = &Rk_StrTableFindPos;
    static constexpr auto Sort = &Rk_StrTableSort;
    static constexpr auto Clear = &Rk_StrTableClear;
    static constexpr auto Free = &Rk_StrTableFree;
};

}  // namespace rktest
