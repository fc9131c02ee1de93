// The values a placement hands the flight model, and the ranges it can take
// them in: a record with one outside is not placed.
#pragma once

struct PositionRecord;

struct PlaceableRange {
    int field;               // the record field's number (position/RecordText.h)
    double lowest, highest;  // both placeable
};

// The first of the record's values outside its range, in record order, or
// nullptr when the flight model can take them all.
const PlaceableRange* firstValueOutOfRange(const PositionRecord& record);

// The record's field number of its indicated speed (position/RecordText.h).
constexpr int kSpeedField = 7;

// The fastest true airspeed, in knots either way, the flight model is handed.
constexpr double kFastestTrueAirspeed = 20000.0;

// True when the record's indicated speed is beyond that true airspeed at the
// record's altitude: in the thin air high up a placeable indicated speed is a
// true airspeed far beyond any, up to one no double holds.
bool tooFastToPlace(const PositionRecord& record);
