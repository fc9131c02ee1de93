// The sections of SkyPlacer.ini: the two of the settings and one for the hot
// key of each action.
#pragma once

#include "log/ReadLog.h"
#include "text/EntryReader.h"

struct PluginApp;

constexpr int kNoAction = -1;

// A section's name, its documented result code for an unknown key and the
// place the log names, how its entries are applied, the action whose hot-key
// slot it sets (kNoAction for the settings' own sections), and where an
// unknown key in it is named.
struct SettingsSection {
    const char* name;
    ReadResult unknownKey;
    const char* place;
    bool (*apply)(PluginApp& app, const SettingsSection& section, const TextEntry& entry);
    int action;
    KeyLog keyLog;
};

constexpr int kSettingsSectionCount = 10;
extern const SettingsSection kSettingsSections[kSettingsSectionCount];
