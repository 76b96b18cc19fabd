// The long list: an ordered sequence of longs, optionally free of duplicates, kept in a one-column
// long table (containers.hpp).
#include "containers/container_dump.hpp"

namespace {

using List = rk::List<rk::LongCell>;
using Dump = rk::dump::ContainerDump<rk::LongCell>;

}  // namespace

extern "C" RK_API int Rk_LongListInit(Rk_LongList* list, int allow_dups)
{
    return List::init(list, allow_dups);
}

extern "C" RK_API int Rk_LongListAdd(Rk_LongList* list, long val) { return List::add(list, val); }

extern "C" RK_API int Rk_LongListGet(const Rk_LongList* list, int position, long* val)
{
    return List::get(list, position, val);
}

extern "C" RK_API int Rk_LongListSet(Rk_LongList* list, int position, long val)
{
    return List::set(list, position, val);
}

extern "C" RK_API int Rk_LongListGetSize(const Rk_LongList* list, int* size)
{
    return List::get_size(list, size);
}

extern "C" RK_API int Rk_LongListFind(const Rk_LongList* list, long val, int* found)
{
    return List::find(list, val, found);
}

extern "C" RK_API int Rk_LongListFindPos(const Rk_LongList* list, int start_pos, long val, int* found_pos,
                                         int* found)
{
    return List::find_pos(list, start_pos, val, found_pos, found);
}

extern "C" RK_API int Rk_LongListRemove(Rk_LongList* list, long val) { return List::remove(list, val); }

extern "C" RK_API int Rk_LongListSort(Rk_LongList* list) { return List::sort(list); }

extern "C" RK_API int Rk_LongListClear(Rk_LongList* list) { return List::clear(list); }

extern "C" RK_API int Rk_LongListFree(Rk_LongList* list) { return List::free(list); }

extern "C" RK_API int Rk_LongListDebugRpt(const Rk_LongList* list, Rk_ReportStruct* report)
{
    return Dump::list(list, report);
}

extern "C" RK_API int Rk_LongListDebug(const Rk_LongList* list)
{
    return rk::dump::to_console(Rk_LongListDebugRpt, list);
}
