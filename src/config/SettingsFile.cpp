// Reading SkyPlacer.ini into the settings and hot-key slots. Unlike a position
// file, the settings change entry by entry: a failure keeps what came before it.
#include <cstring>
#include <iterator>

#include "config/HotKeyNames.h"
#include "log/PluginLog.h"
#include "plugin/PluginApp.h"
#include "text/BoundedText.h"
#include "text/EntryReader.h"
#include "text/NumberText.h"

namespace {

// Slots of the two settings sections; the command sections use their command number.
constexpr int kDebugSlot = kCommandCount;
constexpr int kConfigSlot = kCommandCount + 1;

// The settings sections' failure codes: an unknown key in them is logged, one in
// a command section goes to the simulator's log only.
constexpr int kConfigFailure = 2;
constexpr int kDebugFailure = 3;

// GET_DATA shares LOAD's code and place.
const SectionRule kSettingsSections[] = {
    {"DEBUG", kDebugFailure, kDebugSlot, "Debug data"},
    {"CONFIG", kConfigFailure, kConfigSlot, "Config data"},
    {"GET_DATA", 6, GET_DATA, "Load data"},
    {"LOAD", 6, LOAD, "Load data"},
    {"SAVE", 7, SAVE, "Save data"},
    {"QUICK_LOAD", 8, QUICK_LOAD, "Quick Load data"},
    {"QUICK_SAVE", 9, QUICK_SAVE, "Quick Save data"},
    {"POSITION", 10, POSITION, "Position data"},
    {"CONTROL_PANEL", 11, CONTROL_PANEL, "Control Panel data"},
    {"DATA_DISPLAY", 12, DATA_DISPLAY, "Display Data data"},
};

const ReaderTexts kSettingsTexts = {
    "SkyPlacer - parsing INI file\n",
    "SkyPlacer - No SkyPlacer.ini file found\n.",
    "SkyPlacer - INI file parsing successful\n",
};

constexpr const char* kFileNameKey = "DefaultSKDFileName";

struct IntSetting {
    const char* key;
    int32_t PluginConfig::*member;
};

const IntSetting kDebugInts[] = {
    {"LogFile", &PluginConfig::LogFile},
    {"DebugView", &PluginConfig::DebugView},
};

const IntSetting kConfigInts[] = {
    {"AutoStart", &PluginConfig::AutoStart},
    {"HideControlPanel", &PluginConfig::HideControlPanel},
    {"HeartBeatTimerEnabled", &PluginConfig::HeartBeatTimerEnabled},
    {"PauseAutoStart", &PluginConfig::PauseAutoStart},
};

template <size_t N>
bool setIntSetting(PluginConfig& config, const IntSetting (&settings)[N], const TextEntry& entry) {
    for (const IntSetting& setting : settings) {
        if (std::strcmp(setting.key, entry.keyName) == 0) {
            config.*setting.member = parseWhole(entry.valueText);
            return true;
        }
    }
    return false;
}

bool setConfig(PluginConfig& config, const TextEntry& entry) {
    if (std::strcmp(entry.keyName, kFileNameKey) == 0) {
        // The table's texts and the member have the same size: the name always fits.
        copyText(config.DefaultSKDFileName, sizeof config.DefaultSKDFileName, entry.valueText);
        return true;
    }
    if (std::strcmp(entry.keyName, "HeartBeatTime") == 0) {
        config.HeartBeatTime = narrowToFloat(parseReal(entry.valueText));
        return true;
    }
    return setIntSetting(config, kConfigInts, entry);
}

bool setHotKey(HotKeySlot& slot, const TextEntry& entry) {
    if (std::strcmp(entry.keyName, "HotKey") == 0) {
        slot.key = keyCodeFromName(entry.valueText);
        slot.enabled = 1;
        return true;
    }
    if (std::strcmp(entry.keyName, "HotKeyModifiers") == 0) {
        slot.modifiers = modifierFlagsFromNames(entry.valueText);
        return true;
    }
    return false;
}

bool applySettingsEntry(void* target, const SectionRule& rule, const TextEntry& entry) {
    PluginApp& app = *static_cast<PluginApp*>(target);
    if (rule.slot == kDebugSlot) return setIntSetting(app.config, kDebugInts, entry);
    if (rule.slot == kConfigSlot) return setConfig(app.config, entry);
    return setHotKey(app.hotKeys[rule.slot], entry);
}

const EntryFormat kSettingsFormat = {kSettingsSections, static_cast<int>(std::size(kSettingsSections)),
                                     applySettingsEntry, kFileNameKey};

}  // namespace

int PluginApp::parseSettings(const char* path) {
    const TextEntry* unknownKey = nullptr;
    int code = parseEntryFile(path, settingsEntries, kSettingsFormat, this, &unknownKey);
    if (unknownKey == nullptr) return code;
    if (code == kConfigFailure || code == kDebugFailure) {
        reportInvalidField(*unknownKey);
    } else {
        // A command section's unknown key goes to the simulator's log only.
        XPLMDebugString(unknownKey->keyName);
        XPLMDebugString(" is an invalid field\n");
    }
    return code;
}

bool PluginApp::readSettings(const char* path) {
    logAlways(kSettingsTexts.parsing);
    return reportParseResult(parseSettings(path), kSettingsFormat, kSettingsTexts);
}
