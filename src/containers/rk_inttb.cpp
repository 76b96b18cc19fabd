// The int table: a growable grid of int cells, searched on any column and sorted on key columns.
// Its logic is shared by the five table members (table.hpp, cells.hpp).
#include "containers/container_dump.hpp"

namespace {

using Tab = rk::Table<rk::IntCell>;
using Dump = rk::dump::ContainerDump<rk::IntCell>;

}  // namespace

extern "C" RK_API int Rk_IntTableInit(Rk_IntTable* table, int ncols) { return Tab::init(table, ncols); }

extern "C" RK_API int Rk_IntTableAddRow(Rk_IntTable* table, const int* vals)
{
    return Tab::add_row(table, vals);
}

extern "C" RK_API int Rk_IntTableInsertRow(Rk_IntTable* table, int row, const int* vals)
{
    return Tab::insert_row(table, row, vals);
}

extern "C" RK_API int Rk_IntTableRemoveRow(Rk_IntTable* table, int row)
{
    return Tab::remove_row(table, row);
}

extern "C" RK_API int Rk_IntTableSetRow(Rk_IntTable* table, int row, const int* vals)
{
    return Tab::set_row(table, row, vals);
}

extern "C" RK_API int Rk_IntTableGetRow(const Rk_IntTable* table, int row, int* vals)
{
    return Tab::get_row(table, row, vals);
}

extern "C" RK_API int Rk_IntTableSetValue(Rk_IntTable* table, int col, int row, int val)
{
    return Tab::set_value(table, col, row, val);
}

extern "C" RK_API int Rk_IntTableGetValue(const Rk_IntTable* table, int col, int row, int* val)
{
    return Tab::get_value(table, col, row, val);
}

extern "C" RK_API int Rk_IntTableGetSize(const Rk_IntTable* table, int* ncols, int* nrows)
{
    return Tab::get_size(table, ncols, nrows);
}

extern "C" RK_API int Rk_IntTableFind(const Rk_IntTable* table, int col, int val_to_find, int* found)
{
    return Tab::find(table, col, val_to_find, found);
}

extern "C" RK_API int Rk_IntTableFindPos(const Rk_IntTable* table, int col, int start_row, int val_to_find,
                                         int* row, int* found)
{
    return Tab::find_pos(table, col, start_row, val_to_find, row, found);
}

extern "C" RK_API int Rk_IntTableSort(Rk_IntTable* table, int n_cols, const int* cols_to_sort)
{
    return Tab::sort(table, n_cols, cols_to_sort);
}

extern "C" RK_API int Rk_IntTableClear(Rk_IntTable* table) { return Tab::clear(table); }

extern "C" RK_API int Rk_IntTableFree(Rk_IntTable* table) { return Tab::free(table); }

extern "C" RK_API int Rk_IntTableDebugRpt(const Rk_IntTable* table, Rk_ReportStruct* report)
{
    return Dump::table(table, report);
}

extern "C" RK_API int Rk_IntTableDebug(const Rk_IntTable* table)
{
    return rk::dump::to_console(Rk_IntTableDebugRpt, table);
}
