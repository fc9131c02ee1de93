// Heading, pitch and roll to the orientation quaternion the simulator takes.
#include "flight/Quaternion.h"

#include <cmath>

#include "flight/FlightUnits.h"

Quaternion eulerToQuaternion(float heading, float pitch, float roll) {
    const double halfHeading = heading * kDegreesToRadians * 0.5;
    const double halfPitch = pitch * kDegreesToRadians * 0.5;
    const double halfRoll = roll * kDegreesToRadians * 0.5;
    const double cosH = std::cos(halfHeading), sinH = std::sin(halfHeading);
    const double cosP = std::cos(halfPitch), sinP = std::sin(halfPitch);
    const double cosR = std::cos(halfRoll), sinR = std::sin(halfRoll);
    return Quaternion{
        static_cast<float>(cosH * cosP * cosR + sinH * sinP * sinR),
        static_cast<float>(cosH * cosP * sinR - sinH * sinP * cosR),
        static_cast<float>(cosH * sinP * cosR + sinH * cosP * sinR),
        static_cast<float>(sinH * cosP * cosR - cosH * sinP * sinR),
    };
}
