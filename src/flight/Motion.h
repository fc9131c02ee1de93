// The aircraft's motion along its heading, as both steps of a placement write it.
#pragma once

// Metres per second in the local frame's horizontal axes: x east, z south.
struct HorizontalVelocity {
    float east;
    float south;
};

// Level motion along a true heading (degrees) at a true airspeed in knots.
// The heading is cut toward zero to whole degrees first, as placements always
// have; each component is held to what a float holds.
HorizontalVelocity velocityAlongHeading(float trueHeading, double trueKnots);
