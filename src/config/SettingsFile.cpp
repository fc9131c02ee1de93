// Reading SkyPlacer.ini into the settings and hot-key slots. Unlike a position
// file, the settings change entry by entry: a failure keeps what came before it.
#include <algorithm>
#include <cstring>
#include <iterator>

#include "config/AutoSaveSetting.h"
#include "config/HotKeyNames.h"
#include "config/SettingsSections.h"
#include "plugin/PluginApp.h"
#include "text/BoundedText.h"
#include "text/NumberText.h"

namespace {

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

bool applyDebug(PluginApp& app, const SettingsSection&, const TextEntry& entry) {
    return setIntSetting(app.config, kDebugInts, entry);
}

bool applyConfig(PluginApp& app, const SettingsSection&, const TextEntry& entry) {
    return setConfig(app.config, entry);
}

bool applyHotKey(PluginApp& app, const SettingsSection& section, const TextEntry& entry) {
    return setHotKey(app.hotKeys[section.action], entry);
}

}  // namespace

// GET_DATA shares LOAD's result and place. An unknown key of the settings'
// own sections is logged; one in an action's section goes to the simulator's log only.
const SettingsSection kSettingsSections[kSettingsSectionCount] = {
    {"DEBUG", ReadResult{3}, "Debug data", applyDebug, kNoAction, KeyLog::PluginLog},
    {"CONFIG", ReadResult{2}, "Config data", applyConfig, kNoAction, KeyLog::PluginLog},
    {"GET_DATA", ReadResult{6}, "Load data", applyHotKey, GET_DATA, KeyLog::SimulatorLog},
    {"LOAD", ReadResult{6}, "Load data", applyHotKey, LOAD, KeyLog::SimulatorLog},
    {"SAVE", ReadResult{7}, "Save data", applyHotKey, SAVE, KeyLog::SimulatorLog},
    {"QUICK_LOAD", ReadResult{8}, "Quick Load data", applyHotKey, QUICK_LOAD, KeyLog::SimulatorLog},
    {"QUICK_SAVE", ReadResult{9}, "Quick Save data", applyHotKey, QUICK_SAVE, KeyLog::SimulatorLog},
    {"POSITION", ReadResult{10}, "Position data", applyHotKey, POSITION, KeyLog::SimulatorLog},
    {"CONTROL_PANEL", ReadResult{11}, "Control Panel data", applyHotKey, CONTROL_PANEL, KeyLog::SimulatorLog},
    {"DATA_DISPLAY", ReadResult{12}, "Display Data data", applyHotKey, DATA_DISPLAY, KeyLog::SimulatorLog},
};

namespace {

KeyLog keyLogOf(ReadResult result) {
    const SettingsSection* found =
        std::find_if(std::begin(kSettingsSections), std::end(kSettingsSections),
                     [result](const SettingsSection& section) { return section.unknownKey == result; });
    return found != std::end(kSettingsSections) ? found->keyLog : KeyLog::PluginLog;
}

}  // namespace

ReadResult PluginApp::parseSettings(const char* path) {
    ReadOutcome outcome = readEntryFile(path, settingsEntries, kFileNameKey, kSettingsSections,
                                        [this](const SettingsSection& section, const TextEntry& entry) {
                                            return section.apply(*this, section, entry);
                                        });
    reportReadFailure(outcome, keyLogOf(outcome.result));
    return outcome.result;
}

bool PluginApp::readSettings(const char* path) {
    reportParsing(kSettingsTexts);
    ReadResult result = parseSettings(path);
    return reportParseResult(result, sectionPlace(kSettingsSections, result), kSettingsTexts);
}
