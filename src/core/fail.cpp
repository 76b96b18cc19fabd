// Raising an error: the one place that queues a record for a failing library function.
#include "core/fail.hpp"

namespace rk {

int fail(long id, const char* module, int line)
{
    Rk_ErrorQueueSetAndAddError(id, module, line, "");
    return 1;
}

}  // namespace rk
