// Texts shared by the control panel and the data display: the row labels of
// the position and autopilot blocks, and the status lines that tell the pilot
// where the panel's data came from.
#pragma once

#include "position/RecordText.h"

// Row 0 of each block is empty; row r labels the block's field r.
constexpr int kLabelSize = 255;
constexpr int kPositionLabelCount = kPositionFieldCount + 1;
constexpr int kAutopilotLabelCount = kAutopilotFieldCount + 1;

extern const char PositionLabels[kPositionLabelCount][kLabelSize];
extern const char AutopilotLabels[kAutopilotLabelCount][kLabelSize];

constexpr const char* kStatusNoFile = "No SKD File Loaded";
constexpr const char* kStatusSkdFile = "The data below is from the SKD File";
constexpr const char* kStatusQuickFile = "The data below is from the QuickFile";
constexpr const char* kStatusAircraft = "The data below is from the current aircraft";
