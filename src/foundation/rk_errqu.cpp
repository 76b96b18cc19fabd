// The process-wide error queue: every failing function of the library appends one record here,
// and the application drains it oldest first. It starts with room for five records and grows by
// five (record_queue.hpp), as the header states.
#include <cstdio>
#include <cstring>

#include "core/dump.hpp"
#include "foundation/record_queue.hpp"

namespace {

constexpr char kModule[] = "src/rk_errqu";

rk::RecordQueue<Rk_ErrorStruct> g_errors;
int g_show_line_numbers = 1;

// The characters after the last '/' or '\', or all of `path`.
const char* base_name(const char* path)
{
    const char* base = path;
    for (const char* p = path; *p; ++p)
        if (*p == '/' || *p == '\\') base = p + 1;
    return base;
}

}  // namespace

rk::RecordQueue<Rk_ErrorStruct>& rk::error_queue() { return g_errors; }

extern "C" RK_API int Rk_ErrorQueueInit(void) { return g_errors.init(kModule, __LINE__); }

extern "C" RK_API int Rk_ErrorQueueFree(void)
{
    g_errors.release_storage();
    return 0;
}

extern "C" RK_API int Rk_ErrorQueueClear(void)
{
    g_errors.queue_size = 0;
    return 0;
}

// A queue that cannot grow drops the new record and keeps every queued one. Nothing is
// reported: the report itself would need the room that is missing.
extern "C" RK_API int Rk_ErrorQueueAddError(const Rk_ErrorStruct* error) { return g_errors.add(*error); }

extern "C" RK_API int Rk_ErrorQueueSetAndAddError(long id, const char* file, int line, const char* token)
{
    char loc[RK_TEXT_MAX + 1];
    if (g_show_line_numbers)
        std::snprintf(loc, sizeof loc, "%s(%d)", base_name(file), line);
    else
        std::snprintf(loc, sizeof loc, "%s", base_name(file));

    Rk_ErrorStruct error;
    Rk_ErrorSet(&error, id, Rk_BasekitErrorFileName, loc);
    if (!rk_strisblank(token)) Rk_ErrorSetToken(&error, 1, token);
    Rk_ErrorQueueAddError(&error);
    return 0;
}

extern "C" RK_API int Rk_ErrorQueueGetError(Rk_ErrorStruct* error, int* found)
{
    g_errors.take(error, found);
    return 0;
}

extern "C" RK_API int Rk_ErrorQueueGetSize(int* num_msgs)
{
    *num_msgs = g_errors.queue_size;
    return 0;
}

extern "C" RK_API int Rk_ErrorQueueLineNumbersOn(void)
{
    g_show_line_numbers = 1;
    return 0;
}

extern "C" RK_API int Rk_ErrorQueueLineNumbersOff(void)
{
    g_show_line_numbers = 0;
    return 0;
}

namespace {

const rk::dump::GlobalQueue<rk::RecordQueue<Rk_ErrorStruct>, Rk_ErrorStruct> kDumped = {
    kModule, "Errors", "", g_errors, Rk_ErrorQueueGetError, Rk_ErrorDebugRpt};

}  // namespace

extern "C" RK_API int Rk_ErrorQueueDebugRpt(Rk_ReportStruct* report) { return rk::dump::draining(report, kDumped); }

extern "C" RK_API int Rk_ErrorQueueDebug(void) { return rk::dump::to_console(Rk_ErrorQueueDebugRpt); }

extern "C" RK_API int Rk_ErrorQueueDebugRptNoFlush(Rk_ReportStruct* report)
{
    return rk::dump::keeping(report, kDumped);
}

extern "C" RK_API int Rk_ErrorQueueDebugNoFlush(void) { return rk::dump::to_console(Rk_ErrorQueueDebugRptNoFlush); }
