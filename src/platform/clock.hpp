// The clock's switch as the library reads it: Rkos_DisplayTimeDate loaded whole, so a thread that
// reads it while another thread changes it sees the old value or the new one.
#pragma once

#include "rk_basekit.h"

namespace rk::os {

// True while the time functions report the current time, false while they report the fixed time.
bool shows_current_time();

}  // namespace rk::os
