// The frame the control panel and the data display share: a main window with
// close boxes, titled with the plug-in's name and version, and a plain
// sub-window inset 10 pixels (30 below the title bar) that frames the contents.
#pragma once

#include <cstddef>
#include <cstdint>

#include "XPWidgetsApi.h"

struct FramedWindow {
    XPWidgetID window;
    XPWidgetID subWindow;
};

// The title is `role`, " - ", the plug-in's name, `version` and the credit; `titleBuffer` holds it.
FramedWindow createFramedWindow(const char* role, const char* version, int left, int top, int right, int bottom,
                                char* titleBuffer, size_t titleSize);

// The frame's close box: hides `current` when `pushed` is it. Windows of an
// earlier run of the plug-in stay on screen and still reach this one's
// handlers; their close box is left alone (returns 0).
int hideOnCloseBox(XPWidgetID pushed, XPWidgetID current, int32_t& visible);
