#include "core/fail.h"

namespace rk {

int fail(long id, const char* module, int line)
{
    Rk_ErrorQueueSetAndAddError(id, module, line, "");
    return 1;
}

}  // namespace rk
