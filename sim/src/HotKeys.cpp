// The stand-in's hot keys. The simulator reads the key as an unsigned byte, so
// a plain char above 127 (negative where char is signed) is stored as 128 to 255.
#include <cstdint>
#include <map>

#include "CoreParts.h"
#include "Internal.h"
#include "XPLMApi.h"

namespace skysim {
namespace {

struct HotKey {
    HotKeyInfo info;
    XPLMHotKey_f callback;
    bool byPlugin;
};

std::map<std::intptr_t, HotKey> hotKeysById;  // by id, so in registration order
std::intptr_t nextHotKeyId = 1;               // never reused, so a stale id finds nothing

}  // namespace

void resetHotKeys() { hotKeysById.clear(); }

void releasePluginHotKeys() {
    for (auto hotKey = hotKeysById.begin(); hotKey != hotKeysById.end();) {
        if (!hotKey->second.byPlugin) {
            ++hotKey;
            continue;
        }
        simLogLine("XPluginStop: the plug-in did not unregister its hot key \"" + hotKey->second.info.description +
                   "\" (key " + std::to_string(hotKey->second.info.key) + "); the simulator removed it");
        hotKey = hotKeysById.erase(hotKey);
    }
}

std::vector<HotKeyInfo> Sim::hotKeys() const {
    std::vector<HotKeyInfo> infos;
    infos.reserve(hotKeysById.size());
    for (const auto& [id, hotKey] : hotKeysById) infos.push_back(hotKey.info);
    return infos;
}

bool Sim::callHotKeyWithReference(int key, int flags, void* refcon) {
    for (const auto& [id, hotKey] : hotKeysById) {
        if (hotKey.info.key != key || hotKey.info.flags != flags || hotKey.callback == nullptr) continue;
        callPlugin(hotKey.callback, refcon);
        return true;
    }
    return false;
}

int Sim::pressHotKey(int key, int flags) {
    std::vector<std::intptr_t> matching;
    for (const auto& [id, hotKey] : hotKeysById) {
        if (hotKey.info.key == key && hotKey.info.flags == flags) matching.push_back(id);
    }
    // A callback may unregister hot keys: look each up again.
    int fired = 0;
    for (std::intptr_t id : matching) {
        auto found = hotKeysById.find(id);
        if (found == hotKeysById.end()) continue;
        HotKey hotKey = found->second;
        if (hotKey.callback != nullptr) callPlugin(hotKey.callback, hotKey.info.refcon);
        ++fired;
    }
    return fired;
}

}  // namespace skysim

SKYSIM_EXPORT XPLMHotKeyID XPLMRegisterHotKey(char virtualKey, XPLMKeyFlags flags, const char* description,
                                              XPLMHotKey_f callback, void* refcon) {
    SKYSIM_STAND_IN_CODE;
    using namespace skysim;
    std::intptr_t id = nextHotKeyId++;
    HotKeyInfo info{static_cast<unsigned char>(virtualKey), flags, description != nullptr ? description : "", refcon};
    hotKeysById[id] = HotKey{info, callback, pluginSessionOpen()};
    return reinterpret_cast<XPLMHotKeyID>(id);
}

SKYSIM_EXPORT void XPLMUnregisterHotKey(XPLMHotKeyID id) {
    SKYSIM_STAND_IN_CODE;
    // An id the simulator never gave, or one already unregistered, points at nothing the
    // simulator keeps: the call is a fault of the plug-in's, named here.
    if (skysim::hotKeysById.erase(reinterpret_cast<std::intptr_t>(id)) == 0) {
        skysim::simLogLine("XPLMUnregisterHotKey: no hot key has this id");
    }
}
