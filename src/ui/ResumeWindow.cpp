// The resume window: the crash save on offer (when it was made, where, how
// high, how fast, which way) and two buttons. "Put the aircraft back" loads
// the file and places it as Position does; "Not now" keeps the file. The
// buttons only record the answer; the main loop acts on it and closes the window.
#include <cmath>
#include <cstdio>

#include "plugin/Callbacks.h"
#include "plugin/PluginApp.h"
#include "text/BoundedText.h"
#include "ui/Messages.h"
#include "ui/WidgetText.h"
#include "ui/WindowLayout.h"

namespace {

constexpr const char* kResumeTitle = "SkyPlacer - Resume After a Crash";
constexpr int kMargin = 20;
// The characters a line holds between the margins, at the simulator's 7 pixels a character.
constexpr int kResumeLineLength = (kResumeWindowPlace.width - 2 * kMargin) / 7;
constexpr int kResumeLines = 7;

using ResumeLine = char[kResumeLineLength + 1];

// Formats one line; a value too long for it (a hand-edited 1e300) is cut and marked.
template <typename... Values>
void formatLine(ResumeLine& line, const char* format, Values... values) {
    if (!formatText(line, sizeof line, format, values...)) markCut(line, sizeof line);
}

void show(PluginApp& app, const MessageText& message) { app.showMessage(message.title, message.line1, message.line2); }

}  // namespace

void PluginApp::openResumeWindow() {
    char name[kCrashSaveNameLength + 1];
    if (!crashSaveToOffer(name, sizeof name)) {
        show(*this, kNoCrashSaveMessage);
        return;
    }
    char path[kPathSize];
    PositionRecord record;
    std::tm at{};
    if (!pluginFilePath(dataFolder, name, path, sizeof path) || !peekPositionFile(path, record) ||
        !crashSaveTime(name, at)) {
        show(*this, kCrashSaveUnreadableMessage);
        return;
    }
    ResumeLine lines[kResumeLines];
    formatLine(lines[0], "%s", "The last save before a crash:");
    formatLine(lines[1], "%s", name);
    formatLine(lines[2], "Saved %04d-%02d-%02d %02d:%02d:%02d", at.tm_year + 1900, at.tm_mon + 1, at.tm_mday,
               at.tm_hour, at.tm_min, at.tm_sec);
    formatLine(lines[3], "Latitude %.6f", record.Latitude);
    formatLine(lines[4], "Longitude %.6f", record.Longitude);
    formatLine(lines[5], "Altitude %.0f ft, speed %.0f kt", record.Altitude, record.Speed);
    // The file may hold any heading (a capture keeps -4 as it is): shown as the compass reads it.
    formatLine(lines[6], "Heading %.0f (magnetic)", std::fmod(std::fmod(record.Heading, 360.0) + 360.0, 360.0));

    if (resumeWindow != nullptr) XPDestroyWidget(resumeWindow, 1);
    copyText(resumeFileName, sizeof resumeFileName, name);
    resumeAnswer = 0;
    const WindowPlace& place = kResumeWindowPlace;
    const int left = place.left;
    const int top = place.top;
    resumeWindow = XPCreateWidget(left, top, left + place.width, top - place.height, 1, kResumeTitle, 1, nullptr,
                                  xpWidgetClass_MainWindow);
    for (int i = 0; i < kResumeLines; ++i) {
        createCaption(resumeWindow, left + kMargin, top - 30 - kRowSpacing * i, left + place.width - kMargin, lines[i]);
    }
    const int buttonsTop = top - 40 - kRowSpacing * kResumeLines;
    resumePutBackButton =
        createPushButton(resumeWindow, left + kMargin, buttonsTop, left + 190, "Put the aircraft back");
    resumeNotNowButton = createPushButton(resumeWindow, left + 210, buttonsTop, left + 300, "Not now");
    XPAddWidgetCallback(resumeWindow, ResumeWindowCallback);
}

int PluginApp::resumeWindowMessage(XPWidgetMessage message, XPWidgetID, intptr_t param1, intptr_t) {
    if (message != xpMsg_PushButtonPressed) return 0;
    XPWidgetID pressed = reinterpret_cast<XPWidgetID>(param1);
    if (pressed == resumePutBackButton) {
        resumeAnswer = kAnsweredOk;
        return 1;
    }
    if (pressed == resumeNotNowButton) {
        resumeAnswer = kAnsweredCancel;
        return 1;
    }
    return 0;
}

// Called by the main loop once the window is answered. Putting back is a load
// of the file, as the file dialog's, then a placement, as Position's: the same
// checks refuse the same values, with the same window.
void PluginApp::answerResume() {
    XPDestroyWidget(resumeWindow, 1);
    resumeWindow = nullptr;
    const int32_t answer = resumeAnswer;
    resumeAnswer = 0;
    if (answer != kAnsweredOk) return;
    char path[kPathSize];
    const int loaded = pluginFilePath(dataFolder, resumeFileName, path, sizeof path) ? loadPositionFile(path) : 0;
    noteFileLoad(loaded, resumeFileName);
    if (loaded) {
        placementDone = 0;
    } else {
        show(*this, kCrashSaveUnreadableMessage);
    }
}
