// Panel actions and aircraft set-up shared by the panel, display and auto-start tests.
#include "ControlPanelDriver.h"

#include <algorithm>
#include <filesystem>

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

WidgetId PanelTest::openPanel() {
    EXPECT_TRUE(sim().pickMenuItem("Control Panel"));
    return controlPanel();
}

WidgetId PanelTest::button(const std::string& label) const {
    WidgetId found = childLabelled(controlPanel(), skysim::Button, label);
    if (found == 0) ADD_FAILURE() << "no panel button " << label;
    return found;
}

// Six-place latitude, a heading past 360 once the variation is added, two engines.
void PanelTest::nextSimulatorRun(bool afterCrash, const std::string& settings) {
    sim().stop();
    writeFile(pluginFile("SkyPlacerRun.txt"), afterCrash ? "running 0 0\n" : "stopped 0 0\n");
    startWithSettings(settings);
}

std::vector<std::string> PanelTest::crashSaves() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(pluginFolder())) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("AutoSave-crash-2", 0) == 0) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

void PanelTest::setAircraft() {
    setAircraftState({{47.123456789, -122.309, 1000.0},
                      {358.0f, 5.0f, 2.25f, -0.5f, 0.0f},
                      {{0.2f, 0.9f}, 0.5f, 1},
                      {2, 3000.0f, -500.0f, 150.0f, 163.0f, 4, 1}});
}

std::vector<double> PanelTest::writes(const std::string& name) const {
    std::vector<double> values;
    for (const skysim::DataAccess& access : flighttest::writesTo(name)) values.push_back(access.value);
    return values;
}
