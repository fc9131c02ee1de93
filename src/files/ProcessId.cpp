// The process id, by each system's own call.
#include "files/ProcessId.h"

#ifdef _WIN32
#include <windows.h>

unsigned long currentProcessId() { return GetCurrentProcessId(); }
#else
#include <unistd.h>

unsigned long currentProcessId() { return static_cast<unsigned long>(getpid()); }
#endif
