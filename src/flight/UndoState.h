// What an undo puts back: the aircraft as the last placement found it.
#pragma once

#include <cstdint>

#include "position/PositionRecord.h"

// Kept in memory only: an undo is a slip mended in the same session.
struct UndoState {
    int32_t held;       // 1 once a placement captured the aircraft before moving it
    int32_t requested;  // 1: undo at the next call of the main loop
    PositionRecord before;
};
