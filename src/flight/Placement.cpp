// Placing the aircraft at storedRecord in one go.
#include <algorithm>
#include <cmath>
#include <iterator>

#include "flight/FlightUnits.h"
#include "flight/Quaternion.h"
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

}  // namespace

void PluginApp::placeAircraft() {
    const PositionRecord& record = storedRecord;
    // Read before any write: the variation at the aircraft's old position.
    const float magneticVariation = XPLMGetDataf(magneticVariationRef);

    double x = 0, y = 0, z = 0;
    XPLMWorldToLocal(record.Latitude, record.Longitude, record.Altitude / kFeetPerMetre, &x, &y, &z);
    XPLMSetDatad(localXRef, x);
    XPLMSetDatad(localYRef, y);
    XPLMSetDatad(localZRef, z);

    const float trueHeading = record.Heading - magneticVariation;
    Quaternion orientation = eulerToQuaternion(trueHeading, record.Pitch, record.Roll);
    XPLMSetDatavf(qRef, orientation.data(), 0, static_cast<int>(orientation.size()));

    // Horizontal only: the stored pitch does not tilt the velocity.
    const double direction = directionOfMotion(trueHeading);
    const float east = static_cast<float>(std::sin(direction));
    const float north = static_cast<float>(-std::cos(direction));
    XPLMSetDataf(localVxRef, east * record.Speed * kKnotsToMetresPerSecond);
    XPLMSetDataf(localVyRef, 0.0f);
    XPLMSetDataf(localVzRef, north * record.Speed * kKnotsToMetresPerSecond);

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
