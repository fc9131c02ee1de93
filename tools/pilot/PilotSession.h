// One session of the random pilot: the built plug-in module loaded into the
// stand-in simulator on a fresh root folder, driven step by step, and checked
// after every step.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "FolderState.h"
#include "GrowingFile.h"
#include "PilotSteps.h"
#include "PlacementWatch.h"
#include "skysim/Sim.h"

namespace pilot {

// Faults injected, by kind; counted across the run.
enum class Fault {
    ValidFile,
    CorpusFile,
    MutatedFile,
    EmptyFile,
    HugeFile,
    FolderNamedSkd,
    NewSettings,
    Deleted,
    Renamed,
    ReadOnlyFile,
    ReadOnlyFolder,
    FullDisk,
    Reload,
    Killed,
    Count
};
const char* faultName(Fault fault);

// The message a failed save shows, at the next call of the plug-in's main
// loop: every 0.1 s, the first a second after the plug-in starts.
constexpr const char* kSaveFailedText = "Unable to Create Position File.";
constexpr double kLoopCallWithin = 1.1;  // seconds

// The simulator's state the pilot's crash and replay steps change.
constexpr const char* kHasCrashed = "sim/flightmodel2/misc/has_crashed";
constexpr const char* kInReplay = "sim/time/is_in_replay";

struct SessionOptions {
    std::string modulePath;
    std::string rootFolder;       // made afresh by the caller
    std::string corpusFolder;     // the fuzz corpora: position/ and settings/ below it
    std::string autoSaveMinutes;  // the first SkyPlacer.ini's AutoSaveMinutes ("": no settings file)
};

class Session {
public:
    // `faultCounts` has a slot per Fault; `loadsCompared` counts the failed loads whose held values were compared.
    Session(skysim::Sim& sim, const SessionOptions& options, std::int64_t* faultCounts, std::int64_t* loadsCompared)
        : sim_(sim), options_(options), faultCounts_(faultCounts), loadsCompared_(loadsCompared) {}

    // Loads and starts the plug-in; false with `error` when it cannot.
    bool begin(std::string& error);
    // Begins again on the folder a killed session left (see dieDuringSave).
    bool resume(std::string& error);
    // Does what the step says; returns what it did, in words.
    std::string act(const Step& step);
    // The checks that hold after every step; false with `error` at the first that does not.
    bool check(const Step& step, std::string& error);
    // Stops the plug-in; false with `error` when the log's earlier bytes changed after all.
    bool end(std::string& error);

private:
    // Actions, in PilotActions.cpp.
    std::string pickMenu(Random& random);
    std::string pressHotKey(Random& random);
    std::string runCommand(Random& random);
    std::string clickButton(Random& random);
    std::string clickCloseBox(Random& random);
    std::string useListBox(Random& random);
    std::string typeText(Random& random);
    std::string nameInSaveDialog(Random& random);
    std::string passTime(Random& random);
    std::string writeFile(Random& random);
    std::string removeFile(Random& random);
    std::string makeReadOnly(Random& random);
    std::string fillDisk(Random& random);
    std::string reload(Random& random);
    std::string toggle(const char* dataRef, const char* on, const char* off);
    std::string undo();
    [[noreturn]] void dieDuringSave(Random& random);
    std::string writeNamedFile(Random& random, const std::string& name, Fault& fault);
    void count(Fault fault) { ++faultCounts_[static_cast<int>(fault)]; }

    bool startSimulator(bool again, std::string& error);
    void keepAutoSaveOn();

    // Checks, in PilotChecks.cpp.
    bool checkSimulator(std::string& error);
    bool checkOutsideFolder(std::string& error);
    bool checkPluginFolder(std::string& error);
    bool checkStoredValues(const Step& step, std::string& error);
    bool checkNoAutoSave(const FolderState& now, std::string& error);
    bool checkCrashSaves(const FolderState& now, std::string& error);
    bool checkStopped(std::string& error);
    std::vector<std::string> storedColumn() const;
    void takePluginFolderState();  // after the pilot's own changes to the folder
    // Where the session that carries on after this one's death finds what the checks knew.
    std::string resumeStatePath() const { return options_.rootFolder + ".state"; }

    std::vector<skysim::WidgetInfo> shown(int widgetClass) const;
    std::string pluginPath(const std::string& name) const { return sim_.pluginFolder() + name; }

    skysim::Sim& sim_;
    const SessionOptions& options_;
    std::int64_t* faultCounts_;
    std::int64_t* loadsCompared_;
    FolderState outside_;  // the root folder less the plug-in's, as it was at the start
    FolderState folder_;   // the plug-in's folder after the last step
    GrowingFile log_;      // the plug-in's log, read up to where the last step left it
    PlacementWatch placements_;
    std::size_t simLogSize_ = 0;
    std::string stopError_;            // what the last stop left registered
    std::string lastLogLines_;         // what the log gained in the last step
    double waited_ = 0;                // seconds the last step let pass
    bool saveFailed_ = false;          // the last step's save said it failed
    bool resumed_ = false;             // the last step killed the simulator, which started again
    bool reloadMayKeep_ = false;       // the last step reloaded the plug-in, whose stop left no mark of this process
    bool keepOwed_ = false;            // the log said AutoSave.skd could not be kept, and not yet that it was
    std::string deadRunSave_;          // AutoSave.skd as the killed simulator left it ("": none)
    std::vector<std::string> fresh_;   // the data display's Stored column, refreshed after the last step
    std::vector<std::string> corpus_;  // paths of the corpus files
};

}  // namespace pilot
