// The log file and the debug output. The file is opened, appended and closed
// for every message, so each message is on disk when its call returns; its
// path is built once at start with the plug-in's folder.
#include "log/PluginLog.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "XPLMApi.h"
#include "files/FileAccess.h"
#include "files/PluginFiles.h"
#include "plugin/PluginApp.h"
#include "text/BoundedText.h"

namespace {

enum class LogFileResult { Written, PathTooLong, CannotOpen, CannotWrite };

constexpr const char* kLogPrefix = "SkyPlacer - ";
constexpr const char* kCutNotice = "\n[SkyPlacer - the message above was longer than the log takes and was cut]\n";

// Ends a message that was cut at the end of its buffer with a notice, so a reader of the log can tell.
void endWithCutNotice(char (&message)[kLogMessageSize]) {
    size_t noticeLength = std::strlen(kCutNotice);
    message[sizeof message - 1 - noticeLength] = '\0';
    appendText(message, sizeof message, kCutNotice);
}

// Copies the caller's text into the message buffer, cut with the notice when it does not fit.
void copyMessage(char (&message)[kLogMessageSize], const char* text) {
    if (!copyText(message, sizeof message, text)) endWithCutNotice(message);
}

LogFileResult appendToLogFile(const char* message) {
    // Before start has built the path, or when the folder's path is too long, there is no log file.
    if (thePluginApp == nullptr || thePluginApp->logPath[0] == '\0') return LogFileResult::PathTooLong;
    std::FILE* file = openFile(thePluginApp->logPath, "at");
    if (file == nullptr) return LogFileResult::CannotOpen;
    bool written = std::fputs(message, file) >= 0;
    bool closed = std::fclose(file) == 0;
    return written && closed ? LogFileResult::Written : LogFileResult::CannotWrite;
}

void reportPathTooLong() {
    simulatorLog(prefixed("The path of %s is too long; the log file is not written.\n", kLogFileName).text);
}

}  // namespace

void simulatorLog(const char* text) { XPLMDebugString(text); }

LogLine prefixed(const char* format, ...) {
    LogLine line;
    copyText(line.text, sizeof line.text, kLogPrefix);
    size_t used = std::strlen(line.text);
    va_list args;
    va_start(args, format);
    int length = std::vsnprintf(line.text + used, sizeof line.text - used, format, args);
    va_end(args);
    if (length < 0) {
        line.text[used] = '\0';
    } else if (static_cast<size_t>(length) >= sizeof line.text - used) {
        endWithCutNotice(line.text);
    }
    return line;
}

void PluginApp::logMessage(const char* text) {
    char message[kLogMessageSize];
    copyMessage(message, text);
    if (config.DebugView != 0) debugOutput(message);
    if (config.LogFile == 0) return;
    if (appendToLogFile(message) == LogFileResult::PathTooLong) reportPathTooLong();
}

void logAlways(const char* text) {
    char message[kLogMessageSize];
    copyMessage(message, text);
    debugOutput(message);
    switch (appendToLogFile(message)) {
        case LogFileResult::Written:
            break;
        case LogFileResult::PathTooLong:
            reportPathTooLong();
            break;
        case LogFileResult::CannotOpen:
            simulatorLog(
                prefixed("Unable to create %s, make sure that the SkyPlacer directory exists.\n", kLogFileName).text);
            break;
        case LogFileResult::CannotWrite:
            simulatorLog(prefixed("Unable to write to %s, the disk may be full.\n", kLogFileName).text);
            break;
    }
}
