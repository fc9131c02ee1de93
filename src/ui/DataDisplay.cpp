// The data display window.
#include "plugin/PluginApp.h"

void PluginApp::createDataDisplay(int, int, int, int) {}
void PluginApp::refreshDataDisplay() {}
int PluginApp::dataDisplayMessage(XPWidgetMessage, XPWidgetID, intptr_t, intptr_t) { return 0; }
