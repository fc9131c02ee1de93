// The standard atmosphere, as the simulator uses it to turn the true airspeed
// into the indicated airspeed a pilot reads.
#pragma once

// The air's density at this altitude (metres) relative to sea level.
double densityRatio(double metres);

// The true airspeed at which the simulator shows `indicated` at this altitude
// (metres), in the unit of `indicated`. Finite wherever the air has any density.
double trueAirspeed(double indicated, double metres);
