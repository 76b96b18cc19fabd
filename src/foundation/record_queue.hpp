// The error queue and the message queue: one contiguous array of fixed-size records, oldest
// first, that grows by five records at a time and never shrinks except by Free. The room for five
// at Init and the growth by five are contracts: the header states both for the two queues.
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

    static constexpr int kGrowth = 5;  // the contract stated above, for Init and for every growth

    // An empty queue with room for five records; an earlier array is released first.
    int init(const char* module, int line)
    {
        release_storage();
        records = alloc_array<Record>(kGrowth);
        if (!records) return fail(RK_ERR_NO_MEMORY, module, line);
        alloc_size = kGrowth;
        return 0;
    }

    void release_storage()
    {
        release(records);
        queue_size = 0;
        alloc_size = 0;
    }

    // Appends a copy; 1 when the array cannot grow, and then nothing has changed.
    int add(const Record& record)
    {
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

// The two process-wide queues.
RecordQueue<Rk_ErrorStruct>& error_queue();
RecordQueue<Rk_MessageStruct>& message_queue();

}  // namespace rk
