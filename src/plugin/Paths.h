// Where the plug-in keeps its files, relative to the simulator's root folder.
#pragma once

#include <cstddef>

// The longest path the plug-in opens, in bytes of UTF-8, with the words that
// tell the pilot so: Windows opens no path of MAX_PATH (260) UTF-16 units or
// more unless both the system and the simulator enable long paths, and a path
// never has more units than bytes; elsewhere the plug-in's 512-byte path
// buffers set the limit.
#ifdef _WIN32
constexpr size_t kMaxPathLength = 259;
constexpr const char* kPathLimitText = "Windows takes paths of up to 259 characters";
#else
constexpr size_t kMaxPathLength = 511;
constexpr const char* kPathLimitText = "SkyPlacer takes paths of up to 511 characters";
#endif

constexpr const char* kSettingsFileName = "SkyPlacer.ini";
constexpr const char* kQuickFileName = "QuickFile.skd";
constexpr const char* kLogFileName = "SkyPlacerLog.txt";
constexpr const char* kAutoSaveFileName = "AutoSave.skd";
constexpr const char* kAutoSavePreviousFileName = "AutoSave-previous.skd";  // the save before the last

// The simulator writes its root folder, ending in a separator, into 512 bytes.
constexpr int kSystemPathSize = 512;

// Asks the simulator for its native paths (UTF-8, "/" as the separator) when
// it has them, and tells the file operations how the paths are written. Called
// at start, before any path is asked for.
void enableNativePaths();

// The simulator's root folder, always terminated.
void readSystemPath(char (&out)[kSystemPathSize]);

// Appends the plug-in's folder below the root ("Resources", "plugins",
// "SkyPlacer", each followed by the simulator's separator) to the text in
// `out`. False when it does not fit.
bool appendPluginFolder(char* out, size_t size);

// The full path of a file in the plug-in's folder. False when the folder is
// unknown (empty: its path did not fit) or the joined path does not fit or is
// longer than kMaxPathLength, so a file is never looked for in whatever the
// current folder happens to be, nor under a path the system would refuse or cut.
bool pluginFilePath(const char* folder, const char* name, char* out, size_t size);
