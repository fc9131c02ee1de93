// The plug-in's main loop, the placement flight loop, called every 0.1
// seconds for the plug-in's whole life. Handlers never place the aircraft or
// destroy their own window: they set a flag, and this loop acts on it.
#include "plugin/Callbacks.h"
#include "plugin/PluginApp.h"
#include "ui/MessageWindow.h"

float PluginApp::placementLoop(float, float, int, void*) {
    if (dataDisplayCreated == 1) refreshDataDisplay();
    if (messageWindowResult >= 1) {
        XPDestroyWidget(messageWindow, 1);
        messageWindow = nullptr;
        messageWindowResult = 0;
    }
    if (fileDialogCloseRequested >= 1) {
        XPDestroyWidget(fileDialogWindow, 1);
        fileDialogWindow = nullptr;
        fileDialogCloseRequested = 0;
    }
    if (pendingSettle.pending != 0) settleAircraft();  // before a new placement, which needs its own
    if (placementDone == 0) placeAircraft();
    if (autoSave.flightTimeRef != nullptr) {
        const float now = XPLMGetDataf(autoSave.flightTimeRef);
        if (autoSaveDue(autoSave, now)) autoSaveAt(now);
    }
    return kPlacementInterval;
}
