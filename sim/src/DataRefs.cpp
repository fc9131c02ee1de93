// The table of data references the stand-in knows, their defaults and the
// raw stores. Values are reset with the simulator; entries live for the process.
#include <algorithm>
#include <climits>
#include <cmath>
#include <iterator>
#include <set>

#include "CoreParts.h"
#include "DataRefStore.h"

namespace skysim {
namespace {

struct Definition {
    const char* name;
    RefType type;
    int size;  // elements of a FloatArray, else 1
    float initial[3];
};

const Definition kDefinitions[] = {
    {refname::kQ, RefType::FloatArray, 4, {}},
    {refname::kLocalX, RefType::Double, 1, {}},
    {refname::kLocalY, RefType::Double, 1, {}},
    {refname::kLocalZ, RefType::Double, 1, {}},
    {refname::kLocalVx, RefType::Float, 1, {}},
    {refname::kLocalVy, RefType::Float, 1, {}},
    {refname::kLocalVz, RefType::Float, 1, {}},
    {"sim/flightmodel/engine/ENGN_thro", RefType::FloatArray, 8, {}},
    {"sim/flightmodel/position/magnetic_variation", RefType::Float, 1, {}},
    {refname::kTheta, RefType::Float, 1, {}},
    {refname::kPhi, RefType::Float, 1, {}},
    {refname::kPsi, RefType::Float, 1, {}},
    {refname::kLatitude, RefType::Double, 1, {}},
    {refname::kLongitude, RefType::Double, 1, {}},
    {refname::kElevation, RefType::Double, 1, {}},
    {refname::kIndicatedAirspeed, RefType::Float, 1, {}},
    {"sim/flightmodel/controls/flaprqst", RefType::Float, 1, {}},
    {"sim/cockpit/switches/gear_handle_status", RefType::Int, 1, {}},
    {"sim/cockpit/autopilot/autopilot_mode", RefType::Int, 1, {}},
    {"sim/cockpit/autopilot/altitude", RefType::Float, 1, {}},
    {"sim/cockpit/autopilot/vertical_velocity", RefType::Float, 1, {}},
    {"sim/cockpit/autopilot/airspeed", RefType::Float, 1, {}},
    {"sim/cockpit/autopilot/heading_mag", RefType::Float, 1, {}},
    {"sim/cockpit/autopilot/autopilot_state", RefType::Int, 1, {}},
    {"sim/cockpit/autopilot/heading_roll_mode", RefType::Int, 1, {}},
    // Interface colours: a grey scheme, distinct from any fallback a plug-in may compute.
    {"sim/graphics/colors/menu_dark_rgb", RefType::FloatArray, 3, {0.15f, 0.15f, 0.16f}},
    {"sim/graphics/colors/menu_bkgnd_rgb", RefType::FloatArray, 3, {0.25f, 0.25f, 0.27f}},
    {"sim/graphics/colors/menu_hilite_rgb", RefType::FloatArray, 3, {0.45f, 0.45f, 0.5f}},
    {"sim/graphics/colors/menu_lite_rgb", RefType::FloatArray, 3, {0.55f, 0.55f, 0.6f}},
    {"sim/graphics/colors/menu_text_rgb", RefType::FloatArray, 3, {0.9f, 0.9f, 0.9f}},
    {"sim/graphics/colors/menu_text_disabled_rgb", RefType::FloatArray, 3, {0.5f, 0.5f, 0.5f}},
    {"sim/graphics/colors/subtitle_text_rgb", RefType::FloatArray, 3, {0.85f, 0.85f, 0.85f}},
    {"sim/graphics/colors/tab_front_rgb", RefType::FloatArray, 3, {0.7f, 0.7f, 0.72f}},
    {"sim/graphics/colors/tab_back_rgb", RefType::FloatArray, 3, {0.35f, 0.35f, 0.37f}},
    {"sim/graphics/colors/caption_text_rgb", RefType::FloatArray, 3, {0.95f, 0.95f, 0.95f}},
    {"sim/graphics/colors/list_text_rgb", RefType::FloatArray, 3, {0.92f, 0.92f, 0.92f}},
    {"sim/graphics/colors/glass_text_rgb", RefType::FloatArray, 3, {0.8f, 0.8f, 0.8f}},
    {"sim/graphics/misc/cockpit_light_level_r", RefType::Float, 1, {1.0f}},
    {"sim/graphics/misc/cockpit_light_level_g", RefType::Float, 1, {1.0f}},
    {"sim/graphics/misc/cockpit_light_level_b", RefType::Float, 1, {1.0f}},
};

constexpr int kRefCount = sizeof(kDefinitions) / sizeof(kDefinitions[0]);

// The simulator computes these from the flight model: a plug-in moves the
// aircraft through the local coordinates and sets its speed through the velocity.
const char* const kReadOnly[] = {refname::kLatitude, refname::kLongitude, refname::kElevation,
                                 refname::kIndicatedAirspeed};

bool isReadOnly(const char* name) {
    return std::any_of(std::begin(kReadOnly), std::end(kReadOnly),
                       [&](const char* readOnly) { return std::string(readOnly) == name; });
}

// Built once and never freed: the plug-in may keep handles across resets and
// call in while the process ends.
std::vector<DataRef>& table() {
    static std::vector<DataRef>* refs = [] {
        auto* made = new std::vector<DataRef>();
        made->reserve(kRefCount);
        for (const Definition& definition : kDefinitions) {
            DataRef ref;
            ref.name = definition.name;
            ref.type = definition.type;
            ref.readOnly = isReadOnly(definition.name);
            if (definition.type == RefType::FloatArray) ref.array.assign(definition.size, 0.0f);
            made->push_back(ref);
        }
        return made;
    }();
    return *refs;
}

}  // namespace

namespace {
std::set<std::string>& hiddenNames() {
    static std::set<std::string> names;
    return names;
}
}  // namespace

bool isHiddenFromPlugin(const std::string& name) { return hiddenNames().count(name) != 0; }

void hideFromPlugin(const std::string& name) { hiddenNames().insert(name); }

int& pluginLookUpCount() {
    static int count = 0;
    return count;
}

void resetDataRefs() {
    hiddenNames().clear();
    pluginLookUpCount() = 0;
    std::vector<DataRef>& refs = table();
    for (int i = 0; i < kRefCount; ++i) {
        const Definition& definition = kDefinitions[i];
        DataRef& ref = refs[i];
        if (ref.type == RefType::FloatArray) {
            std::copy(definition.initial, definition.initial + std::min(definition.size, 3), ref.array.begin());
            std::fill(ref.array.begin() + std::min(definition.size, 3), ref.array.end(), 0.0f);
        } else {
            ref.scalar = definition.initial[0];
        }
    }
}

DataRef* findRef(const std::string& name) {
    std::vector<DataRef>& refs = table();
    auto found = std::find_if(refs.begin(), refs.end(), [&name](const DataRef& ref) { return ref.name == name; });
    return found != refs.end() ? &*found : nullptr;
}

DataRef* refFromHandle(const void* handle) {
    std::vector<DataRef>& refs = table();
    auto found = std::find_if(refs.begin(), refs.end(), [handle](const DataRef& ref) { return &ref == handle; });
    return found != refs.end() ? &*found : nullptr;
}

DataRef& knownRef(const char* name) { return *findRef(name); }

int toInt(double value) {
    return std::isnan(value) ? 0 : static_cast<int>(std::clamp(value, double(INT_MIN), double(INT_MAX)));
}

void storeScalar(DataRef& ref, double value) {
    switch (ref.type) {
        case RefType::Float:
            ref.scalar = static_cast<float>(value);
            break;
        case RefType::Double:
            ref.scalar = value;
            break;
        case RefType::Int:
            ref.scalar = toInt(value);
            break;
        case RefType::FloatArray:
            break;
    }
}

int storeFloats(DataRef& ref, const float* values, int offset, int count) {
    int size = static_cast<int>(ref.array.size());
    if (values == nullptr || offset < 0 || offset >= size || count <= 0) return 0;
    int stored = std::min(count, size - offset);
    std::copy(values, values + stored, ref.array.begin() + offset);
    return stored;
}

void writeScalar(DataRef& ref, double value) {
    if (ref.type == RefType::FloatArray) return;
    storeScalar(ref, value);
    applyCouplings(ref);
}

int writeFloats(DataRef& ref, const float* values, int offset, int count) {
    int stored = storeFloats(ref, values, offset, count);
    if (stored > 0) applyCouplings(ref);
    return stored;
}

}  // namespace skysim
