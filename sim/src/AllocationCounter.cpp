// Counts the heap allocations made while plug-in code runs, and refuses them
// on request, as a process out of memory would.
//
// In an ordinary build the stand-in defines the allocation functions, which
// the whole process (the plug-in module and its C++ runtime, static or not,
// included) then calls, and forwards each to the C library's own. free is left
// alone: the memory is the C library's. Under AddressSanitizer, which defines
// them itself, the sanitizer's allocation hook counts instead and nothing can
// be refused. A Windows DLL cannot replace them for the modules it did not
// link: there nothing is counted or refused.
#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstdint>

#include "Attribution.h"
#include "Internal.h"

namespace skysim {
namespace {

std::atomic<std::uint64_t> pluginAllocationCount{0};
std::atomic<bool> refusingPluginAllocations{false};
std::atomic<std::uint64_t> allowedBeforeRefusal{0};

// Called by every allocation of the process, before any constructor ran:
// needs no initialisation, and allocates nothing. Returns whether the
// allocation may go ahead; a refused one is not counted.
SKYSIM_ALWAYS_INLINE bool admitAllocation() {
    if (!runningPluginCode) return true;
    if (refusingPluginAllocations.load(std::memory_order_relaxed)) {
        if (allowedBeforeRefusal.load(std::memory_order_relaxed) == 0) return false;
        allowedBeforeRefusal.fetch_sub(1, std::memory_order_relaxed);
    }
    pluginAllocationCount.fetch_add(1, std::memory_order_relaxed);
    return true;
}

}  // namespace

std::uint64_t Sim::pluginAllocations() const { return pluginAllocationCount.load(std::memory_order_relaxed); }

}  // namespace skysim

// GCC says so with __SANITIZE_ADDRESS__, clang with __has_feature. A
// ThreadSanitizer build has the same hook and defines them too.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define SKYSIM_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SKYSIM_ADDRESS_SANITIZER 1
#endif
#endif

#if defined(SKYSIM_ADDRESS_SANITIZER)

// GCC ships no sanitizer/allocator_interface.h; the hook's declaration from there.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*mallocHook)(const volatile void*, std::size_t),
                                                         void (*freeHook)(const volatile void*));

namespace {

void onAllocation(const volatile void*, std::size_t) { (void)skysim::admitAllocation(); }
void onFree(const volatile void*) {}  // the sanitizer installs the two hooks as a pair

__attribute__((constructor)) void installAllocationHook() {
    __sanitizer_install_malloc_and_free_hooks(onAllocation, onFree);
}

}  // namespace

// A hook only watches: the sanitizer's allocator cannot be made to fail.
bool skysim::Sim::refusePluginAllocations(bool, std::uint64_t) { return false; }

#elif defined(_WIN32)

bool skysim::Sim::refusePluginAllocations(bool, std::uint64_t) { return false; }

#else

bool skysim::Sim::refusePluginAllocations(bool on, std::uint64_t allowedFirst) {
    skysim::allowedBeforeRefusal.store(allowedFirst, std::memory_order_relaxed);
    skysim::refusingPluginAllocations.store(on, std::memory_order_relaxed);
    return true;
}

// glibc's own allocator, which the counting functions forward to: its names are reserved to it.
// NOLINTBEGIN(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
}
// NOLINTEND(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)

namespace {
// What the C library's allocators do when memory has run out.
void* refused() {
    errno = ENOMEM;
    return nullptr;
}
}  // namespace

SKYSIM_EXPORT void* malloc(std::size_t size) noexcept {
    if (!skysim::admitAllocation()) return refused();
    return __libc_malloc(size);
}

SKYSIM_EXPORT void* calloc(std::size_t count, std::size_t size) noexcept {
    if (!skysim::admitAllocation()) return refused();
    return __libc_calloc(count, size);
}

// realloc(block, 0) frees the block and allocates nothing.
SKYSIM_EXPORT void* realloc(void* block, std::size_t size) noexcept {
    if ((size != 0 || block == nullptr) && !skysim::admitAllocation()) return refused();
    return __libc_realloc(block, size);
}

SKYSIM_EXPORT void* memalign(std::size_t alignment, std::size_t size) noexcept {
    if (!skysim::admitAllocation()) return refused();
    return __libc_memalign(alignment, size);
}

SKYSIM_EXPORT void* aligned_alloc(std::size_t alignment, std::size_t size) noexcept {
    if (!skysim::admitAllocation()) return refused();
    return __libc_memalign(alignment, size);
}

// The alignment must be a power of two and a multiple of the size of a pointer.
SKYSIM_EXPORT int posix_memalign(void** block, std::size_t alignment, std::size_t size) noexcept {
    if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0 || alignment == 0) return EINVAL;
    if (!skysim::admitAllocation()) return ENOMEM;
    void* made = __libc_memalign(alignment, size);
    if (made == nullptr) return ENOMEM;
    *block = made;
    return 0;
}

#endif
