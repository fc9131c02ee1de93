// The text form of a position record, shared by the position file, the
// control panel and the data display: reals with "%f", integers with "%d",
// read back by their leading number (0 when there is none, see NumberText.h).
#pragma once

#include <cstddef>

#include "position/PositionRecord.h"

enum class FieldType { Int, Float, Double };

struct RecordField {
    const char* key;  // the position file's key, which is also the field's name
    FieldType type;
    size_t offset;  // within PositionRecord
};

// All eighteen fields in record order: index 0 is Use_AutoPilot_Data, then the
// aircraft's position and state, then its autopilot settings.
constexpr int kRecordFieldCount = 18;
constexpr int kFirstPositionField = 1;    // Latitude
constexpr int kFirstAutopilotField = 11;  // AutoPilot_Mode
constexpr int kPositionFieldCount = kFirstAutopilotField - kFirstPositionField;
constexpr int kAutopilotFieldCount = kRecordFieldCount - kFirstAutopilotField;
extern const RecordField kRecordFields[kRecordFieldCount];

// Formats field `index` of `record` into `out`; false when it did not fit
// (the text is then cut, always terminated).
bool formatField(const PositionRecord& record, int index, char* out, size_t size);
// Field `index` of `record` as a double, whatever its type.
double fieldValue(const PositionRecord& record, int index);
// Sets field `index` of `record` from `text` by its leading number.
void parseField(PositionRecord& record, int index, const char* text);
// Holds every real field finite, as the readers do: an infinite value at the
// type's largest, one that is not a number as 0 (a simulator may report either).
void holdFinite(PositionRecord& record);
