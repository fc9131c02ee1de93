// The driver's read-only view of the widget tree.
#include "WidgetTree.h"

namespace skysim {

namespace {

WidgetInfo describe(const Widget& widget) {
    WidgetInfo info;
    info.id = widget.id;
    info.widgetClass = widget.widgetClass;
    info.left = widget.left;
    info.top = widget.top;
    info.right = widget.right;
    info.bottom = widget.bottom;
    info.visible = widget.visible;
    info.shown = isShown(widget);
    info.root = widget.root;
    info.parent = widget.parent;
    info.descriptor = widget.descriptor;
    return info;
}

}  // namespace

std::vector<WidgetInfo> Sim::widgets() const {
    std::vector<WidgetInfo> list;
    for (const auto& entry : allWidgets()) list.push_back(describe(entry.second));
    return list;
}

WidgetInfo Sim::widget(WidgetId id) const {
    const Widget* widget = findWidget(id);
    return widget != nullptr ? describe(*widget) : WidgetInfo{};
}

bool Sim::exists(WidgetId id) const { return findWidget(id) != nullptr; }

std::vector<WidgetId> Sim::children(WidgetId id) const {
    const Widget* widget = findWidget(id);
    return widget != nullptr ? widget->children : std::vector<WidgetId>{};
}

std::vector<WidgetId> Sim::roots() const { return rootOrder(); }

std::intptr_t Sim::property(WidgetId id, int property, bool* exists) const {
    const Widget* widget = findWidget(id);
    if (widget == nullptr) {
        if (exists != nullptr) *exists = false;
        return 0;
    }
    return widgetProperty(*widget, property, exists);
}

WidgetId Sim::findShown(const std::string& text, int widgetClass) const {
    for (const auto& entry : allWidgets()) {
        const Widget& widget = entry.second;
        bool classMatches = widgetClass == 0 || widget.widgetClass == widgetClass;
        if (classMatches && widget.descriptor == text && isShown(widget)) return widget.id;
    }
    return 0;
}

int Sim::widgetCount() const { return static_cast<int>(allWidgets().size()); }

int Sim::descriptorWrites() const { return descriptorWriteCount; }

int Sim::unknownWidgetCalls() const { return unknownWidgetCallCount; }

}  // namespace skysim
