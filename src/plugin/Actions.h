// The actions a pilot can run, by menu, simulator command, hot key or
// control-panel button. The number indexes the hot-key slots and the
// simulator's commands, and is the hot key's reference text ("00" to "09").
#pragma once

enum Action {
    GET_DATA = 0,
    LOAD = 1,
    SAVE = 2,
    QUICK_LOAD = 3,
    QUICK_SAVE = 4,
    POSITION = 5,
    CONTROL_PANEL = 6,
    DATA_DISPLAY = 7,
    UNDO_PLACEMENT = 8,      // a simulator command only
    RESUME_AFTER_CRASH = 9,  // a simulator command only
};

constexpr int kActionCount = 10;
