// Test seams: internal hooks that tests reach by linking the library's objects directly.
// They are never exported from the shared library.
#pragma once

namespace rk::seam {

// Makes the n-th next call of Rkos_Alloc or Rkos_Realloc fail (n = 1: the very next one);
// n = 0 disarms. The failing call returns null and leaves any old block valid.
void fail_nth_alloc(long n);
// Every later call of Rkos_Alloc or Rkos_Realloc fails, until disarmed with fail_nth_alloc(0).
void fail_all_allocs();
// Calls of Rkos_Alloc and Rkos_Realloc since the process started (failed calls included).
long alloc_calls();
// Blocks allocated through the platform layer and not yet freed.
long live_blocks();

}  // namespace rk::seam
