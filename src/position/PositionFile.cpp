// Writing and reading position files.
#include "plugin/PluginApp.h"

void PluginApp::writePositionFile(const char*) {}
int PluginApp::parsePositionFile(const char*) { return 0; }
bool PluginApp::readPositionFile(const char*) { return false; }
int PluginApp::loadPositionFile(const char*) { return 0; }
