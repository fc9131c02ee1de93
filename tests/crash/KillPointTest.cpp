// A simulator killed in the middle of a save (SIGKILL, as a crash or a power
// cut stops it) leaves every position file of the plug-in's folder whole: the
// one before the save or the one it was writing, never a part of either.
// Each save runs in a child process that loads the built module into the
// stand-in; the parent only looks at the folder the child left.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "KillPoints.h"
#include "TestSupport.h"

namespace {

namespace fs = std::filesystem;
using killpoints::SaveEvent;

const char* const kQuickFile = "QuickFile.skd";
const char* const kTemporaryFile = "SkyPlacerSave.tmp";
const char* const kKeptCopy = "SkyPlacerKeep.tmp";
const char* const kAutoSave = "AutoSave.skd";
const char* const kPrevious = "AutoSave-previous.skd";
const char* const kLastSession = "AutoSave-last-session.skd";

// A simulator on `root` with the plug-in started and the aircraft at
// `latitude`; then `act`. The status waitpid gives for the child.
int simulatorRun(const std::string& root, double latitude, const std::function<void()>& act) {
    (void)std::fflush(nullptr);
    pid_t child = fork();
    if (child == 0) {
        skysim::Sim& sim = skysim::Sim::get();
        sim.reset(root);
        fs::create_directories(sim.pluginFolder());
        if (!sim.load(SKYPLACER_MODULE_PATH) || sim.start() != 1) _exit(2);
        sim.advance(1.2);
        AircraftState aircraft = aircraftInFlight();
        aircraft.place.latitude = latitude;
        setAircraftState(aircraft);
        act();
        sim.stop();
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}

void quickSave() { skysim::Sim::get().pickMenuItem("Quick Save File"); }

std::string pluginFile(const std::string& root, const std::string& name) {
    return root + "/Resources/plugins/SkyPlacer/" + name;
}

// A simulator that dies without stopping the plug-in ends with this status.
constexpr int kDied = 3;

// A simulator on `root` with the auto-save on, once a minute: `saves` saves,
// the n-th of the aircraft at latitude 10 n; killed at the `killAfter`-th save
// event from its start (-1: never), the keeping of the last run's save
// included; then stopped, or, without `stops`, dying there (kDied). The status
// waitpid gives for the child.
int autoSaveRun(const std::string& root, int saves, int killAfter = -1, bool stops = true) {
    fs::create_directories(pluginFile(root, ""));
    writeFile(pluginFile(root, "SkyPlacer.ini"), "[CONFIG]\nAutoSaveMinutes = 1\n");
    (void)std::fflush(nullptr);
    pid_t child = fork();
    if (child == 0) {
        skysim::Sim& sim = skysim::Sim::get();
        sim.reset(root);
        if (killAfter >= 0) killpoints::killAfter(killAfter);
        if (!sim.load(SKYPLACER_MODULE_PATH) || sim.start() != 1) _exit(2);
        setAircraftState(aircraftInFlight());
        for (int save = 1; save <= saves; ++save) {
            sim.setDouble("sim/flightmodel/position/latitude", 10.0 * save);
            sim.advance(save == 1 ? 60.1 : 60.0);
        }
        if (!stops) _exit(kDied);
        sim.stop();
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}

// Kills the process from the simulator's thread once `reached` says that the
// writer is held at its point.
[[noreturn]] void killWhenHeld(const std::function<bool()>& reached) {
    for (int wait = 0; wait < 10000 && !reached(); ++wait) usleep(1000);
    usleep(20000);  // the writer asleep at the point
    (void)kill(getpid(), SIGKILL);
    for (;;) pause();
}

bool killed(int status) { return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL; }
bool died(int status) { return WIFEXITED(status) && WEXITSTATUS(status) == kDied; }

// The crash saves in the folder, oldest first.
std::vector<std::string> crashSavesIn(const std::string& root) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(pluginFile(root, ""))) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("AutoSave-crash-", 0) == 0) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The quick file a save that runs to its end writes for the aircraft at `latitude`.
std::string wholeSave(double latitude) {
    TempFolder root;
    EXPECT_EQ(0, simulatorRun(root.path(), latitude, quickSave));
    return readFile(pluginFile(root.path(), kQuickFile));
}

}  // namespace

