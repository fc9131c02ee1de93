// Reading SkyPlacer.ini into the settings and hot-key slots. Unlike a position
// file, the settings change entry by entry: a failure keeps what came before it.
#include <cstring>
#include <iterator>

#include "config/HotKeyNames.h"
#include "log/PluginLog.h"
#include "plugin/BoundedText.h"
#include "plugin/PluginApp.h"
#include "position/EntryReader.h"
#include "position/RecordText.h"

namespace {

// Slots of the two settings sections; the command sections use their command number.
constexpr int kDebugSlot = kCommandCount;
constexpr int kConfigSlot = kCommandCount + 1;

const SectionRule kSettingsSections[] = {
    {"DEBUG", 3, kDebugSlot},
    {"CONFIG", 2, kConfigSlot},
    {"GET_DATA", 6, GET_DATA},
    {"LOAD", 6, LOAD},
    {"SAVE", 7, SAVE},
    {"QUICK_LOAD", 8, QUICK_LOAD},
    {"QUICK_SAVE", 9, QUICK_SAVE},
    {"POSITION", 10, POSITION},
    {"CONTROL_PANEL", 11, CONTROL_PANEL},
    {"DATA_DISPLAY", 12, DATA_DISPLAY},
};

const PlaceText kSettingsPlaces[] = {
    {2, "Config data"},    {3, "Debug data"},          {6, "Load data"},
    {7, "Save data"},      {8, "Quick Load data"},     {9, "Quick Save data"},
    {10, "Position data"}, {11, "Control Panel data"}, {12, "Display Data data"},
};

const ReaderTexts kSettingsTexts = {
    "SkyPlacer - parsing INI file\n",
    "SkyPlacer - No SkyPlacer.ini file found\n.",
    "SkyPlacer - INI file parsing successful\n",
    kSettingsPlaces,
    static_cast<int>(std::size(kSettingsPlaces)),
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
    if (code == 2 || code == 3) {
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
    return reportParseResult(parseSettings(path), kSettingsTexts);
}
