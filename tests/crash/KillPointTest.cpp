// A simulator killed in the middle of a save (SIGKILL, as a crash or a power
// cut stops it) leaves every position file of the plug-in's folder whole: the
// one before the save or the one it was writing, never a part of either.
// Each save runs in a child process that loads the built module into the
// stand-in; the parent only looks at the folder the child left.
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>

#include "KillPoints.h"
#include "TestSupport.h"

namespace {

namespace fs = std::filesystem;
using killpoints::SaveEvent;

const char* const kQuickFile = "QuickFile.skd";
const char* const kTemporaryFile = "SkyPlacerSave.tmp";

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
    for (const Point& point : points) {
        SCOPED_TRACE(point.name);
        TempFolder root;
        ASSERT_EQ(0, simulatorRun(root.path(), oldLatitude, quickSave));
        int status = simulatorRun(root.path(), newLatitude, [&point] {
            killpoints::killAt(point.event);
            quickSave();
        });
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the save ran past the kill point";

        // Every position file in the folder is one a whole save wrote.
        for (const auto& entry : fs::directory_iterator(pluginFile(root.path(), ""))) {
            if (entry.path().extension() != ".skd") continue;
            std::string text = readFile(entry.path().string());
            EXPECT_TRUE(text == before || text == after) << entry.path() << " is not whole:\n" << text;
        }
        std::string quick = readFile(pluginFile(root.path(), kQuickFile));
        EXPECT_EQ(std::string(point.quickFile) == "old" ? before : after, quick);
        std::string temporary = pluginFile(root.path(), kTemporaryFile);
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
