// The process's id and start, by each system's own calls.
#include "files/ProcessId.h"

#ifdef _WIN32
#include <windows.h>

// Its creation time, in 100-nanosecond steps.
ProcessIdentity currentProcess() {
    FILETIME created{}, exited{}, kernel{}, user{};
    unsigned long long started = 0;
    if (GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user) != 0) {
        started = (static_cast<unsigned long long>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
    }
    return {GetCurrentProcessId(), started};
}
#elif defined(__APPLE__)
#include <sys/sysctl.h>
#include <unistd.h>

// Its start, in microseconds since 1970.
ProcessIdentity currentProcess() {
    const pid_t id = getpid();
    int query[] = {CTL_KERN, KERN_PROC, KERN_PROC_PID, id};
    struct kinfo_proc info {};
    size_t size = sizeof info;
    unsigned long long started = 0;
    if (sysctl(query, 4, &info, &size, nullptr, 0) == 0 && size == sizeof info) {
        const timeval& at = info.kp_proc.p_starttime;
        started = static_cast<unsigned long long>(at.tv_sec) * 1000000ULL + static_cast<unsigned long long>(at.tv_usec);
    }
    return {static_cast<unsigned long>(id), started};
}
#else
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

// Its start, in clock ticks since the system booted: the 22nd field of
// /proc/self/stat, counted after the name, which ends at the last ')'.
ProcessIdentity currentProcess() {
    unsigned long long started = 0;
    if (std::FILE* stat = std::fopen("/proc/self/stat", "r")) {
        char line[1024] = "";
        const bool read = std::fgets(line, sizeof line, stat) != nullptr;
        (void)std::fclose(stat);
        const char* field = read ? std::strrchr(line, ')') : nullptr;
        for (int i = 2; field != nullptr && i < 22; ++i) field = std::strchr(field + 1, ' ');
        if (field != nullptr) started = std::strtoull(field + 1, nullptr, 10);
    }
    return {static_cast<unsigned long>(getpid()), started};
}
#endif
