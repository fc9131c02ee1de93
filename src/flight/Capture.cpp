// Reading the aircraft's state from the simulator into a position record.
#include "flight/FlightUnits.h"
#include "plugin/PluginApp.h"
#include "position/RecordText.h"
#include "ui/PanelLabels.h"

void PluginApp::readAircraftState(PositionRecord& record) {
    const float magneticVariation = XPLMGetDataf(magneticVariationRef);
    record.Pitch = XPLMGetDataf(thetaRef);
    record.Roll = XPLMGetDataf(phiRef);
    record.Heading = XPLMGetDataf(psiRef) + magneticVariation;  // magnetic, left outside 0 to 360
    record.Latitude = XPLMGetDatad(latitudeRef);
    record.Longitude = XPLMGetDatad(longitudeRef);
    record.Altitude = XPLMGetDatad(elevationRef) * kFeetPerMetre;
    record.Speed = XPLMGetDataf(indicatedAirspeedRef);
    record.Flaps = XPLMGetDataf(flapRequestRef);
    record.Gear = XPLMGetDatai(gearHandleRef);
    record.AutoPilot_Mode = XPLMGetDatai(apModeRef);
    record.AutoPilot_Altitude = XPLMGetDataf(apAltitudeRef);
    record.AutoPilot_Vertical_Velocity = XPLMGetDataf(apVerticalVelocityRef);
    record.AutoPilot_Airspeed = XPLMGetDataf(apAirspeedRef);
    record.AutoPilot_Heading = XPLMGetDataf(apHeadingRef);
    record.AutoPilot_State = XPLMGetDatai(apStateRef);
    record.AutoPilot_Heading_Roll_Mode = XPLMGetDatai(apHeadingRollModeRef);

    // Cleared first, so an aircraft that reports no engine gives a throttle of 0.
    float throttles[kEngineSlots] = {};
    XPLMGetDatavf(throttleRef, throttles, 0, kEngineSlots);
    record.Throttle = throttles[0];
}

void PluginApp::getData() {
    readAircraftState(storedRecord);
    holdFinite(storedRecord);              // what is held is saved and placed: never NaN or infinite
    if (controlPanelCreated != 1) return;  // the panel shows storedRecord when it is built
    refreshPanelFields();
    setPanelSource(1, kStatusAircraft, "");
}
