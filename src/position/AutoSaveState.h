// The auto-save's state: its interval, when its timer started, whether the
// last save failed or could not keep the save before it, and the record it
// captures into, so that the held record, the windows and the panel's file
// name are never touched by it.
#pragma once

#include <cstdint>

#include "XPLMApi.h"
#include "position/PositionRecord.h"

struct AutoSaveState {
    float intervalSeconds;      // of the simulator's flight time; 0: off
    float timerStart;           // the flight time the interval is counted from
    int32_t failing;            // 1 from a failed save until one works again
    int32_t previousFailing;    // 1 from a save that could not keep the one before until one can
    int32_t waiting;            // 1 while due saves wait out a crash or a replay
    XPLMDataRef flightTimeRef;  // null while the auto-save is off
    XPLMDataRef pausedRef;
    PositionRecord record;
};

// True when a save is due at the flight time `now`. A clock that went back
// (a new flight starts it from 0) starts the interval again. Inline: the main
// loop asks at every call.
inline bool autoSaveDue(AutoSaveState& state, float now) {
    const float elapsed = now - state.timerStart;
    if (elapsed < 0.0f) {
        state.timerStart = now;
        return false;  // the interval is never 0 while the auto-save is on
    }
    return elapsed >= state.intervalSeconds;
}
