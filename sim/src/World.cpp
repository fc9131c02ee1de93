// The stand-in's projection between the world (latitude, longitude, elevation)
// and local coordinates: equirectangular about latitude 0, longitude 0, with
// x east, y up and z south, in metres.
#include "CoreParts.h"
#include "Internal.h"
#include "XPLMApi.h"

namespace skysim {
namespace {

constexpr double kEarthRadius = 6378137.0;

}  // namespace

void worldToLocal(double latitude, double longitude, double elevation, double* x, double* y, double* z) {
    *x = kEarthRadius * longitude * kRadiansPerDegree;
    *y = elevation;
    *z = -kEarthRadius * latitude * kRadiansPerDegree;
}

void localToWorld(double x, double y, double z, double* latitude, double* longitude, double* elevation) {
    *latitude = -z / kEarthRadius / kRadiansPerDegree;
    *longitude = x / kEarthRadius / kRadiansPerDegree;
    *elevation = y;
}

}  // namespace skysim

SKYSIM_EXPORT void XPLMWorldToLocal(double lat, double lon, double alt, double* x, double* y, double* z) {
    SKYSIM_STAND_IN_CODE;
    double localX = 0, localY = 0, localZ = 0;
    skysim::worldToLocal(lat, lon, alt, &localX, &localY, &localZ);
    if (x != nullptr) *x = localX;
    if (y != nullptr) *y = localY;
    if (z != nullptr) *z = localZ;
}
