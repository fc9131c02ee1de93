// Row labels of the control panel and the data display.
#include "ui/PanelLabels.h"

constexpr char PositionLabels[kPositionLabelCount][kLabelSize] = {
    "", "Latitude", "Longitude", "Altitude", "Heading", "Pitch", "Roll", "Speed", "Throttle", "Flaps", "Gear",
};

constexpr char AutopilotLabels[kAutopilotLabelCount][kLabelSize] = {
    "", "AP Mode", "AP Altitude", "AP VerticalVelocity", "AP Heading", "AP Airspeed", "AP State", "AP HeadingRollMode",
};

// A label missing from a list would leave its last row empty.
static_assert(PositionLabels[kPositionLabelCount - 1][0] != '\0', "one label per position field");
static_assert(AutopilotLabels[kAutopilotLabelCount - 1][0] != '\0', "one label per autopilot field");
