// What the plug-in's message windows say: each message's title and two lines,
// and the answers its OK / Cancel windows record.
#pragma once

#include <cstdint>

#include "files/PluginFiles.h"

struct MessageText {
    const char* title;
    const char* line1;
    const char* line2;
};

constexpr const char* kErrorTitle = "SkyPlacer Plugin Error";
constexpr const char* kWarningTitle = "SkyPlacer Plugin Warning";

constexpr MessageText kSaveFailedMessage = {kErrorTitle, "Unable to Create Position File.",
                                            "Check that SkyPlacer directory exists"};
constexpr MessageText kQuickLoadFailedMessage = {kWarningTitle, "Unable to Load QuickFile.skd File.",
                                                 "Probably not created with QuickSave Yet"};
constexpr MessageText kNameTooLongMessage = {kErrorTitle, "Position File Name Too Long.", "Use a shorter name"};
constexpr MessageText kPathTooLongMessage = {kErrorTitle, "Position File Path Too Long.", kPathLimitText};
constexpr MessageText kFolderUnknownMessage = {kErrorTitle, "Unable to Find the SkyPlacer Folder.",
                                               "Its path is too long"};
constexpr MessageText kDamagedNameMessage = {kErrorTitle, "Invalid Position File Name.",
                                             "Some of its characters are damaged"};
constexpr MessageText kUnsafeNameMessage = {kErrorTitle, "Invalid Position File Name.",
                                            "Avoid \\ / : * ? \" < > |, device names, a final . or blank"};
constexpr MessageText kNoCrashSaveMessage = {kWarningTitle, "No Crash Save to Resume.",
                                             "None is kept in the SkyPlacer folder"};
constexpr MessageText kCrashSaveUnreadableMessage = {kErrorTitle, "Unable to Load the Crash Save.",
                                                     "SkyPlacerLog.txt says why"};

// A placement refused for a value the flight model cannot take: the value as
// the position file writes it ("Latitude = 95.000000"), then its range.
constexpr const char* kOutOfRangeValueFormat = "%s = ";
constexpr const char* kOutOfRangeRangeFormat = "Not placed: use %.0f to %.0f";
// A speed that is a true airspeed beyond the flight model's at its altitude.
constexpr const char* kTooFastFormat = "Not placed: over %.0f kt true";
constexpr MessageText kReplayingMessage = {kErrorTitle, "The simulator is replaying.",
                                           "Not placed: end the replay first"};

// The characters a line holds inside the window: 230 pixels beside the
// captions' left edge, at the simulator's 7 pixels a character.
constexpr int kMessageLineLength = 32;

// Recorded when a window's button is pressed; 0 while it is unanswered.
constexpr int32_t kAnsweredCancel = 1;
constexpr int32_t kAnsweredOk = 2;
