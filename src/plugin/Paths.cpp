// Paths of the plug-in's folder and of the files in it.
#include "plugin/Paths.h"

#include <initializer_list>

#include "XPLMApi.h"
#include "files/FileAccess.h"
#include "log/PluginLog.h"
#include "text/BoundedText.h"

namespace {

constexpr const char* kNativePathsFeature = "XPLM_USE_NATIVE_PATHS";

}  // namespace

// Without native paths the simulator writes a Windows path in the system's
// code page, where a folder name in another script arrives damaged.
void enableNativePaths() {
    bool native = false;
    if (XPLMHasFeature(kNativePathsFeature) != 0) {
        XPLMEnableFeature(kNativePathsFeature, 1);
        native = XPLMIsFeatureEnabled(kNativePathsFeature) != 0;
    }
    usePathEncoding(native ? PathEncoding::Utf8 : PathEncoding::SystemCodePage);
    if (!native)
        simulatorLog(prefixed("The simulator gives no native paths; folder names are read in its legacy form.\n").text);
}

void readSystemPath(char (&out)[kSystemPathSize]) {
    out[0] = '\0';
    XPLMGetSystemPath(out);
    out[kSystemPathSize - 1] = '\0';
}

// Each step of the folder takes the simulator's separator, asked for anew, so
// the path continues the root folder in the form the simulator gave it.
bool appendPluginFolder(char* out, size_t size) {
    bool fits = true;
    for (const char* folder : {"Resources", "plugins", "SkyPlacer"}) {
        fits = fits && appendText(out, size, folder) && appendText(out, size, XPLMGetDirectorySeparator());
    }
    return fits;
}
