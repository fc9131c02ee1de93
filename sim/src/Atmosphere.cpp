// The air's density in the standard atmosphere, relative to sea level: the
// troposphere's power law up to 11,000 metres, the stratosphere's exponential
// decay above.
#include <cmath>

#include "FlightModel.h"

namespace skysim {

double densityRatio(double elevation) {
    constexpr double kTropopause = 11000.0;
    if (elevation <= kTropopause) return std::pow(1.0 - 2.25577e-5 * elevation, 4.255876);
    return 0.297076 * std::exp(-(elevation - kTropopause) / 6341.62);
}

}  // namespace skysim
