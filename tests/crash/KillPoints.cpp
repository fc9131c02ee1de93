#include "KillPoints.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace killpoints {

namespace {

enum class Armed { No, AtEvent, AfterCount };

// Atomic: the simulator's thread arms them and makes its own file calls while
// the plug-in's writer thread saves.
std::atomic<Armed> armed{Armed::No};
std::atomic<SaveEvent> target{SaveEvent::Opened};
std::atomic<int> eventsLeft{0};
std::atomic<int> slowEvent{-1};  // a SaveEvent; -1: none
std::atomic<int> slowMilliseconds{0};
std::atomic<FILE*> savedFile{nullptr};  // the stream last opened for writing anew, while it is open
std::atomic<int> savedDescriptor{-1};   // the descriptor last opened for writing anew, while it is open

void saveEvent(SaveEvent event) {
    int slow = static_cast<int>(event);
    if (slowEvent.compare_exchange_strong(slow, -1)) {
        const int milliseconds = slowMilliseconds;
        const timespec pause{milliseconds / 1000, (milliseconds % 1000) * 1000000L};
        (void)nanosleep(&pause, nullptr);
    }
    bool due = (armed == Armed::AtEvent && event == target) || (armed == Armed::AfterCount && eventsLeft-- == 0);
    if (!due) return;
    (void)kill(getpid(), SIGKILL);
    for (;;) pause();
}

// The C library's own definition of a call this file defines again.
template <typename Function>
Function next(Function, const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

void killAt(SaveEvent event) {
    armed = Armed::AtEvent;
    target = event;
}

void killAfter(int events) {
    armed = Armed::AfterCount;
    eventsLeft = events;
}

void slowAt(SaveEvent event, int milliseconds) {
    slowMilliseconds = milliseconds;
    slowEvent.store(static_cast<int>(event));
}

}  // namespace killpoints

using killpoints::SaveEvent;

extern "C" {

FILE* fopen(const char* path, const char* mode) {
    static auto real = killpoints::next(&fopen, "fopen");
    FILE* file = real(path, mode);
    if (file != nullptr && mode[0] == 'w') {
        killpoints::savedFile = file;
        killpoints::saveEvent(SaveEvent::Opened);
    }
    return file;
}

int fputs(const char* text, FILE* file) {
    static auto real = killpoints::next(&fputs, "fputs");
    if (killpoints::savedFile != nullptr && file == killpoints::savedFile) killpoints::saveEvent(SaveEvent::Write);
    return real(text, file);
}

std::size_t fwrite(const void* data, std::size_t size, std::size_t count, FILE* file) {
    static auto real = killpoints::next(&fwrite, "fwrite");
    if (killpoints::savedFile != nullptr && file == killpoints::savedFile) killpoints::saveEvent(SaveEvent::Write);
    return real(data, size, count, file);
}

int fflush(FILE* file) {
    static auto real = killpoints::next(&fflush, "fflush");
    if (killpoints::savedFile != nullptr && file == killpoints::savedFile) killpoints::saveEvent(SaveEvent::Close);
    return real(file);
}

int open(const char* path, int flags, ...) {
    static auto real = reinterpret_cast<int (*)(const char*, int, ...)>(dlsym(RTLD_NEXT, "open"));
    mode_t mode = 0;
    if ((flags & O_CREAT) != 0) {
        va_list arguments;
        va_start(arguments, flags);
        mode = static_cast<mode_t>(va_arg(arguments, unsigned));
        va_end(arguments);
    }
    int descriptor = real(path, flags, mode);
    if (descriptor >= 0 && (flags & O_ACCMODE) != O_RDONLY && (flags & O_TRUNC) != 0) {
        killpoints::savedDescriptor = descriptor;
        killpoints::saveEvent(SaveEvent::Opened);
    }
    return descriptor;
}

ssize_t write(int descriptor, const void* data, std::size_t size) {
    static auto real = killpoints::next(&write, "write");
    if (descriptor >= 0 && descriptor == killpoints::savedDescriptor) killpoints::saveEvent(SaveEvent::Write);
    return real(descriptor, data, size);
}

int fsync(int descriptor) {
    static auto real = killpoints::next(&fsync, "fsync");
    bool saved = descriptor >= 0 && descriptor == killpoints::savedDescriptor;
    FILE* const savedFile = killpoints::savedFile;
    if (saved || (savedFile != nullptr && descriptor == fileno(savedFile))) {
        killpoints::saveEvent(SaveEvent::Close);
    }
    return real(descriptor);
}

int close(int descriptor) {
    static auto real = killpoints::next(&close, "close");
    if (descriptor >= 0 && descriptor == killpoints::savedDescriptor) {
        killpoints::saveEvent(SaveEvent::Close);
        killpoints::savedDescriptor = -1;
    }
    return real(descriptor);
}

int fclose(FILE* file) {
    static auto real = killpoints::next(&fclose, "fclose");
    if (killpoints::savedFile != nullptr && file == killpoints::savedFile) {
        killpoints::saveEvent(SaveEvent::Close);
        killpoints::savedFile = nullptr;
    }
    return real(file);
}

int rename(const char* from, const char* to) {
    static auto real = killpoints::next(&rename, "rename");
    killpoints::saveEvent(SaveEvent::Rename);
    int result = real(from, to);
    if (result == 0) killpoints::saveEvent(SaveEvent::Renamed);
    return result;
}

}  // extern "C"
