#include "PlacementWatch.h"

#include <cmath>

#include "XPLMApi.h"

namespace pilot {

namespace {

constexpr double kFeetPerMetre = 3.28;  // the position file's, through which a capture goes
constexpr double kNear = 1e-3;          // metres: a capture read back and placed again

bool near(const LocalPlace& a, const LocalPlace& b) {
    return std::fabs(a.x - b.x) <= kNear && std::fabs(a.y - b.y) <= kNear && std::fabs(a.z - b.z) <= kNear;
}

std::string text(const LocalPlace& place) {
    return std::to_string(place.x) + ", " + std::to_string(place.y) + ", " + std::to_string(place.z);
}

}  // namespace

void PlacementWatch::undoAsked(const std::vector<skysim::DataAccess>& accesses) {
    std::string ignored;
    follow(accesses, ignored);
    undoFrom_ = accesses.size();
    undoTarget_ = captured_;
}

// A placement reads the aircraft's latitude, longitude and elevation (its
// capture), then writes local_x, local_y and local_z; nothing reads them in between.
bool PlacementWatch::follow(const std::vector<skysim::DataAccess>& accesses, std::string& error) {
    double world[3] = {0, 0, 0};
    static const char* const kWorld[3] = {"sim/flightmodel/position/latitude", "sim/flightmodel/position/longitude",
                                          "sim/flightmodel/position/elevation"};
    for (; read_ < accesses.size(); ++read_) {
        const skysim::DataAccess& access = accesses[read_];
        for (int i = 0; i < 3; ++i) {
            if (access.kind == skysim::DataAccess::GetD && access.name == kWorld[i]) world[i] = access.value;
        }
        if (access.kind != skysim::DataAccess::SetD || access.name != "sim/flightmodel/position/local_x" ||
            read_ + 2 >= accesses.size()) {
            continue;
        }
        const LocalPlace placed = {access.value, accesses[read_ + 1].value, accesses[read_ + 2].value};
        // With nothing to undo, the undo places nothing: a placement after it is another's.
        if (undoFrom_ && read_ >= *undoFrom_ && undoTarget_) {
            if (!near(*undoTarget_, placed)) {
                error = "an undo placed the aircraft at " + text(placed) +
                        ", not where the placement before it found it (" + text(*undoTarget_) + ")";
                return false;
            }
            undoFrom_.reset();
        }
        LocalPlace captured{};
        XPLMWorldToLocal(world[0], world[1], world[2] * kFeetPerMetre / kFeetPerMetre, &captured.x, &captured.y,
                         &captured.z);
        captured_ = captured;
    }
    undoFrom_.reset();  // an undo refused, or with nothing to undo, placed nothing
    return true;
}

}  // namespace pilot
