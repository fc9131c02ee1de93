// The plug-in's main loop, the placement flight loop, called every 0.1
// seconds for the plug-in's whole life. Handlers never place the aircraft or
// destroy their own window: they set a flag, and this loop acts on it.
#include "plugin/Callbacks.h"
#include "plugin/PluginApp.h"
#include "position/SaveQueue.h"
#include "ui/MessageWindow.h"

float PluginApp::placementLoop(float, float, int, void*) {
    if (theSaveQueue.resultsWaiting()) reportFinishedSaves();
    if (dataDisplayCreated == 1) refreshDataDisplay();
    if (messageWindowResult >= 1) {
        XPDestroyWidget(messageWindow, 1);
        messageWindow = nullptr;
        messageWindowResult = 0;
    }
    if (resumeAnswer >= 1) answerResume();
    if (fileDialogCloseRequested >= 1) {
        XPDestroyWidget(fileDialogWindow, 1);
        fileDialogWindow = nullptr;
        fileDialogCloseRequested = 0;
    }
    const bool settling = pendingSettle.pending != 0;
    if (settling) settleAircraft();  // before a new placement, which needs its own
    if (placementDone == 0) {
        placeAircraft(settling);
    } else if (undo.requested != 0) {
        undoPlacement(settling);
    }
    // The simulator derives the place, the heading and the speed from what was
    // just written only at its next frame, while the levers read back at once:
    // a save now would mix two moments, so one due waits for the call after the
    // settle. A placement that went ahead left a settle pending.
    const bool moved = settling || pendingSettle.pending != 0;
    if (autoSave.flightTimeRef != nullptr && !moved) {
        const float now = XPLMGetDataf(autoSave.flightTimeRef);
        if (autoSaveDue(autoSave, now)) autoSaveAt(now);
    }
    return kPlacementInterval;
}
