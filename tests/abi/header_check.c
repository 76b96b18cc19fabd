/* The public header compiles on its own as strict C99 and, as this same file, as strict C++17,
 * where a string literal may be passed wherever the library only reads text. */
#include "rk_basekit.h"

int rk_header_check(void);
int rk_header_check(void)
{
    Rk_MessageStruct message;
    return Rk_MessageSet(&message, RK_ERR_NO_MEMORY, "messages.txt");
}
