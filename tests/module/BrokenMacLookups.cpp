// A Mac module's code that calls the C library, the simulator and operator
// new and delete: check-mac-rejects.sh links it in a flat namespace, where the
// loader looks every name up in the whole simulator process, and in a
// two-level one without the C++ runtime, where operator new and delete are
// whichever image's the loader finds first.
#include <cstring>

extern "C" void XPLMDebugString(const char* text);

static int* held;

extern "C" __attribute__((visibility("default"))) int XPluginStart(char* name, char*, char*) {
    held = new int(static_cast<int>(std::strlen(name)));
    XPLMDebugString(name);
    return *held;
}

extern "C" __attribute__((visibility("default"))) void XPluginStop() { delete held; }
