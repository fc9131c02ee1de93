// Row labels of the control panel and the data display.
#include "ui/PanelLabels.h"

const char PositionLabels[kPositionLabelCount][kLabelSize] = {
    "", "Latitude", "Longitude", "Altitude", "Heading", "Pitch", "Roll", "Speed", "Throttle", "Flaps", "Gear",
};

const char AutopilotLabels[kAutopilotLabelCount][kLabelSize] = {
    "", "AP Mode", "AP Altitude", "AP VerticalVelocity", "AP Heading", "AP Airspeed", "AP State", "AP HeadingRollMode",
};
