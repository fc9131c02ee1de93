// Capturing the aircraft with "Get Data": what is read, in which order, the
// two conversions, and what the control panel shows afterwards.
#include "FlightTestSupport.h"

namespace {

using namespace flighttest;

std::string textOf(WidgetId id) { return skysim::Sim::get().widget(id).descriptor; }

// The panel's seventeen fields in record order: Latitude is 0, Heading 3, Throttle 7.
enum PanelField { kLatitude = 0, kAltitude = 2, kHeading = 3, kThrottle = 7, kGear = 9 };

class CaptureTest : public SimTest {
protected:
    void start(const std::string& ini = "") {
        if (!ini.empty()) writeFile(pluginFile("SkyPlacer.ini"), ini);
        startPlugin();
        runStartup();
    }
    std::string panelField(int index) {
        std::vector<WidgetInfo> fields = childrenOf(controlPanel(), skysim::TextField);
        return index < static_cast<int>(fields.size()) ? fields[index].descriptor : "(missing)";
    }
    // Get Data with the panel open, so its fields show what was captured.
    void captureIntoPanel() {
        sim().pickMenuItem("Control Panel");
        sim().pickMenuItem("Get Data");
    }
};

TEST_F(CaptureTest, ReadsTheAircraftInThisOrderAndWritesNothing) {
    start();
    sim().clearAccesses();
    sim().pickMenuItem("Get Data");
    const std::vector<std::pair<DataAccess::Kind, std::string>> expected = captureReads();
    const std::vector<DataAccess>& seen = sim().accesses();
    ASSERT_EQ(expected.size(), seen.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i].first, seen[i].kind) << i;
        EXPECT_EQ(expected[i].second, seen[i].name) << i;
    }
    EXPECT_EQ(0, seen.back().offset);
    EXPECT_EQ(0, sim().widgetCount());  // no panel: only the record changes
}

TEST_F(CaptureTest, ElevationIsKeptInFeetWithTheFactor328) {
    sim().setDouble("sim/flightmodel/position/elevation", 1000.0);
    start();
    captureIntoPanel();
    EXPECT_EQ("3280.000000", panelField(kAltitude));
}

TEST_F(CaptureTest, HeadingAddsTheVariationAndStaysOutsideACircle) {
    setAircraft(359.5f, 3.0f, 0.0f);
    start();
    captureIntoPanel();
    EXPECT_EQ("362.500000", panelField(kHeading));
    setAircraft(10.0f, -15.0f, 0.0f);
    sim().pickMenuItem("Get Data");
    EXPECT_EQ("-5.000000", panelField(kHeading));
}

TEST_F(CaptureTest, ThrottleIsTheFirstEngines) {
    sim().setFloats("sim/flightmodel/engine/ENGN_thro", {0.2f, 0.9f});
    start();
    captureIntoPanel();
    EXPECT_EQ("0.200000", panelField(kThrottle));
}

TEST_F(CaptureTest, CaptureBeforeThePanelShowsWhenThePanelIsBuilt) {
    sim().setDouble("sim/flightmodel/position/latitude", 47.123456789);
    sim().setInt("sim/cockpit/switches/gear_handle_status", 1);
    start();
    std::string logBefore = logText();
    sim().pickMenuItem("Get Data");
    EXPECT_EQ(0, sim().widgetCount());
    EXPECT_EQ(logBefore, logText());  // a capture logs nothing
    sim().pickMenuItem("Control Panel");
    EXPECT_EQ("47.123457", panelField(kLatitude));
    EXPECT_EQ("1", panelField(kGear));
}

TEST_F(CaptureTest, PanelSaysTheDataIsTheAircraftsEvenAfterAFileLoad) {
    writeFile(pluginFile("Start.skd"), "[POSITION_DATA]\nLatitude = 47.25\n");
    start("[CONFIG]\nAutoStart = 1\nDefaultSKDFileName = Start.skd\n");
    std::vector<WidgetInfo> captions = childrenOf(controlPanel(), skysim::Caption);
    ASSERT_FALSE(captions.empty());
    WidgetId status = captions.front().id;
    WidgetId fileName = captions.back().id;
    ASSERT_EQ("The data below is from the SKD File", textOf(status));
    ASSERT_EQ("Start.skd", textOf(fileName));

    sim().pickMenuItem("Get Data");
    EXPECT_EQ("The data below is from the current aircraft", textOf(status));
    EXPECT_EQ("", textOf(fileName));
    // The start-up placed the aircraft at the file's position; the capture reads it back.
    EXPECT_EQ("47.250000", panelField(kLatitude));
    for (const char* label : {" Save SKD", " Position"}) {
        WidgetId button = sim().findShown(label, skysim::Button);
        ASSERT_NE(0, button) << label;
        EXPECT_EQ(1, sim().property(button, 7)) << label;
    }
}

TEST_F(CaptureTest, CaptureEnablesPositionOnAnEmptyPanel) {
    start();
    sim().pickMenuItem("Control Panel");
    WidgetId position = sim().findShown(" Position", skysim::Button);
    ASSERT_NE(0, position);
    ASSERT_EQ(0, sim().property(position, 7));
    sim().pickMenuItem("Get Data");
    EXPECT_EQ(1, sim().property(position, 7));
}

TEST_F(CaptureTest, FlagLoadedFromAFileSurvivesACapture) {
    writeFile(pluginFile("QuickFile.skd"), "[CONFIG]\nUse_AutoPilot_Data = 1\n");
    sim().setDouble("sim/flightmodel/position/latitude", 12.5);
    start();
    sim().pickMenuItem("Quick Load File");
    sim().pickMenuItem("Get Data");
    sim().pickMenuItem("Quick Save File");
    std::string saved = pluginText("QuickFile.skd");
    EXPECT_NE(std::string::npos, saved.find("Use_AutoPilot_Data = 1\n"));
    EXPECT_NE(std::string::npos, saved.find("Latitude = 12.500000\n"));
}

TEST_F(CaptureTest, DataDisplayColumnsAgreeRightAfterACapture) {
    sim().setDouble("sim/flightmodel/position/elevation", 433.0);
    setAircraft(358.0f, 5.0f, 120.0f);  // after the place, whose variation it overrides
    sim().setFloats("sim/flightmodel/engine/ENGN_thro", {0.75f, 0.5f});
    sim().setInt("sim/cockpit/autopilot/heading_roll_mode", 4);
    start();
    sim().pickMenuItem("Get Data");
    sim().pickMenuItem("Data Display");
    sim().advance(0.15);
    // Each row is a label, a "Stored" and a "Current" caption, in that order.
    std::vector<WidgetInfo> captions = childrenOf(dataDisplay(), skysim::Caption);
    ASSERT_EQ(57u, captions.size());
    int compared = 0;
    for (size_t row = 0; row + 2 < captions.size(); row += 3) {
        if (captions[row].descriptor.empty()) continue;
        EXPECT_EQ(captions[row + 2].descriptor, captions[row + 1].descriptor) << captions[row].descriptor;
        ++compared;
    }
    EXPECT_EQ(17, compared);
    EXPECT_EQ("363.000000", captions[3 * 4 + 1].descriptor);  // Heading: 358 + 5, not wrapped
}

}  // namespace
