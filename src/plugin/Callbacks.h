// The free functions the plug-in hands to the simulator. Each forwards its
// arguments unchanged to a member operation of thePluginApp, or to the message
// window's or the list box's own code, and returns normally whatever happens there.
#pragma once

#include <cstdint>

#include "XPLMApi.h"
#include "XPWidgetsApi.h"

constexpr float kPlacementInterval = 0.1f;  // seconds between calls of the main loop, whatever it did

float PlacementFlightLoop(float elapsedSinceLastCall, float elapsedSinceLastFlightLoop, int counter, void* refcon);
float StartupFlightLoop(float elapsedSinceLastCall, float elapsedSinceLastFlightLoop, int counter, void* refcon);
void MenuHandler(void* menuReference, void* itemReference);
void HotKeyHandler(void* reference);
int CommandHandler(XPLMCommandRef command, XPLMCommandPhase phase, void* refcon);
int ControlPanelCallback(XPWidgetMessage message, XPWidgetID widget, intptr_t param1, intptr_t param2);
int DataDisplayCallback(XPWidgetMessage message, XPWidgetID widget, intptr_t param1, intptr_t param2);
int FileDialogCallback(XPWidgetMessage message, XPWidgetID widget, intptr_t param1, intptr_t param2);
int MessageWindowCallback(XPWidgetMessage message, XPWidgetID widget, intptr_t param1, intptr_t param2);
int ResumeWindowCallback(XPWidgetMessage message, XPWidgetID widget, intptr_t param1, intptr_t param2);
int ListBoxCallback(XPWidgetMessage message, XPWidgetID widget, intptr_t param1, intptr_t param2);
