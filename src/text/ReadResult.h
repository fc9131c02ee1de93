// What a read of a position file or of the settings file came to. The values
// are the documented result codes, one numbering for both files: 0 the file
// could not be opened, -1 every entry was applied, and each positive value the
// place where reading stopped.
#pragma once

enum class ReadResult : int {
    NotOpened = 0,
    Success = -1,
    InvalidSection = 1,
    UnknownConfigKey = 2,            // [CONFIG], in either file
    UnknownDebugKey = 3,             // settings: [DEBUG]
    UnknownPositionKey = 4,          // position file: [POSITION_DATA]
    UnknownAutopilotKey = 5,         // position file: [AUTOPILOT_DATA]
    UnknownLoadKey = 6,              // settings: [GET_DATA] and [LOAD]
    UnknownSaveKey = 7,              // settings: [SAVE]
    UnknownQuickLoadKey = 8,         // settings: [QUICK_LOAD]
    UnknownQuickSaveKey = 9,         // settings: [QUICK_SAVE]
    UnknownPositionCommandKey = 10,  // settings: [POSITION]
    UnknownControlPanelKey = 11,     // settings: [CONTROL_PANEL]
    UnknownDataDisplayKey = 12,      // settings: [DATA_DISPLAY]
    TooManyEntries = 13,
    LineTooLong = 14,
};
