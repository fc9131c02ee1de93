// Values the stand-in keeps consistent with each other, as one aircraft state:
// local position and latitude/longitude/elevation, the attitude quaternion and
// the Euler angles, the local velocity and the indicated airspeed.
#include <cmath>
#include <cstring>

#include "CoreParts.h"
#include "DataRefStore.h"

namespace skysim {
namespace {

constexpr double kMetresPerSecondPerKnot = 0.5144444;

bool isOneOf(const std::string& name, const char* a, const char* b, const char* c) {
    return name == a || name == b || name == c;
}

// One position, two coordinate systems: converts the three values of one into the other.
using Conversion = void (*)(double, double, double, double*, double*, double*);
const char* const kLocal[3] = {refname::kLocalX, refname::kLocalY, refname::kLocalZ};
const char* const kWorld[3] = {refname::kLatitude, refname::kLongitude, refname::kElevation};

void convertPosition(Conversion convert, const char* const from[3], const char* const to[3]) {
    double result[3] = {0, 0, 0};
    convert(knownRef(from[0]).scalar, knownRef(from[1]).scalar, knownRef(from[2]).scalar, &result[0], &result[1],
            &result[2]);
    for (int i = 0; i < 3; ++i) storeScalar(knownRef(to[i]), result[i]);
}

void quaternionChanged() {
    double psi = 0, theta = 0, phi = 0;
    quaternionToEuler(knownRef(refname::kQ).array.data(), &psi, &theta, &phi);
    storeScalar(knownRef(refname::kPsi), psi);
    storeScalar(knownRef(refname::kTheta), theta);
    storeScalar(knownRef(refname::kPhi), phi);
}

void anglesChanged() {
    float q[4];
    eulerToQuaternion(knownRef(refname::kPsi).scalar, knownRef(refname::kTheta).scalar, knownRef(refname::kPhi).scalar,
                      q);
    storeFloats(knownRef(refname::kQ), q, 0, 4);
}

void velocityChanged() {
    double vx = knownRef(refname::kLocalVx).scalar;
    double vy = knownRef(refname::kLocalVy).scalar;
    double vz = knownRef(refname::kLocalVz).scalar;
    double speed = std::sqrt(vx * vx + vy * vy + vz * vz);
    storeScalar(knownRef(refname::kIndicatedAirspeed), speed / kMetresPerSecondPerKnot);
}

}  // namespace

void applyCouplings(const DataRef& written) {
    const std::string& name = written.name;
    if (isOneOf(name, refname::kLocalX, refname::kLocalY, refname::kLocalZ)) {
        convertPosition(localToWorld, kLocal, kWorld);
    } else if (isOneOf(name, refname::kLatitude, refname::kLongitude, refname::kElevation)) {
        convertPosition(worldToLocal, kWorld, kLocal);
    } else if (name == refname::kQ) {
        quaternionChanged();
    } else if (isOneOf(name, refname::kPsi, refname::kTheta, refname::kPhi)) {
        anglesChanged();
    } else if (isOneOf(name, refname::kLocalVx, refname::kLocalVy, refname::kLocalVz)) {
        velocityChanged();
    }
}

}  // namespace skysim
