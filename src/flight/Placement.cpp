// Placing the aircraft at a record in one go: the held record, or what an
// undo puts back. Every placement goes this one way, so each is refused by the
// same rules and each can be undone.
#include <algorithm>
#include <iterator>

#include "flight/Atmosphere.h"
#include "flight/FlightUnits.h"
#include "flight/Motion.h"
#include "flight/PlaceableRanges.h"
#include "flight/Quaternion.h"
#include "plugin/PluginApp.h"
#include "ui/Messages.h"

void PluginApp::placeAircraft(bool settledNow) {
    placementDone = 1;
    placeRecord(storedRecord, settledNow);
}

bool PluginApp::placeRecord(const PositionRecord& record, bool settledNow) {
    // Refused whole, before anything is read or written; the record keeps its values.
    if (const PlaceableRange* refused = firstValueOutOfRange(record)) {
        showValueOutOfRange(record, refused->field, refused->lowest, refused->highest);
        return false;
    }
    if (tooFastToPlace(record)) {
        showTooFastToPlace(record, kSpeedField, kFastestTrueAirspeed);
        return false;
    }
    // A replay shows a recorded flight: a placement would only fight it.
    if (XPLMGetDatai(inReplayRef) != 0) {
        showMessage(kReplayingMessage.title, kReplayingMessage.line1, kReplayingMessage.line2);
        return false;
    }
    keepPlaceForUndo(settledNow);
    // Read before any write: the variation at the aircraft's old position.
    const float magneticVariation = XPLMGetDataf(magneticVariationRef);

    const double metres = record.Altitude / kFeetPerMetre;
    double x = 0, y = 0, z = 0;
    XPLMWorldToLocal(record.Latitude, record.Longitude, metres, &x, &y, &z);
    XPLMSetDatad(localXRef, x);
    XPLMSetDatad(localYRef, y);
    XPLMSetDatad(localZRef, z);

    const float trueHeading = record.Heading - magneticVariation;
    Quaternion orientation = eulerToQuaternion(trueHeading, record.Pitch, record.Roll);
    XPLMSetDatavf(qRef, orientation.data(), 0, static_cast<int>(orientation.size()));

    // Horizontal only: the stored pitch does not tilt the velocity. The stored
    // speed is indicated: the simulator shows it for a true airspeed that grows
    // as the air thins, so the velocity is that true airspeed.
    const HorizontalVelocity velocity =
        velocityAlongHeading(wholeDegrees(trueHeading), trueAirspeed(record.Speed, metres));
    XPLMSetDataf(localVxRef, velocity.east);
    XPLMSetDataf(localVyRef, 0.0f);
    XPLMSetDataf(localVzRef, velocity.south);
    // Placed without rotation: nothing of the old place's turn carries over.
    for (XPLMDataRef rate : rotationRateRefs) XPLMSetDataf(rate, 0.0f);

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

    // The variation and the air here are the old place's: the next main-loop
    // call settles the aircraft in the new place's.
    pendingSettle = PendingSettle{1, record.Heading, record.Pitch, record.Roll, record.Speed, metres};

    // Pause once per run, after the first placement made with both settings on.
    if (config.AutoStart != 0 && config.PauseAutoStart != 0) {
        XPLMCommandKeyStroke(kPauseKeyStroke);
        config.PauseAutoStart = 0;
    }
    return true;
}
