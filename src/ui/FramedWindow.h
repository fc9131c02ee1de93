// The frame the control panel and the data display share: a main window with
// close boxes, titled with the plug-in's name and version, and a plain
// sub-window inset 10 pixels (30 below the title bar) that frames the contents.
#pragma once

#include <cstddef>

#include "ui/XPWidgetsApi.h"

struct FramedWindow {
    XPWidgetID window;
    XPWidgetID subWindow;
};

// `name` opens the title, `version` and the credit follow it; `titleBuffer` holds the composed title.
FramedWindow createFramedWindow(const char* name, const char* version, int left, int top, int right, int bottom,
                                char* titleBuffer, size_t titleSize);
