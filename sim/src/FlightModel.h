// The aircraft as the flight model keeps it: its state is the local position,
// the attitude quaternion q and the local velocity; latitude, longitude,
// elevation, the Euler angles and the indicated airspeed are derived from it.
#pragma once

#include "DataRefStore.h"

namespace skysim {

// True for the entries that make the aircraft's state or follow from it at
// once: the local position, q, the velocity and what the driver sets them by.
bool isAircraftState(const DataRef& ref);

// A plug-in wrote this entry: what the flight model derives from it follows
// at the start of the next frame (and overwrites a derived value it wrote).
void pluginWroteAircraft(const DataRef& written);
// The driver set this entry: the aircraft was in that state all along, so
// everything tied to it follows at once (see README.md).
void driverWroteAircraft(const DataRef& written);
// The start of a frame: the derived values follow the plug-in's writes since the last one.
void flightModelStep();
void resetFlightModel();

// Density of the standard atmosphere at this elevation (metres), relative to sea level.
double densityRatio(double elevation);

// The autopilot's engaged and armed modes after its buttons of every set bit
// of `pressed` were pressed, lowest bit first.
int pressAutopilotButtons(int modes, int pressed);

}  // namespace skysim
