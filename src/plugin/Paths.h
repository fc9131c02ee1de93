// Where the plug-in keeps its files, relative to the simulator's root folder.
#pragma once

#include <cstddef>

#include "files/PluginFiles.h"  // the names and paths of the files the folder holds

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
