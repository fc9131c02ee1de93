// The plug-in's windows on screen: the toolkit draws each standard widget
// itself, which a window's callback would prevent by taking the draw message.
#include <set>

#include "TestSupport.h"

namespace {

class WindowDrawing : public SimTest {};

TEST_F(WindowDrawing, EveryShownStandardWidgetOfEveryWindowIsDrawn) {
    startPlugin();
    runStartup();
    for (const char* item : {"Control Panel", "Data Display", "Load Position File", "Quick Load File"}) {
        ASSERT_TRUE(sim().pickMenuItem(item)) << item;
    }
    std::set<skysim::WidgetId> drawn;
    for (const skysim::DrawOp& op : sim().draw()) {
        if (op.kind == skysim::DrawOp::Standard) drawn.insert(op.widget);
    }
    int windows = 0;
    for (const skysim::WidgetInfo& widget : sim().widgets()) {
        if (!widget.shown || widget.widgetClass == skysim::CustomClass) continue;
        EXPECT_EQ(1u, drawn.count(widget.id)) << widget.descriptor;
        if (widget.root) ++windows;
    }
    EXPECT_EQ(4, windows) << "panel, display, file dialog and message window";
}

}  // namespace
