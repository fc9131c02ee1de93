// The five functions the simulator calls by name. Everything the plug-in
// keeps lives in one zero-filled PluginApp, made at start and freed at stop.
#include <cstdlib>

#include "plugin/PluginApp.h"
#include "plugin/PluginExport.h"

extern "C" {

PLUGIN_API int XPluginStart(char* name, char* signature, char* description) {
    // Zero-filled: every member, the hot-key slots included, reads 0 until set.
    thePluginApp = static_cast<PluginApp*>(std::calloc(1, sizeof(PluginApp)));
    if (thePluginApp == nullptr) return 0;
    thePluginApp->start(name, signature, description);
    return 1;
}

PLUGIN_API void XPluginStop(void) {
    if (thePluginApp == nullptr) return;
    thePluginApp->stop();
    std::free(thePluginApp);
    thePluginApp = nullptr;
}

PLUGIN_API int XPluginEnable(void) { return 1; }

PLUGIN_API void XPluginDisable(void) {}

PLUGIN_API void XPluginReceiveMessage(int, int, void*) {}

}  // extern "C"
