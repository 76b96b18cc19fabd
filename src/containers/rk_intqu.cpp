// The int queue: first in, first out, kept in a one-column int table (containers.hpp).
#include "containers/container_dump.hpp"

namespace {

using Queue = rk::Queue<rk::IntCell>;
using Dump = rk::dump::ContainerDump<rk::IntCell>;

}  // namespace

extern "C" RK_API int Rk_IntQueueInit(Rk_IntQueue* queue) { return Queue::init(queue); }

extern "C" RK_API int Rk_IntQueueAdd(Rk_IntQueue* queue, int value) { return Queue::add(queue, value); }

extern "C" RK_API int Rk_IntQueueGet(Rk_IntQueue* queue, int* value, int* found)
{
    return Queue::take(queue, value, found);
}

extern "C" RK_API int Rk_IntQueuePeek(const Rk_IntQueue* queue, int* value, int* found)
{
    return Queue::peek(queue, value, found);
}

extern "C" RK_API int Rk_IntQueueFind(const Rk_IntQueue* queue, int val_to_find, int* found)
{
    return Queue::find(queue, val_to_find, found);
}

extern "C" RK_API int Rk_IntQueueFindPos(const Rk_IntQueue* queue, int val_to_find, int start_pos,
                                         int* found_pos, int* found)
{
    return Queue::find_pos(queue, val_to_find, start_pos, found_pos, found);
}

extern "C" RK_API int Rk_IntQueueGetSize(const Rk_IntQueue* queue, int* nrows)
{
    return Queue::get_size(queue, nrows);
}

extern "C" RK_API int Rk_IntQueueClear(Rk_IntQueue* queue) { return Queue::clear(queue); }

extern "C" RK_API int Rk_IntQueueFree(Rk_IntQueue* queue) { return Queue::free(queue); }

extern "C" RK_API int Rk_IntQueueDebugRpt(const Rk_IntQueue* queue, Rk_ReportStruct* report)
{
    return Dump::queue(queue, report);
}

extern "C" RK_API int Rk_IntQueueDebug(const Rk_IntQueue* queue)
{
    return rk::dump::to_console(Rk_IntQueueDebugRpt, queue);
}
