// The message window: a fixed-size window with a title, two lines of text and
// OK / Cancel. Its buttons only record an answer; the placement flight loop
// destroys the window, never its own callback.
#include "ui/MessageWindow.h"

#include "plugin/Callbacks.h"
#include "plugin/PluginApp.h"
#include "ui/Messages.h"
#include "ui/WidgetText.h"
#include "ui/WindowLayout.h"

int32_t messageWindowResult = 0;
XPWidgetID messageOkButton = nullptr;
XPWidgetID messageCancelButton = nullptr;

XPWidgetID createMessageWindow(const char* title, const char* line1, const char* line2) {
    messageWindowResult = 0;
    const WindowPlace& place = kMessageWindowPlace;
    const int left = place.left;
    const int top = place.top;
    XPWidgetID window = XPCreateWidget(left, top, left + place.width, top - place.height, 1, title, 1, nullptr,
                                       xpWidgetClass_MainWindow);
    createCaption(window, left + 20, top - 20, left + 120, line1);
    createCaption(window, left + 20, top - 40, left + 120, line2);
    messageOkButton = createPushButton(window, left + 20, top - 70, left + 60, " OK");
    messageCancelButton = createPushButton(window, left + 70, top - 70, left + 110, " Cancel");
    XPAddWidgetCallback(window, MessageWindowCallback);
    return window;
}

int messageWindowMessage(XPWidgetMessage message, XPWidgetID, intptr_t param1, intptr_t) {
    if (message != xpMsg_PushButtonPressed) return 0;
    XPWidgetID pressed = reinterpret_cast<XPWidgetID>(param1);
    if (pressed == messageOkButton) {
        messageWindowResult = kAnsweredOk;
        return 1;
    }
    if (pressed == messageCancelButton) {
        messageWindowResult = kAnsweredCancel;
        return 1;
    }
    return 0;
}

void PluginApp::showMessage(const char* title, const char* line1, const char* line2) {
    if (messageWindow != nullptr) XPDestroyWidget(messageWindow, 1);
    messageWindow = createMessageWindow(title, line1, line2);
}
