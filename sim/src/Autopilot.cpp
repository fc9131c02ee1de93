// The autopilot's mode buttons. A write of "sim/cockpit/autopilot/autopilot_state"
// presses the button of each set bit, lowest first: a press toggles its mode,
// and engaging a mode releases the other engaged modes of its axis. Arming
// modes and the autothrottle belong to no axis.
#include <iterator>
#include <numeric>

#include "FlightModel.h"

namespace skysim {
namespace {

// Heading, roll hold, nav engaged.
constexpr unsigned kLateralModes = 2u | 4u | 512u;
// Speed by pitch, vertical speed, level change, pitch hold, glideslope engaged, altitude hold engaged.
constexpr unsigned kVerticalModes = 8u | 16u | 64u | 128u | 2048u | 16384u;

}  // namespace

int pressAutopilotButtons(int modes, int pressed) {
    unsigned engaged = static_cast<unsigned>(modes);
    const unsigned buttons = static_cast<unsigned>(pressed);
    for (unsigned bit = 0; bit < 32; ++bit) {
        const unsigned button = 1u << bit;
        if ((buttons & button) == 0) continue;
        if ((engaged & button) == 0) {
            const unsigned axes[] = {kLateralModes, kVerticalModes};
            engaged = std::accumulate(
                std::begin(axes), std::end(axes), engaged,
                [button](unsigned modes, unsigned axis) { return (axis & button) != 0 ? modes & ~axis : modes; });
        }
        engaged ^= button;
    }
    return static_cast<int>(engaged);
}

}  // namespace skysim
