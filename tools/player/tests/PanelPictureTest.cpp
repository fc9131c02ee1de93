// The picture of the control panel after Get Data, taken from the built
// plug-in in the stand-in: every label, field value and button label of the
// panel is drawn, at the panel's own coordinates.
#include <gtest/gtest.h>

#include <cstdio>

#include "Screen.h"
#include "ScreenSvg.h"
#include "SvgText.h"
#include "TestSupport.h"

namespace {

// The panel is built at left 20, top 540.
constexpr int L = 20;
constexpr int T = 540;

struct Expected {
    std::string text;
    int left, top, right, bottom;
};

std::string real(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%f", value);
    return text;
}

class PanelPictureTest : public SimTest {
protected:
    void flyTheAircraft() {
        setAircraftState({{47.449, -122.309, 100.0},
                          {30.0f, 0.0f, 2.5f, -1.5f, 0.0f},
                          {{0.75f, 0.75f}, 0.5f, 1},
                          {2, 4000.0f, -500.0f, 140.0f, 270.0f, 3, 1}});
    }

    // What the panel must show, with the rectangle each text belongs in.
    std::vector<Expected> panelContents() {
        float psi = sim().getFloat("sim/flightmodel/position/psi");
        float variation = sim().getFloat("sim/flightmodel/position/magnetic_variation");
        const std::string left[10][2] = {
            {"Latitude", real(sim().getDouble("sim/flightmodel/position/latitude"))},
            {"Longitude", real(sim().getDouble("sim/flightmodel/position/longitude"))},
            {"Altitude", real(sim().getDouble("sim/flightmodel/position/elevation") * 3.28)},
            {"Heading", real(psi + variation)},
            {"Pitch", real(sim().getFloat("sim/flightmodel/position/theta"))},
            {"Roll", real(sim().getFloat("sim/flightmodel/position/phi"))},
            {"Speed", real(sim().getFloat("sim/flightmodel/position/indicated_airspeed"))},
            {"Throttle", real(0.75f)},
            {"Flaps", real(0.5f)},
            {"Gear", "1"},
        };
        const std::string right[7][2] = {
            {"AP Mode", "2"},
            {"AP Altitude", real(4000.0f)},
            {"AP VerticalVelocity", real(-500.0f)},
            {"AP Heading", real(270.0f)},
            {"AP Airspeed", real(140.0f)},
            {"AP State", "3"},
            {"AP HeadingRollMode", "1"},
        };
        std::vector<Expected> out;
        for (int k = 0; k < 10; ++k) {
            int y = T - 70 - 20 * k;
            out.push_back({left[k][0], L + 20, y, L + 70, y - 22});
            out.push_back({left[k][1], L + 80, y, L + 160, y - 22});
        }
        for (int k = 0; k < 7; ++k) {
            int y = T - 70 - 20 * k;
            out.push_back({right[k][0], L + 200, y, L + 270, y - 22});
            out.push_back({right[k][1], L + 310, y, L + 390, y - 22});
        }
        const Expected buttons[] = {
            {" Load SKD", L + 20, T - 280, L + 80, T - 302},     {" Save SKD", L + 90, T - 280, L + 150, T - 302},
            {" Quick Load", L + 160, T - 280, L + 220, T - 302}, {" Quick Save", L + 230, T - 280, L + 290, T - 302},
            {" Get Data", L + 20, T - 300, L + 80, T - 322},     {" Save Data", L + 90, T - 300, L + 150, T - 322},
            {" Position", L + 160, T - 300, L + 220, T - 322},
        };
        out.insert(out.end(), std::begin(buttons), std::end(buttons));
        out.push_back({"The data below is from the current aircraft", L + 20, T - 30, L + 270, T - 52});
        return out;
    }
};

TEST_F(PanelPictureTest, EveryLabelValueAndButtonIsDrawnWhereThePanelHasIt) {
    flyTheAircraft();
    startPlugin();
    ASSERT_TRUE(sim().pickMenuItem("Control Panel"));
    ASSERT_TRUE(sim().pickMenuItem("Get Data"));
    player::Screen screen = player::captureScreen(sim());
    int height = player::screenHeight(screen);
    std::string svg = player::renderSvg(screen);
    std::vector<SvgText> texts = svgTexts(svg);

    for (const Expected& expected : panelContents()) {
        bool drawn = false;
        for (const SvgText& text : texts) {
            int y = height - text.y;  // back to the simulator's y, upwards
            drawn = drawn || (text.text == expected.text && expected.left <= text.x && text.x <= expected.right &&
                              expected.bottom <= y && y <= expected.top);
        }
        EXPECT_TRUE(drawn) << "\"" << expected.text << "\" is not drawn inside (" << expected.left << ", "
                           << expected.top << ", " << expected.right << ", " << expected.bottom << ")";
    }
    EXPECT_EQ(std::string::npos, svg.find("class=\"button disabled\"")) << "after Get Data every button is enabled";
}

TEST_F(PanelPictureTest, BeforeAnyDataSaveSkdAndPositionAreGreyed) {
    startPlugin();
    ASSERT_TRUE(sim().pickMenuItem("Control Panel"));
    std::vector<SvgText> texts = svgTexts(player::renderSvg(player::captureScreen(sim())));
    int greyed = 0;
    for (const SvgText& text : texts) {
        if (text.cls == "label disabled") {
            ++greyed;
            EXPECT_TRUE(text.text == " Save SKD" || text.text == " Position") << text.text;
        }
    }
    EXPECT_EQ(2, greyed);
}

}  // namespace
