// The message window.
#include "ui/MessageWindow.h"

#include "plugin/PluginApp.h"

int32_t messageWindowResult = 0;
XPWidgetID messageOkButton = nullptr;
XPWidgetID messageCancelButton = nullptr;

XPWidgetID createMessageWindow(const char*, const char*, const char*) { return nullptr; }
int MessageWindowCallback(XPWidgetMessage, XPWidgetID, intptr_t, intptr_t) { return 0; }
void PluginApp::showMessage(const char*, const char*, const char*) {}
