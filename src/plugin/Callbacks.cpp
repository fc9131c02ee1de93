// The callbacks handed to the simulator. Each forwards its arguments
// unchanged to thePluginApp. Windows outlive a stopped plug-in, so a callback
// that arrives while no application object exists does nothing.
#include "plugin/Callbacks.h"

#include "plugin/PluginApp.h"

float PlacementFlightLoop(float elapsedSinceLastCall, float elapsedSinceLastFlightLoop, int counter, void* refcon) {
    if (thePluginApp == nullptr) return 0.0f;
    return thePluginApp->placementLoop(elapsedSinceLastCall, elapsedSinceLastFlightLoop, counter, refcon);
}

float StartupFlightLoop(float, float, int, void*) {
    if (thePluginApp == nullptr) return 0.0f;
    return thePluginApp->deferredStart();
}

void MenuHandler(void* menuReference, void* itemReference) {
    if (thePluginApp != nullptr) thePluginApp->dispatchMenu(menuReference, itemReference);
}

void HotKeyHandler(void* reference) {
    if (thePluginApp != nullptr) thePluginApp->dispatchHotKey(reference);
}

int ControlPanelCallback(XPWidgetMessage message, XPWidgetID widget, intptr_t param1, intptr_t param2) {
    if (thePluginApp == nullptr) return 0;
    return thePluginApp->controlPanelMessage(message, widget, param1, param2);
}

int DataDisplayCallback(XPWidgetMessage message, XPWidgetID widget, intptr_t param1, intptr_t param2) {
    if (thePluginApp == nullptr) return 0;
    return thePluginApp->dataDisplayMessage(message, widget, param1, param2);
}

int FileDialogCallback(XPWidgetMessage message, XPWidgetID widget, intptr_t param1, intptr_t param2) {
    if (thePluginApp == nullptr) return 0;
    return thePluginApp->fileDialogMessage(message, widget, param1, param2);
}
