// What the pilot sees: the shown windows, back to front, with their shown
// widgets and the drawing their custom widgets recorded. Screen coordinates,
// y growing upwards as the simulator has them.
#pragma once

#include <string>
#include <vector>

#include "skysim/Sim.h"

namespace player {

struct ScreenItem {
    skysim::WidgetId id = 0;
    int widgetClass = 0;  // skysim::WidgetClass value
    int left = 0, top = 0, right = 0, bottom = 0;
    std::string text;  // descriptor: title, caption, label, field text
    bool enabled = true;
    bool closeBoxes = false;  // a main window that shows close boxes
};

struct ScreenWindow {
    ScreenItem frame;                     // the root window itself
    std::vector<ScreenItem> items;        // shown widgets inside it, in tree order
    std::vector<skysim::DrawOp> drawing;  // calls recorded while its custom widgets drew
};

struct Screen {
    std::vector<ScreenWindow> windows;  // back to front
};

// Takes the simulator's shown windows and lets them draw.
Screen captureScreen(skysim::Sim& sim);

}  // namespace player
