// The auto-save: every AutoSaveMinutes of the simulator's flight time, while
// it is not paused, the aircraft is captured into a record of its own and
// written to AutoSave.skd, the save before it kept as AutoSave-previous.skd.
// The main loop asks the clock whether a save is due (autoSaveDue).
#include "files/PluginFiles.h"
#include "log/PluginLog.h"
#include "plugin/PluginApp.h"
#include "position/PositionFileWriting.h"
#include "position/RecordText.h"

namespace {
constexpr float kSecondsPerMinute = 60.0f;
}

// The timer starts with the plug-in. Switched off, the auto-save looks up
// nothing, and its null clock handle tells the main loop so. The folder's
// check at start leaves room for the temporary file's name; the previous
// save's name is longer, and a folder too deep for it switches the auto-save
// off at once, rather than failing at every interval.
void PluginApp::startAutoSave() {
    autoSave = AutoSaveState{};
    if (!(config.AutoSaveMinutes > 0)) return;
    char previous[kPathSize];
    if (!pluginFilePath(dataFolder, kAutoSavePreviousFileName, previous, sizeof previous)) {
        logAlways(prefixed("The path of %s is too long; the auto-save is off\n", kAutoSavePreviousFileName).text);
        return;
    }
    autoSave.intervalSeconds = config.AutoSaveMinutes * kSecondsPerMinute;
    autoSave.flightTimeRef = XPLMFindDataRef("sim/time/total_flight_time_sec");
    autoSave.pausedRef = XPLMFindDataRef("sim/time/paused");
    autoSave.timerStart = XPLMGetDataf(autoSave.flightTimeRef);
}

// A save is due. The clock stands still while the simulator is paused; the
// pause is still asked, as another plug-in may move the clock on meanwhile.
void PluginApp::autoSaveAt(float now) {
    if (XPLMGetDatai(autoSave.pausedRef) != 0) return;
    autoSave.timerStart = now;  // a failed save is tried again one interval on, not at every call
    readAircraftState(autoSave.record);
    holdFinite(autoSave.record);
    noteAutoSaveResult(writeAutoSave());
}

// The last save becomes the previous one as the new one takes its place, so
// a save made at a bad moment still leaves the one before it, and a save that
// fails leaves both.
bool PluginApp::writeAutoSave() {
    char path[kPathSize];
    char previous[kPathSize];
    return pluginFilePath(dataFolder, kAutoSaveFileName, path, sizeof path) &&
           pluginFilePath(dataFolder, kAutoSavePreviousFileName, previous, sizeof previous) &&
           writeRecordFile(path, autoSave.record, previous);
}

// In flight a failure opens no window: the log hears of it once, and once
// more when saving works again.
void PluginApp::noteAutoSaveResult(bool saved) {
    if (saved == (autoSave.failing == 0)) return;
    autoSave.failing = saved ? 0 : 1;
    if (saved) {
        logAlways(prefixed("the auto-save works again: %s was written\n", kAutoSaveFileName).text);
    } else {
        logAlways(
            prefixed("the auto-save could not write %s; it tries again at each interval\n", kAutoSaveFileName).text);
    }
}
