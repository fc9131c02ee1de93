// The data-reference functions the plug-in calls. Every read and write is
// recorded, in order, with the values it moved; a null or unknown handle reads
// 0, ignores writes and is recorded under the name "". A typed call on a
// reference of another type behaves the same way (reads 0, writes ignored),
// except that a double reads as a float too. A write to a reference the
// simulator does not let plug-ins write is ignored, and its log says so once
// per name; so is a write to the aircraft's state during a replay, said at
// each. The flight model follows a write at the next frame.
#include <algorithm>

#include "DataRefStore.h"
#include "FlightModel.h"
#include "Internal.h"
#include "XPLMApi.h"

namespace skysim {
namespace {

std::vector<DataAccess>& accessLog() {
    static std::vector<DataAccess> log;
    return log;
}

void record(DataAccess::Kind kind, const DataRef* ref, double value, const float* values = nullptr, int count = 0,
            int offset = 0) {
    DataAccess access;
    access.kind = kind;
    access.name = ref != nullptr ? ref->name : std::string();
    access.value = value;
    if (values != nullptr && count > 0) access.values.assign(values, values + count);
    access.offset = offset;
    accessLog().push_back(std::move(access));
}

// The entry behind the handle when it has this type, else null.
DataRef* typedRef(XPLMDataRef handle, RefType type) {
    DataRef* ref = refFromHandle(handle);
    return ref != nullptr && ref->type == type ? ref : nullptr;
}

// The simulator publishes its doubles as floats too.
DataRef* readableRef(XPLMDataRef handle, RefType type) {
    DataRef* ref = refFromHandle(handle);
    if (ref == nullptr) return nullptr;
    return ref->type == type || (type == RefType::Float && ref->type == RefType::Double) ? ref : nullptr;
}

double readScalar(XPLMDataRef handle, RefType type, DataAccess::Kind kind) {
    DataRef* ref = readableRef(handle, type);
    double value = ref != nullptr ? ref->scalar : 0;
    if (type == RefType::Float) value = static_cast<float>(value);
    record(kind, refFromHandle(handle), value);
    return value;
}

// True when the simulator takes a plug-in's write of this entry; the first
// refused write of each name since the last reset is logged. A replay shows
// the recorded flight: a write to the aircraft's state then is a fault, logged
// at each write.
bool takesWrite(DataRef& ref, const char* call) {
    if (!ref.writable) {
        if (!ref.refusalLogged) {
            simLogLine(std::string(call) + ": \"" + ref.name +
                       "\" is not writable; the simulator ignores writes to it (said once per name)");
            ref.refusalLogged = true;
        }
        return false;
    }
    static const DataRef* const inReplay = &knownRef(refname::kInReplay);
    if (inReplay->scalar != 0 && isAircraftState(ref)) {
        simLogLine(std::string(call) + ": \"" + ref.name + "\" written during a replay; the simulator ignores it");
        return false;
    }
    return true;
}

// The autopilot's state takes a write as presses of its mode buttons.
void writeTyped(XPLMDataRef handle, RefType type, DataAccess::Kind kind, double value, const char* call) {
    DataRef* ref = typedRef(handle, type);
    if (ref != nullptr && takesWrite(*ref, call)) {
        static const DataRef* const autopilotState = &knownRef(refname::kAutopilotState);
        if (ref == autopilotState) {
            storeScalar(*ref, pressAutopilotButtons(toInt(ref->scalar), toInt(value)));
        } else {
            storeScalar(*ref, value);
            pluginWroteAircraft(*ref);
        }
    }
    record(kind, refFromHandle(handle), value);
}

}  // namespace

const std::vector<DataAccess>& Sim::accesses() const { return accessLog(); }

void Sim::clearAccesses() { accessLog().clear(); }

}  // namespace skysim

using skysim::DataAccess;
using skysim::RefType;

SKYSIM_EXPORT XPLMDataRef XPLMFindDataRef(const char* name) {
    SKYSIM_STAND_IN_CODE;
    ++skysim::pluginLookUpCount();
    if (name == nullptr || skysim::isHiddenFromPlugin(name)) return nullptr;
    skysim::DataRef* ref = skysim::findRef(name);
    std::vector<std::string>& unpublished = skysim::unpublishedLookUps();
    if (ref == nullptr && std::find(unpublished.begin(), unpublished.end(), name) == unpublished.end()) {
        unpublished.emplace_back(name);
    }
    return ref;
}

SKYSIM_EXPORT float XPLMGetDataf(XPLMDataRef ref) {
    SKYSIM_STAND_IN_CODE;
    return static_cast<float>(skysim::readScalar(ref, RefType::Float, DataAccess::GetF));
}

SKYSIM_EXPORT double XPLMGetDatad(XPLMDataRef ref) {
    SKYSIM_STAND_IN_CODE;
    return skysim::readScalar(ref, RefType::Double, DataAccess::GetD);
}

SKYSIM_EXPORT int XPLMGetDatai(XPLMDataRef ref) {
    SKYSIM_STAND_IN_CODE;
    return static_cast<int>(skysim::readScalar(ref, RefType::Int, DataAccess::GetI));
}

// With no output array: the array's size. Otherwise copies up to `max` elements
// from `offset` and returns how many.
SKYSIM_EXPORT int XPLMGetDatavf(XPLMDataRef ref, float* out, int offset, int max) {
    SKYSIM_STAND_IN_CODE;
    skysim::DataRef* array = skysim::typedRef(ref, RefType::FloatArray);
    int size = array != nullptr ? array->size : 0;
    if (out == nullptr) {
        skysim::record(DataAccess::GetVF, skysim::refFromHandle(ref), size, nullptr, 0, offset);
        return size;
    }
    int copied = offset >= 0 && offset < size && max > 0 ? std::min(max, size - offset) : 0;
    for (int i = 0; i < copied; ++i) out[i] = skysim::floatAt(*array, offset + i);
    skysim::record(DataAccess::GetVF, skysim::refFromHandle(ref), copied, out, copied, offset);
    return copied;
}

SKYSIM_EXPORT void XPLMSetDataf(XPLMDataRef ref, float value) {
    SKYSIM_STAND_IN_CODE;
    skysim::writeTyped(ref, RefType::Float, DataAccess::SetF, value, "XPLMSetDataf");
}

SKYSIM_EXPORT void XPLMSetDatad(XPLMDataRef ref, double value) {
    SKYSIM_STAND_IN_CODE;
    skysim::writeTyped(ref, RefType::Double, DataAccess::SetD, value, "XPLMSetDatad");
}

SKYSIM_EXPORT void XPLMSetDatai(XPLMDataRef ref, int value) {
    SKYSIM_STAND_IN_CODE;
    skysim::writeTyped(ref, RefType::Int, DataAccess::SetI, value, "XPLMSetDatai");
}

// Writes `count` elements from `offset`, clipped to the array; the access
// records the elements written and their number.
SKYSIM_EXPORT void XPLMSetDatavf(XPLMDataRef ref, float* values, int offset, int count) {
    SKYSIM_STAND_IN_CODE;
    skysim::DataRef* array = skysim::typedRef(ref, RefType::FloatArray);
    int stored = 0;
    if (array != nullptr && skysim::takesWrite(*array, "XPLMSetDatavf")) {
        stored = skysim::storeFloats(*array, values, offset, count);
        if (stored > 0) skysim::pluginWroteAircraft(*array);
    }
    skysim::record(DataAccess::SetVF, skysim::refFromHandle(ref), stored, values, stored, offset);
}
