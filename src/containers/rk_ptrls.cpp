// The pointer list: an ordered sequence of the caller's pointers, optionally free of duplicates, kept
// in a one-column pointer table, with set operations between lists (containers.hpp).
#include "containers/container_dump.hpp"

namespace {

using List = rk::List<rk::PtrCell>;
using Dump = rk::dump::ContainerDump<rk::PtrCell>;

}  // namespace

extern "C" RK_API int Rk_PtrListInit(Rk_PtrList* list, int allow_dups) { return List::init(list, allow_dups); }

extern "C" RK_API int Rk_PtrListAdd(Rk_PtrList* list, void* val) { return List::add(list, val); }

extern "C" RK_API int Rk_PtrListGet(const Rk_PtrList* list, int position, void** val)
{
    return List::get(list, position, val);
}

extern "C" RK_API int Rk_PtrListSet(Rk_PtrList* list, int position, void* val)
{
    return List::set(list, position, val);
}

extern "C" RK_API int Rk_PtrListGetSize(const Rk_PtrList* list, int* size)
{
    return List::get_size(list, size);
}

extern "C" RK_API int Rk_PtrListFind(const Rk_PtrList* list, void* val, int* found)
{
    return List::find(list, val, found);
}

extern "C" RK_API int Rk_PtrListFindPos(const Rk_PtrList* list, int start_pos, void* val, int* found_pos,
                                        int* found)
{
    return List::find_pos(list, start_pos, val, found_pos, found);
}

extern "C" RK_API int Rk_PtrListRemove(Rk_PtrList* list, void* val) { return List::remove(list, val); }

extern "C" RK_API int Rk_PtrListSort(Rk_PtrList* list) { return List::sort(list); }

extern "C" RK_API int Rk_PtrListClear(Rk_PtrList* list) { return List::clear(list); }

extern "C" RK_API int Rk_PtrListFree(Rk_PtrList* list) { return List::free(list); }

extern "C" RK_API int Rk_PtrListAddPtrList(Rk_PtrList* list, const Rk_PtrList* list_to_add)
{
    return List::add_list(list, list_to_add);
}

extern "C" RK_API int Rk_PtrListMovePtrList(Rk_PtrList* list, Rk_PtrList* list_to_move)
{
    return List::move_list(list, list_to_move);
}

extern "C" RK_API int Rk_PtrListGetSharedPtrs(const Rk_PtrList* list1, const Rk_PtrList* list2,
                                              Rk_PtrList* newlist, int* list_size)
{
    return List::add_matching(list1, list2, newlist, 1, list_size);
}

extern "C" RK_API int Rk_PtrListGetUniquePtrs(const Rk_PtrList* list1, const Rk_PtrList* list2,
                                              Rk_PtrList* newlist, int* list_size)
{
    return List::add_matching(list1, list2, newlist, 0, list_size);
}

extern "C" RK_API int Rk_PtrListSwap(Rk_PtrList* list, int pos1, int pos2)
{
    return List::swap(list, pos1, pos2);
}

extern "C" RK_API int Rk_PtrListDebugRpt(const Rk_PtrList* list, Rk_ReportStruct* report)
{
    return Dump::list(list, report);
}

extern "C" RK_API int Rk_PtrListDebug(const Rk_PtrList* list) { return rk::dump::to_console(Rk_PtrListDebugRpt, list); }
