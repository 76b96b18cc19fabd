// The long table: a growable grid of long cells, searched on any column and sorted on key columns.
// Its logic is shared by the five table members (table.hpp, cells.hpp).
#include "containers/container_dump.hpp"

namespace {

using Tab = rk::Table<rk::LongCell>;
using Dump = rk::dump::ContainerDump<rk::LongCell>;

}  // namespace

extern "C" RK_API int Rk_LongTableInit(Rk_LongTable* table, int ncols) { return Tab::init(table, ncols); }

extern "C" RK_API int Rk_LongTableAddRow(Rk_LongTable* table, const long* vals)
{
    return Tab::add_row(table, vals);
}

extern "C" RK_API int Rk_LongTableInsertRow(Rk_LongTable* table, int row, const long* vals)
{
    return Tab::insert_row(table, row, vals);
}

extern "C" RK_API int Rk_LongTableRemoveRow(Rk_LongTable* table, int row)
{
    return Tab::remove_row(table, row);
}

extern "C" RK_API int Rk_LongTableSetRow(Rk_LongTable* table, int row, const long* vals)
{
    return Tab::set_row(table, row, vals);
}

extern "C" RK_API int Rk_LongTableGetRow(const Rk_LongTable* table, int row, long* vals)
{
    return Tab::get_row(table, row, vals);
}

extern "C" RK_API int Rk_LongTableSetValue(Rk_LongTable* table, int col, int row, long val)
{
    return Tab::set_value(table, col, row, val);
}

extern "C" RK_API int Rk_LongTableGetValue(const Rk_LongTable* table, int col, int row, long* val)
{
    return Tab::get_value(table, col, row, val);
}

extern "C" RK_API int Rk_LongTableGetSize(const Rk_LongTable* table, int* ncols, int* nrows)
{
    return Tab::get_size(table, ncols, nrows);
}

extern "C" RK_API int Rk_LongTableFind(const Rk_LongTable* table, int col, long val_to_find, int* found)
{
    return Tab::find(table, col, val_to_find, found);
}

extern "C" RK_API int Rk_LongTableFindPos(const Rk_LongTable* table, int col, int start_row, long val_to_find,
                                          int* row, int* found)
{
    return Tab::find_pos(table, col, start_row, val_to_find, row, found);
}

extern "C" RK_API int Rk_LongTableSort(Rk_LongTable* table, int n_cols, const int* cols_to_sort)
{
    return Tab::sort(table, n_cols, cols_to_sort);
}

extern "C" RK_API int Rk_LongTableClear(Rk_LongTable* table) { return Tab::clear(table); }

extern "C" RK_API int Rk_LongTableFree(Rk_LongTable* table) { return Tab::free(table); }

extern "C" RK_API int Rk_LongTableDebugRpt(const Rk_LongTable* table, Rk_ReportStruct* report)
{
    return Dump::table(table, report);
}

extern "C" RK_API int Rk_LongTableDebug(const Rk_LongTable* table)
{
    return rk::dump::to_console(Rk_LongTableDebugRpt, table);
}
