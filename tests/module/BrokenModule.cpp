// A plug-in module that breaks every rule of check-lin-module.sh, so the check
// is seen to reject what it must: an extra export, missing entry points, a
// link to the stand-in simulator, the shared C++ runtime, an undefined
// function the simulator does not provide and none of the ones it does.
#include <string>

#include "skysim/Sim.h"

extern "C" void SkyPlacerNotProvided(void);

extern "C" __attribute__((visibility("default"))) int XPluginStart(char* name, char*, char*) {
    std::string text(name);
    SkyPlacerNotProvided();
    text += skysim::Sim::get().rootPath();
    return static_cast<int>(text.size());
}

extern "C" __attribute__((visibility("default"))) int ExtraExport(void) { return 0; }
