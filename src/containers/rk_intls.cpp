// The int list: an ordered sequence of ints, optionally free of duplicates, kept in a one-column
// int table (containers.hpp).
#include "containers/container_dump.hpp"

namespace {

using List = rk::List<rk::IntCell>;
using Dump = rk::dump::ContainerDump<rk::IntCell>;

}  // namespace

extern "C" RK_API int Rk_IntListInit(Rk_IntList* list, int allow_dups) { return List::init(list, allow_dups); }

extern "C" RK_API int Rk_IntListAdd(Rk_IntList* list, int val) { return List::add(list, val); }

extern "C" RK_API int Rk_IntListGet(const Rk_IntList* list, int position, int* val)
{
    return List::get(list, position, val);
}

extern "C" RK_API int Rk_IntListSet(Rk_IntList* list, int position, int val)
{
    return List::set(list, position, val);
}

extern "C" RK_API int Rk_IntListGetSize(const Rk_IntList* list, int* size)
{
    return List::get_size(list, size);
}

extern "C" RK_API int Rk_IntListFind(const Rk_IntList* list, int val, int* found)
{
    return List::find(list, val, found);
}

extern "C" RK_API int Rk_IntListFindPos(const Rk_IntList* list, int start_pos, int val, int* found_pos,
                                        int* found)
{
    return List::find_pos(list, start_pos, val, found_pos, found);
}

extern "C" RK_API int Rk_IntListRemove(Rk_IntList* list, int val) { return List::remove(list, val); }

extern "C" RK_API int Rk_IntListSort(Rk_IntList* list) { return List::sort(list); }

extern "C" RK_API int Rk_IntListClear(Rk_IntList* list) { return List::clear(list); }

extern "C" RK_API int Rk_IntListFree(Rk_IntList* list) { return List::free(list); }

extern "C" RK_API int Rk_IntListDebugRpt(const Rk_IntList* list, Rk_ReportStruct* report)
{
    return Dump::list(list, report);
}

extern "C" RK_API int Rk_IntListDebug(const Rk_IntList* list) { return rk::dump::to_console(Rk_IntListDebugRpt, list); }
