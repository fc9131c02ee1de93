// Where the plug-in keeps its files, relative to the simulator's root folder.
#pragma once

#ifdef _WIN32
#define SKYPLACER_SEP "\\"
#else
#define SKYPLACER_SEP "/"
#endif

// The plug-in's folder below the simulator's root, ending in a separator.
constexpr const char* kPluginSubFolder = "Resources" SKYPLACER_SEP "plugins" SKYPLACER_SEP "SkyPlacer" SKYPLACER_SEP;
constexpr const char* kSettingsFileName = "SkyPlacer.ini";
constexpr const char* kQuickFileName = "QuickFile.skd";
constexpr const char* kLogFileName = "SkyPlacerLog.txt";

#include <cstddef>

// The full path of a file in the plug-in's folder. False when the folder is
// unknown (empty: its path did not fit) or the joined path does not fit, so a
// file is never looked for in whatever the current folder happens to be.
bool pluginFilePath(const char* folder, const char* name, char* out, size_t size);
