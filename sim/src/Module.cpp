// The plug-in module: loaded once per path and never unloaded, so the
// simulator can start, stop and start it again ("reload plug-ins") and a test
// process can load it for every test.
#include <cstring>
#include <map>

#include "CoreParts.h"
#include "Internal.h"
#include "Platform.h"

namespace skysim {
namespace {

constexpr size_t kIdentitySize = 256;

struct EntryPoints {
    int (*start)(char* name, char* signature, char* description) = nullptr;
    void (*stop)() = nullptr;
    int (*enable)() = nullptr;
    void (*disable)() = nullptr;
    void (*receiveMessage)(int from, int message, void* param) = nullptr;
};

std::map<std::string, void*> handles;  // by path; opened modules are kept for the process
EntryPoints module;
bool running = false;
bool isEnabled = false;
bool sessionOpen = false;  // from XPluginStart until the plug-in is stopped
int runs = 0;              // XPluginStart calls so far
std::string identity[3];   // name, signature, description from XPluginStart

template <typename Function>
bool findEntry(void* handle, const char* name, Function* entry, std::string* error) {
    *entry = reinterpret_cast<Function>(moduleFunction(handle, name));
    if (*entry == nullptr && error != nullptr) *error = std::string("the module has no entry point ") + name;
    return *entry != nullptr;
}

// Text of a buffer the plug-in filled, even when it left no terminator.
std::string bufferText(const char* buffer) { return std::string(buffer, strnlen(buffer, kIdentitySize)); }

// The simulator takes back what the plug-in still holds.
void closeSession() {
    reportPluginMenus(runs);
    sessionOpen = false;
    releasePluginFlightLoops();
    releasePluginHotKeys();
    releasePluginCommandHandlers();
}

}  // namespace

bool pluginSessionOpen() { return sessionOpen; }

int pluginRun() { return sessionOpen ? runs : 0; }

// As the simulator does: XPluginDisable when enabled, then XPluginStop.
void stopRunningPlugin() {
    if (!running) return;
    running = false;
    if (isEnabled) callPlugin(module.disable);
    isEnabled = false;
    callPlugin(module.stop);
    closeSession();
}

// A failed load leaves no module loaded, so start() cannot start the one loaded before.
bool Sim::load(const std::string& modulePath, std::string* error) {
    if (running) {
        if (error != nullptr) *error = "a plug-in is running: stop it before loading a module";
        return false;
    }
    module = EntryPoints();
    void*& handle = handles[modulePath];
    if (handle == nullptr) handle = openModule(modulePath, error);
    if (handle == nullptr) {
        handles.erase(modulePath);
        return false;
    }
    EntryPoints found;
    if (!findEntry(handle, "XPluginStart", &found.start, error) ||
        !findEntry(handle, "XPluginStop", &found.stop, error) ||
        !findEntry(handle, "XPluginEnable", &found.enable, error) ||
        !findEntry(handle, "XPluginDisable", &found.disable, error) ||
        !findEntry(handle, "XPluginReceiveMessage", &found.receiveMessage, error)) {
        return false;
    }
    module = found;
    return true;
}

// Returns XPluginStart's result; 0 without calling it when no module is loaded
// or the plug-in already runs. A started plug-in is enabled at once; one whose
// start failed does not run, so what it registered is taken back.
int Sim::start() {
    if (module.start == nullptr || running) return 0;
    char buffers[3][kIdentitySize];
    std::memset(buffers, 0, sizeof(buffers));
    sessionOpen = true;
    ++runs;
    resetPluginFeatures();
    int result = callPlugin(module.start, buffers[0], buffers[1], buffers[2]);
    for (int i = 0; i < 3; ++i) identity[i] = bufferText(buffers[i]);
    running = result != 0;
    if (!running) {
        closeSession();
        return result;
    }
    isEnabled = callPlugin(module.enable) != 0;
    return result;
}

// Calls XPluginEnable again even when the plug-in is enabled already.
int Sim::enable() {
    if (!running) return 0;
    int result = callPlugin(module.enable);
    isEnabled = result != 0;
    return result;
}

void Sim::disable() {
    if (!running) return;
    callPlugin(module.disable);
    isEnabled = false;
}

void Sim::stop() { stopRunningPlugin(); }

void Sim::sendMessage(int fromPlugin, int message, void* param) {
    if (running) callPlugin(module.receiveMessage, fromPlugin, message, param);
}

bool Sim::started() const { return running; }

bool Sim::enabled() const { return running && isEnabled; }

std::string Sim::pluginName() const { return identity[0]; }

std::string Sim::pluginSignature() const { return identity[1]; }

std::string Sim::pluginDescription() const { return identity[2]; }

}  // namespace skysim
