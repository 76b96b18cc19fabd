// Library set-up and tear-down: the message-file path, recorded for the whole process, and the two
// queues of each thread. A thread's queues live in its thread-local storage (their records on the
// heap) and are released when the thread ends, whether or not it called Rk_UtilsFree.
#include <atomic>
#include <cstring>
#include <mutex>

#include "foundation/record_queue.hpp"

extern "C" {
RK_API char Rk_BasekitErrorFileName[RK_PATH_MAX + 1] = "";
}

namespace {

// Rk_UtilsInit may record a path while failures in other threads copy it into their records.
std::mutex g_path_lock;
// Set by the first Rk_UtilsInit: from then on each thread's queues are created on its first use.
std::atomic<bool> g_set_up{false};

// Trivially destructible, so its storage stays valid to the thread's very end: a destructor of the
// application's own thread-local objects that runs after the queues were released and calls the
// library finds them closed (a record is dropped) rather than gone.
struct ThreadQueues {
    rk::RecordQueue<Rk_ErrorStruct> errors;
    rk::RecordQueue<Rk_MessageStruct> messages;
    // The queues were created for the thread, or the thread has set them up or freed them itself.
    bool settled = false;
};

thread_local ThreadQueues t_queues;

// Releases the thread's queues when it ends, whether or not it called Rk_UtilsFree, and closes them.
struct ReleaseAtThreadEnd {
    ~ReleaseAtThreadEnd()
    {
        t_queues.errors.close();
        t_queues.messages.close();
    }
};

thread_local ReleaseAtThreadEnd t_release;

// No error is raised when a queue cannot be created: there would be no room to hold it.
ThreadQueues& queues_in_use()
{
    ThreadQueues& queues = t_queues;
    static_cast<void>(&t_release);  // registers the release at the thread's end
    if (!queues.settled && g_set_up.load(std::memory_order_relaxed)) {
        queues.settled = true;
        queues.errors.make_room();
        queues.messages.make_room();
    }
    return queues;
}

ThreadQueues& queues_as_they_are()
{
    static_cast<void>(&t_release);
    t_queues.settled = true;
    return t_queues;
}

}  // namespace

rk::RecordQueue<Rk_ErrorStruct>& rk::error_queue() { return queues_in_use().errors; }
rk::RecordQueue<Rk_MessageStruct>& rk::message_queue() { return queues_in_use().messages; }
rk::RecordQueue<Rk_ErrorStruct>& rk::own_error_queue() { return queues_as_they_are().errors; }
rk::RecordQueue<Rk_MessageStruct>& rk::own_message_queue() { return queues_as_they_are().messages; }

void rk::message_file(char* path)
{
    const std::lock_guard<std::mutex> hold(g_path_lock);
    std::memcpy(path, Rk_BasekitErrorFileName, sizeof Rk_BasekitErrorFileName);
}

// A second call starts the calling thread's queues afresh; the queues' Init releases what they held.
extern "C" RK_API int Rk_UtilsInit(const char* error_file)
{
    {
        const std::lock_guard<std::mutex> hold(g_path_lock);
        rk_strncpy(Rk_BasekitErrorFileName, error_file, RK_PATH_MAX);
    }
    g_set_up.store(true, std::memory_order_relaxed);
    if (Rk_ErrorQueueInit() != 0) return 1;
    return Rk_MessageQueueInit();
}

extern "C" RK_API int Rk_UtilsFree(void)
{
    Rk_MessageQueueFree();
    Rk_ErrorQueueFree();
    return 0;
}
