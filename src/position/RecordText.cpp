// Text form of the position record's fields.
#include "position/RecordText.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "plugin/BoundedText.h"

#define FIELD(name, type) {#name, FieldType::type, offsetof(PositionRecord, name)}

const RecordField kRecordFields[kRecordFieldCount] = {
    FIELD(Use_AutoPilot_Data, Int),
    FIELD(Latitude, Double),
    FIELD(Longitude, Double),
    FIELD(Altitude, Double),
    FIELD(Heading, Float),
    FIELD(Pitch, Float),
    FIELD(Roll, Float),
    FIELD(Speed, Float),
    FIELD(Throttle, Float),
    FIELD(Flaps, Float),
    FIELD(Gear, Int),
    FIELD(AutoPilot_Mode, Int),
    FIELD(AutoPilot_Altitude, Float),
    FIELD(AutoPilot_Vertical_Velocity, Float),
    FIELD(AutoPilot_Heading, Float),
    FIELD(AutoPilot_Airspeed, Float),
    FIELD(AutoPilot_State, Int),
    FIELD(AutoPilot_Heading_Roll_Mode, Int),
};

#undef FIELD

namespace {
template <typename T>
T& fieldAt(PositionRecord& record, size_t offset) {
    return *reinterpret_cast<T*>(reinterpret_cast<char*>(&record) + offset);
}
template <typename T>
const T& fieldAt(const PositionRecord& record, size_t offset) {
    return *reinterpret_cast<const T*>(reinterpret_cast<const char*>(&record) + offset);
}
}  // namespace

bool formatReal(char* out, size_t size, double value) { return formatText(out, size, "%f", value); }

bool formatWhole(char* out, size_t size, int value) { return formatText(out, size, "%d", value); }

double parseReal(const char* text) { return std::strtod(text, nullptr); }

int parseWhole(const char* text) {
    // atoi semantics, with out-of-range values held at the int limits instead of undefined
    errno = 0;
    long value = std::strtol(text, nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

bool formatField(const PositionRecord& record, int index, char* out, size_t size) {
    const RecordField& field = kRecordFields[index];
    switch (field.type) {
        case FieldType::Int:
            return formatWhole(out, size, fieldAt<int32_t>(record, field.offset));
        case FieldType::Float:
            return formatReal(out, size, fieldAt<float>(record, field.offset));
        case FieldType::Double:
            return formatReal(out, size, fieldAt<double>(record, field.offset));
    }
    return false;
}

void parseField(PositionRecord& record, int index, const char* text) {
    const RecordField& field = kRecordFields[index];
    switch (field.type) {
        case FieldType::Int:
            fieldAt<int32_t>(record, field.offset) = parseWhole(text);
            break;
        case FieldType::Float:
            fieldAt<float>(record, field.offset) = static_cast<float>(parseReal(text));
            break;
        case FieldType::Double:
            fieldAt<double>(record, field.offset) = parseReal(text);
            break;
    }
}
