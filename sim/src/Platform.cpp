// The platform seams of Platform.h: POSIX (dlopen) and Windows (LoadLibrary).
#include "Platform.h"

#include <algorithm>
#include <filesystem>

#ifdef _WIN32
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#else
#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#endif

#include "Attribution.h"

namespace skysim {

#ifdef _WIN32

const char* directorySeparator() { return "\\"; }

bool isSeparator(char c) { return c == '\\' || c == '/'; }

std::string simulatorFolderPath(const std::string& folder) {
    std::error_code ignored;
    std::filesystem::path full = std::filesystem::absolute(std::filesystem::u8path(folder), ignored);
    return full.make_preferred().u8string();
}

// Windows-1252's characters 0x80 to 0x9F; 0 where it has none.
constexpr wchar_t kCodePageHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                       0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                       0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char codePageByte(wchar_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (int i = 0; i < 32; ++i) {
        if (kCodePageHigh[i] == c) return static_cast<char>(0x80 + i);
    }
    return '?';
}

std::string pathForPlugin(const std::string& path, bool nativePaths) {
    if (nativePaths) {
        std::string text = path;
        std::replace(text.begin(), text.end(), '\\', '/');
        return text;
    }
    std::wstring wide = std::filesystem::u8path(path).wstring();
    std::string text;
    for (size_t i = 0; i < wide.size(); ++i) {
        text += codePageByte(wide[i]);
        if (wide[i] >= 0xD800 && wide[i] < 0xDC00) ++i;  // one "?" for a character beyond UTF-16's first plane
    }
    return text;
}

std::filesystem::path pathFromPlugin(const char* text, bool nativePaths) {
    if (nativePaths) return std::filesystem::u8path(text);
    std::wstring wide;
    for (const char* c = text; *c != '\0'; ++c) {
        auto byte = static_cast<unsigned char>(*c);
        wide += byte >= 0x80 && byte < 0xA0 ? kCodePageHigh[byte - 0x80] : static_cast<wchar_t>(byte);
    }
    return std::filesystem::path(wide);
}

// The loader's own message for the last error, without its line end.
static std::string lastErrorText() {
    DWORD code = GetLastError();
    char text[512] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                                  sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r' || text[length - 1] == ' ')) --length;
    return "error " + std::to_string(code) + (length > 0 ? ": " + std::string(text, length) : "");
}

// The DLLs the module imports are found as for any DLL: the stand-in's own
// (XPLM_64.dll, XPWidgets_64.dll, opengl32.dll) lie beside the program. No
// error box is shown for a module that cannot be loaded.
void* openModule(const std::string& path, std::string* error) {
    std::string native = std::filesystem::path(path).make_preferred().string();
    UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryA(native.c_str());
    if (module == nullptr && error != nullptr) *error = "cannot load " + native + ": " + lastErrorText();
    SetErrorMode(previousMode);
    return reinterpret_cast<void*>(module);
}

void* moduleFunction(void* module, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

namespace {

// A thread's state letter from a /proc stat file: after the name in brackets.
char threadState(const std::filesystem::path& stat) {
    std::FILE* file = _wfopen(stat.wstring().c_str(), L"r");
    if (file == nullptr) return 'X';  // it has ended
    char text[512] = "";
    const size_t length = std::fread(text, 1, sizeof text - 1, file);
    (void)std::fclose(file);
    text[length] = '\0';
    const char* end = std::strrchr(text, ')');
    return end != nullptr && end[1] == ' ' ? end[2] : 'X';
}

// Under wine (the Windows tests) the threads are Linux threads: wine-run.sh
// names the Linux process the program runs in, whose first thread, the
// program's main one, calls into the plug-in. Its /proc is read through wine's
// drive Z: (by the process's number: wine's server opens the files, so "self"
// would be the server). Without it (Windows itself) nothing is awake.
bool anotherThreadAwake() {
    static const char* const process = std::getenv("SKYSIM_UNIX_PID");
    if (process == nullptr) return false;
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator(std::string("Z:/proc/") + process + "/task", error)) {
        if (task.path().filename().string() == process) continue;
        const char state = threadState(task.path() / "stat");
        if (state == 'R' || state == 'D') return true;
    }
    return false;
}

}  // namespace

// As on Linux (below), through wine; wine may pass a wake-up on through its
// server, so the threads must be found asleep twice, a millisecond apart.
void waitForOtherThreadsAsleep() {
    constexpr int kPolls = 10000;  // of a millisecond or more: ten seconds at least
    int asleep = 0;
    for (int poll = 0; poll < kPolls && asleep < 2; ++poll) {
        asleep = anotherThreadAwake() ? 0 : asleep + 1;
        if (asleep < 2) Sleep(1);
    }
}

#else

const char* directorySeparator() { return "/"; }

bool isSeparator(char c) { return c == '/'; }

std::string simulatorFolderPath(const std::string& folder) { return folder; }

std::string pathForPlugin(const std::string& path, bool) { return path; }

std::filesystem::path pathFromPlugin(const char* text, bool) { return std::filesystem::path(text); }

void* openModule(const std::string& path, std::string* error) {
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr && error != nullptr) {
        const char* reason = dlerror();
        *error = reason != nullptr ? reason : "cannot load " + path;
    }
    return module;
}

void* moduleFunction(void* module, const char* name) { return dlsym(module, name); }

namespace {

// A thread's state letter from /proc: after the name in brackets, which may
// itself hold ") ". Read by the system calls themselves, past any definition
// of open or close a test program makes (tests/crash), as the stand-in's own.
char threadState(long thread) {
    char path[64];
    (void)std::snprintf(path, sizeof path, "/proc/self/task/%ld/stat", thread);
    const long file = syscall(SYS_openat, AT_FDCWD, path, O_RDONLY | O_CLOEXEC);
    if (file < 0) return 'X';  // it has ended
    char text[512];
    const long length = syscall(SYS_read, file, text, sizeof text - 1);
    (void)syscall(SYS_close, file);
    text[length > 0 ? length : 0] = '\0';
    const char* end = std::strrchr(text, ')');
    return end != nullptr && end[1] == ' ' ? end[2] : 'X';
}

// True while a thread of the process other than this one runs, waits to run
// or waits for the disk (R, D); asleep (S), stopped or ended it counts as idle.
bool anotherThreadAwake() {
    const long self = syscall(SYS_gettid);
    DIR* tasks = opendir("/proc/self/task");
    if (tasks == nullptr) return false;
    bool awake = false;
    for (dirent* entry = readdir(tasks); entry != nullptr && !awake; entry = readdir(tasks)) {
        const long thread = std::strtol(entry->d_name, nullptr, 10);
        if (thread <= 0 || thread == self) continue;
        const char state = threadState(thread);
        awake = state == 'R' || state == 'D';
    }
    (void)closedir(tasks);
    return awake;
}

}  // namespace

// The simulator's frames take milliseconds each, in which a plug-in's own
// threads do what a call asked of them; the stand-in's follow one another
// at once. So, after each call into the plug-in, it waits until every other
// thread of the process is asleep (up to ten seconds): the next step of a
// test then finds what a pilot's next action would find.
void waitForOtherThreadsAsleep() {
    constexpr int kPolls = 200000;  // of 50 microseconds: ten seconds
    const timespec pause{0, 50000};
    for (int poll = 0; poll < kPolls && anotherThreadAwake(); ++poll) (void)nanosleep(&pause, nullptr);
}

#endif

}  // namespace skysim
