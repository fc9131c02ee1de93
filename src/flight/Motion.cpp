// Level motion along a heading, in the simulator's local axes.
#include "flight/Motion.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "flight/FlightUnits.h"

namespace {

constexpr float kKnotsToMetresPerSecond = static_cast<float>(0.5144444456666667);
constexpr double kFullCircle = 360.0;

// The direction of motion in radians: the heading brought into 0 to 360 (the
// remainder keeps the heading's sign, as in integer arithmetic, then a full
// circle is added). Worked in doubles, so that a heading not finite becomes 0
// rather than NaN.
double directionOfMotion(float heading) {
    double degrees = std::fmod(static_cast<double>(heading), kFullCircle);
    if (!std::isfinite(degrees)) degrees = 0.0;
    if (degrees < 0.0) degrees += kFullCircle;
    return (degrees + 0.0) * kDegreesToRadians;  // + 0.0 turns a -0 into 0
}

// One component of the velocity, in metres per second: a direction cosine of
// the true airspeed in knots. Held to what a float holds, for the rare
// altitude where the air has all but run out.
float velocityComponent(float direction, double trueKnots) {
    // No motion along an axis the heading is square to, even at a speed too
    // large for a double (where the product would be 0 times infinity).
    if (direction == 0.0f) return 0.0f;
    const double metresPerSecond = direction * trueKnots * kKnotsToMetresPerSecond;
    return static_cast<float>(std::clamp(metresPerSecond, -double(FLT_MAX), double(FLT_MAX)));
}

}  // namespace

HorizontalVelocity velocityAlongHeading(float trueHeading, double trueKnots) {
    const double direction = directionOfMotion(trueHeading);
    const float east = static_cast<float>(std::sin(direction));
    const float south = static_cast<float>(-std::cos(direction));
    return {velocityComponent(east, trueKnots), velocityComponent(south, trueKnots)};
}

// A float that large is already whole, so the cut cannot overflow anything.
float wholeDegrees(float heading) { return std::trunc(heading); }
