// The message window: a fixed-size window with a title, two lines of text and
// OK / Cancel. Its buttons only record an answer; the placement flight loop
// destroys the window, never its own callback.
#include "ui/MessageWindow.h"

#include "plugin/PluginApp.h"

int32_t messageWindowResult = 0;
XPWidgetID messageOkButton = nullptr;
XPWidgetID messageCancelButton = nullptr;

namespace {

constexpr int32_t kAnsweredCancel = 1;
constexpr int32_t kAnsweredOk = 2;

XPWidgetID createPushButton(int left, int top, int right, int bottom, const char* label, XPWidgetID window) {
    XPWidgetID button = XPCreateWidget(left, top, right, bottom, 1, label, 0, window, xpWidgetClass_Button);
    XPSetWidgetProperty(button, xpProperty_ButtonType, 0);
    return button;
}

}  // namespace

XPWidgetID createMessageWindow(const char* title, const char* line1, const char* line2) {
    messageWindowResult = 0;
    XPWidgetID window = XPCreateWidget(300, 550, 550, 450, 1, title, 1, nullptr, xpWidgetClass_MainWindow);
    XPCreateWidget(320, 530, 420, 508, 1, line1, 0, window, xpWidgetClass_Caption);
    XPCreateWidget(320, 510, 420, 488, 1, line2, 0, window, xpWidgetClass_Caption);
    messageOkButton = createPushButton(320, 480, 360, 458, " OK", window);
    messageCancelButton = createPushButton(370, 480, 410, 458, " Cancel", window);
    XPAddWidgetCallback(window, MessageWindowCallback);
    return window;
}

int MessageWindowCallback(XPWidgetMessage message, XPWidgetID, intptr_t param1, intptr_t) {
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