TEST(KillPoints, ASaveKilledAtAnyPointLeavesTheOldFileOrTheNewOneWhole) {
    const double oldLatitude = 10.5, newLatitude = 20.25;
    const std::string before = wholeSave(oldLatitude), after = wholeSave(newLatitude);
    ASSERT_NE(std::string::npos, after.find("Latitude = 20.250000"));
    ASSERT_NE(before, after);
    struct Point {
        SaveEvent event;
        const char* name;
        const char* quickFile;      // what the quick file holds after the kill
        const char* temporaryFile;  // and the temporary file (nullptr: none)
    };
    const std::string empty;
    const Point points[] = {
        {SaveEvent::Write, "before the write", "old", ""},
        {SaveEvent::Rename, "between the write and the rename", "old", "new"},
        {SaveEvent::Renamed, "after the rename", "new", nullptr},
    };
    // Killed by the writer thread as it reaches the point, or by the simulator's
    // thread while a slow disk holds the writer there.
    for (const Point& point : points)
        for (bool held : {false, true}) {
            SCOPED_TRACE(std::string(point.name) + (held ? ", the writer held there" : ""));
            TempFolder root;
            ASSERT_EQ(0, simulatorRun(root.path(), oldLatitude, quickSave));
            const std::string temporary = pluginFile(root.path(), kTemporaryFile);
            const std::string quickFile = pluginFile(root.path(), kQuickFile);
            // What the folder holds once the writer is at the point.
            const auto reached = [&] {
                if (point.temporaryFile == nullptr) return !fileExists(temporary) && readFile(quickFile) == after;
                return fileExists(temporary) &&
                       readFile(temporary) == (std::string(point.temporaryFile) == "new" ? after : empty);
            };
            int status = simulatorRun(root.path(), newLatitude, [&] {
                if (!held) killpoints::killAt(point.event);
                if (held) killpoints::slowAt(point.event, 60000);
                quickSave();
                if (held) killWhenHeld(reached);
            });
            ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the save ran past the kill point";

            // Every position file in the folder is one a whole save wrote.
            for (const auto& entry : fs::directory_iterator(pluginFile(root.path(), ""))) {
                if (entry.path().extension() != ".skd") continue;
                std::string text = readFile(entry.path().string());
                EXPECT_TRUE(text == before || text == after) << entry.path() << " is not whole:\n" << text;
            }
            std::string quick = readFile(quickFile);
            EXPECT_EQ(std::string(point.quickFile) == "old" ? before : after, quick);
            if (point.temporaryFile == nullptr) {
                EXPECT_FALSE(fileExists(temporary));
            } else {
                EXPECT_EQ(std::string(point.temporaryFile) == "new" ? after : empty, readFile(temporary));
            }

            // The simulator started again saves over what the killed one left.
            ASSERT_EQ(0, simulatorRun(root.path(), newLatitude, quickSave));
            EXPECT_EQ(after, readFile(pluginFile(root.path(), kQuickFile)));
            EXPECT_FALSE(fileExists(temporary));
        }
}

