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

// The directory module reads `path` (in the library's notation, such as "C:\\w\\x"; at most 259
// characters kept) as the working directory instead of the process's; null restores the process's.
void substitute_working_dir(const char* path);
// While `fail` is true, reading the working directory fails as when the process's cannot be read.
void fail_working_dir(bool fail);

}  // namespace rk::seam
