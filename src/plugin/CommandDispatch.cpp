// Hot-key and menu dispatch of the eight commands.
#include "plugin/PluginApp.h"

void PluginApp::dispatchHotKey(void*) {}
void PluginApp::dispatchMenu(void*, void*) {}
void PluginApp::runCommand(int) {}
void PluginApp::armPlacementIfEnabled() {}
void PluginApp::showControlPanel() {}
void PluginApp::showDataDisplay() {}
void PluginApp::toggleControlPanel() {}
void PluginApp::toggleDataDisplay() {}
