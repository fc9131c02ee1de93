// Reading a whole file, bytes unchanged.
#include "FileText.h"

#include <fstream>
#include <sstream>

namespace player {

bool readWholeFile(const std::string& path, std::string& contents) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream text;
    text << in.rdbuf();
    contents = text.str();
    return true;
}

}  // namespace player
