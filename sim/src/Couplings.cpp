// The flight model's derived values, and what ties them to the aircraft's
// state: latitude, longitude and elevation come from the local position, and
// from them the magnetic variation and the air's density; psi, theta and phi
// come from q; the indicated airspeed from the velocity through the air (the
// local velocity less the wind) and the density.
//
// A plug-in's write shows in them at the start of the next frame; the
// driver's setters keep them consistent at once, in both directions.
#include <algorithm>
#include <cmath>
#include <string>

#include "CoreParts.h"
#include "FlightModel.h"
#include "skysim/Sim.h"

namespace skysim {
namespace {

constexpr double kMetresPerSecondPerKnot = 1852.0 / 3600.0;

// Groups of derived values.
constexpr int kPosition = 1;
constexpr int kAttitude = 2;
constexpr int kAirspeed = 4;
int stale = 0;  // the groups a plug-in's writes have left to derive

const char* const kLocal[3] = {refname::kLocalX, refname::kLocalY, refname::kLocalZ};
const char* const kWorld[3] = {refname::kLatitude, refname::kLongitude, refname::kElevation};
const char* const kAngles[3] = {refname::kPsi, refname::kTheta, refname::kPhi};
const char* const kVelocity[3] = {refname::kLocalVx, refname::kLocalVy, refname::kLocalVz};
const char* const kWind[3] = {refname::kWindX, refname::kWindY, refname::kWindZ};
const char* const kAircraftWind[3] = {refname::kAircraftWindX, refname::kAircraftWindY, refname::kAircraftWindZ};

constexpr double kSeaLevelDensity = 1.225;  // kg/m3, the standard atmosphere's
double temperatureOffset = 0;               // degrees from the standard atmosphere's, set by the driver

bool isOneOf(const std::string& name, const char* const (&names)[3]) {
    return name == names[0] || name == names[1] || name == names[2];
}

double value(const char* name) { return knownRef(name).scalar; }

// The groups whose values depend on this entry: the elevation sets the air's density too.
int groupsFedBy(const std::string& name) {
    if (isOneOf(name, kLocal) || isOneOf(name, kWorld)) return kPosition | kAirspeed;
    if (name == refname::kQ || isOneOf(name, kAngles)) return kAttitude;
    if (isOneOf(name, kVelocity) || name == refname::kIndicatedAirspeed) return kAirspeed;
    return 0;
}

bool movesTheAir(const std::string& name) {
    return isOneOf(name, kWind) || isOneOf(name, kAircraftWind) || name == refname::kAirDensity;
}

// One position, two coordinate systems: converts the three values of one into the other.
using Conversion = void (*)(double, double, double, double*, double*, double*);
void convertPosition(Conversion convert, const char* const (&from)[3], const char* const (&to)[3]) {
    double result[3] = {0, 0, 0};
    convert(value(from[0]), value(from[1]), value(from[2]), &result[0], &result[1], &result[2]);
    for (int i = 0; i < 3; ++i) storeScalar(knownRef(to[i]), result[i]);
}

void deriveAttitude() {
    const DataRef& q = knownRef(refname::kQ);
    float quaternion[4] = {floatAt(q, 0), floatAt(q, 1), floatAt(q, 2), floatAt(q, 3)};
    double angles[3] = {0, 0, 0};
    quaternionToEuler(quaternion, &angles[0], &angles[1], &angles[2]);
    for (int i = 0; i < 3; ++i) storeScalar(knownRef(kAngles[i]), angles[i]);
}

void turnFromAngles() {
    float q[4];
    eulerToQuaternion(value(refname::kPsi), value(refname::kTheta), value(refname::kPhi), q);
    storeFloats(knownRef(refname::kQ), q, 0, 4);
}

// The stand-in's own field of magnetic variation, degrees, in the simulator's
// sign (magnetic heading = true heading + variation, so east is negative):
// smooth over the globe, 0 at the poles, within -25 to +25. Not the Earth's:
// only that it changes from place to place matters.
double magneticVariation(double latitude, double longitude) {
    const double lat = latitude * kRadiansPerDegree, lon = longitude * kRadiansPerDegree;
    return 20.0 * std::sin(lon) * std::cos(lat) + 5.0 * std::sin(2.0 * lat) * std::cos(lon);
}

// The standard atmosphere's temperature, kelvin: falling 6.5 degrees a
// kilometre up to the tropopause, constant above.
double standardTemperature(double elevation) { return 288.15 - 0.0065 * std::min(elevation, 11000.0); }

// What the place gives: the variation, and the density of air at the standard
// pressure of its elevation, thinner as it is warmer.
void deriveAir() {
    const double elevation = value(refname::kElevation);
    const double standard = standardTemperature(elevation);
    const double density = kSeaLevelDensity * densityRatio(elevation) * standard / (standard + temperatureOffset);
    storeScalar(knownRef(refname::kAirDensity), density);
    storeScalar(knownRef(refname::kMagneticVariation),
                magneticVariation(value(refname::kLatitude), value(refname::kLongitude)));
}

// The velocity through the air: the local velocity less the wind.
void airVelocity(double out[3]) {
    for (int i = 0; i < 3; ++i) out[i] = value(kVelocity[i]) - value(kWind[i]);
}

double trueAirspeed() {
    double air[3];
    airVelocity(air);
    return std::sqrt(air[0] * air[0] + air[1] * air[1] + air[2] * air[2]);
}

double densityRoot() { return std::sqrt(value(refname::kAirDensity) / kSeaLevelDensity); }

void deriveAirspeed() {
    storeScalar(knownRef(refname::kIndicatedAirspeed), trueAirspeed() * densityRoot() / kMetresPerSecondPerKnot);
}

// The driver's indicated airspeed scales the velocity through the air; an
// aircraft at rest in it starts to move level along its heading.
void speedFromIndicated() {
    double root = densityRoot();
    if (!(root > 0)) return;
    double speed = value(refname::kIndicatedAirspeed) * kMetresPerSecondPerKnot / root;
    double now = trueAirspeed();
    double heading = value(refname::kPsi) * kRadiansPerDegree;
    double direction[3] = {std::sin(heading), 0.0, -std::cos(heading)};
    if (now > 0) {
        double air[3];
        airVelocity(air);
        for (int i = 0; i < 3; ++i) direction[i] = air[i] / now;
    }
    for (int i = 0; i < 3; ++i) storeScalar(knownRef(kVelocity[i]), value(kWind[i]) + direction[i] * speed);
}

}  // namespace

bool isAircraftState(const DataRef& ref) { return groupsFedBy(ref.name) != 0; }

void pluginWroteAircraft(const DataRef& written) { stale |= groupsFedBy(written.name); }

void flightModelStep() {
    if ((stale & kPosition) != 0) {
        convertPosition(localToWorld, kLocal, kWorld);
        deriveAir();
    }
    if ((stale & kAttitude) != 0) deriveAttitude();
    if ((stale & kAirspeed) != 0) deriveAirspeed();  // after the elevation it depends on
    stale = 0;
}

// Still air of the standard atmosphere at latitude 0, longitude 0, sea level.
void resetFlightModel() {
    stale = 0;
    temperatureOffset = 0;
    deriveAir();
}

void driverWroteAircraft(const DataRef& written) {
    const std::string& name = written.name;
    if (isOneOf(name, kLocal)) {
        convertPosition(localToWorld, kLocal, kWorld);
        deriveAir();
        deriveAirspeed();
    } else if (isOneOf(name, kWorld)) {
        convertPosition(worldToLocal, kWorld, kLocal);
        deriveAir();
        deriveAirspeed();
    } else if (name == refname::kQ) {
        deriveAttitude();
    } else if (isOneOf(name, kAngles)) {
        turnFromAngles();
    } else if (isOneOf(name, kVelocity) || movesTheAir(name)) {
        deriveAirspeed();
    } else if (name == refname::kIndicatedAirspeed) {
        speedFromIndicated();
    }
}

void Sim::setTemperatureOffset(double degrees) {
    temperatureOffset = degrees;
    deriveAir();
    deriveAirspeed();
}

void Sim::setWind(double east, double up, double south) {
    const double wind[3] = {east, up, south};
    for (int i = 0; i < 3; ++i) {
        storeScalar(knownRef(kWind[i]), wind[i]);
        storeScalar(knownRef(kAircraftWind[i]), wind[i]);
    }
    deriveAirspeed();
}

}  // namespace skysim
