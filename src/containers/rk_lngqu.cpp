// The long queue: first in, first out, kept in a one-column long table (containers.hpp).
#include "containers/container_dump.hpp"

namespace {

using Queue = rk::Queue<rk::LongCell>;
using Dump = rk::dump::ContainerDump<rk::LongCell>;

}  // namespace

extern "C" RK_API int Rk_LongQueueInit(Rk_LongQueue* queue) { return Queue::init(queue); }

extern "C" RK_API int Rk_LongQueueAdd(Rk_LongQueue* queue, long value) { return Queue::add(queue, value); }

extern "C" RK_API int Rk_LongQueueGet(Rk_LongQueue* queue, long* value, int* found)
{
    return Queue::take(queue, value, found);
}

extern "C" RK_API int Rk_LongQueuePeek(const Rk_LongQueue* queue, long* value, int* found)
{
    return Queue::peek(queue, value, found);
}

extern "C" RK_API int Rk_LongQueueFind(const Rk_LongQueue* queue, long val_to_find, int* found)
{
    return Queue::find(queue, val_to_find, found);
}

extern "C" RK_API int Rk_LongQueueFindPos(const Rk_LongQueue* queue, long val_to_find, int start_pos,
                                          int* found_pos, int* found)
{
    return Queue::find_pos(queue, val_to_find, start_pos, found_pos, found);
}

extern "C" RK_API int Rk_LongQueueGetSize(const Rk_LongQueue* queue, int* nrows)
{
    return Queue::get_size(queue, nrows);
}

extern "C" RK_API int Rk_LongQueueClear(Rk_LongQueue* queue) { return Queue::clear(queue); }

extern "C" RK_API int Rk_LongQueueFree(Rk_LongQueue* queue) { return Queue::free(queue); }

extern "C" RK_API int Rk_LongQueueDebugRpt(const Rk_LongQueue* queue, Rk_ReportStruct* report)
{
    return Dump::queue(queue, report);
}

extern "C" RK_API int Rk_LongQueueDebug(const Rk_LongQueue* queue)
{
    return rk::dump::to_console(Rk_LongQueueDebugRpt, queue);
}
