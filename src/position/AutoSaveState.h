// The auto-save's state: its interval, when its timer started, whether the
// last save failed, and the record it captures into, so that the held record,
// the windows and the panel's file name are never touched by it.
#pragma once

#include <cstdint>

#include "XPLMApi.h"
#include "position/PositionRecord.h"

struct AutoSaveState {
    float intervalSeconds;  // of the simulator's flight time; 0: off
    float timerStart;       // the flight time the interval is counted from
    int32_t failing;        // 1 from a failed save until one works again
    XPLMDataRef flightTimeRef;
    XPLMDataRef pausedRef;
    PositionRecord record;
};
