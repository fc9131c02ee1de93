// The text form of a position record, shared by the position file, the
// control panel and the data display: reals with "%f", integers with "%d",
// read back by their leading number (0 when there is none).
#pragma once

#include <cstddef>

#include "position/PositionRecord.h"

enum class FieldType { Int, Float, Double };

struct RecordField {
    const char* key;  // the position file's key, which is also the field's name
    FieldType type;
    size_t offset;  // within PositionRecord
};

// All eighteen fields in record order; index 0 is Use_AutoPilot_Data.
constexpr int kRecordFieldCount = 18;
extern const RecordField kRecordFields[kRecordFieldCount];

// Formats field `index` of `record` into `out`; false when it did not fit
// (the text is then cut, always terminated).
bool formatField(const PositionRecord& record, int index, char* out, size_t size);
// Sets field `index` of `record` from `text` by its leading number.
void parseField(PositionRecord& record, int index, const char* text);

bool formatReal(char* out, size_t size, double value);
bool formatWhole(char* out, size_t size, int value);
// Leading-number conversions: atof and atoi semantics, 0 when there is no number.
double parseReal(const char* text);
int parseWhole(const char* text);
// A double narrowed to float, held at the float's limits instead of becoming infinite.
float narrowToFloat(double value);
