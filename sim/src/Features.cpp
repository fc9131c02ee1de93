// The simulator's features: named behaviours a plug-in opts in to. The
// stand-in has the one the plug-in asks for, "XPLM_USE_NATIVE_PATHS", off at
// each start of the plug-in, as the simulator's default is the legacy paths.
#include <cstring>

#include "CoreParts.h"
#include "Internal.h"
#include "XPLMApi.h"

namespace skysim {
namespace {

constexpr const char* kNativePathsFeature = "XPLM_USE_NATIVE_PATHS";

bool nativePathsHidden = false;  // the driver models a simulator without the feature
bool nativePathsEnabled = false;

bool hasFeature(const char* feature) {
    return feature != nullptr && std::strcmp(feature, kNativePathsFeature) == 0 && !nativePathsHidden;
}

}  // namespace

void resetFeatures() {
    nativePathsHidden = false;
    nativePathsEnabled = false;
}

void resetPluginFeatures() { nativePathsEnabled = false; }

bool nativePathsInUse() { return nativePathsEnabled; }

void Sim::hideFeatureFromPlugin(const std::string& name) {
    if (name == kNativePathsFeature) {
        nativePathsHidden = true;
        nativePathsEnabled = false;
    }
}

bool Sim::nativePaths() const { return nativePathsEnabled; }

}  // namespace skysim

SKYSIM_EXPORT int XPLMHasFeature(const char* feature) {
    SKYSIM_STAND_IN_CODE;
    return skysim::hasFeature(feature) ? 1 : 0;
}

SKYSIM_EXPORT int XPLMIsFeatureEnabled(const char* feature) {
    SKYSIM_STAND_IN_CODE;
    return skysim::hasFeature(feature) && skysim::nativePathsEnabled ? 1 : 0;
}

// Enabling a feature the simulator does not have changes nothing; the log says so.
SKYSIM_EXPORT void XPLMEnableFeature(const char* feature, int enable) {
    SKYSIM_STAND_IN_CODE;
    if (!skysim::hasFeature(feature)) {
        skysim::simLogLine(std::string("XPLMEnableFeature: the simulator has no feature \"") +
                           (feature != nullptr ? feature : "(null)") + "\"; nothing changed");
        return;
    }
    skysim::nativePathsEnabled = enable != 0;
}
