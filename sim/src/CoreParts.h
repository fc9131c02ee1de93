// What the stand-in's core files share: each part's reset, the clock, the
// projection and the attitude conversions used by the data-reference couplings.
#pragma once

namespace skysim {

// Simulated seconds per frame.
constexpr double kFrameSeconds = 0.05;

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

// Each part forgets its state; handles of data references stay valid.
void resetDataRefs();
void resetFlightLoops();
void resetMenus();
void resetHotKeys();
void resetDirectoryOrder();
// Stops a running plug-in, as quitting the simulator would.
void stopRunningPlugin();

// Open from the call of XPluginStart until the plug-in is stopped (or its start
// failed): what is registered meanwhile belongs to the plug-in.
bool pluginSessionOpen();
// When the plug-in's session closes, the simulator removes what it still holds:
// its items in the plug-ins menu (it has no call to remove them), and, with a
// line in the simulator's log each, the menus, flight loops and hot keys it
// did not destroy or unregister. Its windows stay until reset.
void releasePluginMenus();
void releasePluginFlightLoops();
void releasePluginHotKeys();

// Equirectangular projection about latitude 0, longitude 0 (degrees, metres).
void worldToLocal(double latitude, double longitude, double elevation, double* x, double* y, double* z);
void localToWorld(double x, double y, double z, double* latitude, double* longitude, double* elevation);

// Heading-pitch-roll (z-y-x) in degrees to the unit quaternion w, x, y, z and back;
// the heading comes back in [0, 360).
void eulerToQuaternion(double psi, double theta, double phi, float q[4]);
void quaternionToEuler(const float q[4], double* psi, double* theta, double* phi);

}  // namespace skysim
