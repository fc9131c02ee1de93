// Windows and widgets found by title, label and order.
#include "WidgetFinder.h"

namespace {

skysim::Sim& sim() { return skysim::Sim::get(); }

bool titleBegins(const WidgetInfo& info, const std::string& title) {
    return info.root && info.descriptor.compare(0, title.size(), title) == 0;
}

}  // namespace

WidgetId windowTitled(const std::string& title) {
    for (const WidgetInfo& info : sim().widgets()) {
        if (titleBegins(info, title)) return info.id;
    }
    return 0;
}

int windowsTitled(const std::string& title) {
    int count = 0;
    for (const WidgetInfo& info : sim().widgets()) count += titleBegins(info, title) ? 1 : 0;
    return count;
}

int windowCount() {
    int count = 0;
    for (const WidgetInfo& info : sim().widgets()) count += info.root && info.widgetClass == skysim::MainWindow;
    return count;
}

std::vector<WidgetInfo> childrenOf(WidgetId window, int widgetClass) {
    std::vector<WidgetInfo> found;
    for (WidgetId child : sim().children(window)) {
        WidgetInfo info = sim().widget(child);
        if (widgetClass == 0 || info.widgetClass == widgetClass) found.push_back(info);
    }
    return found;
}

WidgetId childLabelled(WidgetId window, int widgetClass, const std::string& label) {
    for (const WidgetInfo& info : childrenOf(window, widgetClass)) {
        if (info.descriptor == label) return info.id;
    }
    return 0;
}

bool isShown(WidgetId widget) { return widget != 0 && sim().widget(widget).shown; }

bool pickListEntry(const std::string& entry) {
    for (const skysim::DrawOp& op : sim().draw()) {
        if (op.kind != skysim::DrawOp::String || op.text.empty() || entry.compare(0, op.text.size(), op.text) != 0) {
            continue;
        }
        // The text's baseline lies inside its own line.
        sim().click(op.x1 + 2, op.y1);
        return true;
    }
    return false;
}
