// The state behind the code scopes, and the driver's switch for callgrind.
#include "Attribution.h"

#include "skysim/Sim.h"

namespace skysim {

__thread bool runningPluginCode __attribute__((tls_model("initial-exec"))) = false;
__thread int pluginCallDepth __attribute__((tls_model("initial-exec"))) = 0;
bool countingPluginInstructions SKYSIM_HIDDEN = false;
bool waitingForPluginThreads SKYSIM_HIDDEN = true;

// Collection follows the switch at once, also when plug-in code is running
// (a callback of a test that turns counting on or off).
void Sim::countPluginInstructions(bool on) {
    if (on == countingPluginInstructions) return;
    if (runningPluginCode) toggleCollect();
    countingPluginInstructions = on;
}

void Sim::waitForPluginThreads(bool on) { waitingForPluginThreads = on; }

}  // namespace skysim
