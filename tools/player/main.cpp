// skyplacer-player: plays a scenario file against the plug-in module loaded
// into the stand-in simulator, and reports what happened.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>

#include "Report.h"
#include "Scenario.h"
#include "StepRunner.h"
#include "skysim/TemporaryFolder.h"

namespace {

const char* kUsage =
    "usage: skyplacer-player [--module PATH] [--root FOLDER] [--pictures FOLDER] SCENARIO\n"
    "  --module    the plug-in module to load (default " SKYPLACER_DEFAULT_MODULE
    ")\n"
    "  --root      the simulator's root folder (default: a fresh temporary folder, removed afterwards)\n"
    "  --pictures  where pictures are written (default " SKYPLACER_DEFAULT_PICTURES "/<scenario name>)\n";

// Reads the options and the scenario's path; false on anything it does not know.
bool parseArguments(int argc, char** argv, player::PlayerOptions& options, std::string& scenarioPath) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == "--module" && hasValue) {
            options.modulePath = argv[++i];
        } else if (arg == "--root" && hasValue) {
            options.rootFolder = argv[++i];
        } else if (arg == "--pictures" && hasValue) {
            options.pictureFolder = argv[++i];
        } else if (arg.rfind("--", 0) != 0 && scenarioPath.empty()) {
            scenarioPath = arg;
        } else {
            return false;
        }
    }
    return !scenarioPath.empty();
}

bool makeTemporaryRoot(std::string& folder) {
    try {
        folder = skysim::makeTemporaryFolder("skyplacer-player-");
    } catch (const std::runtime_error&) {
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    player::PlayerOptions options;
    options.modulePath = SKYPLACER_DEFAULT_MODULE;
    std::string scenarioPath;
    if (!parseArguments(argc, argv, options, scenarioPath)) {
        std::cerr << kUsage;
        return 2;
    }
    player::Scenario scenario;
    player::ScenarioError parseError;
    if (!player::loadScenario(scenarioPath, scenario, parseError)) {
        std::cerr << player::locate(scenarioPath, parseError.line, parseError.message) << "\n";
        return 1;
    }
    if (options.pictureFolder.empty()) {
        options.pictureFolder =
            std::string(SKYPLACER_DEFAULT_PICTURES) + "/" + std::filesystem::path(scenarioPath).stem().string();
    }
    bool temporaryRoot = options.rootFolder.empty();
    if (temporaryRoot && !makeTemporaryRoot(options.rootFolder)) {
        std::cerr << "cannot make a temporary simulator root folder\n";
        return 2;
    }

    skysim::Sim& sim = skysim::Sim::get();
    player::Report report(std::cout);
    player::StepRunner runner(sim, scenario, options, report);
    std::string error;
    bool passed = runner.run(error);
    runner.finish();
    report.finish(runner.runLog(), sim.simLog());
    std::cout << "\nSimulator root folder: " << options.rootFolder << (temporaryRoot ? " (removed)" : "") << "\n";
    if (temporaryRoot) {
        std::error_code ignored;
        std::filesystem::remove_all(options.rootFolder, ignored);
    }
    if (!passed) {
        // The plug-in's debug output shares standard error and may end mid-line.
        std::cerr << "\n" << error << "\n";
        return 1;
    }
    std::cout << scenarioPath << ": all " << scenario.steps.size() << " steps passed\n";
    return 0;
}
