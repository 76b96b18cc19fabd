// Typed helpers over the platform allocator. Every heap block of the library comes from
// Rkos_Alloc / Rkos_Realloc and goes back through Rkos_Free.
#pragma once

#include <climits>
#include <cstddef>

#include "rk_basekit.h"

namespace rk {

// Byte size of `count` objects of type T, or 0 when it does not fit the allocator's unsigned int.
template <class T>
inline unsigned int byte_size(std::size_t count)
{
    if (count == 0 || count > UINT_MAX / sizeof(T)) return 0;
    return static_cast<unsigned int>(count * sizeof(T));
}

// Room for `count` objects of T (uninitialised), or null on exhaustion or a size that cannot be asked for.
template <class T>
inline T* alloc_array(std::size_t count)
{
    const unsigned int bytes = byte_size<T>(count);
    return bytes ? static_cast<T*>(Rkos_Alloc(bytes)) : nullptr;
}

// `block` resized to `count` objects of T, or null (the old block then stays valid and owned).
template <class T>
inline T* realloc_array(T* block, std::size_t count)
{
    const unsigned int bytes = byte_size<T>(count);
    return bytes ? static_cast<T*>(Rkos_Realloc(block, bytes)) : nullptr;
}

// Frees `block` and nulls the caller's pointer.
template <class T>
inline void release(T*& block)
{
    Rkos_Free(block);
    block = nullptr;
}

}  // namespace rk
