// Quick save and quick load of QuickFile.skd in the plug-in's folder.
#include "files/PluginFiles.h"
#include "log/PluginLog.h"
#include "plugin/PluginApp.h"
#include "text/BoundedText.h"
#include "ui/Messages.h"
#include "ui/PanelLabels.h"

// 1 when the save was handed to the writer thread; a failure is shown to the
// pilot, at once or when the writer is done.
int PluginApp::quickSave(int captureFirst) {
    captureBeforeSave = captureFirst;
    char path[kPathSize];
    if (pluginFilePath(dataFolder, kQuickFileName, path, sizeof path)) return writePositionFile(path) ? 1 : 0;
    showMessage(kSaveFailedMessage.title, kSaveFailedMessage.line1, kSaveFailedMessage.line2);
    return 0;
}

int PluginApp::quickLoad() {
    char path[kPathSize];
    bool loaded = false;
    if (pluginFilePath(dataFolder, kQuickFileName, path, sizeof path)) {
        loaded = loadPositionFile(path) == 1;
    } else {
        logAlways(prefixed("the path of %s is unknown or too long\n", kQuickFileName).text);
    }
    if (!loaded) {
        showMessage(kQuickLoadFailedMessage.title, kQuickLoadFailedMessage.line1, kQuickLoadFailedMessage.line2);
        return 0;
    }
    setPanelSource(1, kStatusQuickFile, "");
    return 1;
}
