// Conversions between heading-pitch-roll (z-y-x Euler angles, degrees) and the
// attitude quaternion w, x, y, z that the flight model keeps.
#include <algorithm>
#include <cmath>

#include "CoreParts.h"

namespace skysim {

void eulerToQuaternion(double psi, double theta, double phi, float q[4]) {
    double halfPsi = psi * kRadiansPerDegree / 2, halfTheta = theta * kRadiansPerDegree / 2;
    double halfPhi = phi * kRadiansPerDegree / 2;
    double cPsi = std::cos(halfPsi), sPsi = std::sin(halfPsi);
    double cTheta = std::cos(halfTheta), sTheta = std::sin(halfTheta);
    double cPhi = std::cos(halfPhi), sPhi = std::sin(halfPhi);
    q[0] = static_cast<float>(cPsi * cTheta * cPhi + sPsi * sTheta * sPhi);
    q[1] = static_cast<float>(cPsi * cTheta * sPhi - sPsi * sTheta * cPhi);
    q[2] = static_cast<float>(cPsi * sTheta * cPhi + sPsi * cTheta * sPhi);
    q[3] = static_cast<float>(sPsi * cTheta * cPhi - cPsi * sTheta * sPhi);
}

// A quaternion of zero length (nothing written yet) reads as level, heading 0.
void quaternionToEuler(const float q[4], double* psi, double* theta, double* phi) {
    double w = q[0], x = q[1], y = q[2], z = q[3];
    double length = std::sqrt(w * w + x * x + y * y + z * z);
    if (length == 0) {
        *psi = *theta = *phi = 0;
        return;
    }
    w /= length, x /= length, y /= length, z /= length;
    *phi = std::atan2(2 * (w * x + y * z), 1 - 2 * (x * x + y * y)) / kRadiansPerDegree;
    *theta = std::asin(std::clamp(2 * (w * y - z * x), -1.0, 1.0)) / kRadiansPerDegree;
    double heading = std::atan2(2 * (w * z + x * y), 1 - 2 * (y * y + z * z)) / kRadiansPerDegree;
    heading = std::fmod(heading, 360.0);
    if (heading < 0) heading += 360.0;
    // The heading is kept in single precision, where 359.99999999 is 360.
    *psi = static_cast<float>(heading) >= 360.0f ? 0.0 : heading;
}

}  // namespace skysim
