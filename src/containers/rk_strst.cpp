// The string stack: last in, first out, kept in a one-column string table (containers.hpp).
// It holds its own copies of the texts; Pop hands the caller a new copy to free.
#include "containers/container_dump.hpp"

namespace {

using Stack = rk::Stack<rk::StrCell>;
using Dump = rk::dump::ContainerDump<rk::StrCell>;

}  // namespace

extern "C" RK_API int Rk_StrStackInit(Rk_StrStack* stack) { return Stack::init(stack); }

extern "C" RK_API int Rk_StrStackPush(Rk_StrStack* stack, const char* str) { return Stack::add(stack, str); }

extern "C" RK_API int Rk_StrStackPop(Rk_StrStack* stack, char** str, int* found)
{
    return Stack::take(stack, str, found);
}

extern "C" RK_API int Rk_StrStackPopIgnore(Rk_StrStack* stack) { return Stack::drop(stack); }

extern "C" RK_API int Rk_StrStackPeek(const Rk_StrStack* stack, char** str, int* found)
{
    return Stack::peek(stack, str, found);
}

extern "C" RK_API int Rk_StrStackGetSize(const Rk_StrStack* stack, int* size)
{
    return Stack::get_size(stack, size);
}

extern "C" RK_API int Rk_StrStackClear(Rk_StrStack* stack) { return Stack::clear(stack); }

extern "C" RK_API int Rk_StrStackFree(Rk_StrStack* stack) { return Stack::free(stack); }

extern "C" RK_API int Rk_StrStackDebugRpt(const Rk_StrStack* stack, Rk_ReportStruct* report)
{
    return Dump::stack(stack, report);
}

extern "C" RK_API int Rk_StrStackDebug(const Rk_StrStack* stack)
{
    return rk::dump::to_console(Rk_StrStackDebugRpt, stack);
}
