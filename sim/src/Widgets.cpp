// The widget tree: creation, destruction, z-order and the tree's own look-ups.
//
// Ids come from a counter that is never reset, so an id is never reused within
// the process and a call on a destroyed widget is recognised and ignored.
#include <algorithm>

#include "WidgetTree.h"

namespace skysim {

namespace {

std::map<WidgetId, Widget> widgets;
std::vector<WidgetId> zOrder;  // roots, back to front
WidgetId nextId = 0x10000;     // spaced so ids look like pointers
constexpr WidgetId kIdStep = 0x10;

WidgetId createWidget(int left, int top, int right, int bottom, int visible, const char* descriptor, int isRoot,
                      XPWidgetID container, int widgetClass, XPWidgetFunc_t function) {
    Widget widget;
    widget.id = nextId;
    nextId += kIdStep;
    widget.widgetClass = widgetClass;
    widget.left = left;
    widget.top = top;
    widget.right = right;
    widget.bottom = bottom;
    widget.visible = visible != 0;
    widget.descriptor = descriptor != nullptr ? descriptor : "";
    widget.properties[xpProperty_Enabled] = 1;
    widget.chain.push_back(function);
    // A root is placed in the z-order and ignores any container; a child of an
    // unknown container is kept but never shown.
    widget.root = isRoot != 0;
    Widget* parent = widget.root ? nullptr : findWidget(toId(container));
    if (parent != nullptr) {
        widget.parent = parent->id;
        parent->children.push_back(widget.id);
    }
    if (widget.root) zOrder.push_back(widget.id);
    WidgetId id = widget.id;
    widgets.emplace(id, std::move(widget));
    return id;
}

void detachFromParent(const Widget& widget) {
    if (widget.root) zOrder.erase(std::remove(zOrder.begin(), zOrder.end(), widget.id), zOrder.end());
    Widget* parent = findWidget(widget.parent);
    if (parent == nullptr) return;
    auto& siblings = parent->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), widget.id), siblings.end());
}

// Children first, deepest first: the order in which widgets are told and removed.
void collectDeepestFirst(WidgetId id, std::vector<WidgetId>& out) {
    const Widget* widget = findWidget(id);
    if (widget == nullptr) return;
    for (WidgetId child : widget->children) collectDeepestFirst(child, out);
    out.push_back(id);
}

}  // namespace

int unknownWidgetCallCount = 0;

Widget* pluginWidget(XPWidgetID handle) {
    Widget* widget = findWidget(toId(handle));
    if (widget == nullptr) ++unknownWidgetCallCount;
    return widget;
}

Widget* findWidget(WidgetId id) {
    auto found = widgets.find(id);
    return found == widgets.end() ? nullptr : &found->second;
}

const std::map<WidgetId, Widget>& allWidgets() { return widgets; }

const std::vector<WidgetId>& rootOrder() { return zOrder; }

void bringToFront(WidgetId root) {
    auto found = std::find(zOrder.begin(), zOrder.end(), root);
    if (found == zOrder.end()) return;
    zOrder.erase(found);
    zOrder.push_back(root);
}

WidgetId rootOf(WidgetId id) {
    for (const Widget* widget = findWidget(id); widget != nullptr; widget = findWidget(widget->parent)) {
        if (widget->root) return widget->id;
    }
    return 0;
}

bool isShown(const Widget& widget) {
    for (const Widget* w = &widget; w != nullptr; w = findWidget(w->parent)) {
        if (!w->visible) return false;
        if (w->root) return true;
    }
    return false;  // an orphan is on no screen
}

// Quitting the simulator destroys every window a plug-in left behind, each
// widget told with its destroy message, as the simulator does at unload.
void resetWidgets() {
    std::vector<WidgetId> tops;
    for (const auto& entry : widgets) {
        if (findWidget(entry.second.parent) == nullptr) tops.push_back(entry.first);
    }
    for (WidgetId top : tops) XPDestroyWidget(toHandle(top), 1);
    widgets.clear();
    zOrder.clear();
    descriptorWriteCount = 0;
    unknownWidgetCallCount = 0;
    resetMouse();
    clearDrawing();
}

}  // namespace skysim

using namespace skysim;

SKYSIM_EXPORT XPWidgetID XPCreateWidget(int left, int top, int right, int bottom, int visible, const char* descriptor,
                                        int isRoot, XPWidgetID container, XPWidgetClass widgetClass) {
    SKYSIM_STAND_IN_CODE;
    WidgetId id =
        createWidget(left, top, right, bottom, visible, descriptor, isRoot, container, widgetClass, standardWidgetFunc);
    dispatch(id, xpMsg_Create, xpMode_Direct, 0, 0);
    return toHandle(id);
}

SKYSIM_EXPORT XPWidgetID XPCreateCustomWidget(int left, int top, int right, int bottom, int visible,
                                              const char* descriptor, int isRoot, XPWidgetID container,
                                              XPWidgetFunc_t callback) {
    SKYSIM_STAND_IN_CODE;
    WidgetId id = createWidget(left, top, right, bottom, visible, descriptor, isRoot, container, CustomClass, callback);
    dispatch(id, xpMsg_Create, xpMode_Direct, 0, 0);
    return toHandle(id);
}

// Each widget that goes is told (message 2) and removed before its container
// is told: children first, deepest first; param1 is 1 for those destroyed with
// their container. Without destroyChildren the children are only detached:
// they stay alive, in no container, and are never shown.
SKYSIM_EXPORT void XPDestroyWidget(XPWidgetID handle, int destroyChildren) {
    SKYSIM_STAND_IN_CODE;
    WidgetId id = toId(handle);
    Widget* widget = pluginWidget(handle);
    if (widget == nullptr) return;
    std::vector<WidgetId> doomed;
    if (destroyChildren != 0) {
        collectDeepestFirst(id, doomed);
    } else {
        for (WidgetId child : widget->children) findWidget(child)->parent = 0;
        widget->children.clear();
        doomed.push_back(id);
    }
    for (WidgetId each : doomed) {
        // Every function of the chain hears it: a callback that handles it cannot hide it from the widget's own.
        dispatch(each, xpMsg_Destroy, xpMode_DirectAllCallbacks, each == id ? 0 : 1, 0);
        Widget* gone = findWidget(each);
        if (gone == nullptr) continue;  // its destroy message already took it
        detachFromParent(*gone);
        widgets.erase(each);
    }
}
