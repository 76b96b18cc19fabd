// The container members for typed tests (operations under short names, where their errors are located),
// `Make<T>(k)`, a value whose order is that of k (-1 <= k < 4000), and `Show(v)`, which tells values apart.
#pragma once

#include <map>
#include <sstream>
#include <type_traits>

#include "rk_test.hpp"

namespace rktest {

template <class T>
T Make(int k)
{
    if constexpr (std::is_same_v<T, int>) return k - 100;
    if constexpr (std::is_same_v<T, long>) return k + (1L << 40);  // wider than an int
    if constexpr (std::is_same_v<T, double>) return k * 0.25 - 3.0;
    if constexpr (std::is_same_v<T, void*>) {
        static char places[4001];
        return &places[k + 1];
    }
    if constexpr (std::is_same_v<T, char*>) {  // texts of different lengths, in byte order
        static std::map<int, std::string> texts;
        std::string& t = texts[k];
        if (t.empty()) t = "t" + std::string((k + 1) / 1000, 'z') + std::to_string(1000 + (k + 1) % 1000);
        return t.data();
    }
}

template <class T>
std::string Show(T v)
{
    std::ostringstream s;
    s << std::hexfloat << v;
    return s.str();
}

template <class T>
Lines ShowAll(const std::vector<T>& values)
{
    Lines out;
    for (const T& v : values) out.push_back(Show(v));
    return out;
}

template <class T>
std::vector<T> Made(const std::vector<int>& ks)
{
    std::vector<T> out;
    for (int k : ks) out.push_back(Make<T>(k));
    return out;
}

// Column `col` of a table record, as its cells show.
template <class T>
Lines Column(const Rk_TableStruct& t, int col = 0)
{
    const T* cells = reinterpret_cast<T* const*>(t.table.itable)[col];
    return ShowAll(std::vector<T>(cells, cells + t.num_rows));
}

// Frees a value handed to the caller (a text taken out of a queue or stack).
template <class T>
void Release(T v)
{
    if constexpr (std::is_same_v<T, char*>) Rkos_Free(v);
}

#define RK_MEMBER(Name, T, code, loc)           \
    using Cell = T;                             \
    static constexpr const char* kName = #Name; \
    static constexpr const char* kLoc = loc;    \
    static constexpr int kCode = code;

// Each operation under its short name (clang wants one declaration per deduced type).
#define RK_OP(Short, Full) static constexpr auto Short = &Full;

#define RK_TABLE_MEMBER(Name, T, code, loc)                                                                   \
    struct Name##Table {                                                                                      \
        RK_MEMBER(Name, T, code, loc)                                                                         \
        RK_OP(Init, Rk_##Name##TableInit) RK_OP(Free, Rk_##Name##TableFree) RK_OP(AddRow, Rk_##Name##TableAddRow) \
        RK_OP(InsertRow, Rk_##Name##TableInsertRow) RK_OP(RemoveRow, Rk_##Name##TableRemoveRow)              \
        RK_OP(SetRow, Rk_##Name##TableSetRow) RK_OP(GetRow, Rk_##Name##TableGetRow)                          \
        RK_OP(SetValue, Rk_##Name##TableSetValue) RK_OP(GetValue, Rk_##Name##TableGetValue)                  \
        RK_OP(GetSize, Rk_##Name##TableGetSize) RK_OP(Find, Rk_##Name##TableFind)                            \
        RK_OP(FindPos, Rk_##Name##TableFindPos) RK_OP(Sort, Rk_##Name##TableSort) RK_OP(Clear, Rk_##Name##TableClear) \
    };
RK_TABLE_MEMBER(Int, int, 5, "rk_inttb(")
RK_TABLE_MEMBER(Long, long, 3, "rk_lngtb(")
RK_TABLE_MEMBER(Dbl, double, 1, "rk_dbltb(")
RK_TABLE_MEMBER(Ptr, void*, 8, "rk_ptrtb(")
RK_TABLE_MEMBER(Str, char*, 2, "rk_strtb(")

#define RK_LIST_MEMBER(Name, T, code, loc)                                                                      \
    struct Name##List {                                                                                         \
        RK_MEMBER(Name, T, code, loc)                                                                           \
        RK_OP(Init, Rk_##Name##ListInit) RK_OP(Free, Rk_##Name##ListFree) RK_OP(Add, Rk_##Name##ListAdd)        \
        RK_OP(Set, Rk_##Name##ListSet) RK_OP(FindPos, Rk_##Name##ListFindPos) RK_OP(Remove, Rk_##Name##ListRemove) \
    };
RK_LIST_MEMBER(Int, int, 5, "rk_inttb(")
RK_LIST_MEMBER(Long, long, 3, "rk_lngtb(")
RK_LIST_MEMBER(Ptr, void*, 8, "rk_ptrtb(")
RK_LIST_MEMBER(Str, char*, 2, "rk_strtb(")

// Queues take from the front, stacks from the top; both under the same short names.
#define RK_PILE_MEMBER(Kind, Name, T, code, loc, AddOp, TakeOp, front, ...)                                 \
    struct Name##Kind {                                                                                     \
        RK_MEMBER(Name##Kind, T, code, loc)                                                                 \
        static constexpr bool kFront = front;                                                               \
        RK_OP(Init, Rk_##Name##Kind##Init) RK_OP(Free, Rk_##Name##Kind##Free) RK_OP(Add, Rk_##Name##Kind##AddOp) \
        RK_OP(Take, Rk_##Name##Kind##TakeOp) RK_OP(Peek, Rk_##Name##Kind##Peek)                            \
        RK_OP(GetSize, Rk_##Name##Kind##GetSize) __VA_ARGS__                                                \
    };
#define RK_QUEUE_MEMBER(Name, T, code, loc)                   \
    RK_PILE_MEMBER(Queue, Name, T, code, loc, Add, Get, true, \
                   RK_OP(Find, Rk_##Name##QueueFind) RK_OP(FindPos, Rk_##Name##QueueFindPos))
RK_QUEUE_MEMBER(Int, int, 5, "rk_inttb(")
RK_QUEUE_MEMBER(Long, long, 3, "rk_lngtb(")
RK_QUEUE_MEMBER(Dbl, double, 1, "rk_dbltb(")
RK_QUEUE_MEMBER(Str, char*, 2, "rk_strtb(")
RK_PILE_MEMBER(Stack, Long, long, 3, "rk_lngtb(", Push, Pop, false, )
RK_PILE_MEMBER(Stack, Str, char*, 2, "rk_strtb(", Push, Pop, false, )

}  // namespace rktest
