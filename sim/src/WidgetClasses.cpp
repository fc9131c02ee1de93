// The standard classes' own behaviour: the last function of their chain.
//
// Main window: takes every click; with close boxes (property 1200) a press and
// release inside the close box sends message 1200 up the chain from the window.
// Button (class 3): its behaviour (property 1301, 0 when unset) decides what a
// click does, whatever its look (property 1300). A push button (behaviour 0):
// a press and a release over it sends message 1300 up the chain with the
// button's id; disabled, it swallows clicks. Other behaviours (check box,
// radio button) only take the click. Text field: a click focuses it (if
// enabled). Sub-windows and captions take nothing and pass clicks on to their
// container. Each class draws its own widget when the draw message reaches
// it, that is when no callback before it in the chain took the message.
#include <climits>

#include "WidgetTree.h"

namespace skysim {

bool inCloseBox(const Widget& window, int x, int y) {
    return window.right - 20 <= x && x <= window.right - 4 && window.top - 20 <= y && y <= window.top - 4;
}

namespace {
constexpr XPWidgetPropertyID kButtonBehavior = 1301;
constexpr intptr_t kPushButtonBehavior = 0;
}  // namespace

bool isPushButton(const Widget& widget) {
    return widget.widgetClass == Button && widgetProperty(widget, kButtonBehavior) == kPushButtonBehavior;
}

namespace {

// The pointer of a mouse message; a message sent without a mouse state points nowhere.
XPMouseState_t mouseOf(std::intptr_t param1) {
    if (param1 == 0) return {INT_MIN, INT_MIN, 0, 0};
    return *reinterpret_cast<const XPMouseState_t*>(param1);
}

int mainWindowMessage(int message, Widget& window, std::intptr_t param1) {
    bool closeBoxes = widgetProperty(window, xpProperty_MainWindowHasCloseBoxes) != 0;
    switch (message) {
        case xpMsg_MouseDown:
            window.pressed = closeBoxes && inCloseBox(window, mouseOf(param1).x, mouseOf(param1).y);
            return 1;
        case xpMsg_MouseDrag:
            return 1;
        case xpMsg_MouseUp: {
            bool released = window.pressed && inCloseBox(window, mouseOf(param1).x, mouseOf(param1).y);
            window.pressed = false;
            if (released) dispatch(window.id, xpMessage_CloseButtonPushed, xpMode_UpChain, window.id, 0);
            return 1;
        }
        default:
            return 0;
    }
}

int buttonMessage(int message, Widget& button, std::intptr_t param1) {
    bool pushButton = isPushButton(button);
    switch (message) {
        case xpMsg_MouseDown:
            button.pressed = pushButton && isEnabled(button);
            return 1;
        case xpMsg_MouseDrag:
            return 1;
        case xpMsg_MouseUp: {
            bool pushed = button.pressed && isEnabled(button) && button.contains(mouseOf(param1).x, mouseOf(param1).y);
            button.pressed = false;
            if (pushed) dispatch(button.id, xpMsg_PushButtonPressed, xpMode_UpChain, button.id, 0);
            return 1;
        }
        default:
            return 0;
    }
}

int textFieldMessage(int message, const Widget& field) {
    switch (message) {
        case xpMsg_MouseDown:
            if (isEnabled(field)) setKeyboardFocus(field.id);
            return 1;
        case xpMsg_MouseDrag:
        case xpMsg_MouseUp:
            return 1;
        default:
            return 0;
    }
}

}  // namespace

int standardWidgetFunc(XPWidgetMessage message, XPWidgetID handle, std::intptr_t param1, std::intptr_t) {
    Widget* widget = findWidget(toId(handle));
    if (widget == nullptr) return 0;
    if (message == xpMsg_Draw) {
        recordStandardDrawing(*widget);
        return 1;
    }
    switch (widget->widgetClass) {
        case MainWindow:
            return mainWindowMessage(message, *widget, param1);
        case Button:
            return buttonMessage(message, *widget, param1);
        case TextField:
            return textFieldMessage(message, *widget);
        default:
            return 0;
    }
}

}  // namespace skysim
