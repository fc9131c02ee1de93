// What a placement put down, kept for the settle that follows it.
#pragma once

#include <cstdint>

// The stored values the settle turns into an orientation and a velocity, as
// they were when the aircraft was placed: a record loaded in between does not
// change what this placement settles.
struct PendingSettle {
    int32_t pending;  // 1: settle at the next call of the main loop
    float heading;    // magnetic, degrees
    float pitch;
    float roll;
    float speed;    // indicated, knots
    double metres;  // elevation placed at, for the standard atmosphere when the density reads nonsense
};
