// The double queue: first in, first out, kept in a one-column double table (containers.hpp).
// Its finds match values closer than the zero tolerance.
#include "containers/container_dump.hpp"

namespace {

using Queue = rk::Queue<rk::DblCell>;
using Dump = rk::dump::ContainerDump<rk::DblCell>;

}  // namespace

extern "C" RK_API int Rk_DblQueueInit(Rk_DblQueue* queue) { return Queue::init(queue); }

extern "C" RK_API int Rk_DblQueueAdd(Rk_DblQueue* queue, double value) { return Queue::add(queue, value); }

extern "C" RK_API int Rk_DblQueueGet(Rk_DblQueue* queue, double* value, int* found)
{
    return Queue::take(queue, value, found);
}

extern "C" RK_API int Rk_DblQueuePeek(const Rk_DblQueue* queue, double* value, int* found)
{
    return Queue::peek(queue, value, found);
}

extern "C" RK_API int Rk_DblQueueFind(const Rk_DblQueue* queue, double val_to_find, int* found)
{
    return Queue::find(queue, val_to_find, found);
}

extern "C" RK_API int Rk_DblQueueFindPos(const Rk_DblQueue* queue, double val_to_find, int start_pos,
                                         int* found_pos, int* found)
{
    return Queue::find_pos(queue, val_to_find, start_pos, found_pos, found);
}

extern "C" RK_API int Rk_DblQueueGetSize(const Rk_DblQueue* queue, int* nrows)
{
    return Queue::get_size(queue, nrows);
}

extern "C" RK_API int Rk_DblQueueClear(Rk_DblQueue* queue) { return Queue::clear(queue); }

extern "C" RK_API int Rk_DblQueueFree(Rk_DblQueue* queue) { return Queue::free(queue); }

extern "C" RK_API int Rk_DblQueueDebugRpt(const Rk_DblQueue* queue, Rk_ReportStruct* report)
{
    return Dump::queue(queue, report);
}

extern "C" RK_API int Rk_DblQueueDebug(const Rk_DblQueue* queue)
{
    return rk::dump::to_console(Rk_DblQueueDebugRpt, queue);
}
