// How a library function reports a failure: queue one error record, return 1.
#pragma once

#include "rk_basekit.h"

namespace rk {

// Queues error `id` raised at `line` of `module` (a module path such as "src/rk_vec"); returns 1.
int fail(long id, const char* module, int line);

}  // namespace rk

// Each module defines `kModule` ("src/rk_<module>") in an anonymous namespace.
#define RK_FAIL(id) ::rk::fail((id), kModule, __LINE__)
// Passes a callee's failure on: its record is already queued.
#define RK_TRY(call)              \
    do {                          \
        if ((call) != 0) return 1; \
    } while (0)
