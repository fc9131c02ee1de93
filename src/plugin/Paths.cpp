// Paths of the plug-in's folder and of the files in it.
#include "plugin/Paths.h"

#include <cstring>
#include <initializer_list>

#include "plugin/BoundedText.h"
#include "plugin/XPLMApi.h"

void readSystemPath(char (&out)[kSystemPathSize]) {
    out[0] = '\0';
    XPLMGetSystemPath(out);
    out[kSystemPathSize - 1] = '\0';
}

bool appendPluginFolder(char* out, size_t size, const char* (*separator)()) {
    bool fits = true;
    for (const char* folder : {"Resources", "plugins", "SkyPlacer"}) {
        fits = fits && appendText(out, size, folder) && appendText(out, size, separator());
    }
    return fits;
}

const char* platformSeparator() { return SKYPLACER_SEP; }

bool pluginFilePath(const char* folder, const char* name, char* out, size_t size) {
    if (folder[0] == '\0') return false;
    return copyText(out, size, folder) && appendText(out, size, name) && std::strlen(out) <= kMaxPathLength;
}
