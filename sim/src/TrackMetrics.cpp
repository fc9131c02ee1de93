// The scroll-bar model behind XPGetTrackMetrics.
//
// A track is vertical when it is taller than wide. Along its length, from the
// low end (bottom, or left) up: down button, down page, thumb, up page, up
// button. Each button is as long as the bar is wide when the track is at least
// three widths long, else a third of the length; the thumb is one width, or
// what remains if less; the rest, L, is split between the pages so that the
// down page is L * (value - min) / (max - min), rounded: at value == max the
// thumb is at the top (vertical) or right end. With max == min the down page is 0.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "WidgetTree.h"

namespace {

struct TrackParts {
    int downButton, downPage, thumb, upPage, upButton;
};

// In 64 bits: lengths, and value - min and max - min, may exceed the int range.
TrackParts measureTrack(std::int64_t length, std::int64_t breadth, int min, int max, int value) {
    length = std::max<std::int64_t>(length, 0);
    breadth = std::max<std::int64_t>(breadth, 0);
    std::int64_t button = length >= 3 * breadth ? breadth : length / 3;
    std::int64_t inner = length - 2 * button;
    std::int64_t thumb = std::clamp<std::int64_t>(breadth, 0, inner);
    std::int64_t movable = inner - thumb;
    double fraction = max == min ? 0.0
                                 : (static_cast<double>(value) - static_cast<double>(min)) /
                                       (static_cast<double>(max) - static_cast<double>(min));
    fraction = std::clamp(fraction, 0.0, 1.0);
    std::int64_t downPage = std::llround(static_cast<double>(movable) * fraction);
    // A track longer than the int range (corners far apart) reports at most INT_MAX for a part.
    auto part = [](std::int64_t value) { return static_cast<int>(std::min<std::int64_t>(value, INT_MAX)); };
    return TrackParts{part(button), part(downPage), part(thumb), part(movable - downPage), part(button)};
}

void put(int* out, int value) {
    if (out != nullptr) *out = value;
}

}  // namespace

SKYSIM_EXPORT void XPGetTrackMetrics(int x1, int y1, int x2, int y2, int min, int max, int value, int, int* isVertical,
                                     int* downButton, int* downPage, int* thumb, int* upPage, int* upButton) {
    SKYSIM_STAND_IN_CODE;
    std::int64_t width = std::abs(static_cast<std::int64_t>(x2) - x1);
    std::int64_t height = std::abs(static_cast<std::int64_t>(y2) - y1);
    bool vertical = height > width;
    TrackParts parts =
        vertical ? measureTrack(height, width, min, max, value) : measureTrack(width, height, min, max, value);
    put(isVertical, vertical ? 1 : 0);
    put(downButton, parts.downButton);
    put(downPage, parts.downPage);
    put(thumb, parts.thumb);
    put(upPage, parts.upPage);
    put(upButton, parts.upButton);
}
