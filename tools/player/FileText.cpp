// Reading a whole file in text mode: the plug-in's files are text, written
// with the system's line end, which reads back as "\n" (CR LF on Windows).
#include "FileText.h"

#include <fstream>
#include <sstream>

namespace player {

bool readWholeFile(const std::string& path, std::string& contents) {
    std::ifstream in(path);
    if (!in) return false;
    std::ostringstream text;
    text << in.rdbuf();
    contents = text.str();
    return true;
}

}  // namespace player
