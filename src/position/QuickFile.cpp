// Quick save and quick load of QuickFile.skd in the plug-in's folder.
#include "log/PluginLog.h"
#include "plugin/BoundedText.h"
#include "plugin/Paths.h"
#include "plugin/PluginApp.h"
#include "position/PositionMessages.h"
#include "ui/PanelLabels.h"

namespace {

// False when the folder is unknown (its path did not fit) or the file's path does not fit:
// the quick file is never looked for in whatever the current folder happens to be.
bool quickFilePath(const char* folder, char* out) {
    if (folder[0] == '\0') return false;
    return copyText(out, kPathSize, folder) && appendText(out, kPathSize, kQuickFileName);
}

}  // namespace

int PluginApp::quickSave(int captureFirst) {
    captureBeforeSave = captureFirst;
    char path[kPathSize];
    if (quickFilePath(dataFolder, path)) {
        writePositionFile(path);
    } else {
        showMessage(kSaveErrorTitle, kSaveErrorLine1, kSaveErrorLine2);
    }
    return 1;
}

int PluginApp::quickLoad() {
    char path[kPathSize];
    bool loaded = false;
    if (quickFilePath(dataFolder, path)) {
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
