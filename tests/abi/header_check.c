/* The public header compiles as strict C99 on its own. */
#include "rk_basekit.h"

int rk_header_check(void);
int rk_header_check(void)
{
    Rk_PointStruct point = {1.0, 2.0, 3.0};
    return point.pt_x > 0.0 ? RK_ERR_GENERAL : 0;
}
