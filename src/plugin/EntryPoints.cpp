// The five functions the simulator calls by name. Everything the plug-in
// keeps lives in one zero-filled PluginApp, made at start and freed at stop.
// Start and stop run through the guard that keeps an exception from reaching
// the simulator; the other three do nothing, so nothing can be thrown there.
#include <cstdlib>
#include <exception>

#include "plugin/CallbackGuard.h"
#include "plugin/PluginApp.h"
#include "plugin/PluginExport.h"

namespace {

// The C++ runtime keeps its record of the exceptions in flight in this
// module's thread-local storage, which the system allocates at its first use
// on a thread, and cannot do without: used as the module loads, on the thread
// the simulator then calls it on, so that an exception thrown once memory has
// run out can still be caught. Volatile, so that the look is not left out.
[[maybe_unused]] const volatile int exceptionsInFlightAtLoad = std::uncaught_exceptions();

}  // namespace

extern "C" {

// A start cut short reports failure (0), as one without memory does.
PLUGIN_API int XPluginStart(char* name, char* signature, char* description) {
    // Zero-filled: every member, the hot-key slots included, reads 0 until set.
    thePluginApp = static_cast<PluginApp*>(std::calloc(1, sizeof(PluginApp)));
    if (thePluginApp == nullptr) return 0;
    return guarded(SimulatorCall::XPluginStart, 0, [=] {
        thePluginApp->start(name, signature, description);
        return 1;
    });
}

// The object is freed even when its stop was cut short.
PLUGIN_API void XPluginStop(void) {
    if (thePluginApp == nullptr) return;
    guarded(SimulatorCall::XPluginStop, [] { thePluginApp->stop(); });
    std::free(thePluginApp);
    thePluginApp = nullptr;
}

PLUGIN_API int XPluginEnable(void) { return 1; }

PLUGIN_API void XPluginDisable(void) {}

PLUGIN_API void XPluginReceiveMessage(int, int, void*) {}

}  // extern "C"
