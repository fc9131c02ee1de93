// The callbacks handed to the simulator. Each forwards its arguments
// unchanged to thePluginApp. The object exists from start to stop, and the
// stop sequence destroys the windows and removes the flight loops, hot keys,
// command handlers and menu before it frees the object, so no callback can come without it.
#include "plugin/Callbacks.h"

#include "plugin/PluginApp.h"

float PlacementFlightLoop(float elapsedSinceLastCall, float elapsedSinceLastFlightLoop, int counter, void* refcon) {
    return thePluginApp->placementLoop(elapsedSinceLastCall, elapsedSinceLastFlightLoop, counter, refcon);
}

float StartupFlightLoop(float, float, int, void*) { return thePluginApp->deferredStart(); }

void MenuHandler(void* menuReference, void* itemReference) { thePluginApp->dispatchMenu(menuReference, itemReference); }

void HotKeyHandler(void* reference) { thePluginApp->dispatchHotKey(reference); }

int CommandHandler(XPLMCommandRef command, XPLMCommandPhase phase, void* refcon) {
    return thePluginApp->dispatchCommand(command, phase, refcon);
}

int ControlPanelCallback(XPWidgetMessage message, XPWidgetID widget, intptr_t param1, intptr_t param2) {
    return thePluginApp->controlPanelMessage(message, widget, param1, param2);
}

int DataDisplayCallback(XPWidgetMessage message, XPWidgetID widget, intptr_t param1, intptr_t param2) {
    return thePluginApp->dataDisplayMessage(message, widget, param1, param2);
}

int FileDialogCallback(XPWidgetMessage message, XPWidgetID widget, intptr_t param1, intptr_t param2) {
    return thePluginApp->fileDialogMessage(message, widget, param1, param2);
}
