// Runs the pilot's steps in a child process, so that a crash or a sanitizer
// report is a finding like any failed check, and shrinks a failing run.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "PilotSession.h"
#include "PilotSteps.h"

namespace pilot {

struct RunOptions {
    std::string modulePath;
    std::string corpusFolder;
    std::string autoSaveMinutes;  // written into the first SkyPlacer.ini ("": no settings file)
    bool printSteps = false;      // each step's description on standard output
    double progressSeconds = 0;   // a progress line this often (0: none)
};

struct RunResult {
    bool passed = true;
    std::int64_t stepsRun = 0;
    std::int64_t failedStep = -1;          // index of the step after which the failure showed
    std::string failure;                   // what failed
    std::string category;                  // failures alike in kind share it (shrinking keeps it)
    std::vector<std::string> recentSteps;  // the descriptions of the steps up to the failure
    std::int64_t faults[static_cast<int>(Fault::Count)] = {};
    std::int64_t loadsCompared = 0;  // failed loads after which the held values were compared
    double seconds = 0;
    std::string childOutput;  // the tail of the child's standard error on a failure
};

// `stepAt(i)` gives step i of `count`; it is called in order, in the children and
// (for the steps of a child killed on purpose) in the parent.
RunResult runSteps(const RunOptions& options, std::int64_t count, const std::function<Step(std::int64_t)>& stepAt);

// A shorter list of steps that still fails in the same way, within `seconds`.
std::vector<Step> shrink(const RunOptions& options, std::vector<Step> steps, const std::string& category,
                         double seconds);

}  // namespace pilot
