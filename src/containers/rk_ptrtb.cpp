// The pointer table: a growable grid of the caller's pointers, never dereferenced nor freed, ordered
// as unsigned addresses. Its logic is shared by the five table members (table.hpp, cells.hpp).
#include "containers/container_dump.hpp"

namespace {

using Tab = rk::Table<rk::PtrCell>;
using Dump = rk::dump::ContainerDump<rk::PtrCell>;

}  // namespace

extern "C" RK_API int Rk_PtrTableInit(Rk_PtrTable* table, int ncols) { return Tab::init(table, ncols); }

extern "C" RK_API int Rk_PtrTableAddRow(Rk_PtrTable* table, void* const* vals)
{
    return Tab::add_row(table, vals);
}

extern "C" RK_API int Rk_PtrTableInsertRow(Rk_PtrTable* table, int row, void* const* vals)
{
    return Tab::insert_row(table, row, vals);
}

extern "C" RK_API int Rk_PtrTableRemoveRow(Rk_PtrTable* table, int row)
{
    return Tab::remove_row(table, row);
}

extern "C" RK_API int Rk_PtrTableSetRow(Rk_PtrTable* table, int row, void* const* vals)
{
    return Tab::set_row(table, row, vals);
}

extern "C" RK_API int Rk_PtrTableGetRow(const Rk_PtrTable* table, int row, void** vals)
{
    return Tab::get_row(table, row, vals);
}

extern "C" RK_API int Rk_PtrTableSetValue(Rk_PtrTable* table, int col, int row, void* val)
{
    return Tab::set_value(table, col, row, val);
}

extern "C" RK_API int Rk_PtrTableGetValue(const Rk_PtrTable* table, int col, int row, void** val)
{
    return Tab::get_value(table, col, row, val);
}

extern "C" RK_API int Rk_PtrTableGetSize(const Rk_PtrTable* table, int* ncols, int* nrows)
{
    return Tab::get_size(table, ncols, nrows);
}

extern "C" RK_API int Rk_PtrTableFind(const Rk_PtrTable* table, int col, void* val_to_find, int* found)
{
    return Tab::find(table, col, val_to_find, found);
}

extern "C" RK_API int Rk_PtrTableFindPos(const Rk_PtrTable* table, int col, int start_row, void* val_to_find,
                                         int* row, int* found)
{
    return Tab::find_pos(table, col, start_row, val_to_find, row, found);
}

extern "C" RK_API int Rk_PtrTableSort(Rk_PtrTable* table, int n_cols, const int* cols_to_sort)
{
    return Tab::sort(table, n_cols, cols_to_sort);
}

extern "C" RK_API int Rk_PtrTableClear(Rk_PtrTable* table) { return Tab::clear(table); }

extern "C" RK_API int Rk_PtrTableFree(Rk_PtrTable* table) { return Tab::free(table); }

extern "C" RK_API int Rk_PtrTableDebugRpt(const Rk_PtrTable* table, Rk_ReportStruct* report)
{
    return Dump::table(table, report);
}

extern "C" RK_API int Rk_PtrTableDebug(const Rk_PtrTable* table)
{
    return rk::dump::to_console(Rk_PtrTableDebugRpt, table);
}
