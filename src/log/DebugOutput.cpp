// The platform's debug output: the debugger's output window on Windows,
// standard error elsewhere.
#include <cstdio>

#include "log/PluginLog.h"

#ifdef _WIN32
#include <windows.h>
#endif

void debugOutput(const char* text) {
#ifdef _WIN32
    OutputDebugStringA(text);
#else
    (void)std::fputs(text, stderr);  // standard error is the last resort: nowhere to report to
#endif
}
