// The pilot's mouse and keyboard: routing a click to the widget under the
// pointer, the capture of drag and release by the widget that took the press,
// the keyboard focus, and the driver's click and type helpers.
//
// A press goes to the top-most shown widget under the pointer (the front-most
// root that contains it, then the deepest shown child that does, the later
// created of overlapping siblings winning), up the chain. After it, a main
// window under the press comes to the front.
#include <climits>

#include "WidgetTree.h"

namespace skysim {

namespace {

WidgetId captured = 0;  // took the last press: gets drag and release wherever the pointer is
WidgetId focused = 0;

WidgetId deepestShownAt(const Widget& widget, int x, int y) {
    for (auto child = widget.children.rbegin(); child != widget.children.rend(); ++child) {
        const Widget* inner = findWidget(*child);
        if (inner != nullptr && inner->visible && inner->contains(x, y)) return deepestShownAt(*inner, x, y);
    }
    return widget.id;
}

WidgetId widgetAt(int x, int y) {
    const std::vector<WidgetId>& roots = rootOrder();
    for (auto root = roots.rbegin(); root != roots.rend(); ++root) {
        const Widget* window = findWidget(*root);
        if (window != nullptr && window->visible && window->contains(x, y)) return deepestShownAt(*window, x, y);
    }
    return 0;
}

void sendToCaptured(int message, int x, int y) {
    XPMouseState_t state{x, y, 0, 0};
    dispatch(captured, message, xpMode_Direct, reinterpret_cast<std::intptr_t>(&state), 0);
}

// First shown push button with this label, depth first in creation order.
const Widget* pushButtonIn(const Widget& widget, const std::string& label) {
    if (!widget.visible) return nullptr;
    if (isPushButton(widget) && widget.descriptor == label) {
        return &widget;
    }
    for (WidgetId child : widget.children) {
        const Widget* inner = findWidget(child);
        const Widget* found = inner != nullptr ? pushButtonIn(*inner, label) : nullptr;
        if (found != nullptr) return found;
    }
    return nullptr;
}

}  // namespace

void setKeyboardFocus(WidgetId field) { focused = field; }

WidgetId keyboardFocus() { return findWidget(focused) != nullptr ? focused : 0; }

void resetMouse() {
    captured = 0;
    focused = 0;
}

void Sim::mouseDown(int x, int y) {
    focused = 0;  // a press elsewhere takes the focus away; a text field takes it back
    WidgetId target = widgetAt(x, y);
    if (target == 0) {
        captured = 0;
        return;
    }
    XPMouseState_t state{x, y, 0, 0};
    captured = dispatch(target, xpMsg_MouseDown, xpMode_UpChain, reinterpret_cast<std::intptr_t>(&state), 0);
    WidgetId root = rootOf(target);
    const Widget* window = findWidget(root);
    if (window != nullptr && window->widgetClass == MainWindow) bringToFront(root);
}

void Sim::mouseDrag(int x, int y) { sendToCaptured(xpMsg_MouseDrag, x, y); }

void Sim::mouseUp(int x, int y) {
    sendToCaptured(xpMsg_MouseUp, x, y);
    captured = 0;
}

void Sim::click(int x, int y) {
    mouseDown(x, y);
    mouseUp(x, y);
}

bool Sim::clickButton(const std::string& label) {
    const std::vector<WidgetId>& backToFront = rootOrder();
    for (auto root = backToFront.rbegin(); root != backToFront.rend(); ++root) {
        const Widget* window = findWidget(*root);
        const Widget* button = window != nullptr ? pushButtonIn(*window, label) : nullptr;
        if (button == nullptr) continue;
        // A covered button is out of the pilot's reach: the click would land on what covers it.
        int x = (button->left + button->right) / 2;
        int y = (button->top + button->bottom) / 2;
        if (widgetAt(x, y) != button->id) return false;
        click(x, y);
        return true;
    }
    return false;
}

void Sim::clickCloseBox(WidgetId window) {
    const Widget* found = findWidget(window);
    if (found != nullptr) click(found->right - 12, found->top - 12);
}

// The pilot clicks into the field (which must take the focus) and replaces its text.
bool Sim::typeInto(WidgetId field, const std::string& text) {
    const Widget* found = findWidget(field);
    if (found == nullptr || found->widgetClass != TextField || !isEnabled(*found) || !isShown(*found)) {
        return false;
    }
    click((found->left + found->right) / 2, (found->top + found->bottom) / 2);
    Widget* typedInto = findWidget(keyboardFocus());
    if (typedInto == nullptr || typedInto->id != field) return false;
    setDescriptor(*typedInto, text.c_str());
    return true;
}

}  // namespace skysim

using namespace skysim;

SKYSIM_EXPORT int XPUSelectIfNeeded(XPWidgetMessage message, XPWidgetID widget, intptr_t, intptr_t, int eatClick) {
    SKYSIM_STAND_IN_CODE;
    if (message != xpMsg_MouseDown) return 0;
    WidgetId root = rootOf(toId(widget));
    if (root == 0 || rootOrder().back() == root) return 0;
    bringToFront(root);
    return eatClick;
}
