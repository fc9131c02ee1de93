// What the player tells while and after a scenario plays: one progress line
// per step, then the placements with the aircraft before and after each, the
// plug-in's log, the simulator's log and the pictures written.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace player {

// Where the aircraft is and how it lies, as the simulator's data references have it.
struct AircraftPose {
    double latitude = 0, longitude = 0, elevation = 0;  // degrees, degrees, metres
    double localX = 0, localY = 0, localZ = 0;          // metres
    float psi = 0, theta = 0, phi = 0;                  // true heading, pitch, roll in degrees
};

struct Placement {
    std::string where;  // "FILE:LINE" of the step during which it happened
    double time = 0;    // simulated seconds
    AircraftPose before, after;
};

class Report {
public:
    explicit Report(std::ostream& out) : out_(out) {}

    void progress(const std::string& where, const std::string& step, const std::string& note);
    void placement(const Placement& placement) { placements_.push_back(placement); }
    void picture(const std::string& path) { pictures_.push_back(path); }
    const std::vector<Placement>& placements() const { return placements_; }
    const std::vector<std::string>& pictures() const { return pictures_; }

    // The closing summary.
    void finish(const std::string& pluginLog, const std::string& simLog);

private:
    std::ostream& out_;
    std::vector<Placement> placements_;
    std::vector<std::string> pictures_;
};

std::string describePose(const AircraftPose& pose);
// A number with a fixed count of decimals, however large.
std::string fixedText(double value, int decimals);

}  // namespace player
