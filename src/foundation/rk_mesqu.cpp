// The message queue of the calling thread: informational messages the application posts and takes
// out. It starts with room for five records and grows by five (record_queue.hpp), as the header
// states.
#include <cstring>

#include "core/dump.hpp"
#include "foundation/record_queue.hpp"

namespace {

constexpr char kModule[] = "src/rk_mesqu";

}  // namespace

extern "C" RK_API int Rk_MessageQueueInit(void) { return rk::own_message_queue().init(kModule, __LINE__); }

extern "C" RK_API int Rk_MessageQueueFree(void)
{
    rk::own_message_queue().release_storage();
    return 0;
}

extern "C" RK_API int Rk_MessageQueueClear(void)
{
    rk::message_queue().queue_size = 0;
    return 0;
}

extern "C" RK_API int Rk_MessageQueueAddMessage(const Rk_MessageStruct* message)
{
    if (rk::message_queue().add(*message) != 0) return RK_FAIL(RK_ERR_NO_MEMORY);
    return 0;
}

extern "C" RK_API int Rk_MessageQueueGetMessage(Rk_MessageStruct* message, int* found)
{
    rk::message_queue().take(message, found);
    return 0;
}

extern "C" RK_API int Rk_MessageQueueGetSize(int* num_msgs)
{
    *num_msgs = rk::message_queue().queue_size;
    return 0;
}

// Keeps the messages with another id in their order, compacting the array in place.
extern "C" RK_API int Rk_MessageQueueRemoveMsgById(long msg_id)
{
    rk::RecordQueue<Rk_MessageStruct>& messages = rk::message_queue();
    int kept = 0;
    for (int i = 0; i < messages.queue_size; ++i) {
        if (messages.records[i].msg_id == msg_id) continue;
        if (kept != i) std::memcpy(&messages.records[kept], &messages.records[i], sizeof(Rk_MessageStruct));
        ++kept;
    }
    messages.queue_size = kept;
    return 0;
}

namespace {

// The draining dump's count stands after a blank.
const rk::dump::RecordQueueDump<rk::RecordQueue<Rk_MessageStruct>, Rk_MessageStruct> kDumped = {
    kModule, "Messages", " ", rk::message_queue, Rk_MessageQueueGetMessage, Rk_MessageDebugRpt};

}  // namespace

extern "C" RK_API int Rk_MessageQueueDebugRpt(Rk_ReportStruct* report) { return rk::dump::draining(report, kDumped); }

extern "C" RK_API int Rk_MessageQueueDebug(void) { return rk::dump::to_console(Rk_MessageQueueDebugRpt); }

extern "C" RK_API int Rk_MessageQueueDebugRptNoFlush(Rk_ReportStruct* report)
{
    return rk::dump::keeping(report, kDumped);
}

extern "C" RK_API int Rk_MessageQueueDebugNoFlush(void) { return rk::dump::to_console(Rk_MessageQueueDebugRptNoFlush); }
