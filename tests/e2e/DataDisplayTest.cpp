// The data display: its geometry, and the "Stored" and "Current" columns as
// the placement flight loop refreshes them, shown or hidden.
#include <string>
#include <vector>

#include "ControlPanelDriver.h"

namespace {

const char* const kBlock1[] = {"",     "Latitude", "Longitude", "Altitude", "Heading", "Pitch",
                               "Roll", "Speed",    "Throttle",  "Flaps",    "Gear"};
const char* const kBlock2[] = {"",           "AP Mode",     "AP Altitude", "AP VerticalVelocity",
                               "AP Heading", "AP Airspeed", "AP State",    "AP HeadingRollMode"};

struct Row {
    WidgetInfo label, stored, current;
};

class DataDisplay : public PanelTest {
protected:
    void openDisplay() {
        ASSERT_TRUE(sim().pickMenuItem("Data Display"));
        nextFlightLoops();
    }
    // Rows of both blocks, block 1 first: each a label, a "Stored" and a "Current" caption.
    std::vector<Row> rows() const {
        std::vector<WidgetInfo> captions = childrenOf(dataDisplay(), skysim::Caption);
        std::vector<Row> found;
        for (size_t i = 0; i + 2 < captions.size(); i += 3)
            found.push_back({captions[i], captions[i + 1], captions[i + 2]});
        return found;
    }
    Row row(const std::string& label) const {
        for (const Row& candidate : rows()) {
            if (candidate.label.descriptor == label) return candidate;
        }
        ADD_FAILURE() << "no row " << label;
        return {};
    }
};

TEST_F(DataDisplay, WindowAndSubWindowGeometry) {
    startWithSettings("");
    openDisplay();
    WidgetInfo window = sim().widget(dataDisplay());
    EXPECT_EQ(skysim::MainWindow, window.widgetClass);
    EXPECT_TRUE(window.root);
    EXPECT_TRUE(window.shown);
    EXPECT_EQ((std::vector<int>{20, 540, 370, 120}),
              (std::vector<int>{window.left, window.top, window.right, window.bottom}));
    EXPECT_EQ(0u, window.descriptor.find(std::string(kDisplayTitle) + " " + kPluginVersion + " "));
    EXPECT_EQ(1, sim().property(dataDisplay(), 1200));

    std::vector<WidgetInfo> subWindows = childrenOf(dataDisplay(), skysim::SubWindow);
    ASSERT_EQ(1u, subWindows.size());
    const WidgetInfo& sub = subWindows[0];
    EXPECT_EQ((std::vector<int>{30, 510, 360, 130}), (std::vector<int>{sub.left, sub.top, sub.right, sub.bottom}));
    bool exists = false;
    EXPECT_EQ(0, sim().property(sub.id, 1200, &exists));
    EXPECT_TRUE(exists);
    EXPECT_EQ(1u + 19 * 3, childrenOf(dataDisplay()).size()) << "the sub-window and 19 rows of three captions";
}

TEST_F(DataDisplay, RowsOfBothBlocksWithTheirColumns) {
    startWithSettings("");
    openDisplay();
    std::vector<Row> all = rows();
    ASSERT_EQ(19u, all.size());
    for (int i = 0; i < 19; ++i) {
        bool first = i < 11;
        int k = first ? i : i - 11;
        int y = (first ? 500 : 300) - 20 * k;
        SCOPED_TRACE("row " + std::to_string(i));
        EXPECT_EQ(first ? kBlock1[k] : kBlock2[k], all[i].label.descriptor);
        const WidgetInfo* columns[] = {&all[i].label, &all[i].stored, &all[i].current};
        const int lefts[] = {40, 150, 260};
        const int rights[] = {90, 250, 360};
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(lefts[c], columns[c]->left);
            EXPECT_EQ(rights[c], columns[c]->right);
            EXPECT_EQ(y, columns[c]->top);
            EXPECT_EQ(y - 22, columns[c]->bottom);
            EXPECT_TRUE(columns[c]->visible);
        }
    }
}

TEST_F(DataDisplay, FreshStartShowsZerosUnderTheHeaders) {
    startWithSettings("");
    openDisplay();
    std::vector<Row> all = rows();
    ASSERT_EQ(19u, all.size());
    EXPECT_EQ("Stored", all[0].stored.descriptor);
    EXPECT_EQ("Current", all[0].current.descriptor);
    EXPECT_EQ("", all[11].stored.descriptor) << "block 2's row 0 stays empty";
    EXPECT_EQ("", all[11].current.descriptor);
    for (const char* whole : {"Gear", "AP Mode", "AP State", "AP HeadingRollMode"}) {
        EXPECT_EQ("0", row(whole).stored.descriptor) << whole;
    }
    for (const char* real : {"Latitude", "Altitude", "Throttle", "AP Altitude", "AP Airspeed"}) {
        EXPECT_EQ("0.000000", row(real).stored.descriptor) << real;
    }
}

