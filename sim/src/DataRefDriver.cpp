// The driver's side of the data references: tests set and read values by name.
// Driver calls are not recorded as accesses, convert freely between the
// scalar types and set any published name, writable or not: they set the
// simulator's own state, which everything tied to it follows at once.
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "FlightModel.h"
#include "Internal.h"

namespace skysim {
namespace {

bool isScalar(const DataRef& ref) {
    return ref.type == RefType::Int || ref.type == RefType::Float || ref.type == RefType::Double;
}

void setScalar(DataRef* ref, double value) {
    if (ref == nullptr || !isScalar(*ref)) return;
    storeScalar(*ref, value);
    driverWroteAircraft(*ref);
}

void setFloats(DataRef* ref, const std::vector<float>& values) {
    if (ref == nullptr || storeFloats(*ref, values.data(), 0, static_cast<int>(values.size())) == 0) return;
    driverWroteAircraft(*ref);
}

double scalarOf(const std::string& name) {
    const DataRef* ref = findRef(name);
    return ref != nullptr && isScalar(*ref) ? ref->scalar : 0;
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

void Sim::setFloat(const std::string& name, float value) { setScalar(findRef(name), value); }
void Sim::setDouble(const std::string& name, double value) { setScalar(findRef(name), value); }
void Sim::setInt(const std::string& name, int value) { setScalar(findRef(name), value); }

void Sim::setFloats(const std::string& name, const std::vector<float>& values) {
    skysim::setFloats(findRef(name), values);
}

float Sim::getFloat(const std::string& name) const { return static_cast<float>(scalarOf(name)); }
double Sim::getDouble(const std::string& name) const { return scalarOf(name); }
int Sim::getInt(const std::string& name) const { return toInt(scalarOf(name)); }

std::vector<float> Sim::getFloats(const std::string& name) const {
    const DataRef* ref = findRef(name);
    return ref != nullptr ? floatsOf(*ref) : std::vector<float>();
}

bool Sim::knowsDataRef(const std::string& name) const { return findRef(name) != nullptr; }

bool Sim::setFromText(const std::string& name, const std::string& text) {
    DataRef* ref = findRef(name);
    if (ref == nullptr) return false;
    if (ref->type == RefType::FloatArray) {
        std::vector<float> values;
        if (!parseList(text, &values) || values.size() > static_cast<size_t>(ref->size)) return false;
        skysim::setFloats(ref, values);
        return true;
    }
    double value = 0;
    if (!isScalar(*ref) || !parseNumber(text, &value)) return false;
    if (ref->type == RefType::Int && !isWholeInt(value)) return false;
    setScalar(ref, value);
    return true;
}

void Sim::hideDataRefFromPlugin(const std::string& name) { hideFromPlugin(name); }

int Sim::dataRefLookUps() const { return pluginLookUpCount(); }

std::vector<std::string> Sim::unpublishedLookUps() const { return skysim::unpublishedLookUps(); }

}  // namespace skysim
