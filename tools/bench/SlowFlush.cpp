// A preload library that makes every flush to the disk take longer, as a slow
// or busy disk does: fsync and fdatasync wait SKYPLACER_FLUSH_DELAY_MS
// milliseconds (0 when unset) before doing their work.
//
// Usage: LD_PRELOAD=libslow_flush.so SKYPLACER_FLUSH_DELAY_MS=20 PROGRAM...
#include <dlfcn.h>

#include <cstdlib>
#include <ctime>

namespace {

void waitForTheDisk() {
    static const long delay = [] {
        const char* text = std::getenv("SKYPLACER_FLUSH_DELAY_MS");
        return text != nullptr ? std::strtol(text, nullptr, 10) : 0L;
    }();
    if (delay <= 0) return;
    const timespec pause{delay / 1000, (delay % 1000) * 1000000L};
    (void)nanosleep(&pause, nullptr);
}

template <typename Function>
Function next(Function, const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

int fsync(int descriptor) {
    static auto real = next(&fsync, "fsync");
    waitForTheDisk();
    return real(descriptor);
}

int fdatasync(int descriptor) {
    static auto real = next(&fdatasync, "fdatasync");
    waitForTheDisk();
    return real(descriptor);
}

}  // extern "C"
