// The plug-in's own files in its folder: their names, the longest path the
// plug-in opens, and the path of a file in the folder.
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
constexpr const char* kAutoSavePreviousFileName = "AutoSave-previous.skd";         // the save before the last
constexpr const char* kAutoSaveLastSessionFileName = "AutoSave-last-session.skd";  // the last of the session before
// A crash's last save, kept under the local time it was made:
// "AutoSave-crash-2026-12-08-02h14m30s.skd". Of one length, so that the names
// sort in time order.
constexpr const char* kCrashSavePrefix = "AutoSave-crash-";
constexpr const char* kCrashSaveNameFormat = "AutoSave-crash-%04d-%02d-%02d-%02dh%02dm%02ds.skd";
constexpr size_t kCrashSaveNameLength = 39;
// Whether the simulator's last run of the plug-in is still going or ended
// cleanly, and in which process: "running 1234" or "stopped 1234".
constexpr const char* kRunMarkFileName = "SkyPlacerRun.txt";
// A save's temporary file, and the copy of the file it replaces while that
// copy waits to be kept, in the target's folder. Not ".skd" names, so the file
// dialog never lists them; of one length, so the folder's check covers both.
constexpr const char* kTemporaryFileName = "SkyPlacerSave.tmp";
constexpr const char* kKeptCopyFileName = "SkyPlacerKeep.tmp";

// The full path of a file in the plug-in's folder. False when the folder is
// unknown (empty: its path did not fit) or the joined path does not fit or is
// longer than kMaxPathLength, so a file is never looked for in whatever the
// current folder happens to be, nor under a path the system would refuse or cut.
bool pluginFilePath(const char* folder, const char* name, char* out, size_t size);
