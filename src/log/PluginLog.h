// The plug-in's log: SkyPlacerLog.txt in the plug-in's folder, appended one
// message at a time, plus the debug output.
#pragma once

constexpr int kLogMessageSize = 4096;  // message buffer, terminator included
constexpr int kLogPathSize = 256;      // log path buffer, terminator included

// Writes to the debug output and the log file whatever the settings say; tells
// the simulator's log when the file cannot be opened.
void logAlways(const char* text);

// The platform's debug output (OutputDebugStringA on Windows, standard error elsewhere).
void debugOutput(const char* text);
