// The file dialog.
#include "plugin/PluginApp.h"

void PluginApp::openLoadDialog() {}
void PluginApp::openSaveDialog(int) {}
void PluginApp::createFileDialog(const char*, int, int, int, int, int, const char*) {}
void PluginApp::fillFileList(const char*, const char*) {}
void PluginApp::addListItem(const char*) {}
int PluginApp::fileDialogMessage(XPWidgetMessage, XPWidgetID, intptr_t, intptr_t) { return 0; }
