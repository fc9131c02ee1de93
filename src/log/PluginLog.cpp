// The log file and the debug output. The file is opened, appended and closed
// for every message, so each message is on disk when its call returns.
#include "log/PluginLog.h"

#include <cstdio>
#include <cstring>

#include "XPLMApi.h"
#include "plugin/Paths.h"
#include "plugin/PluginApp.h"
#include "text/BoundedText.h"

namespace {

enum class LogFileResult { Written, PathTooLong, CannotOpen, CannotWrite };

constexpr const char* kCutNotice = "\n[SkyPlacer - the message above was longer than the log takes and was cut]\n";
constexpr const char* kCannotOpenText =
    "SkyPlacer - Unable to create SkyPlacerLog.txt, make sure that the SkyPlacer directory exists.\n";
constexpr const char* kCannotWriteText = "SkyPlacer - Unable to write to SkyPlacerLog.txt, the disk may be full.\n";
constexpr const char* kPathTooLongText =
    "SkyPlacer - The path of SkyPlacerLog.txt is too long; the log file is not written.\n";

// Copies the caller's text into the message buffer; a text that does not fit
// is cut and ends with a notice, so a reader of the log can tell.
void copyMessage(char (&message)[kLogMessageSize], const char* text) {
    if (copyText(message, sizeof message, text)) return;
    size_t noticeLength = std::strlen(kCutNotice);
    message[sizeof message - 1 - noticeLength] = '\0';
    appendText(message, sizeof message, kCutNotice);
}

// Builds the log file's path from the simulator's folder and separator, the
// separator asked for anew at each step.
bool buildLogPath(char (&path)[kLogPathSize]) {
    char systemPath[kSystemPathSize];
    readSystemPath(systemPath);
    return copyText(path, sizeof path, systemPath) &&
           appendPluginFolder(path, sizeof path, XPLMGetDirectorySeparator) &&
           appendText(path, sizeof path, kLogFileName);
}

LogFileResult appendToLogFile(const char* message) {
    char path[kLogPathSize] = {};
    if (!buildLogPath(path)) return LogFileResult::PathTooLong;
    std::FILE* file = std::fopen(path, "at");
    if (file == nullptr) return LogFileResult::CannotOpen;
    bool written = std::fputs(message, file) >= 0;
    bool closed = std::fclose(file) == 0;
    return written && closed ? LogFileResult::Written : LogFileResult::CannotWrite;
}

}  // namespace

void PluginApp::logMessage(const char* text) {
    char message[kLogMessageSize];
    copyMessage(message, text);
    if (config.DebugView != 0) debugOutput(message);
    if (config.LogFile == 0) return;
    if (appendToLogFile(message) == LogFileResult::PathTooLong) XPLMDebugString(kPathTooLongText);
}

void logAlways(const char* text) {
    char message[kLogMessageSize];
    copyMessage(message, text);
    debugOutput(message);
    switch (appendToLogFile(message)) {
        case LogFileResult::Written:
            break;
        case LogFileResult::PathTooLong:
            XPLMDebugString(kPathTooLongText);
            break;
        case LogFileResult::CannotOpen:
            XPLMDebugString(kCannotOpenText);
            break;
        case LogFileResult::CannotWrite:
            XPLMDebugString(kCannotWriteText);
            break;
    }
}
