// The control panel window.
#include "plugin/PluginApp.h"

void PluginApp::createControlPanel(int, int, int, int) {}
void PluginApp::refreshPanelFields() {}
void PluginApp::readPanelFields() {}
void PluginApp::setPanelSource(int, const char*) {}
int PluginApp::controlPanelMessage(XPWidgetMessage, XPWidgetID, intptr_t, intptr_t) { return 0; }
