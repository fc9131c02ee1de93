// Paths of the plug-in's folder and of the files in it.
#include "plugin/Paths.h"

#include <cstring>
#include <initializer_list>

#include "XPLMApi.h"
#include "text/BoundedText.h"

void readSystemPath(char (&out)[kSystemPathSize]) {
    out[0] = '\0';
    XPLMGetSystemPath(out);
    out[kSystemPathSize - 1] = '\0';
}

namespace {

#ifdef _WIN32
constexpr const char* kPlatformSeparator = "\\";
#else
constexpr const char* kPlatformSeparator = "/";
#endif

// The separator that joins the steps of each path's folder: chosen here, for every path.
// On Windows and Linux the two agree; they differ only where the simulator writes its
// paths in a form of its own.
const char* separatorOf(PluginPath path) {
    if (path == PluginPath::LogFile) {
        // The simulator's, asked for anew at each step: the log's path continues the root
        // folder in the form the simulator gave it, as the log has always been found.
        return XPLMGetDirectorySeparator();
    }
    // The platform's own, fixed when built: dataFolder is built once at start and its files
    // are opened by the C library, which takes the platform's form of a path (the backslash
    // on Windows, as the folder has always been written).
    return kPlatformSeparator;
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
    return copyText(out, size, folder) && appendText(out, size, name) && std::strlen(out) <= kMaxPathLength;
}
