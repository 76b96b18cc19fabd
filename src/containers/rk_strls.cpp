// The string list: an ordered sequence of private text copies, optionally free of duplicates, kept
// in a one-column string table (containers.hpp).
#include "containers/container_dump.hpp"

namespace {

using List = rk::List<rk::StrCell>;
using Dump = rk::dump::ContainerDump<rk::StrCell>;

}  // namespace

extern "C" RK_API int Rk_StrListInit(Rk_StrList* list, int allow_dups) { return List::init(list, allow_dups); }

extern "C" RK_API int Rk_StrListAdd(Rk_StrList* list, const char* val) { return List::add(list, val); }

extern "C" RK_API int Rk_StrListGet(const Rk_StrList* list, int position, char** val)
{
    return List::get(list, position, val);
}

extern "C" RK_API int Rk_StrListSet(Rk_StrList* list, int position, const char* val)
{
    return List::set(list, position, val);
}

extern "C" RK_API int Rk_StrListGetSize(const Rk_StrList* list, int* size)
{
    return List::get_size(list, size);
}

extern "C" RK_API int Rk_StrListFind(const Rk_StrList* list, const char* val, int* found)
{
    return List::find(list, val, found);
}

extern "C" RK_API int Rk_StrListFindPos(const Rk_StrList* list, int start_pos, const char* val,
                                        int* found_pos, int* found)
{
    return List::find_pos(list, start_pos, val, found_pos, found);
}

extern "C" RK_API int Rk_StrListRemove(Rk_StrList* list, const char* val) { return List::remove(list, val); }

extern "C" RK_API int Rk_StrListSort(Rk_StrList* list) { return List::sort(list); }

extern "C" RK_API int Rk_StrListClear(Rk_StrList* list) { return List::clear(list); }

extern "C" RK_API int Rk_StrListFree(Rk_StrList* list) { return List::free(list); }

extern "C" RK_API int Rk_StrListDebugRpt(const Rk_StrList* list, Rk_ReportStruct* report)
{
    return Dump::list(list, report);
}

extern "C" RK_API int Rk_StrListDebug(const Rk_StrList* list) { return rk::dump::to_console(Rk_StrListDebugRpt, list); }
