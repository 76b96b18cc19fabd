// The public header compiles as strict C++17 on its own, with string literals passed where the
// library only reads text.
#include "rk_basekit.h"

int rk_header_check_cpp();
int rk_header_check_cpp()
{
    Rk_MessageStruct message;
    return Rk_MessageSet(&message, RK_ERR_NO_MEMORY, "messages.txt");
}
