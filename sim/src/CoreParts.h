// What the stand-in's core files share: each part's reset, the clock, the
// projection and the attitude conversions used by the data-reference couplings.
#pragma once

namespace skysim {

// Simulated seconds per frame.
constexpr double kFrameSeconds = 0.05;

// Each part forgets its state; handles of data references stay valid.
void resetDataRefs();
void resetFlightLoops();
void resetMenus();
void resetHotKeys();
// Stops a running plug-in, as quitting the simulator would.
void stopRunningPlugin();

// Equirectangular projection about latitude 0, longitude 0 (degrees, metres).
void worldToLocal(double latitude, double longitude, double elevation, double* x, double* y, double* z);
void localToWorld(double x, double y, double z, double* latitude, double* longitude, double* elevation);

// Heading-pitch-roll (z-y-x) in degrees to the unit quaternion w, x, y, z and back;
// the heading comes back in [0, 360).
void eulerToQuaternion(double psi, double theta, double phi, float q[4]);
void quaternionToEuler(const float q[4], double* psi, double* theta, double* phi);

}  // namespace skysim
