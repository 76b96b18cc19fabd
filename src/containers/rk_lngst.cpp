// The long stack: last in, first out, kept in a one-column long table (containers.hpp).
#include "containers/container_dump.hpp"

namespace {

using Stack = rk::Stack<rk::LongCell>;
using Dump = rk::dump::ContainerDump<rk::LongCell>;

}  // namespace

extern "C" RK_API int Rk_LongStackInit(Rk_LongStack* stack) { return Stack::init(stack); }

extern "C" RK_API int Rk_LongStackPush(Rk_LongStack* stack, long val) { return Stack::add(stack, val); }

extern "C" RK_API int Rk_LongStackPop(Rk_LongStack* stack, long* val, int* found)
{
    return Stack::take(stack, val, found);
}

extern "C" RK_API int Rk_LongStackPeek(const Rk_LongStack* stack, long* val, int* found)
{
    return Stack::peek(stack, val, found);
}

extern "C" RK_API int Rk_LongStackGetSize(const Rk_LongStack* stack, int* size)
{
    return Stack::get_size(stack, size);
}

extern "C" RK_API int Rk_LongStackClear(Rk_LongStack* stack) { return Stack::clear(stack); }

extern "C" RK_API int Rk_LongStackFree(Rk_LongStack* stack) { return Stack::free(stack); }

extern "C" RK_API int Rk_LongStackDebugRpt(const Rk_LongStack* stack, Rk_ReportStruct* report)
{
    return Dump::stack(stack, report);
}

extern "C" RK_API int Rk_LongStackDebug(const Rk_LongStack* stack)
{
    return rk::dump::to_console(Rk_LongStackDebugRpt, stack);
}
