// The message window: a title, two lines and OK / Cancel. Its callback keeps
// its state in these globals; the placement flight loop destroys the window
// once a button has answered it.
#pragma once

#include <cstdint>

#include "XPWidgetsApi.h"

// 0 while the window is open and unanswered, then kAnsweredCancel or kAnsweredOk (ui/Messages.h).
extern int32_t messageWindowResult;
extern XPWidgetID messageOkButton;
extern XPWidgetID messageCancelButton;

XPWidgetID createMessageWindow(const char* title, const char* line1, const char* line2);
// The window's own handling of a message, which MessageWindowCallback runs.
int messageWindowMessage(XPWidgetMessage message, XPWidgetID widget, intptr_t param1, intptr_t param2);
