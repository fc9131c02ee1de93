// Values typed into the control panel's fields: how " Position" places them,
// how " Save SKD" writes them, and how " Save Data" captures instead.
#include <string>

#include "ControlPanelDriver.h"

namespace {

class ControlPanelTyping : public PanelTest {
protected:
    // A panel with data present, so that Save SKD and Position can be pressed.
    void openPanelWithData() {
        startWithSettings("");
        openPanel();
        setAircraft();
        press(" Get Data");
        sim().clearAccesses();
    }
    void placeTyped() {
        press(" Position");
        nextFlightLoops();
    }
    // Names the file in the open save dialog and confirms it.
    void saveAs(const std::string& name) {
        WidgetId dialog = windowTitled("Save Position File");
        ASSERT_NE(0, dialog);
        std::vector<WidgetInfo> fields = childrenOf(dialog, skysim::TextField);
        ASSERT_FALSE(fields.empty());
        ASSERT_TRUE(sim().typeInto(fields.front().id, name));
        press(" OK");
        nextFlightLoops();
    }
};

TEST_F(ControlPanelTyping, GearTakesTheLeadingNumberOfTheText) {
    openPanelWithData();
    typeField(kGear, "12abc");
    placeTyped();
    EXPECT_EQ(std::vector<double>{12}, writes("sim/cockpit/switches/gear_handle_status"));

    sim().clearAccesses();
    typeField(kGear, "abc");
    placeTyped();
    EXPECT_EQ(std::vector<double>{0}, writes("sim/cockpit/switches/gear_handle_status"));
}

TEST_F(ControlPanelTyping, PositionPlacesEveryTypedField) {
    openPanelWithData();
    typeField(kFlaps, "0.75");
    typeField(kApMode, "9");
    typeField(kApAltitude, "12000.5");
    typeField(kApHeadingRollMode, "-2x");
    placeTyped();
    EXPECT_EQ(std::vector<double>{0.75}, writes("sim/flightmodel/controls/flaprqst"));
    EXPECT_EQ(std::vector<double>{9}, writes("sim/cockpit/autopilot/autopilot_mode"));
    EXPECT_EQ(std::vector<double>{12000.5}, writes("sim/cockpit/autopilot/altitude"));
    EXPECT_EQ(std::vector<double>{-2}, writes("sim/cockpit/autopilot/heading_roll_mode"));
}

TEST_F(ControlPanelTyping, LatitudeIsPlacedAsTypedAndShownWithSixDecimalsAfterTheNextRefresh) {
    openPanelWithData();
    typeField(kLatitude, "47.1234567");
    placeTyped();
    double placed = sim().getDouble("sim/flightmodel/position/latitude");
    EXPECT_NEAR(47.1234567, placed, 1e-9);
    EXPECT_EQ("47.1234567", fieldText(kLatitude)) << "the field keeps the typed text until a refresh";

    press(" Get Data");
    EXPECT_EQ("47.123457", fieldText(kLatitude));
}

TEST_F(ControlPanelTyping, TextLongerThanTheBufferIsReadByItsFirstCharacters) {
    openPanelWithData();
    // 253 zeros, then 123: of the number only "12" lies within the 255 characters read
    typeField(kApAirspeed, std::string(253, '0') + "123" + std::string(100, '9'));
    placeTyped();
    std::vector<double> written = writes("sim/cockpit/autopilot/airspeed");
    ASSERT_EQ(1u, written.size());
    EXPECT_EQ(12.0, written[0]) << "only the first 255 characters count";
}

// Only a value far beyond any place is too long for its field; it is kept as
// stored, and refused as one, with nothing placed.
TEST_F(ControlPanelTyping, AValueShownCutIsKeptAsStoredAndRefused) {
    writeFile(pluginFile("QuickFile.skd"), positionFileText({{"Altitude", "1e300"}, {"Latitude", "10"}}));
    startWithSettings("");
    openPanel();
    press(" Quick Load");
    ASSERT_EQ("...", fieldText(kAltitude).substr(fieldText(kAltitude).size() - 3));
    sim().clearAccesses();
    typeField(kGear, "7");
    placeTyped();
    EXPECT_TRUE(writes("sim/flightmodel/position/local_y").empty());
    EXPECT_TRUE(writes("sim/cockpit/switches/gear_handle_status").empty());
    EXPECT_NE(0, sim().findShown("Altitude = 100000000000000005..."));
}

TEST_F(ControlPanelTyping, TypedTextEndingInTheCutMarkerKeepsTheStoredValue) {
    openPanelWithData();
    typeField(kApAltitude, "12...");
    typeField(kApHeading, "12..");
    placeTyped();
    EXPECT_EQ(std::vector<double>{3000}, writes("sim/cockpit/autopilot/altitude"));
    EXPECT_EQ(std::vector<double>{12}, writes("sim/cockpit/autopilot/heading_mag"));
}

TEST_F(ControlPanelTyping, SaveSkdWritesTheTypedValuesWithoutCapturing) {
    openPanelWithData();
    typeField(kLatitude, "12.5");
    typeField(kGear, "3abc");
    typeField(kApState, "x");
    press(" Save SKD");
    saveAs("typed");
    std::string file = pluginText("typed.skd");
    EXPECT_NE(std::string::npos, file.find("Latitude = 12.500000\n")) << file;
    EXPECT_NE(std::string::npos, file.find("Gear = 3\n")) << file;
    EXPECT_NE(std::string::npos, file.find("AutoPilot_State = 0\n")) << file;
    EXPECT_NE(std::string::npos, file.find("Heading = 363.000000\n")) << "untouched fields as shown";
    EXPECT_EQ("12.5", fieldText(kLatitude)) << "no capture refreshed the fields";
}

TEST_F(ControlPanelTyping, SaveDataCapturesTheAircraftFirstAndShowsIt) {
    openPanelWithData();
    typeField(kLatitude, "12.5");
    sim().setDouble("sim/flightmodel/position/latitude", -33.25);
    press(" Save Data");
    saveAs("captured");
    std::string file = pluginText("captured.skd");
    EXPECT_NE(std::string::npos, file.find("Latitude = -33.250000\n")) << file;
    EXPECT_EQ("-33.250000", fieldText(kLatitude));
    EXPECT_EQ("The data below is from the current aircraft", statusText());
}

}  // namespace
