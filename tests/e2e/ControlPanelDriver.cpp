// Widget look-ups and aircraft set-up shared by the panel, display and auto-start tests.
#include "ControlPanelDriver.h"

#include "FlightTestSupport.h"

const char* const kRecordKeys[18] = {
    "Use_AutoPilot_Data",
    "Latitude",
    "Longitude",
    "Altitude",
    "Heading",
    "Pitch",
    "Roll",
    "Speed",
    "Throttle",
    "Flaps",
    "Gear",
    "AutoPilot_Mode",
    "AutoPilot_Altitude",
    "AutoPilot_Vertical_Velocity",
    "AutoPilot_Heading",
    "AutoPilot_Airspeed",
    "AutoPilot_State",
    "AutoPilot_Heading_Roll_Mode",
};

std::string positionFileText(const std::map<std::string, std::string>& values) {
    auto line = [&values](const char* key) {
        auto found = values.find(key);
        return std::string(key) + " = " + (found == values.end() ? "0" : found->second) + "\n";
    };
    std::string text = "[CONFIG]\n" + line(kRecordKeys[0]) + "\n[POSITION_DATA]\n";
    for (int i = 1; i <= 10; ++i) text += line(kRecordKeys[i]);
    text += "\n[AUTOPILOT_DATA]\n";
    for (int i = 11; i < 18; ++i) text += line(kRecordKeys[i]);
    return text;
}

void PanelTest::SetUp() {
    SimTest::SetUp();
    sim().clearAccesses();
}

WidgetId PanelTest::window(const std::string& title) const {
    for (const WidgetInfo& info : sim().widgets()) {
        if (info.root && info.descriptor.compare(0, title.size(), title) == 0) return info.id;
    }
    return 0;
}

std::vector<WidgetInfo> PanelTest::children(WidgetId window, int widgetClass) const {
    std::vector<WidgetInfo> found;
    for (const WidgetInfo& info : sim().widgets()) {
        if (info.parent == window && (widgetClass == 0 || info.widgetClass == widgetClass)) found.push_back(info);
    }
    return found;
}

WidgetId PanelTest::openPanel() {
    EXPECT_TRUE(sim().pickMenuItem("Control Panel"));
    return panel();
}

WidgetId PanelTest::button(const std::string& label) const {
    for (const WidgetInfo& info : children(panel(), skysim::Button)) {
        if (info.descriptor == label) return info.id;
    }
    ADD_FAILURE() << "no panel button " << label;
    return 0;
}

void PanelTest::setAircraft() {
    sim().setDouble("sim/flightmodel/position/latitude", 47.123456789);
    sim().setDouble("sim/flightmodel/position/longitude", -122.309);
    sim().setDouble("sim/flightmodel/position/elevation", 1000.0);
    sim().setFloat("sim/flightmodel/position/psi", 358.0f);
    sim().setFloat("sim/flightmodel/position/magnetic_variation", 5.0f);
    sim().setFloat("sim/flightmodel/position/theta", 2.25f);
    sim().setFloat("sim/flightmodel/position/phi", -0.5f);
    sim().setFloat("sim/flightmodel/position/indicated_airspeed", 0.0f);
    sim().setFloats("sim/flightmodel/engine/ENGN_thro", {0.2f, 0.9f});
    sim().setFloat("sim/flightmodel/controls/flaprqst", 0.5f);
    sim().setInt("sim/cockpit/switches/gear_handle_status", 1);
    sim().setInt("sim/cockpit/autopilot/autopilot_mode", 2);
    sim().setFloat("sim/cockpit/autopilot/altitude", 3000.0f);
    sim().setFloat("sim/cockpit/autopilot/vertical_velocity", -500.0f);
    sim().setFloat("sim/cockpit/autopilot/airspeed", 150.0f);
    sim().setFloat("sim/cockpit/autopilot/heading_mag", 163.0f);
    sim().setInt("sim/cockpit/autopilot/autopilot_state", 4);
    sim().setInt("sim/cockpit/autopilot/heading_roll_mode", 1);
}

std::vector<double> PanelTest::writes(const std::string& name) const {
    std::vector<double> values;
    for (const skysim::DataAccess& access : flighttest::writesTo(name)) values.push_back(access.value);
    return values;
}
