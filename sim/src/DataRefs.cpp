// The table of data references: built once from the simulator's published
// list (data/datarefs-12.1.tsv, carried in the library), with the values the
// stand-in starts from and the raw stores. Values are reset with the
// simulator; entries live for the process.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>
#include <unordered_map>

#include "CoreParts.h"
#include "DataRefStore.h"

namespace skysim {

// The published list, one line each, as the build embeds it.
extern const char* const kPublishedDataRefLines[];
extern const int kPublishedDataRefLinesCount;

namespace {

// Values the stand-in starts from where it does not start from 0: an
// interface colour scheme of its own (grey, and distinct from any fallback a
// plug-in may compute) and full cockpit light.
struct Initial {
    const char* name;
    float value[3];
};
const Initial kInitialValues[] = {
    {"sim/graphics/colors/menu_dark_rgb", {0.15f, 0.15f, 0.16f}},
    {"sim/graphics/colors/menu_hilite_rgb", {0.45f, 0.45f, 0.5f}},
    {"sim/graphics/colors/menu_lite_rgb", {0.55f, 0.55f, 0.6f}},
    {"sim/graphics/colors/menu_text_rgb", {0.9f, 0.9f, 0.9f}},
    {"sim/graphics/colors/menu_text_disabled_rgb", {0.5f, 0.5f, 0.5f}},
    {"sim/graphics/colors/subtitle_text_rgb", {0.85f, 0.85f, 0.85f}},
    {"sim/graphics/colors/tab_front_rgb", {0.7f, 0.7f, 0.72f}},
    {"sim/graphics/colors/tab_back_rgb", {0.35f, 0.35f, 0.37f}},
    {"sim/graphics/colors/caption_text_rgb", {0.95f, 0.95f, 0.95f}},
    {"sim/graphics/colors/list_text_rgb", {0.92f, 0.92f, 0.92f}},
    {"sim/graphics/colors/glass_text_rgb", {0.8f, 0.8f, 0.8f}},
    {"sim/graphics/misc/cockpit_light_level_r", {1.0f}},
    {"sim/graphics/misc/cockpit_light_level_g", {1.0f}},
    {"sim/graphics/misc/cockpit_light_level_b", {1.0f}},
};

[[noreturn]] void badTable(const std::string& line) {
    (void)std::fprintf(stderr, "skysim: cannot read the published data reference line \"%s\"\n", line.c_str());
    std::abort();
}

// "int", "float", "double", "float[16]", "int[56][10]", "byte[40]", "byte[]"
// (a text of no fixed length: no element the stand-in can hold).
void parseType(const std::string& text, DataRef& ref, const std::string& line) {
    size_t bracket = text.find('[');
    std::string base = text.substr(0, bracket);
    long size = 1;
    for (size_t at = bracket; at != std::string::npos; at = text.find('[', at + 1)) {
        size_t close = text.find(']', at);
        if (close == std::string::npos) badTable(line);
        std::string digits = text.substr(at + 1, close - at - 1);
        size = digits.empty() ? 0 : size * std::strtol(digits.c_str(), nullptr, 10);
        if (size < 0 || size > INT_MAX) badTable(line);
    }
    bool array = bracket != std::string::npos;
    if (base == "int") {
        ref.type = array ? RefType::IntArray : RefType::Int;
    } else if (base == "float") {
        ref.type = array ? RefType::FloatArray : RefType::Float;
    } else if (base == "double" && !array) {
        ref.type = RefType::Double;
    } else if (base == "byte" && array) {
        ref.type = RefType::ByteArray;
    } else {
        badTable(line);
    }
    ref.size = static_cast<int>(size);
}

// name, type, writable (y or n), separated by tabs; a line starting with # is a comment.
std::vector<DataRef> readPublishedList() {
    std::vector<DataRef> refs;
    for (int i = 0; i < kPublishedDataRefLinesCount; ++i) {
        std::string line = kPublishedDataRefLines[i];
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string name, type, writable;
        if (!std::getline(fields, name, '\t') || !std::getline(fields, type, '\t') || !std::getline(fields, writable) ||
            (writable != "y" && writable != "n")) {
            badTable(line);
        }
        DataRef ref;
        ref.name = name;
        parseType(type, ref, line);
        ref.writable = writable == "y";
        refs.push_back(std::move(ref));
    }
    return refs;
}

struct Table {
    std::vector<DataRef> refs;  // never resized after it is built
    std::unordered_map<std::string, DataRef*> byName;
};

// Built once and never freed: the plug-in may keep handles across resets and
// call in while the process ends.
Table& table() {
    static Table* built = [] {
        auto* made = new Table;
        made->refs = readPublishedList();
        for (DataRef& ref : made->refs) made->byName.emplace(ref.name, &ref);
        return made;
    }();
    return *built;
}

std::set<std::string>& hiddenNames() {
    static std::set<std::string> names;
    return names;
}

}  // namespace

const std::vector<DataRef>& publishedRefs() { return table().refs; }

bool isHiddenFromPlugin(const std::string& name) { return hiddenNames().count(name) != 0; }

void hideFromPlugin(const std::string& name) { hiddenNames().insert(name); }

int& pluginLookUpCount() {
    static int count = 0;
    return count;
}

std::vector<std::string>& unpublishedLookUps() {
    static std::vector<std::string> names;
    return names;
}

void resetDataRefs() {
    hiddenNames().clear();
    pluginLookUpCount() = 0;
    unpublishedLookUps().clear();
    for (DataRef& ref : table().refs) {
        ref.scalar = 0;
        ref.array.clear();
        ref.refusalLogged = false;
    }
    for (const Initial& initial : kInitialValues) {
        DataRef& ref = knownRef(initial.name);
        if (ref.type == RefType::FloatArray) {
            storeFloats(ref, initial.value, 0, 3);
        } else {
            storeScalar(ref, initial.value[0]);
        }
    }
}

DataRef* findRef(const std::string& name) {
    const auto& byName = table().byName;
    auto found = byName.find(name);
    return found == byName.end() ? nullptr : found->second;
}

// An address inside the table, on an entry's start.
DataRef* refFromHandle(const void* handle) {
    std::vector<DataRef>& refs = table().refs;
    auto address = reinterpret_cast<std::uintptr_t>(handle);
    auto first = reinterpret_cast<std::uintptr_t>(refs.data());
    if (handle == nullptr || address < first) return nullptr;
    std::uintptr_t offset = address - first;
    if (offset % sizeof(DataRef) != 0 || offset / sizeof(DataRef) >= refs.size()) return nullptr;
    return &refs[offset / sizeof(DataRef)];
}

DataRef& knownRef(const char* name) {
    DataRef* ref = findRef(name);
    if (ref == nullptr) badTable(std::string("(no entry for ") + name + ", which the stand-in models)");
    return *ref;
}

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
        default:
            break;
    }
}

int storeFloats(DataRef& ref, const float* values, int offset, int count) {
    if (ref.type != RefType::FloatArray || values == nullptr || offset < 0 || offset >= ref.size || count <= 0) {
        return 0;
    }
    if (ref.array.empty()) ref.array.assign(ref.size, 0.0f);
    int stored = std::min(count, ref.size - offset);
    std::copy(values, values + stored, ref.array.begin() + offset);
    return stored;
}

float floatAt(const DataRef& ref, int index) {
    return index >= 0 && index < static_cast<int>(ref.array.size()) ? ref.array[index] : 0.0f;
}

std::vector<float> floatsOf(const DataRef& ref) {
    if (ref.type != RefType::FloatArray) return {};
    return ref.array.empty() ? std::vector<float>(ref.size, 0.0f) : ref.array;
}

}  // namespace skysim
