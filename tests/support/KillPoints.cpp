#include "KillPoints.h"

#include <dlfcn.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>

#include "position/SafeFileWriter.h"

namespace killpoints {

namespace {

enum class Armed { No, AtEvent, AfterCount };

Armed armed = Armed::No;
SaveEvent target = SaveEvent::Opened;
int eventsLeft = 0;
int seen = 0;
FILE* temporaryFile = nullptr;  // the plug-in's temporary file while it is open

bool isTemporaryPath(const char* path) {
    std::size_t length = std::strlen(path);
    std::size_t name = std::strlen(kTemporaryFileName);
    return length >= name && std::strcmp(path + length - name, kTemporaryFileName) == 0;
}

void saveEvent(SaveEvent event) {
    ++seen;
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

void disarm() {
    armed = Armed::No;
    seen = 0;
}

int eventsSeen() { return seen; }

}  // namespace killpoints

using killpoints::SaveEvent;

extern "C" {

FILE* fopen(const char* path, const char* mode) {
    static auto real = killpoints::next(&fopen, "fopen");
    FILE* file = real(path, mode);
    if (file != nullptr && killpoints::isTemporaryPath(path)) {
        killpoints::temporaryFile = file;
        killpoints::saveEvent(SaveEvent::Opened);
    }
    return file;
}

int fputs(const char* text, FILE* file) {
    static auto real = killpoints::next(&fputs, "fputs");
    if (killpoints::temporaryFile != nullptr && file == killpoints::temporaryFile)
        killpoints::saveEvent(SaveEvent::Write);
    return real(text, file);
}

std::size_t fwrite(const void* data, std::size_t size, std::size_t count, FILE* file) {
    static auto real = killpoints::next(&fwrite, "fwrite");
    if (killpoints::temporaryFile != nullptr && file == killpoints::temporaryFile)
        killpoints::saveEvent(SaveEvent::Write);
    return real(data, size, count, file);
}

int fflush(FILE* file) {
    static auto real = killpoints::next(&fflush, "fflush");
    if (killpoints::temporaryFile != nullptr && file == killpoints::temporaryFile)
        killpoints::saveEvent(SaveEvent::Close);
    return real(file);
}

int fsync(int descriptor) {
    static auto real = killpoints::next(&fsync, "fsync");
    if (killpoints::temporaryFile != nullptr && descriptor == fileno(killpoints::temporaryFile)) {
        killpoints::saveEvent(SaveEvent::Close);
    }
    return real(descriptor);
}

int fclose(FILE* file) {
    static auto real = killpoints::next(&fclose, "fclose");
    if (killpoints::temporaryFile != nullptr && file == killpoints::temporaryFile) {
        killpoints::saveEvent(SaveEvent::Close);
        killpoints::temporaryFile = nullptr;
    }
    return real(file);
}

int rename(const char* from, const char* to) {
    static auto real = killpoints::next(&rename, "rename");
    bool save = killpoints::isTemporaryPath(from);
    if (save) killpoints::saveEvent(SaveEvent::Rename);
    int result = real(from, to);
    if (save && result == 0) killpoints::saveEvent(SaveEvent::Renamed);
    return result;
}

}  // extern "C"
