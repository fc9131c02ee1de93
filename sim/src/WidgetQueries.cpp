// The driver's read-only view of the widget tree.
#include "WidgetTree.h"

#include <algorithm>
#include <iterator>

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
    std::transform(allWidgets().begin(), allWidgets().end(), std::back_inserter(list),
                   [](const auto& entry) { return describe(entry.second); });
    return list;
}

WidgetInfo Sim::widget(WidgetId id) const {
    const Widget* found = findWidget(id);
    return found != nullptr ? describe(*found) : WidgetInfo{};
}

bool Sim::exists(WidgetId id) const { return findWidget(id) != nullptr; }

std::vector<WidgetId> Sim::children(WidgetId id) const {
    const Widget* found = findWidget(id);
    return found != nullptr ? found->children : std::vector<WidgetId>{};
}

std::vector<WidgetId> Sim::roots() const { return rootOrder(); }

std::intptr_t Sim::property(WidgetId id, int property, bool* exists) const {
    const Widget* found = findWidget(id);
    if (found == nullptr) {
        if (exists != nullptr) *exists = false;
        return 0;
    }
    return widgetProperty(*found, property, exists);
}

WidgetId Sim::findShown(const std::string& text, int widgetClass) const {
    for (const auto& entry : allWidgets()) {
        const Widget& candidate = entry.second;
        bool classMatches = widgetClass == 0 || candidate.widgetClass == widgetClass;
        if (classMatches && candidate.descriptor == text && isShown(candidate)) return candidate.id;
    }
    return 0;
}

int Sim::widgetCount() const { return static_cast<int>(allWidgets().size()); }

int Sim::descriptorWrites() const { return descriptorWriteCount; }

int Sim::unknownWidgetCalls() const { return unknownWidgetCallCount; }

}  // namespace skysim
