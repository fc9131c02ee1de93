// The auto-save: every AutoSaveMinutes of the simulator's flight time, while
// it is not paused, the aircraft is captured into a record of its own and
// written to AutoSave.skd, the save before it kept as AutoSave-previous.skd;
// the last save of the run before is kept apart first (CrashSaves.cpp). The
// main loop asks the clock whether a save is due (autoSaveDue).
#include <cstring>
#include <string>

#include "files/FileAccess.h"
#include "files/PluginFiles.h"
#include "log/PluginLog.h"
#include "plugin/PluginApp.h"
#include "position/RecordText.h"
#include "position/SaveJob.h"

namespace {

constexpr float kSecondsPerMinute = 60.0f;

static_assert(std::char_traits<char>::length(kAutoSavePreviousFileName) <= kCrashSaveNameLength &&
                  std::char_traits<char>::length(kAutoSaveLastSessionFileName) <= kCrashSaveNameLength,
              "the start's check, made for a crash save's name, covers the auto-save's other names");

// In flight a failure opens no window: the log hears of it once, and once
// more when it is over. True when `failed` is news.
bool changes(int32_t& failing, bool failed) {
    if (failed == (failing != 0)) return false;
    failing = failed ? 1 : 0;
    return true;
}

}  // namespace

// The timer starts with the plug-in. Switched off, the auto-save looks up
// and touches nothing, and its null clock handle tells the main loop so. The
// folder's check at start leaves room for the temporary file's name; the
// auto-save's own names are longer, and a folder too deep for the longest
// switches the auto-save off at once, rather than failing at every interval.
void PluginApp::startAutoSave() {
    autoSave = AutoSaveState{};
    crashSaves = CrashSaveState{};
    if (!(config.AutoSaveMinutes > 0)) return;
    if (std::strlen(dataFolder) + kCrashSaveNameLength > kMaxPathLength) {
        logAlways(
            prefixed("The path of a crash save, %s..., is too long; the auto-save is off\n", kCrashSavePrefix).text);
        return;
    }
    autoSave.intervalSeconds = config.AutoSaveMinutes * kSecondsPerMinute;
    autoSave.flightTimeRef = XPLMFindDataRef("sim/time/total_flight_time_sec");
    autoSave.pausedRef = XPLMFindDataRef("sim/time/paused");
    autoSave.timerStart = XPLMGetDataf(autoSave.flightTimeRef);
    startCrashSaves();
}

// A save is due. The clock stands still while the simulator is paused; the
// pause is still asked, as another plug-in may move the clock on meanwhile.
// The last save is kept as the previous one as the new one takes its place,
// so a save made at a bad moment still leaves the one before it. The capture
// is handed to the writer thread, which does the disk work.
void PluginApp::autoSaveAt(float now) {
    if (XPLMGetDatai(autoSave.pausedRef) != 0) return;
    // A crashed aircraft or a replayed flight is no flight to resume: the save
    // before stays the last, and the one due is made once the stretch is over.
    const char* notResumable = XPLMGetDatai(hasCrashedRef) != 0 ? "the aircraft has crashed"
                               : XPLMGetDatai(inReplayRef) != 0 ? "the simulator is replaying"
                                                                : nullptr;
    if (notResumable != nullptr) {
        if (changes(autoSave.waiting, true)) {
            logAlways(
                prefixed("the auto-save waits: %s; %s keeps the save before\n", notResumable, kAutoSaveFileName).text);
        }
        return;
    }
    autoSave.waiting = 0;
    autoSave.timerStart = now;  // a failed save is tried again one interval on, not at every call
    if (!retryKeep()) return;   // the last run's save is still where this save would go
    readAircraftState(autoSave.record);
    holdFinite(autoSave.record);
    SaveJob job{SaveKind::AutoSave, autoSave.record, {}, {}};
    const bool handedOver =
        pluginFilePath(dataFolder, kAutoSaveFileName, job.path, sizeof job.path) &&
        pluginFilePath(dataFolder, kAutoSavePreviousFileName, job.keepOldAs, sizeof job.keepOldAs) && handOverSave(job);
    if (!handedOver) reportAutoSave(false, OldFile::None);
}

// What became of a save, once the writer thread is done with it: the log
// hears of a failure, and of the end of one.
void PluginApp::reportAutoSave(bool saved, OldFile old) {
    if (changes(autoSave.failing, !saved)) {
        logAlways(
            saved ? prefixed("the auto-save works again: %s was written\n", kAutoSaveFileName).text
                  : prefixed("the auto-save could not write %s; it tries again at each interval\n", kAutoSaveFileName)
                        .text);
    }
    // With no last save there was nothing to keep, and nothing to tell.
    if (old != OldFile::None && changes(autoSave.previousFailing, old == OldFile::NotKept)) {
        logAlways(old == OldFile::Kept
                      ? prefixed("the auto-save keeps the save before the last again: %s was written\n",
                                 kAutoSavePreviousFileName)
                            .text
                      : prefixed("the auto-save could not keep the save before the last as %s; %s was written\n",
                                 kAutoSavePreviousFileName, kAutoSaveFileName)
                            .text);
    }
}
