// Library set-up and tear-down: the message-file path and the two global queues.
#include "rk_basekit.h"

extern "C" {
RK_API char Rk_BasekitErrorFileName[RK_PATH_MAX + 1] = "";
}

// A second call starts both queues afresh; the queues' Init releases what they held.
extern "C" RK_API int Rk_UtilsInit(const char* error_file)
{
    rk_strncpy(Rk_BasekitErrorFileName, error_file, RK_PATH_MAX);
    if (Rk_ErrorQueueInit() != 0) return 1;
    return Rk_MessageQueueInit();
}

extern "C" RK_API int Rk_UtilsFree(void)
{
    Rk_MessageQueueFree();
    Rk_ErrorQueueFree();
    return 0;
}
