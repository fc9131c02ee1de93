// A disk that holds a save (KillPoints.h's slowAt) while the simulator goes
// on: a load and the file dialog's list wait for the save asked before them,
// and the plug-in's stop waits for the saves asked, up to two seconds, then
// names in the log those it could not wait for; every file stays whole.
#include "KillPoints.h"
#include "TestSupport.h"

namespace {

using killpoints::SaveEvent;

constexpr int kHeldMilliseconds = 300;  // a flush held this long is still running when the next step comes

class SlowDisk : public SimTest {
protected:
    void fly(double latitude) {
        AircraftState aircraft = aircraftInFlight();
        aircraft.place.latitude = latitude;
        setAircraftState(aircraft);
    }
    std::string quickFile() const { return pluginText("QuickFile.skd"); }
    void slowQuickSave(double latitude, int milliseconds = kHeldMilliseconds) {
        fly(latitude);
        killpoints::slowAt(SaveEvent::Close, milliseconds);
        ASSERT_TRUE(sim().pickMenuItem("Quick Save File"));
    }
};

bool holdsLatitude(const std::string& file, const std::string& latitude) {
    return file.find("\nLatitude = " + latitude + "\n") != std::string::npos;
}

TEST_F(SlowDisk, ALoadAndTheFileListWaitForTheSaveAskedBefore) {
    startWithSettings("");
    slowQuickSave(33.25);
    ASSERT_FALSE(fileExists(pluginFile("QuickFile.skd"))) << "the save was not held";
    ASSERT_TRUE(sim().pickMenuItem("Load Position File"));
    EXPECT_NE(0, sim().findShown("QuickFile.skd", skysim::TextField)) << "the new file is listed and offered";

    ASSERT_TRUE(sim().pickMenuItem("Control Panel"));
    slowQuickSave(44.5);
    ASSERT_TRUE(holdsLatitude(quickFile(), "33.250000")) << "the save was not held";
    ASSERT_TRUE(sim().pickMenuItem("Quick Load File"));
    EXPECT_NE(0, sim().findShown("44.500000", skysim::TextField)) << "the quick load read what was saved";
}

TEST_F(SlowDisk, TheStopWaitsForTheSavesAskedAndNamesThoseLeftAfterTwoSeconds) {
    startWithSettings("");
    slowQuickSave(33.25);
    sim().stop();
    EXPECT_TRUE(holdsLatitude(quickFile(), "33.250000"));
    EXPECT_EQ(std::string::npos, logText().find("was not written"));

    // A save held past the stop's two seconds, a second one waiting behind it.
    startWithSettings("");
    slowQuickSave(44.5, 2600);
    fly(55.75);
    ASSERT_TRUE(sim().pickMenuItem("Quick Save File"));
    sim().stop();
    EXPECT_TRUE(holdsLatitude(quickFile(), "44.500000")) << "the save in progress ends whole";
    EXPECT_FALSE(fileExists(pluginFile("SkyPlacerSave.tmp")));
    EXPECT_NE(std::string::npos, logText().find("SkyPlacer - " + pluginFile("QuickFile.skd") +
                                                " was not written: the plug-in stopped before its save\n"));
}

}  // namespace