// Every step of the auto-save's rotation, in three saves from an empty folder:
// AutoSave.skd is absent only before the first save and never after, and is
// the old save or the new one, whole; AutoSave-previous.skd is whole or absent.
// The states follow one another in the order of an uninterrupted run, and a
// kill at each event shows each of them.
TEST(KillPoints, AnAutoSaveKilledAtAnyStepOfItsRotationLeavesWholeSaves) {
    std::string save[4];  // save[n]: the n-th save's file
    for (int saves : {2, 3}) {
        TempFolder reference;
        ASSERT_EQ(0, autoSaveRun(reference.path(), saves));
        save[saves] = readFile(pluginFile(reference.path(), kAutoSave));
        save[saves - 1] = readFile(pluginFile(reference.path(), kPrevious));
    }
    ASSERT_NE(std::string::npos, save[3].find("Latitude = 30.000000"));
    const std::string none = "none";
    auto fileOrNone = [&](const std::string& path) {
        if (!fileExists(path)) return none;
        const std::string text = readFile(path);
        const std::string* found = std::find(std::begin(save), std::end(save), text);
        return found == std::end(save) ? "not whole:\n" + text : "save " + std::to_string(found - save);
    };
    // (AutoSave.skd, AutoSave-previous.skd) as an uninterrupted run has them, in order.
    const std::string states[] = {"none, none",     "save 1, none",   "save 2, none",
                                  "save 2, save 1", "save 3, save 1", "save 3, save 2"};
    size_t reached = 0;
    int events = 0;
    for (;; ++events) {
        SCOPED_TRACE("killed at save event " + std::to_string(events));
        TempFolder root;
        if (!killed(autoSaveRun(root.path(), 3, events))) break;
        const std::string state =
            fileOrNone(pluginFile(root.path(), kAutoSave)) + ", " + fileOrNone(pluginFile(root.path(), kPrevious));
        const std::string* at = std::find(std::begin(states) + reached, std::end(states), state);
        ASSERT_NE(std::end(states), at) << state << " after " << states[reached];
        reached = static_cast<size_t>(at - states);

        // Started again, the last session's save is kept and the rotation goes on.
        const std::string left = readFile(pluginFile(root.path(), kAutoSave));
        ASSERT_EQ(0, autoSaveRun(root.path(), 2));
        EXPECT_EQ(save[2], readFile(pluginFile(root.path(), kAutoSave)));
        EXPECT_EQ(save[1], readFile(pluginFile(root.path(), kPrevious)));
        if (reached > 0) {
            EXPECT_EQ(left, readFile(pluginFile(root.path(), kLastSession)));
        }
        EXPECT_FALSE(fileExists(pluginFile(root.path(), kTemporaryFile)));
        EXPECT_FALSE(fileExists(pluginFile(root.path(), kKeptCopy)));
    }
    EXPECT_EQ(std::size(states) - 1, reached);
    EXPECT_EQ(42, events) << "the run marked at start (6 events), the three saves' events (6 for the first, 12 for "
                             "each rotation) and the run marked stopped (6)";

    // At the start, AutoSave.skd is renamed: killed before or after, it is one file or the other.
    for (int kill : {0, 1}) {
        SCOPED_TRACE("killed at start-up event " + std::to_string(kill));
        TempFolder root;
        ASSERT_EQ(0, autoSaveRun(root.path(), 3));
        ASSERT_TRUE(killed(autoSaveRun(root.path(), 0, kill)));
        EXPECT_EQ(kill == 0 ? "save 3" : none, fileOrNone(pluginFile(root.path(), kAutoSave)));
        EXPECT_EQ(kill == 0 ? none : "save 3", fileOrNone(pluginFile(root.path(), kLastSession)));
    }
}

