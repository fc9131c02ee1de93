// The flight model's derived values, and what ties them to the aircraft's
// state: latitude, longitude and elevation come from the local position, psi,
// theta and phi from q, and the indicated airspeed from the local velocity
// (the true airspeed, no wind) and the air's density at the elevation.
//
// A plug-in's write shows in them at the start of the next frame; the
// driver's setters keep them consistent at once, in both directions.
#include <cmath>
#include <string>

#include "CoreParts.h"
#include "FlightModel.h"

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

double trueAirspeed() {
    double vx = value(refname::kLocalVx), vy = value(refname::kLocalVy), vz = value(refname::kLocalVz);
    return std::sqrt(vx * vx + vy * vy + vz * vz);
}

void deriveAirspeed() {
    double indicated = trueAirspeed() * std::sqrt(densityRatio(value(refname::kElevation)));
    storeScalar(knownRef(refname::kIndicatedAirspeed), indicated / kMetresPerSecondPerKnot);
}

// The driver's indicated airspeed scales the velocity; an aircraft at rest
// starts to move level along its heading.
void speedFromIndicated() {
    double root = std::sqrt(densityRatio(value(refname::kElevation)));
    if (!(root > 0)) return;
    double speed = value(refname::kIndicatedAirspeed) * kMetresPerSecondPerKnot / root;
    double now = trueAirspeed();
    double heading = value(refname::kPsi) * kRadiansPerDegree;
    double direction[3] = {std::sin(heading), 0.0, -std::cos(heading)};
    if (now > 0) {
        for (int i = 0; i < 3; ++i) direction[i] = value(kVelocity[i]) / now;
    }
    for (int i = 0; i < 3; ++i) storeScalar(knownRef(kVelocity[i]), direction[i] * speed);
}

}  // namespace

void pluginWroteAircraft(const DataRef& written) { stale |= groupsFedBy(written.name); }

void flightModelStep() {
    if ((stale & kPosition) != 0) convertPosition(localToWorld, kLocal, kWorld);
    if ((stale & kAttitude) != 0) deriveAttitude();
    if ((stale & kAirspeed) != 0) deriveAirspeed();  // after the elevation it depends on
    stale = 0;
}

void resetFlightModel() { stale = 0; }

void driverWroteAircraft(const DataRef& written) {
    const std::string& name = written.name;
    if (isOneOf(name, kLocal)) {
        convertPosition(localToWorld, kLocal, kWorld);
        deriveAirspeed();
    } else if (isOneOf(name, kWorld)) {
        convertPosition(worldToLocal, kWorld, kLocal);
        deriveAirspeed();
    } else if (name == refname::kQ) {
        deriveAttitude();
    } else if (isOneOf(name, kAngles)) {
        turnFromAngles();
    } else if (isOneOf(name, kVelocity)) {
        deriveAirspeed();
    } else if (name == refname::kIndicatedAirspeed) {
        speedFromIndicated();
    }
}

}  // namespace skysim