TEST_F(DataDisplay, AfterACaptureAtRestBothColumnsAgreeOnEveryRow) {
    startWithSettings("");
    setAircraft();
    sim().pickMenuItem("Get Data");
    openDisplay();
    std::vector<Row> all = rows();
    ASSERT_EQ(19u, all.size());
    for (size_t i = 1; i < all.size(); ++i) {
        if (i == 11) continue;
        EXPECT_EQ(all[i].stored.descriptor, all[i].current.descriptor) << all[i].label.descriptor;
        EXPECT_NE("", all[i].current.descriptor) << all[i].label.descriptor;
    }
    EXPECT_EQ("47.123457", row("Latitude").current.descriptor);
    EXPECT_EQ("3280.000000", row("Altitude").current.descriptor);
    EXPECT_EQ("0.200000", row("Throttle").current.descriptor) << "the first engine";
    EXPECT_EQ("4", row("AP State").current.descriptor);
}

TEST_F(DataDisplay, CurrentHeadingIsPsiPlusVariationNotNormalised) {
    startWithSettings("");
    openDisplay();
    sim().setFloat("sim/flightmodel/position/psi", 358.0f);
    sim().setFloat("sim/flightmodel/position/magnetic_variation", 5.0f);
    nextFlightLoops();
    EXPECT_EQ("363.000000", row("Heading").current.descriptor);
    EXPECT_EQ("0.000000", row("Heading").stored.descriptor);
}

TEST_F(DataDisplay, ValuesKeepRefreshingWhileHidden) {
    startWithSettings("");
    openDisplay();
    sim().clickCloseBox(dataDisplay());
    ASSERT_FALSE(sim().widget(dataDisplay()).shown);
    sim().setDouble("sim/flightmodel/position/elevation", 100.0);
    sim().setInt("sim/cockpit/autopilot/autopilot_mode", 6);
    nextFlightLoops();
    EXPECT_EQ("328.000000", row("Altitude").current.descriptor);
    EXPECT_EQ("6", row("AP Mode").current.descriptor);
    sim().pickMenuItem("Data Display");
    EXPECT_TRUE(sim().widget(dataDisplay()).shown);
    EXPECT_EQ("328.000000", row("Altitude").current.descriptor);
}

TEST_F(DataDisplay, StoredColumnFollowsTheRecordAfterAPlacement) {
    startWithSettings("");
    openPanel();
    setAircraft();
    press(" Get Data");
    typeField(kApHeading, "271.5");
    press(" Position");
    openDisplay();      // over the panel: the pilot types first
    nextFlightLoops();  // each loop refreshes the display before it places
    EXPECT_EQ("271.500000", row("AP Heading").stored.descriptor);
    EXPECT_EQ("271.500000", row("AP Heading").current.descriptor) << "placed and read back";
}

TEST_F(DataDisplay, EachRefreshReadsTheSimulatorEighteenTimesAndWritesNothing) {
    startWithSettings("");
    openDisplay();
    sim().clearAccesses();
    sim().advance(0.1);  // one placement loop call
    int reads = 0;
    for (const skysim::DataAccess& access : sim().accesses()) {
        bool isRead = access.kind == skysim::DataAccess::GetF || access.kind == skysim::DataAccess::GetD ||
                      access.kind == skysim::DataAccess::GetI || access.kind == skysim::DataAccess::GetVF;
        EXPECT_TRUE(isRead) << access.name;
        reads += isRead;
    }
    EXPECT_EQ(18, reads);
}

// 19 labels written again, and the Stored and Current columns of 18 rows.
TEST_F(DataDisplay, EachRefreshWritesFiftyFiveTextsAndTheIdleLoopNone) {
    startWithSettings("");
    sim().advance(0.1);
    int before = sim().descriptorWrites();
    sim().advance(0.1);
    EXPECT_EQ(before, sim().descriptorWrites()) << "no display yet: the loop writes no widget text";
    openDisplay();
    before = sim().descriptorWrites();
    sim().advance(0.1);  // one placement loop call
    EXPECT_EQ(55, sim().descriptorWrites() - before);
    sim().advance(0.2);
    EXPECT_EQ(3 * 55, sim().descriptorWrites() - before);
}

// Values too long for a widget's 255 characters, shown so the pilot sees the cut.
class CutValues : public DataDisplay {};

TEST_F(CutValues, ValueTooLongForItsCaptionIsShownCutAndMarked) {
    writeFile(pluginFile("QuickFile.skd"), positionFileText({{"Latitude", "1e300"}}));
    startWithSettings("");
    openDisplay();
    sim().pickMenuItem("Quick Load File");
    nextFlightLoops();
    std::string shown = row("Latitude").stored.descriptor;
    ASSERT_EQ(255u, shown.size());
    EXPECT_EQ("1000000000", shown.substr(0, 10));
    EXPECT_EQ("...", shown.substr(252));
}

TEST_F(CutValues, ValueTooLongForAPanelFieldIsShownCutAndMarked) {
    writeFile(pluginFile("QuickFile.skd"), positionFileText({{"Longitude", "-1e280"}}));
    startWithSettings("");
    openPanel();
    press(" Quick Load");
    std::string shown = fieldText(kLongitude);
    ASSERT_EQ(255u, shown.size());
    EXPECT_EQ("-100000000", shown.substr(0, 10));
    EXPECT_EQ("...", shown.substr(252));
}

}  // namespace
