// Reading SkyPlacer.ini into the settings and hot-key slots.
#include "plugin/PluginApp.h"

bool PluginApp::readSettings(const char*) { return false; }
int PluginApp::parseSettings(const char*) { return 0; }
