// The simulator's side of the saves: each is handed to the writer thread, and
// what became of it is shown here, on the simulator's thread, at the next
// call of the main loop: the message window for a pilot's save that failed,
// the log lines of the auto-save.
#include "log/PluginLog.h"
#include "plugin/PluginApp.h"
#include "position/SaveQueue.h"
#include "ui/Messages.h"

namespace {

// A pilot's save waits this long for a free slot when the disk has stopped
// answering; an auto-save does not wait (the next one is due an interval on).
constexpr int kPilotSaveWaitMilliseconds = 500;
// A load, the file dialog's list and the stop wait this long for the saves asked before them.
constexpr int kSavesWaitMilliseconds = 2000;

void reportSave(void* context, const SaveJob& job, const SaveResult* result) {
    PluginApp& app = *static_cast<PluginApp*>(context);
    if (result == nullptr) {
        logAlways(prefixed("%s was not written: the plug-in stopped before its save\n", job.path).text);
        return;
    }
    // The auto-save's failures are told once, by its own lines.
    if (job.kind == SaveKind::AutoSave) {
        app.reportAutoSave(result->saved, result->old);
        return;
    }
    if (result->tooLarge != nullptr) logAlways(prefixed("%s is too large to be saved\n", result->tooLarge).text);
    if (!result->saved) app.showMessage(kSaveFailedMessage.title, kSaveFailedMessage.line1, kSaveFailedMessage.line2);
}

}  // namespace

// Last in the start: a start cut short is never stopped, and its thread would
// outlive the module.
void PluginApp::startSaveWriter() { theSaveQueue.start(); }

void PluginApp::stopSaveWriter() { theSaveQueue.stop(kSavesWaitMilliseconds, reportSave, this); }

// What the writer has already finished is shown at once: without a writer
// thread, that is this save.
bool PluginApp::handOverSave(const SaveJob& job) {
    const int wait = job.kind == SaveKind::Pilot ? kPilotSaveWaitMilliseconds : 0;
    const bool handedOver = theSaveQueue.handOver(job, wait, reportSave, this);
    reportFinishedSaves();
    return handedOver;
}

void PluginApp::reportFinishedSaves() { theSaveQueue.reportResults(reportSave, this, false); }

// Every save asked before, whatever name the file system gives its file.
void PluginApp::waitForSaves() { (void)theSaveQueue.waitUntilWritten(kSavesWaitMilliseconds); }
