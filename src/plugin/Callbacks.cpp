// The callbacks handed to the simulator. Each forwards its arguments
// unchanged to thePluginApp (the message window's and the list box's to their
// own code), through the guard that keeps an exception from reaching the
// simulator. The object exists from start to stop, and the stop sequence
// destroys the windows and removes the flight loops, hot keys, command
// handlers and menu before it frees the object, so no callback can come without it.
#include "plugin/Callbacks.h"

#include "plugin/CallbackGuard.h"
#include "plugin/PluginApp.h"
#include "ui/ListBox.h"
#include "ui/MessageWindow.h"

namespace {
// What a callback returns when its work was cut short. The main loop keeps its
// pace (kPlacementInterval); the one-shot start-up is not called again; a
// command goes on to the simulator; a widget message is passed on, as one the
// callback does not know.
constexpr float kNotAgain = 0.0f;
constexpr int kCommandGoesOn = 1;
constexpr int kMessagePassedOn = 0;
}  // namespace

float PlacementFlightLoop(float elapsedSinceLastCall, float elapsedSinceLastFlightLoop, int counter, void* refcon) {
    return guarded(SimulatorCall::PlacementFlightLoop, kPlacementInterval, [=] {
        return thePluginApp->placementLoop(elapsedSinceLastCall, elapsedSinceLastFlightLoop, counter, refcon);
    });
}

float StartupFlightLoop(float, float, int, void*) {
    return guarded(SimulatorCall::StartupFlightLoop, kNotAgain, [] { return thePluginApp->deferredStart(); });
}

void MenuHandler(void* menuReference, void* itemReference) {
    guarded(SimulatorCall::MenuHandler, [=] { thePluginApp->dispatchMenu(menuReference, itemReference); });
}

void HotKeyHandler(void* reference) {
    guarded(SimulatorCall::HotKeyHandler, [=] { thePluginApp->dispatchHotKey(reference); });
}

int CommandHandler(XPLMCommandRef command, XPLMCommandPhase phase, void* refcon) {
    return guarded(SimulatorCall::CommandHandler, kCommandGoesOn,
                   [=] { return thePluginApp->dispatchCommand(command, phase, refcon); });
}

int ControlPanelCallback(XPWidgetMessage message, XPWidgetID widget, intptr_t param1, intptr_t param2) {
    return guarded(SimulatorCall::ControlPanelCallback, kMessagePassedOn,
                   [=] { return thePluginApp->controlPanelMessage(message, widget, param1, param2); });
}

int DataDisplayCallback(XPWidgetMessage message, XPWidgetID widget, intptr_t param1, intptr_t param2) {
    return guarded(SimulatorCall::DataDisplayCallback, kMessagePassedOn,
                   [=] { return thePluginApp->dataDisplayMessage(message, widget, param1, param2); });
}

int FileDialogCallback(XPWidgetMessage message, XPWidgetID widget, intptr_t param1, intptr_t param2) {
    return guarded(SimulatorCall::FileDialogCallback, kMessagePassedOn,
                   [=] { return thePluginApp->fileDialogMessage(message, widget, param1, param2); });
}

int MessageWindowCallback(XPWidgetMessage message, XPWidgetID widget, intptr_t param1, intptr_t param2) {
    return guarded(SimulatorCall::MessageWindowCallback, kMessagePassedOn,
                   [=] { return messageWindowMessage(message, widget, param1, param2); });
}

int ResumeWindowCallback(XPWidgetMessage message, XPWidgetID widget, intptr_t param1, intptr_t param2) {
    return guarded(SimulatorCall::ResumeWindowCallback, kMessagePassedOn,
                   [=] { return thePluginApp->resumeWindowMessage(message, widget, param1, param2); });
}

int ListBoxCallback(XPWidgetMessage message, XPWidgetID widget, intptr_t param1, intptr_t param2) {
    return guarded(SimulatorCall::ListBoxCallback, kMessagePassedOn,
                   [=] { return listBoxMessage(message, widget, param1, param2); });
}
