// The simulator's interface colours, looked up once, with fixed fallbacks
// scaled by the cockpit light level when the simulator lacks a colour.
#pragma once

enum InterfaceColorIndex {
    kMenuDarkColor = 0,
    kMenuBackgroundColor = 1,
    kMenuHighlightColor = 2,
    kMenuLiteColor = 3,
    kMenuTextColor = 4,
    kMenuTextDisabledColor = 5,
    kSubtitleTextColor = 6,
    kTabFrontColor = 7,
    kTabBackColor = 8,
    kCaptionTextColor = 9,
    kListTextColor = 10,
    kGlassTextColor = 11,
    kInterfaceColorCount = 12
};

// Alpha given to the current OpenGL colour; 1.0 except while a selection bar is drawn.
extern float interfaceAlpha;

// With rgbOut, fills its three components; without, makes the colour (with
// interfaceAlpha) the current OpenGL colour. An index out of range does nothing.
void InterfaceColor(int index, float* rgbOut);
