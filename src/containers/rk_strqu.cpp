// The string queue: first in, first out, kept in a one-column string table (containers.hpp).
// It holds its own copies of the texts; Get hands the caller a new copy to free.
#include "containers/container_dump.hpp"

namespace {

using Queue = rk::Queue<rk::StrCell>;
using Dump = rk::dump::ContainerDump<rk::StrCell>;

}  // namespace

extern "C" RK_API int Rk_StrQueueInit(Rk_StrQueue* queue) { return Queue::init(queue); }

extern "C" RK_API int Rk_StrQueueAdd(Rk_StrQueue* queue, const char* value)
{
    return Queue::add(queue, value);
}

extern "C" RK_API int Rk_StrQueueGet(Rk_StrQueue* queue, char** value, int* found)
{
    return Queue::take(queue, value, found);
}

extern "C" RK_API int Rk_StrQueuePeek(const Rk_StrQueue* queue, char** value, int* found)
{
    return Queue::peek(queue, value, found);
}

extern "C" RK_API int Rk_StrQueueFind(const Rk_StrQueue* queue, const char* val_to_find, int* found)
{
    return Queue::find(queue, val_to_find, found);
}

extern "C" RK_API int Rk_StrQueueFindPos(const Rk_StrQueue* queue, const char* val_to_find, int start_pos,
                                         int* found_pos, int* found)
{
    return Queue::find_pos(queue, val_to_find, start_pos, found_pos, found);
}

extern "C" RK_API int Rk_StrQueueGetSize(const Rk_StrQueue* queue, int* nrows)
{
    return Queue::get_size(queue, nrows);
}

extern "C" RK_API int Rk_StrQueueClear(Rk_StrQueue* queue) { return Queue::clear(queue); }

extern "C" RK_API int Rk_StrQueueFree(Rk_StrQueue* queue) { return Queue::free(queue); }

extern "C" RK_API int Rk_StrQueueDebugRpt(const Rk_StrQueue* queue, Rk_ReportStruct* report)
{
    return Dump::queue(queue, report);
}

extern "C" RK_API int Rk_StrQueueDebug(const Rk_StrQueue* queue)
{
    return rk::dump::to_console(Rk_StrQueueDebugRpt, queue);
}
