// The second step of a placement. A placement writes the aircraft's new place
// with the variation and the air read at the old one; the simulator derives
// the new place's only at its next flight-model step. At the next call of the
// main loop they are there: the aircraft is turned again to its stored magnetic
// heading with the new variation, and set moving along that exact heading
// through the new place's air at the stored indicated speed, carried by its
// wind. The record, the files and the log stay as they are.
#include <algorithm>
#include <cmath>

#include "flight/Atmosphere.h"
#include "flight/Motion.h"
#include "flight/PlaceableRanges.h"
#include "flight/Quaternion.h"
#include "plugin/PluginApp.h"

namespace {

struct Wind {
    float east, up, south;
};

// A wind that does not read as a number is no wind at all.
Wind readWind(XPLMDataRef east, XPLMDataRef up, XPLMDataRef south) {
    const Wind wind{XPLMGetDataf(east), XPLMGetDataf(up), XPLMGetDataf(south)};
    if (std::isfinite(wind.east) && std::isfinite(wind.up) && std::isfinite(wind.south)) return wind;
    return Wind{0.0f, 0.0f, 0.0f};
}

}  // namespace

void PluginApp::settleAircraft() {
    const PendingSettle placed = pendingSettle;
    pendingSettle.pending = 0;

    const float variation = XPLMGetDataf(magneticVariationRef);
    const float trueHeading = placed.heading - (std::isfinite(variation) ? variation : 0.0f);
    Quaternion orientation = eulerToQuaternion(trueHeading, placed.pitch, placed.roll);
    XPLMSetDatavf(qRef, orientation.data(), 0, static_cast<int>(orientation.size()));

    // The placement checked the speed in the standard atmosphere; air warmer
    // than that is thinner, and the true airspeed is held to the same limit in it.
    const double trueKnots = std::clamp(trueAirspeedInAir(placed.speed, XPLMGetDataf(airDensityRef), placed.metres),
                                        -kFastestTrueAirspeed, kFastestTrueAirspeed);
    const HorizontalVelocity air = velocityAlongHeading(trueHeading, trueKnots);
    const Wind wind = readWind(windEastRef, windUpRef, windSouthRef);
    XPLMSetDataf(localVxRef, air.east + wind.east);
    XPLMSetDataf(localVyRef, wind.up);
    XPLMSetDataf(localVzRef, air.south + wind.south);
}
