// The callbacks handed to the simulator. Each forwards its arguments
// unchanged to thePluginApp. The flight loops are unregistered before the
// object is freed, and run ten times a second: they test nothing more. A menu
// pick, a hot key or a window (windows outlive a stopped plug-in) that arrives
// while no application object exists does nothing.
#include "plugin/Callbacks.h"

#include "plugin/PluginApp.h"

float PlacementFlightLoop(float elapsedSinceLastCall, float elapsedSinceLastFlightLoop, int counter, void* refcon) {
    return thePluginApp->placementLoop(elapsedSinceLastCall, elapsedSinceLastFlightLoop, counter, refcon);
}

float StartupFlightLoop(float, float, int, void*) { return thePluginApp->deferredStart(); }

void MenuHandler(void* menuReference, void* itemReference) { thePluginApp->dispatchMenu(menuReference, itemReference); }

void HotKeyHandler(void* reference) { thePluginApp->dispatchHotKey(reference); }

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
