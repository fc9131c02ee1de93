// The message window.
#include "plugin/PluginApp.h"

void PluginApp::showMessage(const char*, const char*, const char*) {}
