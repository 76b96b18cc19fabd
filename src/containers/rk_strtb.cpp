// The string table: a growable grid of private text copies, compared byte by byte. Its logic is
// shared by the five table members (table.hpp, cells.hpp).
#include "containers/container_dump.hpp"

namespace {

using Tab = rk::Table<rk::StrCell>;
using Dump = rk::dump::ContainerDump<rk::StrCell>;

}  // namespace

extern "C" RK_API int Rk_StrTableInit(Rk_StrTable* table, int ncols) { return Tab::init(table, ncols); }

extern "C" RK_API int Rk_StrTableAddRow(Rk_StrTable* table, char* const* vals)
{
    return Tab::add_row(table, vals);
}

extern "C" RK_API int Rk_StrTableInsertRow(Rk_StrTable* table, int row, char* const* vals)
{
    return Tab::insert_row(table, row, vals);
}

extern "C" RK_API int Rk_StrTableRemoveRow(Rk_StrTable* table, int row)
{
    return Tab::remove_row(table, row);
}

extern "C" RK_API int Rk_StrTableSetRow(Rk_StrTable* table, int row, char* const* vals)
{
    return Tab::set_row(table, row, vals);
}

extern "C" RK_API int Rk_StrTableGetRow(const Rk_StrTable* table, int row, char** vals)
{
    return Tab::get_row(table, row, vals);
}

extern "C" RK_API int Rk_StrTableSetValue(Rk_StrTable* table, int col, int row, const char* val)
{
    return Tab::set_value(table, col, row, val);
}

extern "C" RK_API int Rk_StrTableGetValue(const Rk_StrTable* table, int col, int row, char** val)
{
    return Tab::get_value(table, col, row, val);
}

extern "C" RK_API int Rk_StrTableGetSize(const Rk_StrTable* table, int* ncols, int* nrows)
{
    return Tab::get_size(table, ncols, nrows);
}

extern "C" RK_API int Rk_StrTableFind(const Rk_StrTable* table, int col, const char* val_to_find, int* found)
{
    return Tab::find(table, col, val_to_find, found);
}

extern "C" RK_API int Rk_StrTableFindPos(const Rk_StrTable* table, int col, int start_row,
                                         const char* val_to_find, int* row, int* found)
{
    return Tab::find_pos(table, col, start_row, val_to_find, row, found);
}

extern "C" RK_API int Rk_StrTableSort(Rk_StrTable* table, int n_cols, const int* cols_to_sort)
{
    return Tab::sort(table, n_cols, cols_to_sort);
}

extern "C" RK_API int Rk_StrTableClear(Rk_StrTable* table) { return Tab::clear(table); }

extern "C" RK_API int Rk_StrTableFree(Rk_StrTable* table) { return Tab::free(table); }

extern "C" RK_API int Rk_StrTableDebugRpt(const Rk_StrTable* table, Rk_ReportStruct* report)
{
    return Dump::table(table, report);
}

extern "C" RK_API int Rk_StrTableDebug(const Rk_StrTable* table)
{
    return rk::dump::to_console(Rk_StrTableDebugRpt, table);
}
