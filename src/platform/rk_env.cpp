// The platform's environment: the only code of the library that calls getenv.
#include <cstdlib>

#include "rk_basekit.h"

extern "C" RK_API void Rkos_GetEnv(const char* env_var, char* env_val, int size, int* found)
{
    const char* value = std::getenv(env_var);
    if (!value) {
        *found = 0;
        return;
    }
    rk_strncpy(env_val, value, size);
    *found = 1;
}
