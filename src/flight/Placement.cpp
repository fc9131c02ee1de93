// Placing the aircraft at storedRecord in one go.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <iterator>

#include "flight/Atmosphere.h"
#include "flight/FlightUnits.h"
#include "flight/Quaternion.h"
#include "log/PluginLog.h"
#include "plugin/PluginApp.h"

namespace {

constexpr float kKnotsToMetresPerSecond = static_cast<float>(0.5144444456666667);
constexpr double kFullCircle = 360.0;

// The direction of motion in radians: the heading cut toward zero to whole
// degrees, brought into 0 to 359 (the remainder keeps the heading's sign, as in
// integer arithmetic, then a full circle is added). Worked in doubles so that a
// heading too large for an int, or not finite, cannot overflow a conversion.
double directionOfMotion(float heading) {
    double degrees = std::fmod(std::trunc(static_cast<double>(heading)), kFullCircle);
    if (!std::isfinite(degrees)) degrees = 0.0;
    if (degrees < 0.0) degrees += kFullCircle;
    return (degrees + 0.0) * kDegreesToRadians;  // + 0.0 turns a -0 into 0, as the integer did
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

void PluginApp::placeAircraft() {
    const PositionRecord& record = storedRecord;
    // Read before any write: the variation at the aircraft's old position.
    const float magneticVariation = XPLMGetDataf(magneticVariationRef);

    double x = 0, y = 0, z = 0;
    XPLMWorldToLocal(record.Latitude, record.Longitude, record.Altitude / kFeetPerMetre, &x, &y, &z);
    // A place far beyond the world (a latitude of 1e300 typed in) has no local
    // coordinates: the simulator is never handed an infinite position.
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) {
        logMessage(prefixed("the stored position lies outside the world: the aircraft was not placed\n").text);
        placementDone = 1;
        return;
    }
    XPLMSetDatad(localXRef, x);
    XPLMSetDatad(localYRef, y);
    XPLMSetDatad(localZRef, z);

    const float trueHeading = record.Heading - magneticVariation;
    Quaternion orientation = eulerToQuaternion(trueHeading, record.Pitch, record.Roll);
    XPLMSetDatavf(qRef, orientation.data(), 0, static_cast<int>(orientation.size()));

    // Horizontal only: the stored pitch does not tilt the velocity. The stored
    // speed is indicated: the simulator shows it for a true airspeed that grows
    // as the air thins, so the velocity is that true airspeed.
    const double direction = directionOfMotion(trueHeading);
    const float east = static_cast<float>(std::sin(direction));
    const float north = static_cast<float>(-std::cos(direction));
    const double trueKnots = trueAirspeed(record.Speed, record.Altitude / kFeetPerMetre);
    XPLMSetDataf(localVxRef, velocityComponent(east, trueKnots));
    XPLMSetDataf(localVyRef, 0.0f);
    XPLMSetDataf(localVzRef, velocityComponent(north, trueKnots));

    XPLMSetDataf(flapRequestRef, record.Flaps);
    XPLMSetDatai(gearHandleRef, record.Gear);

    // The state read back first, before the stored mode and state go in.
    XPLMSetDatai(apStateRef, XPLMGetDatai(apStateRef));
    XPLMSetDatai(apModeRef, record.AutoPilot_Mode);
    XPLMSetDatai(apStateRef, record.AutoPilot_State);
    XPLMSetDataf(apAltitudeRef, record.AutoPilot_Altitude);
    XPLMSetDataf(apVerticalVelocityRef, record.AutoPilot_Vertical_Velocity);
    XPLMSetDataf(apAirspeedRef, record.AutoPilot_Airspeed);
    XPLMSetDataf(apHeadingRef, record.AutoPilot_Heading);
    XPLMSetDatai(apHeadingRollModeRef, record.AutoPilot_Heading_Roll_Mode);

    float throttles[kEngineSlots];
    std::fill(std::begin(throttles), std::end(throttles), record.Throttle);
    XPLMSetDatavf(throttleRef, throttles, 0, kEngineSlots);

    placementDone = 1;

    // Pause once per run, after the first placement made with both settings on.
    if (config.AutoStart != 0 && config.PauseAutoStart != 0) {
        XPLMCommandKeyStroke(kPauseKeyStroke);
        config.PauseAutoStart = 0;
    }
}
