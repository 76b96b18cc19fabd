// Error records: a message record and the location where the failure was met; their texts are
// those of the message part.
#include "core/dump.hpp"

namespace {

constexpr char kModule[] = "src/rk_error";

}  // namespace

extern "C" RK_API int Rk_ErrorSet(Rk_ErrorStruct* error, long id, const char* msgfile, const char* loc)
{
    Rk_MessageSet(&error->msg, id, msgfile);
    rk_strncpy(error->loc, loc, RK_TEXT_MAX);
    return 0;
}

extern "C" RK_API int Rk_ErrorSetToken(Rk_ErrorStruct* error, int token_number, const char* str)
{
    return Rk_MessageSetToken(&error->msg, token_number, str);
}

extern "C" RK_API int Rk_ErrorGetId(const Rk_ErrorStruct* error, long* id)
{
    return Rk_MessageGetId(&error->msg, id);
}

extern "C" RK_API int Rk_ErrorGetLocation(const Rk_ErrorStruct* error, char* loc)
{
    rk_strncpy(loc, error->loc, RK_TEXT_MAX);
    return 0;
}

extern "C" RK_API int Rk_ErrorGetSummaryText(const Rk_ErrorStruct* error, char* summary)
{
    return Rk_MessageGetSummaryText(&error->msg, summary);
}

extern "C" RK_API int Rk_ErrorGetSummaryMsg(const Rk_ErrorStruct* error, char* summary)
{
    return Rk_MessageGetSummaryText(&error->msg, summary);
}

extern "C" RK_API int Rk_ErrorGetDetailedText(const Rk_ErrorStruct* error, Rk_StrArrayStruct* detailed)
{
    return Rk_MessageGetDetailedText(&error->msg, detailed);
}

extern "C" RK_API int Rk_ErrorDebugRpt(const Rk_ErrorStruct* error, Rk_ReportStruct* report)
{
    long id = 0;
    char loc[RK_TEXT_MAX + 1];
    Rk_ErrorGetId(error, &id);
    Rk_ErrorGetLocation(error, loc);
    RK_TRY(rk::dump::line(report, kModule, "Error %ld at %s", id, loc));
    return rk::dump::indented(report, 4, [error, report] {
        return rk::dump::message_texts(report, error, Rk_ErrorGetSummaryText, Rk_ErrorGetDetailedText);
    });
}

extern "C" RK_API int Rk_ErrorDebug(const Rk_ErrorStruct* error)
{
    return rk::dump::to_console(Rk_ErrorDebugRpt, error);
}
