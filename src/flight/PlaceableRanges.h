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
