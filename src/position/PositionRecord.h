// One aircraft position and state, in the order of the position file's keys.
#pragma once

#include <cstdint>

struct PositionRecord {
    int32_t Use_AutoPilot_Data;
    double Latitude;   // degrees
    double Longitude;  // degrees
    double Altitude;   // feet
    float Heading;     // degrees, magnetic, never normalised
    float Pitch;       // degrees
    float Roll;        // degrees
    float Speed;       // knots
    float Throttle;
    float Flaps;
    int32_t Gear;
    int32_t AutoPilot_Mode;
    float AutoPilot_Altitude;
    float AutoPilot_Vertical_Velocity;
    float AutoPilot_Heading;
    float AutoPilot_Airspeed;
    int32_t AutoPilot_State;
    int32_t AutoPilot_Heading_Roll_Mode;
};
