// The stand-in's widget tree: what the widget files share with each other.
//
// A widget is a rectangle with a text (its descriptor), properties and a chain
// of message functions: callbacks added later run first, the class's own
// behaviour (or a custom widget's function) runs last. Root windows sit in a
// z-order list; other widgets are listed in their container.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "Internal.h"
#include "XPWidgetsApi.h"
#include "skysim/Sim.h"

namespace skysim {

struct Widget {
    WidgetId id = 0;
    int widgetClass = 0;  // WidgetClass value; CustomClass for custom widgets
    int left = 0, top = 0, right = 0, bottom = 0;
    bool visible = false;
    bool root = false;
    WidgetId parent = 0;             // 0 for roots and orphans
    std::vector<WidgetId> children;  // creation order
    std::string descriptor;
    std::map<int, std::intptr_t> properties;
    std::vector<XPWidgetFunc_t> chain;  // first runs first; the class's own function is last
    bool pressed = false;               // a standard button or close box held by the mouse

    bool contains(int x, int y) const { return left <= x && x <= right && bottom <= y && y <= top; }
};

// The alive widget of this id, or null for an unknown or destroyed one.
Widget* findWidget(WidgetId id);
// Every alive widget, in creation order (ids only grow).
const std::map<WidgetId, Widget>& allWidgets();
// Root windows, back to front.
const std::vector<WidgetId>& rootOrder();
void bringToFront(WidgetId root);
// The root window above this widget (itself for a root), 0 when it has none.
WidgetId rootOf(WidgetId id);
// Visible itself and every container up to a root.
bool isShown(const Widget& widget);
std::intptr_t widgetProperty(const Widget& widget, int property, bool* exists = nullptr);
bool isEnabled(const Widget& widget);

// Sends a message in a dispatch mode; returns the widget that handled it, or 0.
WidgetId dispatch(WidgetId id, int message, int mode, std::intptr_t param1, std::intptr_t param2);
// Sets the descriptor and tells the widget (message 18).
void setDescriptor(Widget& widget, const char* text);

// A button whose behaviour (property 1301, whatever its look) is the push button's.
bool isPushButton(const Widget& widget);

// The standard classes' own message function (the last link of their chain).
int standardWidgetFunc(XPWidgetMessage message, XPWidgetID widget, std::intptr_t param1, std::intptr_t param2);

// The close box of a main window with close boxes: its top-right 16 by 16
// pixels, x from right-20 to right-4, y from top-4 down to top-20.
bool inCloseBox(const Widget& window, int x, int y);

inline XPWidgetID toHandle(WidgetId id) { return reinterpret_cast<XPWidgetID>(id); }
inline WidgetId toId(XPWidgetID handle) { return reinterpret_cast<WidgetId>(handle); }

// Forgets the drawing record.
void clearDrawing();
// Records that a standard class drew the widget it is drawing now.
void recordStandardDrawing(const Widget& widget);

// The text field that takes the keys, 0 for none.
void setKeyboardFocus(WidgetId field);
WidgetId keyboardFocus();
void resetMouse();

// Descriptor writes the plug-in made since the last reset.
extern int descriptorWriteCount;

// The widget a plug-in's call names; null for an id of 0 or of a widget that
// no longer exists, which is counted, since the real toolkit gives no warning.
Widget* pluginWidget(XPWidgetID handle);
extern int unknownWidgetCallCount;

}  // namespace skysim
