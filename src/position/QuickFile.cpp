// Quick save and quick load of QuickFile.skd in the plug-in's folder.
#include "log/PluginLog.h"
#include "plugin/BoundedText.h"
#include "plugin/Paths.h"
#include "plugin/PluginApp.h"
#include "position/PositionMessages.h"
#include "ui/PanelLabels.h"

int PluginApp::quickSave(int captureFirst) {
    captureBeforeSave = captureFirst;
    char path[kPathSize];
    if (pluginFilePath(dataFolder, kQuickFileName, path, sizeof path)) {
        writePositionFile(path);
    } else {
        showMessage(kSaveErrorTitle, kSaveErrorLine1, kSaveErrorLine2);
    }
    return 1;
}

int PluginApp::quickLoad() {
    char path[kPathSize];
    bool loaded = false;
    if (pluginFilePath(dataFolder, kQuickFileName, path, sizeof path)) {
        loaded = loadPositionFile(path) == 1;
    } else {
        logAlways("SkyPlacer - the path of QuickFile.skd is unknown or too long\n");
    }
    if (!loaded) {
        showMessage("SkyPlacer Plugin Warning", "Unable to Load QuickFile.skd File.",
                    "Probably not created with QuickSave Yet");
        return 0;
    }
    setPanelSource(1, kStatusQuickFile);
    if (controlPanelCreated == 1) XPSetWidgetDescriptor(fileNameCaption, "");
    return 1;
}
