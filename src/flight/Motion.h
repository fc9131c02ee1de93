// The aircraft's motion along its heading, as both steps of a placement write it.
#pragma once

// Metres per second in the local frame's horizontal axes: x east, z south.
struct HorizontalVelocity {
    float east;
    float south;
};

// Level motion along a true heading (degrees) at a true airspeed in knots.
// Each component is held to what a float holds.
HorizontalVelocity velocityAlongHeading(float trueHeading, double trueKnots);

// The heading the placement's first step moves along: cut toward zero to
// whole degrees, as placements always have. The settle that follows flies the
// exact heading.
float wholeDegrees(float heading);
