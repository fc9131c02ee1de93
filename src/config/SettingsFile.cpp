// Reading SkyPlacer.ini into the settings and hot-key slots. Unlike a position
// file, the settings change entry by entry: a failure keeps what came before it.
#include <cstring>
#include <iterator>

#include "config/AutoSaveSetting.h"
#include "config/HotKeyNames.h"
#include "log/PluginLog.h"
#include "plugin/PluginApp.h"
#include "position/EntryFile.h"
#include "text/BoundedText.h"
#include "text/NumberText.h"

namespace {

// Slots of the two settings sections; the command sections use their command number.
constexpr int kDebugSlot = kCommandCount;
constexpr int kConfigSlot = kCommandCount + 1;

// GET_DATA shares LOAD's result and place.
const SectionRule kSettingsSections[] = {
    {"DEBUG", ReadResult::UnknownDebugKey, kDebugSlot, "Debug data"},
    {"CONFIG", ReadResult::UnknownConfigKey, kConfigSlot, "Config data"},
    {"GET_DATA", ReadResult::UnknownLoadKey, GET_DATA, "Load data"},
    {"LOAD", ReadResult::UnknownLoadKey, LOAD, "Load data"},
    {"SAVE", ReadResult::UnknownSaveKey, SAVE, "Save data"},
    {"QUICK_LOAD", ReadResult::UnknownQuickLoadKey, QUICK_LOAD, "Quick Load data"},
    {"QUICK_SAVE", ReadResult::UnknownQuickSaveKey, QUICK_SAVE, "Quick Save data"},
    {"POSITION", ReadResult::UnknownPositionCommandKey, POSITION, "Position data"},
    {"CONTROL_PANEL", ReadResult::UnknownControlPanelKey, CONTROL_PANEL, "Control Panel data"},
    {"DATA_DISPLAY", ReadResult::UnknownDataDisplayKey, DATA_DISPLAY, "Display Data data"},
};

const ReaderTexts kSettingsTexts = {
    "parsing INI file\n",
    "No SkyPlacer.ini file found\n.",
    "INI file parsing successful\n",
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
    if (std::strcmp(entry.keyName, "AutoSaveMinutes") == 0) {
        config.AutoSaveMinutes = autoSaveMinutesFrom(entry.valueText);
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

ReadResult PluginApp::parseSettings(const char* path) {
    const TextEntry* unknownKey = nullptr;
    ReadResult result = parseEntryFile(path, settingsEntries, kSettingsFormat, this, &unknownKey);
    if (unknownKey == nullptr) return result;
    // An unknown key in the settings sections is logged, one in a command
    // section goes to the simulator's log only.
    if (result == ReadResult::UnknownConfigKey || result == ReadResult::UnknownDebugKey) {
        reportInvalidField(*unknownKey);
    } else {
        // A command section's unknown key goes to the simulator's log only.
        simulatorLog(unknownKey->keyName);
        simulatorLog(" is an invalid field\n");
    }
    return result;
}

bool PluginApp::readSettings(const char* path) {
    reportParsing(kSettingsTexts);
    return reportParseResult(parseSettings(path), kSettingsFormat, kSettingsTexts);
}
