// Writing a picture of the screen: NAME.svg, and NAME.png beside it when
// rsvg-convert is installed.
#pragma once

#include <string>
#include <vector>

#include "Screen.h"

namespace player {

// Returns the files written; false with `error` when the SVG could not be written.
// An older NAME.png is removed first, so a PNG beside the SVG always shows it;
// `warning` says so when rsvg-convert is installed but could not convert.
bool writePicture(const Screen& screen, const std::string& folder, const std::string& name,
                  std::vector<std::string>& written, std::string& warning, std::string& error);

}  // namespace player
