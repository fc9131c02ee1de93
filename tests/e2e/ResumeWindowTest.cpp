// The resume window after a crash, as the pilot meets it: at the first start
// after an unclean end it shows the crash's last save and stays until
// answered, beside the auto-start; "Put the aircraft back" places it as
// Position does, with the same refusals; "Not now" keeps the file; the command
// skyplacer/resume_after_crash opens it again, or says there is nothing to resume.
#include <string>

#include "ControlPanelDriver.h"
#include "FlightTestSupport.h"

namespace {

const char* const kResumeTitle = "SkyPlacer - Resume After a Crash";
const char* const kAutoSaveOn = "[CONFIG]\nAutoSaveMinutes = 1\n";

class ResumeWindow : public PanelTest {
protected:
    // A run whose last save held these values ends in a crash; the next starts with `settings`.
    void crashWithLastSave(const std::map<std::string, std::string>& values,
                           const std::string& settings = kAutoSaveOn) {
        if (!sim().started()) startWithSettings(kAutoSaveOn);
        writeFile(pluginFile("AutoSave.skd"), positionFileText(values));
        nextSimulatorRun(true, settings);
    }
    static WidgetId window() { return windowTitled(kResumeTitle); }
    std::vector<std::string> captions() const {
        std::vector<std::string> texts;
        for (const WidgetInfo& caption : childrenOf(window(), skysim::Caption)) texts.push_back(caption.descriptor);
        return texts;
    }
    void answer(const std::string& button) {
        ASSERT_TRUE(sim().clickButton(button)) << button;
        nextFlightLoops();
    }
};

const std::map<std::string, std::string> kCrashed = {
    {"Latitude", "47.5"}, {"Longitude", "-122.25"}, {"Altitude", "4330.4"}, {"Heading", "163.5"}, {"Speed", "150"}};

TEST_F(ResumeWindow, ShowsTheCrashsLastSaveAndPutsTheAircraftBackAsPositionDoes) {
    writeFile(pluginFile("Home.skd"), positionFileText({{"Latitude", "10.5"}}));
    crashWithLastSave(kCrashed, std::string(kAutoSaveOn) + "AutoStart = 1\nDefaultSKDFileName = Home.skd\n");
    ASSERT_NE(0, window());
    const std::string kept = crashSaves().at(0);
    // "AutoSave-crash-2026-12-08-02h14m30s.skd" is shown "Saved 2026-12-08 02:14:30".
    const std::string savedAt =
        "Saved " + kept.substr(15, 10) + " " + kept.substr(26, 2) + ":" + kept.substr(29, 2) + ":" + kept.substr(32, 2);
    EXPECT_EQ(
        (std::vector<std::string>{"The last save before a crash:", kept, savedAt, "Latitude 47.500000",
                                  "Longitude -122.250000", "Altitude 4330 ft, speed 150 kt", "Heading 164 (magnetic)"}),
        captions());
    // Every text fits inside the window at the simulator's font.
    const WidgetInfo frame = sim().widget(window());
    for (const WidgetInfo& child : childrenOf(window())) {
        EXPECT_LE(child.left + skysim::Sim::kFontWidth * static_cast<int>(child.descriptor.size()), frame.right - 10)
            << child.descriptor;
    }

    // The auto-start ran as configured, and the window stays on top until answered.
    EXPECT_EQ(1, flighttest::placementCount());
    EXPECT_EQ("Home.skd", fileNameText());
    sim().advance(30.0);
    EXPECT_TRUE(isShown(window()));
    EXPECT_EQ(window(), sim().roots().back());

    answer("Put the aircraft back");
    EXPECT_EQ(0, window());
    EXPECT_EQ(2, flighttest::placementCount());
    EXPECT_NEAR(47.5, sim().getDouble("sim/flightmodel/position/latitude"), 1e-6);
    EXPECT_EQ("47.500000", fieldText(kLatitude));
    EXPECT_EQ(kept, fileNameText());
    EXPECT_EQ(std::vector<std::string>{kept}, crashSaves());
}

TEST_F(ResumeWindow, NotNowKeepsTheFileAndTheCommandOffersItAgain) {
    startWithSettings(kAutoSaveOn);
    ASSERT_TRUE(sim().commandOnce("skyplacer/resume_after_crash"));
    EXPECT_EQ(0, window());
    EXPECT_TRUE(isShown(sim().findShown("No Crash Save to Resume.")));

    crashWithLastSave(kCrashed);
    answer("Not now");
    EXPECT_EQ(0, window());
    EXPECT_EQ(0, flighttest::placementCount());
    ASSERT_EQ(1u, crashSaves().size());

    sim().stop();  // a reload is no crash: no window
    startWithSettings(kAutoSaveOn);
    EXPECT_EQ(0, window());
    ASSERT_TRUE(sim().commandOnce("skyplacer/resume_after_crash"));
    EXPECT_EQ(crashSaves().at(0), captions().at(1));
    answer("Put the aircraft back");
    EXPECT_EQ(1, flighttest::placementCount());
}

// A save no placement takes is refused as Position refuses it; the window is answered all the same.
TEST_F(ResumeWindow, AValueOutOfRangeIsRefusedWithPositionsWindow) {
    crashWithLastSave({{"Latitude", "95"}});
    answer("Put the aircraft back");
    EXPECT_EQ(0, window());
    EXPECT_EQ(0, flighttest::placementCount());
    EXPECT_TRUE(isShown(sim().findShown("Latitude = 95.000000")));
    EXPECT_TRUE(isShown(sim().findShown("Not placed: use -90 to 90")));
}

// What the guide once told pilots, AutoSave.skd as the default file, still
// places the last run's flight, and the log names the file placed.
TEST_F(ResumeWindow, AutoStartFromAutoSaveSkdPlacesTheLastSessionsSave) {
    const std::string settings = std::string(kAutoSaveOn) + "AutoStart = 1\nDefaultSKDFileName = AutoSave.skd\n";
    startWithSettings(kAutoSaveOn);
    writeFile(pluginFile("AutoSave.skd"), positionFileText(kCrashed));
    nextSimulatorRun(false, settings);
    EXPECT_EQ(1, flighttest::placementCount());
    EXPECT_NEAR(47.5, sim().getDouble("sim/flightmodel/position/latitude"), 1e-6);
    EXPECT_EQ(1, occurrences(logText(),
                             "SkyPlacer - the auto-start places AutoSave-last-session.skd, the last "
                             "session's AutoSave.skd\n"));
    EXPECT_EQ(0, window()) << "a clean end offers nothing";
}

}  // namespace
