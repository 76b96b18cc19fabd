// The error queue and the message queue: one contiguous array of fixed-size records, oldest
// first, that grows by five records at a time and never shrinks except by Free. The room for five
// at Init and the growth by five are contracts: the header states both for the two queues. Each
// thread has its own pair (rk_utils.cpp), so no queue is ever shared between threads.
#pragma once

#include <cstring>

#include "core/fail.hpp"
#include "core/memory.hpp"

namespace rk {

template <class Record>
struct RecordQueue {
    // Invariant: 0 <= queue_size <= alloc_size; records[0 .. queue_size) are live, [0] the oldest.
    int queue_size = 0;
    int alloc_size = 0;
    Record* records = nullptr;
    bool closed = false;

    static constexpr int kGrowth = 5;  // the contract stated above, for Init and for every growth

    // An empty queue with room for five records; an earlier array is released first.
    int init(const char* module, int line)
    {
        release_storage();
        if (!make_room()) return fail(RK_ERR_NO_MEMORY, module, line);
        return 0;
    }

    // Room for five records in a queue that has no array; false when it cannot be had.
    bool make_room()
    {
        if (records) return true;
        if (closed) return false;
        records = alloc_array<Record>(kGrowth);
        if (!records) return false;
        alloc_size = kGrowth;
        return true;
    }

    void release_storage()
    {
        release(records);
        queue_size = 0;
        alloc_size = 0;
    }

    // Released for good, at the end of its thread: it takes no more records.
    void close()
    {
        release_storage();
        closed = true;
    }

    // Appends a copy; 1 when the array cannot grow, and then nothing has changed.
    int add(const Record& record)
    {
        if (closed) return 1;
        if (queue_size == alloc_size) {
            Record* grown = realloc_array(records, static_cast<std::size_t>(alloc_size) + kGrowth);
            if (!grown) return 1;
            records = grown;
            alloc_size += kGrowth;
        }
        std::memcpy(&records[queue_size], &record, sizeof(Record));
        ++queue_size;
        return 0;
    }

    // Takes out the oldest record; `*found` 0 and `*out` untouched when empty.
    void take(Record* out, int* found)
    {
        if (queue_size == 0) {
            *found = 0;
            return;
        }
        std::memcpy(out, &records[0], sizeof(Record));
        --queue_size;
        std::memmove(&records[0], &records[1], static_cast<std::size_t>(queue_size) * sizeof(Record));
        *found = 1;
    }
};

// The calling thread's queues. Once Rk_UtilsInit has run in the process, the first of these calls
// in a thread that has not set up its queues itself creates both with room for five, as Init
// would; a queue that cannot be created stays empty and grows from nothing at its first add.
RecordQueue<Rk_ErrorStruct>& error_queue();
RecordQueue<Rk_MessageStruct>& message_queue();

// The same queues as they are, for the Init and Free of a queue: from then on the thread sets up
// its queues itself and none is created for it.
RecordQueue<Rk_ErrorStruct>& own_error_queue();
RecordQueue<Rk_MessageStruct>& own_message_queue();

// The message-file path recorded by Rk_UtilsInit, copied whole into `path` (RK_PATH_MAX + 1
// places) even while another thread records a new one.
void message_file(char* path);

}  // namespace rk
