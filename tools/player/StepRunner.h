// Plays a scenario's steps on the stand-in simulator, as a pilot would.
#pragma once

#include <string>

#include "Report.h"
#include "Scenario.h"
#include "skysim/Sim.h"

namespace player {

struct PlayerOptions {
    std::string modulePath;     // the plug-in module to load
    std::string rootFolder;     // the simulator's root folder
    std::string pictureFolder;  // where pictures go
};

class StepRunner {
public:
    StepRunner(skysim::Sim& sim, const Scenario& scenario, const PlayerOptions& options, Report& report)
        : sim_(sim), scenario_(scenario), options_(options), report_(report) {}

    // Loads the module into a fresh simulator and plays every step. On the
    // first fault returns false with `error` as "FILE:LINE: message".
    bool run(std::string& error);
    // Stops the plug-in if it is running (so its log is complete).
    void finish();
    // The plug-in's log as written since this run began: a reused root keeps earlier runs' lines before it.
    std::string runLog() const;

private:
    bool runStep(const Step& step, std::string& note, std::string& error);
    bool startPlugin(std::string& error);
    void passTime(const Step& step, double seconds);
    // Reports the placement made in the frame before, with the aircraft as it is now.
    void settlePlacement();
    void reportPlacement();
    bool pressKey(const Step& step, std::string& error);
    bool runCommand(const Step& step, std::string& note, std::string& error);
    bool pickMenu(const std::string& item, std::string& error);
    bool clickButton(const std::string& label, std::string& note, std::string& error);
    bool closeWindow(const std::string& title, std::string& error);
    bool typeBeside(const std::string& label, const std::string& text, std::string& error);
    bool pickEntry(const std::string& entry, std::string& error);
    bool writeFile(const std::string& name, const std::string& body, std::string& error);
    bool takePicture(const std::string& name, std::string& note, std::string& error);

    // Expectations, in Expectations.cpp.
    bool expect(const Step& step, std::string& error);
    bool expectDataRef(const Step& step, std::string& error);
    bool expectText(const Step& step, std::string& error);
    bool expectButton(const Step& step, std::string& error);
    bool expectList(const Step& step, std::string& error);
    bool expectFile(const Step& step, std::string& error);
    bool expectLogLine(const Step& step, bool present, std::string& error);

    AircraftPose pose() const;
    std::string where(const Step& step) const;
    std::string pluginFile(const std::string& name) const;

    skysim::Sim& sim_;
    const Scenario& scenario_;
    const PlayerOptions& options_;
    Report& report_;
    std::string scope_;  // title text of the window later look-ups are limited to
    bool started_ = false;
    bool everStarted_ = false;
    size_t logStart_ = 0;   // the log's size when the run began
    bool placing_ = false;  // a placement was made and is not reported yet
    bool settled_ = false;  // the plug-in has settled it: the next frame shows it
    Placement placement_;   // that placement, waiting for the frame that shows it
    // Frames from a placement to the one that shows it settled: two to the
    // plug-in's next loop call, one for the flight model, and one to spare.
    static constexpr int kFramesToSettle = 4;
};

// Reads a data reference as a number: "NAME[i]" is element i of an array.
bool readDataRef(const skysim::Sim& sim, const std::string& name, double& value, std::string& error);

}  // namespace player
