// How the plug-in names itself to the simulator, in its log and window titles.
#pragma once

constexpr const char* kPluginName = "SkyPlacer";
constexpr const char* kPluginSignature = "quenmark.projects.skyplacer";
constexpr const char* kPluginVersion = "v1.20";
constexpr const char* kCreditText = "by the SkyPlacer developers";
constexpr int kSimulatorTextSize = 256;  // the simulator's name, signature and description buffers
