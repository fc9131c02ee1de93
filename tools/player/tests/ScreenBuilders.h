// Hand-built screens for the tests that need no simulator.
#pragma once

#include <string>

#include "Screen.h"

inline player::ScreenItem screenItem(int widgetClass, int left, int top, int right, int bottom, const std::string& text,
                                     bool enabled = true) {
    return {left * 1000 + top, widgetClass, left, top, right, bottom, text, enabled};
}
