// Message records: an id, the message file that holds its texts, and 250 token texts.
#include <cstring>

#include "core/fail.h"

namespace {

constexpr char kModule[] = "src/rk_mes";

bool valid_token(int token_number) { return token_number >= 1 && token_number <= RK_NUM_TOKENS; }

}  // namespace

extern "C" RK_API int Rk_MessageSet(Rk_MessageStruct* msg, long id, const char* msgfile)
{
    std::memset(msg, 0, sizeof *msg);
    msg->msg_id = id;
    rk_strncpy(msg->msgfile, msgfile, RK_TEXT_MAX);
    return 0;
}

extern "C" RK_API int Rk_MessageSetToken(Rk_MessageStruct* msg, int token_number, const char* str)
{
    if (!valid_token(token_number)) return RK_FAIL(RK_ERR_GENERAL);
    rk_strncpy(msg->tokens[token_number - 1], str, RK_TEXT_MAX);
    return 0;
}

extern "C" RK_API int Rk_MessageGetToken(const Rk_MessageStruct* msg, int token_number, char* str)
{
    if (!valid_token(token_number)) return RK_FAIL(RK_ERR_GENERAL);
    rk_strncpy(str, msg->tokens[token_number - 1], RK_TEXT_MAX);
    return 0;
}

extern "C" RK_API int Rk_MessageGetId(const Rk_MessageStruct* msg, long* id)
{
    *id = msg->msg_id;
    return 0;
}
