// Paths of the files in the plug-in's folder.
#include "files/PluginFiles.h"

#include <cstdio>

bool pluginFilePath(const char* folder, const char* name, char* out, size_t size) {
    if (folder[0] == '\0') return false;
    int length = std::snprintf(out, size, "%s%s", folder, name);
    return length >= 0 && static_cast<size_t>(length) < size && static_cast<size_t>(length) <= kMaxPathLength;
}
