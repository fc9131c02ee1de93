// Hand-built screens for the tests that need no simulator.
#pragma once

#include <string>

#include "Screen.h"

inline player::ScreenItem screenItem(int widgetClass, int left, int top, int right, int bottom, const std::string& text,
                                     bool enabled = true) {
    player::ScreenItem out;
    out.id = left * 1000 + top;
    out.widgetClass = widgetClass;
    out.left = left;
    out.top = top;
    out.right = right;
    out.bottom = bottom;
    out.text = text;
    out.enabled = enabled;
    return out;
}
