// The plug-in's placements as the simulator saw them, followed through its
// data accesses: where each put the aircraft, and the place it captured first
// for an undo. An undo must put the aircraft at the place the placement
// before it captured.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "skysim/Sim.h"

namespace pilot {

// A place in the simulator's local coordinates, metres.
struct LocalPlace {
    double x, y, z;
};

class PlacementWatch {
public:
    // Reads the accesses not read yet, to the end of the pilot's step; false
    // with `error` when the undo the pilot asked for in it (undoAsked) went
    // somewhere else than the place captured before it.
    bool follow(const std::vector<skysim::DataAccess>& accesses, std::string& error);
    // The pilot asks for an undo now: the next placement is its own.
    void undoAsked(const std::vector<skysim::DataAccess>& accesses);
    // The accesses were cleared: the next are read from the first.
    void cleared() { read_ = 0; }
    // The plug-in stopped: what it captured is gone with it.
    void forget() { captured_.reset(); }

private:
    std::size_t read_ = 0;
    std::optional<LocalPlace> captured_;  // by the last placement of this run of the plug-in
    std::optional<std::size_t> undoFrom_;
    std::optional<LocalPlace> undoTarget_;
};

}  // namespace pilot
