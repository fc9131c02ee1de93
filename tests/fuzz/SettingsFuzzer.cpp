// Fuzz target of the settings reader: each input is a whole SkyPlacer.ini in
// the plug-in's folder, read and its hot keys registered as the plug-in's
// start does.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "FuzzApp.h"
#include "config/HotKeyNames.h"
#include "skysim/Sim.h"

namespace {

bool isKeyCode(int code) {
    for (const KeyNameRow& row : KeyNameTable) {
        if (row.code == code) return true;
    }
    return false;
}

// A slot holds a key the names give (or none) and is either bound or not.
void checkSlots(const PluginApp& app) {
    for (const HotKeySlot& slot : app.hotKeys) {
        if (slot.enabled != 0 && slot.enabled != 1) fail("a hot-key slot's enabled flag is neither 0 nor 1");
        if (slot.key != 0 && !isKeyCode(slot.key)) fail("a hot-key slot holds a key no name gives");
        if (slot.modifiers < 0) fail("a hot-key slot's modifiers are negative");
    }
}

// The simulator holds one hot key per bound slot, with the slot's key, its
// modifiers and the command's number as its description.
void checkRegistered(const PluginApp& app) {
    std::vector<skysim::HotKeyInfo> registered = skysim::Sim::get().hotKeys();
    size_t bound = 0;
    for (int command = 0; command < kActionCount; ++command) {
        const HotKeySlot& slot = app.hotKeys[command];
        if (slot.enabled == 0) continue;
        ++bound;
        if (!terminated(app.hotKeyRefcons[command], sizeof app.hotKeyRefcons[command])) {
            fail("a hot key's reference text is not terminated within its array");
        }
        char description[8];
        (void)std::snprintf(description, sizeof description, "%02d", command);
        auto found = std::find_if(registered.begin(), registered.end(),
                                  [&](const skysim::HotKeyInfo& hotKey) { return hotKey.description == description; });
        if (found == registered.end()) fail("a bound slot has no hot key");
        if (found->key != (slot.key & 0xFF) || found->flags != hotKeyRegistrationFlags(slot.modifiers)) {
            fail("a registered hot key differs from its slot");
        }
    }
    if (registered.size() != bound) fail("more hot keys are registered than slots are bound");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PluginApp& app = freshApp();
    writeInput(app.settingsPath, data, size);

    app.readSettings(app.settingsPath);
    if (!terminated(app.config.DefaultSKDFileName, sizeof app.config.DefaultSKDFileName)) {
        fail("the default file name is not terminated within its array");
    }
    checkTable(app.settingsEntries);
    checkSlots(app);
    checkUnchangedOutside(app, {APP_MEMBER(hotKeys), APP_MEMBER(config), APP_MEMBER(settingsEntries)});

    app.registerHotKeys();
    checkRegistered(app);
    return 0;
}
