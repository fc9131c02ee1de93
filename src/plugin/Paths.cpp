// Paths of the plug-in's folder and of the files in it.
#include "plugin/Paths.h"

#include <initializer_list>

#include "XPLMApi.h"
#include "text/BoundedText.h"

void readSystemPath(char (&out)[kSystemPathSize]) {
    out[0] = '\0';
    XPLMGetSystemPath(out);
    out[kSystemPathSize - 1] = '\0';
}

namespace {

// The separator that joins one step of `path`'s folder: chosen here, for every path.
const char* separatorOf(PluginPath path) {
    switch (path) {
        case PluginPath::LogFile:
            // The log's path is built for each message with the simulator's separator,
            // asked for anew at each step: that is where the log has always been looked for.
            return XPLMGetDirectorySeparator();
        case PluginPath::DataFolder:
            break;
    }
        // dataFolder is built once, at start, with the platform's own separator: its files
        // are opened by the C library, which takes that one (the backslash on Windows, as
        // the folder has always been written, and "/" on Linux, where a backslash is a name's).
#ifdef _WIN32
    return "\\";
#else
    return "/";
#endif
}

}  // namespace

bool appendPluginFolder(char* out, size_t size, PluginPath path) {
    bool fits = true;
    for (const char* folder : {"Resources", "plugins", "SkyPlacer"}) {
        fits = fits && appendText(out, size, folder) && appendText(out, size, separatorOf(path));
    }
    return fits;
}

bool pluginFilePath(const char* folder, const char* name, char* out, size_t size) {
    if (folder[0] == '\0') return false;
    return copyText(out, size, folder) && appendText(out, size, name);
}
