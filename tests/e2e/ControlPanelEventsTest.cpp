// What the control panel shows after each event: its buttons' enabled states,
// its captions' exact texts and its fields, driven through the built module.
#include <string>

#include "ControlPanelDriver.h"
#include "FlightTestSupport.h"

namespace {

const char* const kNoFile = "No SKD File Loaded";
const char* const kFromAircraft = "The data below is from the current aircraft";
const char* const kFromQuickFile = "The data below is from the QuickFile";

class ControlPanelEvents : public PanelTest {
protected:
    void expectDataButtons(bool dataPresent) {
        EXPECT_EQ(dataPresent, enabled(" Save SKD"));
        EXPECT_EQ(dataPresent, enabled(" Position"));
        for (const char* always : {" Load SKD", " Quick Load", " Quick Save", " Get Data", " Save Data"}) {
            EXPECT_TRUE(enabled(always)) << always;
        }
    }
    void expectCapturedFields() {
        EXPECT_EQ("47.123457", fieldText(kLatitude));
        EXPECT_EQ("-122.309000", fieldText(kLongitude));
        EXPECT_EQ("3280.000000", fieldText(kAltitude));
        EXPECT_EQ("363.000000", fieldText(kHeading));
        EXPECT_EQ("0.200000", fieldText(kThrottle));
        EXPECT_EQ("1", fieldText(kGear));
        EXPECT_EQ("2", fieldText(kApMode));
        EXPECT_EQ("-500.000000", fieldText(kApVerticalVelocity));
        EXPECT_EQ("4", fieldText(kApState));
        EXPECT_EQ("1", fieldText(kApHeadingRollMode));
    }
    void writeQuickFile() {
        writeFile(pluginFile("QuickFile.skd"),
                  positionFileText({{"Latitude", "51.5"}, {"Gear", "7"}, {"AutoPilot_Airspeed", "180.25"}}));
    }
};

TEST_F(ControlPanelEvents, FreshPanelShowsZerosNoFileAndGreyedButtons) {
    startWithSettings("");
    openPanel();
    for (int i = kLatitude; i <= kApHeadingRollMode; ++i) {
        bool whole = i == kGear || i == kApMode || i == kApState || i == kApHeadingRollMode;
        EXPECT_EQ(whole ? "0" : "0.000000", fieldText(i)) << "field " << i;
    }
    EXPECT_EQ(kNoFile, statusText());
    EXPECT_EQ("", fileNameText());
    expectDataButtons(false);
}

TEST_F(ControlPanelEvents, GetDataShowsTheAircraftAndEnablesSaveAndPosition) {
    startWithSettings("");
    openPanel();
    setAircraft();
    press(" Get Data");
    expectCapturedFields();
    EXPECT_EQ(kFromAircraft, statusText());
    EXPECT_EQ("", fileNameText());
    expectDataButtons(true);
}

TEST_F(ControlPanelEvents, GetDataBeforeThePanelExistsShowsValuesButNoSource) {
    startWithSettings("");
    setAircraft();
    ASSERT_TRUE(sim().pickMenuItem("Get Data"));
    EXPECT_EQ(0, controlPanel());
    openPanel();
    expectCapturedFields();
    EXPECT_EQ(kNoFile, statusText());
    expectDataButtons(false);
}

TEST_F(ControlPanelEvents, GreyedPositionButtonPlacesNothing) {
    startWithSettings("");
    openPanel();
    sim().clearAccesses();
    sim().clickButton(" Position");
    nextFlightLoops();
    EXPECT_EQ(0, flighttest::placementCount());
}

TEST_F(ControlPanelEvents, QuickLoadShowsTheFileAndItsSource) {
    writeQuickFile();
    startWithSettings("");
    openPanel();
    press(" Quick Load");
    EXPECT_EQ("51.500000", fieldText(kLatitude));
    EXPECT_EQ("7", fieldText(kGear));
    EXPECT_EQ("180.250000", fieldText(kApAirspeed));
    EXPECT_EQ(kFromQuickFile, statusText());
    EXPECT_EQ("", fileNameText());
    expectDataButtons(true);
}

TEST_F(ControlPanelEvents, FailedQuickLoadChangesNothingOnThePanel) {
    startWithSettings("");
    openPanel();
    setAircraft();
    press(" Get Data");
    int windows = static_cast<int>(sim().roots().size());
    press(" Quick Load");  // no quick file yet
    expectCapturedFields();
    EXPECT_EQ(kFromAircraft, statusText());
    expectDataButtons(true);
    EXPECT_EQ(windows + 1, static_cast<int>(sim().roots().size())) << "a message window warns";
}

TEST_F(ControlPanelEvents, FailedQuickLoadOnAFreshPanelKeepsItGreyed) {
    startWithSettings("");
    openPanel();
    press(" Quick Load");
    EXPECT_EQ(kNoFile, statusText());
    expectDataButtons(false);
}

TEST_F(ControlPanelEvents, GetDataAfterAQuickLoadTakesOverTheCaptions) {
    writeQuickFile();
    startWithSettings("");
    openPanel();
    press(" Quick Load");
    setAircraft();
    press(" Get Data");
    expectCapturedFields();
    EXPECT_EQ(kFromAircraft, statusText());
    expectDataButtons(true);
}

TEST_F(ControlPanelEvents, LoadThroughTheDialogShowsTheFileAndItsName) {
    writeFile(pluginFile("Home.skd"), positionFileText({{"Longitude", "8.5"}, {"AutoPilot_State", "3"}}));
    startWithSettings("");
    openPanel();
    press(" Load SKD");
    press(" OK");
    nextFlightLoops();
    EXPECT_EQ("8.500000", fieldText(kLongitude));
    EXPECT_EQ("3", fieldText(kApState));
    EXPECT_EQ("The data below is from the SKD File", statusText());
    EXPECT_EQ("Home.skd", fileNameText());
    expectDataButtons(true);
}

TEST_F(ControlPanelEvents, GetDataAndQuickLoadEachClearALoadedFilesName) {
    writeFile(pluginFile("Home.skd"), positionFileText({{"Longitude", "8.5"}}));
    writeQuickFile();
    startWithSettings("");
    openPanel();
    press(" Load SKD");
    press(" OK");
    nextFlightLoops();
    ASSERT_EQ("Home.skd", fileNameText());
    setAircraft();
    press(" Get Data");
    EXPECT_EQ("", fileNameText());

    press(" Load SKD");
    press(" OK");
    nextFlightLoops();
    ASSERT_EQ("Home.skd", fileNameText());
    press(" Quick Load");
    EXPECT_EQ(kFromQuickFile, statusText());
    EXPECT_EQ("", fileNameText());
}

TEST_F(ControlPanelEvents, FailedLoadThroughTheDialogGreysDataCapturedBefore) {
    writeFile(pluginFile("Bad.skd"), "[POSITION_DATA]\nLatitud = 1\n");
    startWithSettings("");
    openPanel();
    setAircraft();
    press(" Get Data");
    press(" Load SKD");
    press(" OK");
    nextFlightLoops();
    expectCapturedFields();
    EXPECT_EQ(kNoFile, statusText());
    expectDataButtons(false);
}

TEST_F(ControlPanelEvents, QuickSaveWritesTheAircraftAndShowsIt) {
    startWithSettings("");
    openPanel();
    setAircraft();
    press(" Quick Save");
    std::string file = pluginText("QuickFile.skd");
    EXPECT_NE(std::string::npos, file.find("Latitude = 47.123457\n"));
    EXPECT_NE(std::string::npos, file.find("Heading = 363.000000\n"));
    expectCapturedFields();
}

}  // namespace
