// Whole files as text, for expectations and the report.
#pragma once

#include <string>

namespace player {

// The file as text, each line end the system writes read as "\n". False when
// the file cannot be opened; `contents` is then left as it was.
bool readWholeFile(const std::string& path, std::string& contents);

}  // namespace player
