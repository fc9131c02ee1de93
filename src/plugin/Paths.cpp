// Paths of files in the plug-in's folder.
#include "plugin/Paths.h"

#include "plugin/BoundedText.h"

bool pluginFilePath(const char* folder, const char* name, char* out, size_t size) {
    if (folder[0] == '\0') return false;
    return copyText(out, size, folder) && appendText(out, size, name);
}
