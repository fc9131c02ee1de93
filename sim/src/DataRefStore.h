// The stand-in's data references: typed values under fixed names. The table is
// built once per process, so a handle (the address of its entry) never goes stale.
#pragma once

#include <string>
#include <vector>

namespace skysim {

enum class RefType { Float, Double, Int, FloatArray };

struct DataRef {
    std::string name;
    RefType type;
    double scalar = 0;         // Float, Double and Int, rounded to their type on write
    std::vector<float> array;  // FloatArray, fixed size
    bool readOnly = false;     // the plug-in's writes are recorded but not applied
};

// The names the couplings tie together.
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
}  // namespace refname

// The entry of that name, or null when the simulator does not know it.
DataRef* findRef(const std::string& name);

// Names the driver has hidden from the plug-in's look-ups until the next
// reset, and how many look-ups the plug-in made since then.
bool isHiddenFromPlugin(const std::string& name);
void hideFromPlugin(const std::string& name);
int& pluginLookUpCount();
// The entry behind a handle the plug-in passes, or null for null or foreign handles.
DataRef* refFromHandle(const void* handle);
// The entry of a name the stand-in defines (for the couplings).
DataRef& knownRef(const char* name);

// Truncates toward zero, saturating at the int range; NaN gives 0.
int toInt(double value);

// Raw stores: round to the type, clip arrays; no couplings.
void storeScalar(DataRef& ref, double value);
int storeFloats(DataRef& ref, const float* values, int offset, int count);

// Stores, then keeps the values that depend on this one consistent.
void writeScalar(DataRef& ref, double value);
int writeFloats(DataRef& ref, const float* values, int offset, int count);
void applyCouplings(const DataRef& written);

}  // namespace skysim
