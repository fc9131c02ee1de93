// The one-shot start-up work run by the first startup flight loop: with
// AutoStart, open the control panel, load the default file and place the
// aircraft there; after a crash, offer its last save in the resume window,
// on top, until the pilot answers.
#include <cstring>

#include "log/PluginLog.h"
#include "plugin/Paths.h"
#include "plugin/PluginApp.h"

float PluginApp::deferredStart() {
    if (config.AutoStart) autoStart();
    if (crashSaves.lastEnd == LastEnd::Crash && crashSaves.offer[0] != '\0') openResumeWindow();
    return 0.0f;
}

void PluginApp::autoStart() {
    // A pilot may have opened the panel within the first second: it is built only once
    if (buildControlPanelOnce() && config.HideControlPanel) XPHideWidget(controlPanelWindow);

    // The guide once told pilots to resume from AutoSave.skd; this start has
    // made that file AutoSave-last-session.skd, which is what they meant.
    const char* name = config.DefaultSKDFileName;
    if (crashSaves.movedAutoSave != 0 && std::strcmp(name, kAutoSaveFileName) == 0) {
        name = kAutoSaveLastSessionFileName;
        logAlways(prefixed("the auto-start places %s, the last session's %s\n", name, kAutoSaveFileName).text);
    }
    char path[kPathSize];
    int loaded = 0;
    if (pluginFilePath(dataFolder, name, path, sizeof path)) {
        loaded = loadPositionFile(path);
    } else {
        // A cut path could name another file: load nothing rather than the wrong one
        logAlways(prefixed("The path of the default SKD file is too long, nothing loaded\n").text);
    }

    noteFileLoad(loaded, name);
    // The record takes the panel's six-decimal texts, so the aircraft goes where the panel says
    readPanelFields();

    // A failed load leaves an all-zero record: placing at latitude 0, longitude 0 would help nobody
    if (loaded) placementDone = 0;
}
