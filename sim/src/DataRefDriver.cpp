// The driver's side of the data references: tests set and read values by name.
// Driver calls are not recorded as accesses and convert freely between the
// scalar types; they keep the couplings as the plug-in's writes do.
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "DataRefStore.h"
#include "Internal.h"

namespace skysim {
namespace {

void setScalar(const std::string& name, double value) {
    DataRef* ref = findRef(name);
    if (ref != nullptr) writeScalar(*ref, value);
}

double scalarOf(const std::string& name) {
    const DataRef* ref = findRef(name);
    return ref != nullptr && ref->type != RefType::FloatArray ? ref->scalar : 0;
}

// One whole number of text, blanks around it allowed.
bool parseNumber(const std::string& text, double* value) {
    const char* start = text.c_str();
    char* end = nullptr;
    errno = 0;
    *value = std::strtod(start, &end);
    if (end == start || errno == ERANGE) return false;
    while (*end == ' ' || *end == '\t') ++end;
    return *end == '\0';
}

bool parseList(const std::string& text, std::vector<float>* values) {
    size_t from = 0;
    while (true) {
        size_t comma = text.find(',', from);
        double value = 0;
        if (!parseNumber(text.substr(from, comma - from), &value)) return false;
        values->push_back(static_cast<float>(value));
        if (comma == std::string::npos) return true;
        from = comma + 1;
    }
}

bool isWholeInt(double value) { return std::floor(value) == value && value >= INT_MIN && value <= INT_MAX; }

}  // namespace

void Sim::setFloat(const std::string& name, float value) { setScalar(name, value); }
void Sim::setDouble(const std::string& name, double value) { setScalar(name, value); }
void Sim::setInt(const std::string& name, int value) { setScalar(name, value); }

void Sim::setFloats(const std::string& name, const std::vector<float>& values) {
    DataRef* ref = findRef(name);
    if (ref != nullptr && ref->type == RefType::FloatArray) {
        writeFloats(*ref, values.data(), 0, static_cast<int>(values.size()));
    }
}

float Sim::getFloat(const std::string& name) const { return static_cast<float>(scalarOf(name)); }
double Sim::getDouble(const std::string& name) const { return scalarOf(name); }
int Sim::getInt(const std::string& name) const { return toInt(scalarOf(name)); }

std::vector<float> Sim::getFloats(const std::string& name) const {
    const DataRef* ref = findRef(name);
    return ref != nullptr ? ref->array : std::vector<float>();
}

bool Sim::knowsDataRef(const std::string& name) const { return findRef(name) != nullptr; }

bool Sim::setFromText(const std::string& name, const std::string& text) {
    DataRef* ref = findRef(name);
    if (ref == nullptr) return false;
    if (ref->type == RefType::FloatArray) {
        std::vector<float> values;
        if (!parseList(text, &values) || values.size() > ref->array.size()) return false;
        writeFloats(*ref, values.data(), 0, static_cast<int>(values.size()));
        return true;
    }
    double value = 0;
    if (!parseNumber(text, &value)) return false;
    if (ref->type == RefType::Int && !isWholeInt(value)) return false;
    writeScalar(*ref, value);
    return true;
}

void Sim::hideDataRefFromPlugin(const std::string& name) { hideFromPlugin(name); }

int Sim::dataRefLookUps() const { return pluginLookUpCount(); }

}  // namespace skysim
