// How the plug-in names itself to the simulator, in its log and window titles.
#pragma once

#include "plugin/ProjectInfo.h"  // kPluginName, kPluginVersion

constexpr const char* kPluginSignature = "quenmark.projects.skyplacer";
constexpr const char* kCreditText = "by the SkyPlacer developers";
constexpr int kSimulatorTextSize = 256;  // the simulator's name, signature and description buffers
