// Unit conversions and sizes shared by capturing and placing the aircraft.
#pragma once

// Feet per metre as the position files have always used it: exactly 3.28, so
// that capturing and placing undo each other.
constexpr double kFeetPerMetre = 3.28;

// Worked out in double precision from this divisor, not from pi, so that every
// angle converts the same way it always has.
constexpr double kDegreesToRadians = 1.0 / 57.29577951308238;

// Throttle slots of "sim/flightmodel/engine/ENGN_thro", whatever the aircraft has.
constexpr int kEngineSlots = 8;
