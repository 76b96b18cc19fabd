// The platform allocator: the only code of the library that calls malloc, realloc and free.
// It also holds the allocation-failure seam that tests use to reach every error-11 path.
#include <cstdlib>

#include "core/seams.hpp"
#include "rk_basekit.h"

namespace {

long g_calls = 0;        // Rkos_Alloc and Rkos_Realloc calls so far
long g_fail_at = 0;      // the call number that fails; 0: none
bool g_fail_all = false; // every call fails
long g_live = 0;         // blocks handed out and not freed

// Counts the call and says whether the seam makes it fail.
bool seam_says_fail()
{
    ++g_calls;
    if (g_fail_all) return true;
    if (g_fail_at != 0 && g_calls == g_fail_at) {
        g_fail_at = 0;
        return true;
    }
    return false;
}

}  // namespace

namespace rk::seam {

void fail_nth_alloc(long n)
{
    g_fail_all = false;
    g_fail_at = n > 0 ? g_calls + n : 0;
}

void fail_all_allocs() { g_fail_all = true; }

long alloc_calls() { return g_calls; }

long live_blocks() { return g_live; }

}  // namespace rk::seam

extern "C" RK_API void* Rkos_Alloc(unsigned int size)
{
    if (size == 0 || seam_says_fail()) return nullptr;
    void* block = std::malloc(size);
    if (block) ++g_live;
    return block;
}

// A size of 0 is refused like an exhausted heap: the old block stays valid and owned by the
// caller, so a null result always means "nothing changed".
extern "C" RK_API void* Rkos_Realloc(void* old_ptr, unsigned int new_size)
{
    if (new_size == 0 || seam_says_fail()) return nullptr;
    void* block = std::realloc(old_ptr, new_size);
    if (block && !old_ptr) ++g_live;
    return block;
}

extern "C" RK_API void* Rkos_Free(void* ptr)
{
    if (ptr) {
        std::free(ptr);
        --g_live;
    }
    return nullptr;
}
