// The plug-in's settings and hot-key bindings, as read from SkyPlacer.ini.
#pragma once

#include <cstdint>

constexpr int kFileNameSize = 256;  // DefaultSKDFileName, terminator included

struct PluginConfig {
    int32_t LogFile;
    int32_t DebugView;
    int32_t AutoStart;
    char DefaultSKDFileName[kFileNameSize];
    int32_t HideControlPanel;
    int32_t HeartBeatTimerEnabled;
    float HeartBeatTime;  // seconds; kept, not used
    int32_t PauseAutoStart;
    float AutoSaveMinutes;  // of the simulator's flight time between auto-saves; 0: off
};

// One hot-key binding, indexed by action number.
struct HotKeySlot {
    int32_t key;        // the simulator's virtual-key code
    int32_t modifiers;  // sum of the simulator's key-flag bits
    int32_t enabled;    // 1 when the settings file bound a key
};
