// The error queue of the calling thread: every failing function of the library appends one record
// to the queue of the thread it runs in, and the application drains it oldest first. It starts with
// room for five records and grows by five (record_queue.hpp), as the header states. The line-number
// switch is one for the whole process.
#include <atomic>
#include <cstdio>
#include <cstring>

#include "core/dump.hpp"
#include "foundation/record_queue.hpp"

namespace {

constexpr char kModule[] = "src/rk_errqu";

std::atomic<bool> g_show_line_numbers{true};

// The characters after the last '/' or '\', or all of `path`.
const char* base_name(const char* path)
{
    const char* base = path;
    for (const char* p = path; *p; ++p)
        if (*p == '/' || *p == '\\') base = p + 1;
    return base;
}

}  // namespace

extern "C" RK_API int Rk_ErrorQueueInit(void) { return rk::own_error_queue().init(kModule, __LINE__); }

extern "C" RK_API int Rk_ErrorQueueFree(void)
{
    rk::own_error_queue().release_storage();
    return 0;
}

extern "C" RK_API int Rk_ErrorQueueClear(void)
{
    rk::error_queue().queue_size = 0;
    return 0;
}

// A queue that cannot grow drops the new record and keeps every queued one. Nothing is
// reported: the report itself would need the room that is missing.
extern "C" RK_API int Rk_ErrorQueueAddError(const Rk_ErrorStruct* error) { return rk::error_queue().add(*error); }

extern "C" RK_API int Rk_ErrorQueueSetAndAddError(long id, const char* file, int line, const char* token)
{
    char loc[RK_TEXT_MAX + 1];
    if (g_show_line_numbers.load(std::memory_order_relaxed))
        std::snprintf(loc, sizeof loc, "%s(%d)", base_name(file), line);
    else
        std::snprintf(loc, sizeof loc, "%s", base_name(file));

    char msgfile[RK_PATH_MAX + 1];
    rk::message_file(msgfile);
    Rk_ErrorStruct error;
    Rk_ErrorSet(&error, id, msgfile, loc);
    if (!rk_strisblank(token)) Rk_ErrorSetToken(&error, 1, token);
    Rk_ErrorQueueAddError(&error);
    return 0;
}

extern "C" RK_API int Rk_ErrorQueueGetError(Rk_ErrorStruct* error, int* found)
{
    rk::error_queue().take(error, found);
    return 0;
}

extern "C" RK_API int Rk_ErrorQueueGetSize(int* num_msgs)
{
    *num_msgs = rk::error_queue().queue_size;
    return 0;
}

extern "C" RK_API int Rk_ErrorQueueLineNumbersOn(void)
{
    g_show_line_numbers.store(true, std::memory_order_relaxed);
    return 0;
}

extern "C" RK_API int Rk_ErrorQueueLineNumbersOff(void)
{
    g_show_line_numbers.store(false, std::memory_order_relaxed);
    return 0;
}

namespace {

const rk::dump::RecordQueueDump<rk::RecordQueue<Rk_ErrorStruct>, Rk_ErrorStruct> kDumped = {
    kModule, "Errors", "", rk::error_queue, Rk_ErrorQueueGetError, Rk_ErrorDebugRpt};

}  // namespace

extern "C" RK_API int Rk_ErrorQueueDebugRpt(Rk_ReportStruct* report) { return rk::dump::draining(report, kDumped); }

extern "C" RK_API int Rk_ErrorQueueDebug(void) { return rk::dump::to_console(Rk_ErrorQueueDebugRpt); }

extern "C" RK_API int Rk_ErrorQueueDebugRptNoFlush(Rk_ReportStruct* report)
{
    return rk::dump::keeping(report, kDumped);
}

extern "C" RK_API int Rk_ErrorQueueDebugNoFlush(void) { return rk::dump::to_console(Rk_ErrorQueueDebugRptNoFlush); }
