// Bytes the process holds on the heap, from the allocator that serves it: the
// C library's (on Windows the C runtime's heap, which the plug-in's malloc
// shares), or AddressSanitizer's in a sanitizer build. Growth across many
// repeats of the same steps shows a leak.
#pragma once

#include <cstddef>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
inline std::size_t heapInUse() { return __sanitizer_get_current_allocated_bytes(); }
#elif defined(_WIN32)
#include <malloc.h>
inline std::size_t heapInUse() {
    std::size_t used = 0;
    _HEAPINFO block{};
    while (_heapwalk(&block) == _HEAPOK) {
        if (block._useflag == _USEDENTRY) used += block._size;
    }
    return used;
}
#else
#include <malloc.h>
#if __GLIBC__ == 2 && __GLIBC_MINOR__ < 33
// mallinfo2 came with glibc 2.33; mallinfo's int counts are wide enough for a test's heap.
inline std::size_t heapInUse() { return static_cast<std::size_t>(mallinfo().uordblks); }
#else
inline std::size_t heapInUse() { return mallinfo2().uordblks; }
#endif
#endif
