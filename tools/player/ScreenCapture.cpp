// Reads the shown windows out of the stand-in simulator into a Screen.
#include <map>

#include "Screen.h"
#include "XPWidgetsApi.h"

namespace player {

namespace {

ScreenItem itemOf(const skysim::Sim& sim, const skysim::WidgetInfo& info) {
    ScreenItem item{info.id, info.widgetClass, info.left, info.top, info.right, info.bottom, info.descriptor};
    bool exists = false;
    std::intptr_t enabled = sim.property(info.id, xpProperty_Enabled, &exists);
    item.enabled = !exists || enabled != 0;
    if (info.widgetClass == skysim::MainWindow)
        item.closeBoxes = sim.property(info.id, xpProperty_MainWindowHasCloseBoxes) != 0;
    return item;
}

void collectShown(skysim::Sim& sim, skysim::WidgetId parent, ScreenWindow& window,
                  std::map<skysim::WidgetId, size_t>& owner, size_t windowIndex) {
    for (skysim::WidgetId child : sim.children(parent)) {
        skysim::WidgetInfo info = sim.widget(child);
        if (!info.shown) continue;
        window.items.push_back(itemOf(sim, info));
        owner[child] = windowIndex;
        collectShown(sim, child, window, owner, windowIndex);
    }
}

}  // namespace

Screen captureScreen(skysim::Sim& sim) {
    Screen screen;
    std::map<skysim::WidgetId, size_t> owner;  // widget -> index of its window
    for (skysim::WidgetId root : sim.roots()) {
        skysim::WidgetInfo info = sim.widget(root);
        if (!info.shown) continue;
        ScreenWindow window;
        window.frame = itemOf(sim, info);
        owner[root] = screen.windows.size();
        collectShown(sim, root, window, owner, screen.windows.size());
        screen.windows.push_back(window);
    }
    for (const skysim::DrawOp& op : sim.draw()) {
        auto found = owner.find(op.widget);
        if (found != owner.end()) screen.windows[found->second].drawing.push_back(op);
    }
    return screen;
}

}  // namespace player
