// What the capture, placement and command tests share: the settings that bind
// all eight hot keys and reading the data references the plug-in wrote.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "TestSupport.h"
#include "WidgetFinder.h"

namespace flighttest {

using skysim::DataAccess;

// The command numbers, as the hot keys' reference texts "00", "01"... carry
// them; the eight first have a hot key's section each.
enum Command {
    GET_DATA,
    LOAD,
    SAVE,
    QUICK_LOAD,
    QUICK_SAVE,
    POSITION,
    CONTROL_PANEL,
    DATA_DISPLAY,
    UNDO_PLACEMENT,
    RESUME_AFTER_CRASH
};
constexpr int kCommandCount = 10;

// F1 to F8 (virtual keys 112 to 119) bound to commands 0 to 7.
constexpr int kF1 = 112;
inline std::string allHotKeysIni() {
    static const char* const sections[] = {"GET_DATA",   "LOAD",     "SAVE",          "QUICK_LOAD",
                                           "QUICK_SAVE", "POSITION", "CONTROL_PANEL", "DATA_DISPLAY"};
    std::string ini;
    for (int i = 0; i < 8; ++i) ini += "[" + std::string(sections[i]) + "]\nHotKey = F" + std::to_string(i + 1) + "\n";
    return ini;
}
inline int hotKeyOf(int command) { return kF1 + command; }
// The key flag a hot key registered for a tap carries: Down, on the press.
constexpr int kDownFlag = 8;

// The simulator's command of each of them.
inline std::string commandName(int command) {
    static const char* const names[] = {
        "get_data", "load_position_file",   "save_position_file",  "quick_load",     "quick_save",
        "position", "toggle_control_panel", "toggle_data_display", "undo_placement", "resume_after_crash"};
    return std::string("skyplacer/") + names[command];
}

// What a capture reads, in order.
inline std::vector<std::pair<DataAccess::Kind, std::string>> captureReads() {
    using K = DataAccess;
    return {
        {K::GetF, "sim/flightmodel/position/magnetic_variation"},
        {K::GetF, "sim/flightmodel/position/theta"},
        {K::GetF, "sim/flightmodel/position/phi"},
        {K::GetF, "sim/flightmodel/position/psi"},
        {K::GetD, "sim/flightmodel/position/latitude"},
        {K::GetD, "sim/flightmodel/position/longitude"},
        {K::GetD, "sim/flightmodel/position/elevation"},
        {K::GetF, "sim/flightmodel/position/indicated_airspeed"},
        {K::GetF, "sim/flightmodel/controls/flaprqst"},
        {K::GetI, "sim/cockpit/switches/gear_handle_status"},
        {K::GetI, "sim/cockpit/autopilot/autopilot_mode"},
        {K::GetF, "sim/cockpit/autopilot/altitude"},
        {K::GetF, "sim/cockpit/autopilot/vertical_velocity"},
        {K::GetF, "sim/cockpit/autopilot/airspeed"},
        {K::GetF, "sim/cockpit/autopilot/heading_mag"},
        {K::GetI, "sim/cockpit/autopilot/autopilot_state"},
        {K::GetI, "sim/cockpit/autopilot/heading_roll_mode"},
        {K::GetVF, "sim/flightmodel/engine/ENGN_thro"},
    };
}

inline bool isWrite(DataAccess::Kind kind) {
    return kind == DataAccess::SetF || kind == DataAccess::SetD || kind == DataAccess::SetI ||
           kind == DataAccess::SetVF;
}
inline std::vector<DataAccess> writes() {
    std::vector<DataAccess> out;
    for (const DataAccess& a : skysim::Sim::get().accesses()) {
        if (isWrite(a.kind)) out.push_back(a);
    }
    return out;
}
// Every write of this data reference, in order.
inline std::vector<DataAccess> writesTo(const std::string& name) {
    std::vector<DataAccess> out;
    for (const DataAccess& a : writes()) {
        if (a.name == name) out.push_back(a);
    }
    return out;
}
// How many placements the plug-in made: each writes the position once (and the
// orientation twice, placed and then settled).
inline int placementCount() { return static_cast<int>(writesTo("sim/flightmodel/position/local_x").size()); }

// An aircraft at rest with nothing set but what the test gives.
inline void setAircraft(float psi, float magneticVariation, float knots) {
    skysim::Sim& sim = skysim::Sim::get();
    sim.setFloat("sim/flightmodel/position/psi", psi);
    sim.setFloat("sim/flightmodel/position/magnetic_variation", magneticVariation);
    sim.setFloat("sim/flightmodel/position/indicated_airspeed", knots);
}

// The pilot's route to a placement: open the panel, capture the aircraft
// (which enables " Position"), pick "Position" and let the loop run.
inline void captureAndPlace() {
    skysim::Sim& sim = skysim::Sim::get();
    sim.pickMenuItem("Control Panel");
    sim.pickMenuItem("Get Data");
    sim.clearAccesses();
    sim.pickMenuItem("Position");
    sim.advance(0.15);
}

}  // namespace flighttest
