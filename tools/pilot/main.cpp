// skyplacer-pilot: a random pilot that plays long, reproducible sessions
// against the built plug-in module on the stand-in simulator, injects faults,
// and checks after every step that nothing was lost or broken.
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <iterator>
#include <numeric>
#include <random>
#include <string>

#include "PilotRun.h"

namespace {

const char* kUsage =
    "usage: skyplacer-pilot [--seed N] [--steps N] [--replay \"STEPS\"] [--shrink-seconds S]\n"
    "                       [--auto-save MINUTES|off] [--progress S] [--module PATH] [--corpus FOLDER] [--verbose]\n"
    "  --seed            the run's seed (default: a random one, printed)\n"
    "  --steps           how many steps (default 10000)\n"
    "  --replay          play these steps (as a failure prints them) instead of a seed's\n"
    "  --auto-save       AutoSaveMinutes of the settings file the run starts with, or off for\n"
    "                    none (default: off for an even seed, 1 or 0.5 for an odd one)\n"
    "  --progress        a line with the steps a second every S seconds (default 60)\n"
    "  --shrink-seconds  how long to look for a shorter failing list of steps (default 300)\n"
    "  --verbose         print every step\n";

struct Arguments {
    std::uint64_t seed = 0;
    bool seeded = false;
    std::int64_t steps = 10000;
    std::string replay;
    bool replaying = false;
    double shrinkSeconds = 300;
    double progressSeconds = 60;
    std::string autoSave;
    bool autoSaveGiven = false;
    bool verbose = false;
    pilot::RunOptions run;
};

bool parseArguments(int argc, char** argv, Arguments& args) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (arg == "--verbose") {
            args.verbose = true;
            continue;
        }
        if (value == nullptr) return false;
        ++i;
        char* end = nullptr;
        if (arg == "--seed") {
            args.seed = std::strtoull(value, &end, 10);
            args.seeded = true;
        } else if (arg == "--steps") {
            args.steps = std::strtoll(value, &end, 10);
        } else if (arg == "--progress") {
            args.progressSeconds = std::strtod(value, &end);
        } else if (arg == "--shrink-seconds") {
            args.shrinkSeconds = std::strtod(value, &end);
        } else if (arg == "--replay") {
            args.replay = value;
            args.replaying = true;
            continue;
        } else if (arg == "--auto-save") {
            args.autoSave = std::string(value) == "off" ? "" : value;
            args.autoSaveGiven = true;
            continue;
        } else if (arg == "--module") {
            args.run.modulePath = value;
            continue;
        } else if (arg == "--corpus") {
            args.run.corpusFolder = value;
            continue;
        } else {
            return false;
        }
        if (end == value || *end != '\0') return false;
    }
    return args.steps >= 0;
}

void printFaults(const pilot::RunResult& result) {
    std::int64_t total = std::accumulate(std::begin(result.faults), std::end(result.faults), std::int64_t{0});
    std::cout << "Faults injected: " << total << "\n";
    for (int i = 0; i < static_cast<int>(pilot::Fault::Count); ++i) {
        std::cout << "  " << pilot::faultName(static_cast<pilot::Fault>(i)) << ": " << result.faults[i] << "\n";
    }
}

void printFailure(const pilot::RunResult& result) {
    std::cout << "\nFAILED after step " << result.failedStep << ": " << result.failure << "\n";
    std::cout << "The steps that led there:\n";
    for (const std::string& line : result.recentSteps) std::cout << "  " << line << "\n";
    if (!result.childOutput.empty()) std::cout << "Its standard error:\n" << result.childOutput << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    Arguments args;
    args.run.modulePath = SKYPLACER_PILOT_MODULE;
    args.run.corpusFolder = SKYPLACER_PILOT_CORPUS;
    if (!parseArguments(argc, argv, args)) {
        std::cerr << kUsage;
        return 2;
    }
    args.run.printSteps = args.verbose;
    std::vector<pilot::Step> replayed;
    std::string error;
    if (args.replaying && !pilot::parseSteps(args.replay, replayed, error)) {
        std::cerr << error << "\n" << kUsage;
        return 2;
    }
    if (!args.seeded) args.seed = std::random_device()() * 4294967296ull + std::random_device()();
    // Half the seeds run with the auto-save on, from the start.
    if (!args.autoSaveGiven && args.seed % 2 == 1) args.autoSave = args.seed % 4 == 1 ? "1" : "0.5";
    if (args.replaying && !args.autoSaveGiven) args.autoSave.clear();
    args.run.autoSaveMinutes = args.autoSave;
    std::string autoSaveOption = " --auto-save " + (args.autoSave.empty() ? std::string("off") : args.autoSave);
    std::int64_t count = args.replaying ? static_cast<std::int64_t>(replayed.size()) : args.steps;
    if (args.replaying) {
        std::cout << "Replaying " << count << " steps\n";
    } else {
        std::cout << "Seed " << args.seed << ", " << count << " steps, auto-save "
                  << (args.autoSave.empty() ? "off" : "every " + args.autoSave + " min") << " (replay with --seed "
                  << args.seed << " --steps " << count << ")" << std::endl;
    }
    args.run.progressSeconds = args.verbose ? 0 : args.progressSeconds;

    // Step i of a seed's run: the child draws them in order.
    pilot::StepSource source(args.seed);
    std::function<pilot::Step(std::int64_t)> stepAt = [&](std::int64_t i) {
        return args.replaying ? replayed[static_cast<std::size_t>(i)] : source.next();
    };
    pilot::RunResult result = pilot::runSteps(args.run, count, stepAt);
    std::cout << result.stepsRun << " steps in " << result.seconds << " s ("
              << static_cast<long>(static_cast<double>(result.stepsRun) / std::max(result.seconds, 1e-9))
              << " a second)\n";
    printFaults(result);
    std::cout << "Failed loads checked to leave the held values as they were: " << result.loadsCompared << "\n";
    if (result.passed) {
        std::cout << "All checks held after every step\n";
        return 0;
    }
    printFailure(result);
    if (args.replaying) {
        std::cout << "\nReplay:" << autoSaveOption << " --replay \"" << pilot::stepsText(replayed) << "\"\n";
        return 1;
    }
    std::vector<pilot::Step> prefix;
    pilot::StepSource again(args.seed);
    for (std::int64_t i = 0; i <= result.failedStep && i < count; ++i) prefix.push_back(again.next());
    std::cout << "\nShrinking the " << prefix.size() << " steps (up to " << args.shrinkSeconds << " s)..." << std::endl;
    std::vector<pilot::Step> shrunk = pilot::shrink(args.run, prefix, result.category, args.shrinkSeconds);
    std::cout << "Still fails with these " << shrunk.size() << " steps:\n";
    pilot::RunOptions show = args.run;
    show.printSteps = true;
    show.progressSeconds = 0;
    pilot::RunResult shown = pilot::runSteps(show, static_cast<std::int64_t>(shrunk.size()),
                                             [&shrunk](std::int64_t i) { return shrunk[static_cast<std::size_t>(i)]; });
    std::cout << (shown.passed ? "(the shrunk steps passed on their own this time)\n" : "  -> " + shown.failure + "\n");
    std::cout << "Replay: " << argv[0] << autoSaveOption << " --replay \"" << pilot::stepsText(shrunk) << "\"\n";
    std::cout << "Seed " << args.seed << ", failed after step " << result.failedStep << "\n";
    return 1;
}
