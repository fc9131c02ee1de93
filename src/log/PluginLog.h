// The plug-in's log: SkyPlacerLog.txt in the plug-in's folder, appended one
// message at a time, plus the debug output and the simulator's own log.
#pragma once

constexpr int kLogMessageSize = 4096;  // message buffer, terminator included

// Writes to the debug output and the log file whatever the settings say; tells
// the simulator's log when the file cannot be opened.
void logAlways(const char* text);

// The platform's debug output (OutputDebugStringA on Windows, standard error elsewhere).
void debugOutput(const char* text);

// Writes `text` to the simulator's own log: the one way the plug-in reaches it.
void simulatorLog(const char* text);

// A line for any of the logs.
struct LogLine {
    char text[kLogMessageSize];
};

// "SkyPlacer - " and then `format` filled in: the one place the plug-in's own
// lines get their prefix. A line longer than a message is cut and says so.
LogLine prefixed(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
