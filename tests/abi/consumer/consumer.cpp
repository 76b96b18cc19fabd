// A C++ user of the installed library: tolerances, a vector, the error queue, the message file.
#include <rk_basekit.h>

#include <cstdio>
#include <cstring>

int main()
{
    if (Rk_UtilsInit(RKBASEKIT_MESSAGE_FILE) != 0) return 1;

    Rk_PointStruct a = {0, 0, 0}, b = {3, 4, 0};
    double dist = 0;
    Rk_PointDistFromPoint(&a, &b, &dist);

    Rk_MessageStruct message;
    Rk_MessageSet(&message, 1, RKBASEKIT_MESSAGE_FILE);
    const int refused = Rk_MessageSetToken(&message, 251, "out of range");

    Rk_ErrorStruct error;
    int found = 0;
    Rk_ErrorQueueGetError(&error, &found);
    char summary[RK_TEXT_MAX + 1] = "";
    if (found) Rk_ErrorGetSummaryText(&error, summary);
    std::printf("distance %.1f, refused %d, error %ld at %s: %s\n", dist, refused, error.msg.msg_id, error.loc,
                summary);
    Rk_UtilsFree();
    const bool ok = dist == 5.0 && refused == 1 && found == 1 && std::strstr(summary, "Invalid argument") != nullptr;
    return ok ? 0 : 1;
}
