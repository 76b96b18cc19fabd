// The double table: a growable grid of double cells, where values closer than the zero tolerance
// match. Its logic is shared by the five table members (table.hpp, cells.hpp).
#include "containers/container_dump.hpp"

namespace {

using Tab = rk::Table<rk::DblCell>;
using Dump = rk::dump::ContainerDump<rk::DblCell>;

}  // namespace

extern "C" RK_API int Rk_DblTableInit(Rk_DblTable* table, int ncols) { return Tab::init(table, ncols); }

extern "C" RK_API int Rk_DblTableAddRow(Rk_DblTable* table, const double* vals)
{
    return Tab::add_row(table, vals);
}

extern "C" RK_API int Rk_DblTableInsertRow(Rk_DblTable* table, int row, const double* vals)
{
    return Tab::insert_row(table, row, vals);
}

extern "C" RK_API int Rk_DblTableRemoveRow(Rk_DblTable* table, int row)
{
    return Tab::remove_row(table, row);
}

extern "C" RK_API int Rk_DblTableSetRow(Rk_DblTable* table, int row, const double* vals)
{
    return Tab::set_row(table, row, vals);
}

extern "C" RK_API int Rk_DblTableGetRow(const Rk_DblTable* table, int row, double* vals)
{
    return Tab::get_row(table, row, vals);
}

extern "C" RK_API int Rk_DblTableSetValue(Rk_DblTable* table, int col, int row, double val)
{
    return Tab::set_value(table, col, row, val);
}

extern "C" RK_API int Rk_DblTableGetValue(const Rk_DblTable* table, int col, int row, double* val)
{
    return Tab::get_value(table, col, row, val);
}

extern "C" RK_API int Rk_DblTableGetSize(const Rk_DblTable* table, int* ncols, int* nrows)
{
    return Tab::get_size(table, ncols, nrows);
}

extern "C" RK_API int Rk_DblTableFind(const Rk_DblTable* table, int col, double val_to_find, int* found)
{
    return Tab::find(table, col, val_to_find, found);
}

extern "C" RK_API int Rk_DblTableFindPos(const Rk_DblTable* table, int col, int start_row, double val_to_find,
                                         int* row, int* found)
{
    return Tab::find_pos(table, col, start_row, val_to_find, row, found);
}

extern "C" RK_API int Rk_DblTableSort(Rk_DblTable* table, int n_cols, const int* cols_to_sort)
{
    return Tab::sort(table, n_cols, cols_to_sort);
}

extern "C" RK_API int Rk_DblTableClear(Rk_DblTable* table) { return Tab::clear(table); }

extern "C" RK_API int Rk_DblTableFree(Rk_DblTable* table) { return Tab::free(table); }

extern "C" RK_API int Rk_DblTableDebugRpt(const Rk_DblTable* table, Rk_ReportStruct* report)
{
    return Dump::table(table, report);
}

extern "C" RK_API int Rk_DblTableDebug(const Rk_DblTable* table)
{
    return rk::dump::to_console(Rk_DblTableDebugRpt, table);
}
