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
#include <cmath>

#include "WidgetTree.h"

namespace {

struct TrackParts {
    int downButton, downPage, thumb, upPage, upButton;
};

TrackParts measureTrack(int length, int breadth, int min, int max, int value) {
    TrackParts parts{};
    length = std::max(length, 0);
    breadth = std::max(breadth, 0);
    int button = length >= 3 * breadth ? breadth : length / 3;
    parts.downButton = parts.upButton = button;
    int inner = length - 2 * button;
    parts.thumb = std::clamp(breadth, 0, inner);
    int movable = inner - parts.thumb;
    double fraction = max == min ? 0.0 : static_cast<double>(value - min) / static_cast<double>(max - min);
    fraction = std::clamp(fraction, 0.0, 1.0);
    parts.downPage = static_cast<int>(std::lround(movable * fraction));
    parts.upPage = movable - parts.downPage;
    return parts;
}

void put(int* out, int value) {
    if (out != nullptr) *out = value;
}

}  // namespace

SKYSIM_EXPORT void XPGetTrackMetrics(int x1, int y1, int x2, int y2, int min, int max, int value, int, int* isVertical,
                                     int* downButton, int* downPage, int* thumb, int* upPage, int* upButton) {
    int width = std::abs(x2 - x1);
    int height = std::abs(y2 - y1);
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
