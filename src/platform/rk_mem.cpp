// The platform allocator: the only code of the library that calls malloc, realloc and free.
// It also holds the allocation-failure seam that tests use to reach every error-11 path. Its
// counters are shared by every thread: relaxed atomics, since they order nothing else.
#include <atomic>
#include <cstdlib>

#include "core/seams.hpp"
#include "rk_basekit.h"

namespace {

std::atomic<long> g_calls{0};         // Rkos_Alloc and Rkos_Realloc calls so far
std::atomic<long> g_fail_at{0};       // the call number that fails; 0: none
std::atomic<bool> g_fail_all{false};  // every call fails
std::atomic<long> g_live{0};          // blocks handed out and not freed

constexpr auto kRelaxed = std::memory_order_relaxed;

// Counts the call and says whether the seam makes it fail. Of calls racing for the armed number,
// exactly one fails.
bool seam_says_fail()
{
    const long call = g_calls.fetch_add(1, kRelaxed) + 1;
    if (g_fail_all.load(kRelaxed)) return true;
    long armed = g_fail_at.load(kRelaxed);
    return armed != 0 && call == armed && g_fail_at.compare_exchange_strong(armed, 0, kRelaxed);
}

}  // namespace

namespace rk::seam {

void fail_nth_alloc(long n)
{
    g_fail_all.store(false, kRelaxed);
    g_fail_at.store(n > 0 ? g_calls.load(kRelaxed) + n : 0, kRelaxed);
}

void fail_all_allocs() { g_fail_all.store(true, kRelaxed); }

long alloc_calls() { return g_calls.load(kRelaxed); }

long live_blocks() { return g_live.load(kRelaxed); }

}  // namespace rk::seam

extern "C" RK_API void* Rkos_Alloc(unsigned int size)
{
    if (size == 0 || seam_says_fail()) return nullptr;
    void* block = std::malloc(size);
    if (block) g_live.fetch_add(1, kRelaxed);
    return block;
}

// A size of 0 is refused like an exhausted heap: the old block stays valid and owned by the
// caller, so a null result always means "nothing changed".
extern "C" RK_API void* Rkos_Realloc(void* old_ptr, unsigned int new_size)
{
    if (new_size == 0 || seam_says_fail()) return nullptr;
    void* block = std::realloc(old_ptr, new_size);
    if (block && !old_ptr) g_live.fetch_add(1, kRelaxed);
    return block;
}

extern "C" RK_API void* Rkos_Free(void* ptr)
{
    if (ptr) {
        std::free(ptr);
        g_live.fetch_sub(1, kRelaxed);
    }
    return nullptr;
}
