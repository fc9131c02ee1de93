// The standard atmosphere's density: a power law up to the tropopause at
// 11,000 metres, an exponential decay in the stratosphere above it.
#include "flight/Atmosphere.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kTropopauseMetres = 11000.0;
constexpr double kSeaLevelDensity = 1.225;  // kg/m3

// Indicated airspeed is the true airspeed times the square root of the density
// ratio. Where the ratio has run out to 0 the smallest positive one stands in,
// so that a standing aircraft stays standing rather than moving at NaN.
double fromRatio(double indicated, double ratio) {
    return indicated / std::max(std::sqrt(ratio), std::numeric_limits<double>::min());
}

}  // namespace

double densityRatio(double metres) {
    if (metres > kTropopauseMetres) return 0.297076 * std::exp((kTropopauseMetres - metres) / 6341.62);
    return std::pow(1.0 - 2.25577e-5 * metres, 4.255876);
}

double trueAirspeed(double indicated, double metres) { return fromRatio(indicated, densityRatio(metres)); }

double trueAirspeedInAir(double indicated, double density, double metres) {
    if (!(density > 0.0) || !std::isfinite(density)) return trueAirspeed(indicated, metres);
    return fromRatio(indicated, density / kSeaLevelDensity);
}
