// Text form of the position record's fields.
#include "position/RecordText.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "text/DecimalText.h"
#include "text/NumberText.h"

#define FIELD(name, type) \
    { #name, FieldType::type, offsetof(PositionRecord, name) }

constexpr RecordField kRecordFields[kRecordFieldCount] = {
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

// The field numbers the file sections, the panel and the display go by.
static_assert(kRecordFields[kFirstPositionField].offset == offsetof(PositionRecord, Latitude), "position fields");
static_assert(kRecordFields[kFirstAutopilotField].offset == offsetof(PositionRecord, AutoPilot_Mode),
              "autopilot fields");
static_assert(kRecordFields[kRecordFieldCount - 1].offset == offsetof(PositionRecord, AutoPilot_Heading_Roll_Mode),
              "every field listed");

namespace {
// The fields are read and written by offset through memcpy, the defined way to
// reach a member of a known type at a known place.
template <typename T>
T readField(const PositionRecord& record, size_t offset) {
    T value;
    std::memcpy(&value, reinterpret_cast<const char*>(&record) + offset, sizeof value);
    return value;
}
template <typename T>
void writeField(PositionRecord& record, size_t offset, T value) {
    std::memcpy(reinterpret_cast<char*>(&record) + offset, &value, sizeof value);
}

}  // namespace

bool formatField(const PositionRecord& record, int index, char* out, size_t size) {
    const RecordField& field = kRecordFields[index];
    switch (field.type) {
        case FieldType::Int:
            return formatInteger(out, size, readField<int32_t>(record, field.offset));
        case FieldType::Float:
            return formatFixed(out, size, readField<float>(record, field.offset));
        case FieldType::Double:
            return formatFixed(out, size, readField<double>(record, field.offset));
    }
    return false;
}

double fieldValue(const PositionRecord& record, int index) {
    const RecordField& field = kRecordFields[index];
    switch (field.type) {
        case FieldType::Int:
            return readField<int32_t>(record, field.offset);
        case FieldType::Float:
            return readField<float>(record, field.offset);
        case FieldType::Double:
            return readField<double>(record, field.offset);
    }
    return 0.0;
}

void parseField(PositionRecord& record, int index, const char* text) {
    const RecordField& field = kRecordFields[index];
    switch (field.type) {
        case FieldType::Int:
            writeField<int32_t>(record, field.offset, parseWhole(text));
            break;
        case FieldType::Float:
            writeField<float>(record, field.offset, narrowToFloat(parseReal(text)));
            break;
        case FieldType::Double:
            writeField<double>(record, field.offset, parseReal(text));
            break;
    }
}

namespace {

template <typename T>
void holdFieldFinite(PositionRecord& record, size_t offset) {
    T value = readField<T>(record, offset);
    if (std::isnan(value)) writeField<T>(record, offset, T(0));
    if (std::isinf(value)) writeField<T>(record, offset, std::copysign(std::numeric_limits<T>::max(), value));
}

}  // namespace

void holdFinite(PositionRecord& record) {
    for (const RecordField& field : kRecordFields) {
        if (field.type == FieldType::Float) holdFieldFinite<float>(record, field.offset);
        if (field.type == FieldType::Double) holdFieldFinite<double>(record, field.offset);
    }
}
