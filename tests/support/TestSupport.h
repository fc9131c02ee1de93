// Fixtures shared by the tests: a fresh simulator root folder per test and
// the built plug-in module loaded into the stand-in simulator.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ModulePlatform.h"
#include "plugin/ProjectInfo.h"
#include "skysim/Sim.h"

// The plug-in's name and version as the build writes them, "SkyPlacer v1.20" for one.
inline std::string pluginNameAndVersion() { return std::string(kPluginName) + " " + kPluginVersion; }

// A new, empty temporary folder; removed with its contents by the destructor.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// Paths in UTF-8, on every system.
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& contents);
bool fileExists(const std::string& path);

// How many times `part` stands in `text`, overlapping ones counted.
int occurrences(const std::string& text, const std::string& part);

// Every value of the aircraft the plug-in captures, as the stand-in's data
// references hold them.
struct AircraftState {
    struct {
        double latitude, longitude;  // degrees
        double elevation;            // metres
    } place;
    struct {
        float psi, magneticVariation, theta, phi;  // degrees
        float knots;
    } motion;
    struct {
        std::vector<float> throttles;
        float flaps;
        int gear;
    } controls;
    struct {
        int mode;
        float altitude, verticalVelocity, airspeed, heading;
        int state, headingRollMode;
    } autopilot;
};
// Sets all of them in the stand-in.
void setAircraftState(const AircraftState& state);
// An aircraft in flight over the Pacific north-west, autopilot on: every value
// the plug-in shows or writes has six decimals of work.
AircraftState aircraftInFlight();

// A fresh stand-in simulator on a temporary root with the plug-in's folder
// made, and the built module loaded (not yet started).
class SimTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;  // stops the plug-in and destroys what it left on screen

    skysim::Sim& sim() { return skysim::Sim::get(); }
    std::string pluginFolder() const { return skysim::Sim::get().pluginFolder(); }
    std::string pluginFile(const std::string& name) const { return pluginFolder() + name; }
    std::string logText() const;  // SkyPlacerLog.txt as readPluginText gives it, "" when missing
    std::string pluginText(const std::string& name) const { return readPluginText(pluginFile(name)); }
    // Writes SkyPlacer.ini, starts the plug-in and runs past the deferred start-up.
    void startWithSettings(const std::string& ini);
    void startPlugin();  // start only, no time passes

    // Lets the deferred start-up (one second) and one placement loop run.
    void runStartup() { sim().advance(1.2); }

    TempFolder root_;
};
