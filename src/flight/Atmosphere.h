// The standard atmosphere, as the simulator uses it to turn the true airspeed
// into the indicated airspeed a pilot reads.
#pragma once

// The air's density at this altitude (metres) relative to sea level.
double densityRatio(double metres);

// The true airspeed at which the simulator shows `indicated` at this altitude
// (metres), in the unit of `indicated`. Finite wherever the air has any density.
double trueAirspeed(double indicated, double metres);

// The true airspeed at which the simulator shows `indicated` in air of this
// density (kg/m3, as the simulator reads it at the aircraft). A density that is
// 0, negative or not finite is no air the simulator could fly in: the standard
// atmosphere at `metres` stands in for it.
double trueAirspeedInAir(double indicated, double density, double metres);
