// The stand-in's hot keys and the keyboard that fires them. The simulator reads
// the key as an unsigned byte, so a plain char above 127 (negative where char is
// signed) is stored as 128 to 255.
//
// A key press reaches the hot keys as the SDK's key flags describe it: one
// message with Down and the modifiers, one with the modifiers alone for every
// repeat while the key is held, one with Up and the modifiers on release. A hot
// key fires on the message whose key and flags equal its registration.
#include <cmath>
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

constexpr int kModifierFlags = xplm_ShiftFlag | xplm_OptionAltFlag | xplm_ControlFlag;
constexpr double kDefaultRepeatDelay = 0.5;      // seconds from the press to the first repeat
constexpr double kDefaultRepeatsPerSecond = 25;  // after it
double repeatDelay = kDefaultRepeatDelay;
double repeatsPerSecond = kDefaultRepeatsPerSecond;

// One key message: fires every hot key of exactly this key and these flags, in
// registration order. A callback may unregister hot keys: each is looked up again.
int sendKeyMessage(int key, int flags) {
    std::vector<std::intptr_t> matching;
    for (const auto& [id, hotKey] : hotKeysById) {
        if (hotKey.info.key == key && hotKey.info.flags == flags) matching.push_back(id);
    }
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

// Repeats sent within the first `seconds` of holding a key.
long repeatsWithin(double seconds) {
    if (seconds + 1e-9 < repeatDelay) return 0;  // frames add up to whole seconds only nearly
    return static_cast<long>(std::floor((seconds - repeatDelay) * repeatsPerSecond + 1e-6)) + 1;
}

// The one key held down, as a keyboard repeats only the last key pressed.
struct HeldKey {
    bool held = false;
    int key = 0;
    int modifiers = 0;
    double pressedAt = 0;
    long repeatsSent = 0;
    int fired = 0;  // hot keys fired since the press
};
HeldKey heldKey;

}  // namespace

void resetHotKeys() {
    hotKeysById.clear();
    repeatDelay = kDefaultRepeatDelay;
    repeatsPerSecond = kDefaultRepeatsPerSecond;
    heldKey = HeldKey{};
}

void repeatHeldKey() {
    if (!heldKey.held) return;
    const long due = repeatsWithin(Sim::get().now() - heldKey.pressedAt);
    for (; heldKey.repeatsSent < due; ++heldKey.repeatsSent) {
        heldKey.fired += sendKeyMessage(heldKey.key, heldKey.modifiers);
    }
}

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

int Sim::pressKey(int key, int modifiers) {
    if (heldKey.held) return -1;
    heldKey = HeldKey{true, key, modifiers & kModifierFlags, now(), 0, 0};
    heldKey.fired = sendKeyMessage(key, xplm_DownFlag | heldKey.modifiers);
    return heldKey.fired;
}

int Sim::releaseKey() {
    if (!heldKey.held) return -1;
    heldKey.held = false;
    return heldKey.fired + sendKeyMessage(heldKey.key, xplm_UpFlag | heldKey.modifiers);
}

int Sim::tapKey(int key, int modifiers) {
    if (pressKey(key, modifiers) < 0) return -1;
    return releaseKey();
}

int Sim::holdKey(int key, int modifiers, double seconds) {
    if (pressKey(key, modifiers) < 0) return -1;
    advance(seconds);
    return releaseKey();
}

bool Sim::setKeyRepeat(double delaySeconds, double perSecond) {
    if (!(delaySeconds >= 0) || !(perSecond > 0) || !std::isfinite(delaySeconds) || !std::isfinite(perSecond))
        return false;
    repeatDelay = delaySeconds;
    repeatsPerSecond = perSecond;
    return true;
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
