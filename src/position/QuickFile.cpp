// Quick save and quick load of QuickFile.skd.
#include "plugin/PluginApp.h"

int PluginApp::quickSave(int) { return 1; }
int PluginApp::quickLoad() { return 0; }
