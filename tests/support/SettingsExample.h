// The example settings file: auto start with a default file whose name holds
// a blank, and three commands bound. Shared by the unit and end-to-end tests.
#pragma once

inline const char* const kSettingsExample =
    "; debug output\n"
    "[DEBUG]\n"
    "LogFile = 1\n"
    "DebugView = 0\n"
    "\n"
    "[CONFIG]\n"
    "AutoStart = 1\n"
    "DefaultSKDFileName = Runway 34.skd\n"
    "HideControlPanel = 1\n"
    "HeartBeatTimerEnabled = 1\n"
    "HeartBeatTime = 60.0\n"
    "PauseAutoStart = 1\n"
    "\n"
    "[QUICK_SAVE]\n"
    "HotKey = F5\n"
    "HotKeyModifiers = Shift + Control\n"
    "[QUICK_LOAD]\n"
    "HotKey = F6\n"
    "HotKeyModifiers = Shift + Control\n"
    "[POSITION]\n"
    "HotKey = P\n"
    "HotKeyModifiers = Control + Alt\n";
