// The one-shot start-up work run by the first startup flight loop: with
// AutoStart, open the control panel, load the default file and place the
// aircraft there.
#include "log/PluginLog.h"
#include "plugin/Paths.h"
#include "plugin/PluginApp.h"

float PluginApp::deferredStart() {
    if (!config.AutoStart) return 0.0f;

    // A pilot may have opened the panel within the first second: it is built only once
    if (buildControlPanelOnce() && config.HideControlPanel) XPHideWidget(controlPanelWindow);

    char path[kPathSize];
    int loaded = 0;
    if (pluginFilePath(dataFolder, config.DefaultSKDFileName, path, sizeof path)) {
        loaded = loadPositionFile(path);
    } else {
        // A cut path could name another file: load nothing rather than the wrong one
        logAlways(prefixed("The path of the default SKD file is too long, nothing loaded\n").text);
    }

    noteFileLoad(loaded, config.DefaultSKDFileName);
    // The record takes the panel's six-decimal texts, so the aircraft goes where the panel says
    readPanelFields();

    // A failed load leaves an all-zero record: placing at latitude 0, longitude 0 would help nobody
    if (loaded) placementDone = 0;
    return 0.0f;
}
