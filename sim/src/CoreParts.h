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
void resetCommandHandlers();  // commands themselves last for the process
void resetDirectoryOrder();
void resetFeatures();        // the driver's hidden features too
void resetPluginFeatures();  // at each start of the plug-in: every feature off
// True while the plug-in has native paths enabled: the simulator's paths are
// then UTF-8 with "/" (Platform.h).
bool nativePathsInUse();
// Stops a running plug-in, as quitting the simulator would.
void stopRunningPlugin();

// Open from the call of XPluginStart until the plug-in is stopped (or its start
// failed): what is registered meanwhile belongs to the plug-in.
bool pluginSessionOpen();
// Numbers the plug-in's runs (1 for the first start): the run whose session
// is open, 0 while none is.
int pluginRun();
// When the plug-in's session closes, the simulator removes the flight loops,
// hot keys and command handlers it did not unregister, and names each in its
// log. What it left in menus stays and is named too (`run` is the closing
// run's number). Its windows stay until reset.
void reportPluginMenus(int run);
void releasePluginFlightLoops();
void releasePluginHotKeys();
void releasePluginCommandHandlers();

// At the start of each frame, every held command's handlers get the continue phase,
// and the held key sends the repeats that are due.
void continueHeldCommands();
void repeatHeldKey();
// At the start of each frame the flight clock ("sim/time/total_flight_time_sec")
// moves on by the frame's time, unless the simulator is paused.
void advanceFlightClock();

// Equirectangular projection about latitude 0, longitude 0 (degrees, metres).
void worldToLocal(double latitude, double longitude, double elevation, double* x, double* y, double* z);
void localToWorld(double x, double y, double z, double* latitude, double* longitude, double* elevation);

// Heading-pitch-roll (z-y-x) in degrees to the unit quaternion w, x, y, z and back;
// the heading comes back in [0, 360).
void eulerToQuaternion(double psi, double theta, double phi, float q[4]);
void quaternionToEuler(const float q[4], double* psi, double* theta, double* phi);

}  // namespace skysim
