// The plug-in's main loop, the placement flight loop, called every 0.1
// seconds for the plug-in's whole life. Handlers never place the aircraft or
// destroy their own window: they set a flag, and this loop acts on it.
#include "plugin/Callbacks.h"
#include "plugin/PluginApp.h"
#include "position/SaveQueue.h"
#include "ui/MessageWindow.h"

namespace {

// What the writer thread finished is shown; a window whose buttons recorded
// an answer closes.
void answerWaitingWork(PluginApp& app) {
    if (theSaveQueue.resultsWaiting() != 0) app.reportFinishedSaves();
    if (messageWindowResult >= 1) {
        XPDestroyWidget(app.messageWindow, 1);
        app.messageWindow = nullptr;
        messageWindowResult = 0;
    }
    if (app.resumeAnswer >= 1) app.answerResume();
    if (app.fileDialogCloseRequested >= 1) {
        XPDestroyWidget(app.fileDialogWindow, 1);
        app.fileDialogWindow = nullptr;
        app.fileDialogCloseRequested = 0;
    }
}

}  // namespace

float PluginApp::placementLoop(float, float, int, void*) {
    if (dataDisplayCreated == 1) refreshDataDisplay();
    // Each answer is 0 until a button sets 1 or 2: one test asks for the saves'
    // results and all three answers at every call, which nearly always finds none.
    if ((theSaveQueue.resultsWaiting() | messageWindowResult | resumeAnswer | fileDialogCloseRequested) != 0) {
        answerWaitingWork(*this);
    }
    // The simulator derives the place, the heading and the speed from what was
    // just written only at its next frame, while the levers read back at once:
    // a save now would mix two moments, so one due waits for the call after the
    // settle. A placement or an undo that went ahead left a settle pending.
    const bool settling = pendingSettle.pending != 0;
    bool moved = settling;
    if (settling) settleAircraft();  // before a new placement, which needs its own
    if (placementDone == 0) {
        placeAircraft(settling);
        moved = moved || pendingSettle.pending != 0;
    } else if (undo.requested != 0) {
        undoPlacement(settling);
        moved = moved || pendingSettle.pending != 0;
    }
    if (autoSave.flightTimeRef != nullptr && !moved) {
        const float now = XPLMGetDataf(autoSave.flightTimeRef);
        if (autoSaveDue(autoSave, now)) autoSaveAt(now);
    }
    return kPlacementInterval;
}
