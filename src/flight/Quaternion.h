// Heading, pitch and roll to the orientation quaternion the simulator takes.
#pragma once

#include <array>

// Elements in the order of "sim/flightmodel/position/q": q[0] is the scalar part.
using Quaternion = std::array<float, 4>;

// Angles in degrees, heading-pitch-roll (z-y-x) order; worked in double
// precision, each element rounded to single precision at the end.
Quaternion eulerToQuaternion(float heading, float pitch, float roll);