// A crash's last save is kept by the next start in steps: a copy under the
// time it was made, AutoSave.skd renamed AutoSave-last-session.skd, the run
// marked as running. Killed at each, every file is whole, the save is never
// lost, and the start after keeps it once and offers it.
TEST(KillPoints, AStartKilledWhileKeepingACrashSaveLosesNothing) {
    std::string save[3];  // save[n]: the n-th save's file
    {
        TempFolder reference;
        ASSERT_EQ(0, autoSaveRun(reference.path(), 2));
        save[2] = readFile(pluginFile(reference.path(), kAutoSave));
        save[1] = readFile(pluginFile(reference.path(), kPrevious));
    }
    int events = 0;
    for (;; ++events) {
        SCOPED_TRACE("killed at start-up event " + std::to_string(events));
        TempFolder root;
        ASSERT_TRUE(died(autoSaveRun(root.path(), 2, -1, false)));
        const int status = autoSaveRun(root.path(), 0, events, false);
        if (!killed(status)) {
            ASSERT_TRUE(died(status));
            break;
        }
        bool lastSaveThere = false;
        for (const auto& entry : fs::directory_iterator(pluginFile(root.path(), ""))) {
            if (entry.path().extension() != ".skd") continue;
            const std::string text = readFile(entry.path().string());
            EXPECT_TRUE(text == save[1] || text == save[2]) << entry.path() << " is not whole:\n" << text;
            lastSaveThere = lastSaveThere || text == save[2];
        }
        EXPECT_TRUE(lastSaveThere);

        const size_t logBefore = readFile(pluginFile(root.path(), "SkyPlacerLog.txt")).size();
        ASSERT_EQ(0, autoSaveRun(root.path(), 0));
        const std::vector<std::string> kept = crashSavesIn(root.path());
        ASSERT_EQ(1u, kept.size());
        EXPECT_EQ(save[2], readFile(pluginFile(root.path(), kept[0])));
        EXPECT_EQ(save[2], readFile(pluginFile(root.path(), kLastSession)));
        EXPECT_NE(std::string::npos,
                  readFile(pluginFile(root.path(), "SkyPlacerLog.txt")).find("its last save is " + kept[0], logBefore))
            << "offered";
        EXPECT_FALSE(fileExists(pluginFile(root.path(), kTemporaryFile)));
        EXPECT_FALSE(fileExists(pluginFile(root.path(), kKeptCopy)));
    }
    EXPECT_EQ(14, events) << "the copy written (4 events) and named (2), AutoSave.skd renamed (2), the run marked (6)";
}

// The two ways a crashed flight A was lost, each run a process of its own:
// the next run B saves once and the pilot reloads the plug-ins; B saves once
// and crashes too, and C starts. A's save stays, under its time, and C offers
// the newest crash's.
TEST(KillPoints, ACrashedFlightOutlivesAReloadAndASecondCrash) {
    auto flyAndDie = [] {
        skysim::Sim::get().advance(60.0);
        _exit(kDied);
    };
    auto flyAndReload = [] {
        skysim::Sim& sim = skysim::Sim::get();
        sim.advance(60.0);
        sim.stop();
        if (sim.start() != 1) _exit(2);
        sim.advance(1.2);
    };
    for (bool secondCrash : {false, true}) {
        SCOPED_TRACE(secondCrash ? "B crashes" : "B reloads");
        TempFolder root;
        fs::create_directories(pluginFile(root.path(), ""));
        writeFile(pluginFile(root.path(), "SkyPlacer.ini"), "[CONFIG]\nAutoSaveMinutes = 1\n");
        ASSERT_TRUE(died(simulatorRun(root.path(), 10.0, flyAndDie)));
        const std::string a = readFile(pluginFile(root.path(), kAutoSave));
        ASSERT_NE(std::string::npos, a.find("Latitude = 10.000000"));
        if (secondCrash) {
            ASSERT_TRUE(died(simulatorRun(root.path(), 20.0, flyAndDie)));
        } else {
            ASSERT_EQ(0, simulatorRun(root.path(), 20.0, flyAndReload));
        }
        const std::string b = readFile(pluginFile(root.path(), kAutoSave));
        ASSERT_NE(std::string::npos, b.find("Latitude = 20.000000"));
        std::vector<std::string> kept = crashSavesIn(root.path());
        ASSERT_EQ(1u, kept.size());
        EXPECT_EQ(a, readFile(pluginFile(root.path(), kept[0])));
        EXPECT_EQ(a, readFile(pluginFile(root.path(), kLastSession)));
        if (!secondCrash) continue;

        ASSERT_EQ(0, simulatorRun(root.path(), 30.0, [] {}));
        kept = crashSavesIn(root.path());
        ASSERT_EQ(2u, kept.size());
        EXPECT_EQ(a, readFile(pluginFile(root.path(), kept[0])));
        EXPECT_EQ(b, readFile(pluginFile(root.path(), kept[1])));
        EXPECT_EQ(b, readFile(pluginFile(root.path(), kLastSession)));
        EXPECT_NE(std::string::npos,
                  readFile(pluginFile(root.path(), "SkyPlacerLog.txt")).find("its last save is " + kept[1]));
    }
}
