// The stand-in's data references: every name the simulator publishes, with
// its type, size and whether a plug-in may write it (data/datarefs-12.1.tsv).
// The table is built once per process, so a handle (the address of its entry)
// never goes stale.
#pragma once

#include <string>
#include <vector>

namespace skysim {

enum class RefType { Int, Float, Double, IntArray, FloatArray, ByteArray };

struct DataRef {
    std::string name;
    RefType type = RefType::Int;
    int size = 1;                // elements of an array (its dimensions multiplied); 1 for a scalar
    bool writable = true;        // false: the simulator ignores a plug-in's write
    bool refusalLogged = false;  // the simulator's log has said so for this name since the last reset
    double scalar = 0;           // Int, Float and Double, rounded to their type on write
    std::vector<float> array;    // FloatArray: empty until written (reads as zeros), then `size` elements
};

// The names the stand-in models.
namespace refname {
constexpr const char* kQ = "sim/flightmodel/position/q";
constexpr const char* kLocalX = "sim/flightmodel/position/local_x";
constexpr const char* kLocalY = "sim/flightmodel/position/local_y";
constexpr const char* kLocalZ = "sim/flightmodel/position/local_z";
constexpr const char* kLocalVx = "sim/flightmodel/position/local_vx";
constexpr const char* kLocalVy = "sim/flightmodel/position/local_vy";
constexpr const char* kLocalVz = "sim/flightmodel/position/local_vz";
constexpr const char* kTheta = "sim/flightmodel/position/theta";
constexpr const char* kPhi = "sim/flightmodel/position/phi";
constexpr const char* kPsi = "sim/flightmodel/position/psi";
constexpr const char* kLatitude = "sim/flightmodel/position/latitude";
constexpr const char* kLongitude = "sim/flightmodel/position/longitude";
constexpr const char* kElevation = "sim/flightmodel/position/elevation";
constexpr const char* kIndicatedAirspeed = "sim/flightmodel/position/indicated_airspeed";
constexpr const char* kAutopilotState = "sim/cockpit/autopilot/autopilot_state";
constexpr const char* kMagneticVariation = "sim/flightmodel/position/magnetic_variation";
constexpr const char* kAirDensity = "sim/weather/rho";
constexpr const char* kWindX = "sim/weather/wind_now_x_msc";
constexpr const char* kWindY = "sim/weather/wind_now_y_msc";
constexpr const char* kWindZ = "sim/weather/wind_now_z_msc";
constexpr const char* kAircraftWindX = "sim/weather/aircraft/wind_now_x_msc";
constexpr const char* kAircraftWindY = "sim/weather/aircraft/wind_now_y_msc";
constexpr const char* kAircraftWindZ = "sim/weather/aircraft/wind_now_z_msc";
constexpr const char* kPaused = "sim/time/paused";
constexpr const char* kFlightTime = "sim/time/total_flight_time_sec";
constexpr const char* kInReplay = "sim/time/is_in_replay";
}  // namespace refname

// The entry of that name, or null when the simulator does not publish it.
DataRef* findRef(const std::string& name);
// Every published entry, in the table's order.
const std::vector<DataRef>& publishedRefs();

// Names the driver has hidden from the plug-in's look-ups until the next
// reset, and how many look-ups the plug-in made since then.
bool isHiddenFromPlugin(const std::string& name);
void hideFromPlugin(const std::string& name);
int& pluginLookUpCount();
// Names the plug-in looked up since the last reset that resolved to no entry, each once.
std::vector<std::string>& unpublishedLookUps();
// The entry behind a handle the plug-in passes, or null for null or foreign handles.
DataRef* refFromHandle(const void* handle);
// The entry of a name the stand-in models (for the flight model).
DataRef& knownRef(const char* name);

// Truncates toward zero, saturating at the int range; NaN gives 0.
int toInt(double value);

// Raw stores: round to the type, clip arrays; nothing else follows.
void storeScalar(DataRef& ref, double value);
int storeFloats(DataRef& ref, const float* values, int offset, int count);
// A float array's element, 0 before the array was first written.
float floatAt(const DataRef& ref, int index);
// A float array's elements, all `size` of them.
std::vector<float> floatsOf(const DataRef& ref);

}  // namespace skysim
