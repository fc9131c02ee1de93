// Texts shared by the control panel and the data display: the row labels of
// the position and autopilot blocks, and the status lines that tell the pilot
// where the panel's data came from.
#pragma once

constexpr int kLabelSize = 255;
constexpr int kPositionLabelCount = 11;  // row 0 is empty
constexpr int kAutopilotLabelCount = 8;  // row 0 is empty

extern const char PositionLabels[kPositionLabelCount][kLabelSize];
extern const char AutopilotLabels[kAutopilotLabelCount][kLabelSize];

constexpr const char* kStatusNoFile = "No SKD File Loaded";
constexpr const char* kStatusSkdFile = "The data below is from the SKD File";
constexpr const char* kStatusQuickFile = "The data below is from the QuickFile";
constexpr const char* kStatusAircraft = "The data below is from the current aircraft";
