// Draws a Screen as an SVG image: standard widgets from their kind, rectangle
// and text, custom widgets (the list box) from the calls they recorded.
#pragma once

#include <string>

#include "Screen.h"

namespace player {

// The screen's height in pixels: the simulator's y = 0 is the image's bottom row.
int screenHeight(const Screen& screen);
int screenWidth(const Screen& screen);

std::string renderSvg(const Screen& screen);

}  // namespace player
