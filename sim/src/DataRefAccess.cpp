// The data-reference functions the plug-in calls. Every read and write is
// recorded, in order, with the values it moved; a null or unknown handle reads
// 0, ignores writes and is recorded under the name "". A typed call on a
// reference of another type behaves the same way (reads 0, writes ignored),
// and so does a write to a reference that is read-only for plug-ins.
#include <algorithm>

#include "DataRefStore.h"
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

double readScalar(XPLMDataRef handle, RefType type, DataAccess::Kind kind) {
    DataRef* ref = typedRef(handle, type);
    double value = ref != nullptr ? ref->scalar : 0;
    record(kind, refFromHandle(handle), value);
    return value;
}

// A write to a reference the simulator keeps itself is recorded but has no effect.
void writeTyped(XPLMDataRef handle, RefType type, DataAccess::Kind kind, double value) {
    DataRef* ref = typedRef(handle, type);
    if (ref != nullptr && !ref->readOnly) writeScalar(*ref, value);
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
    return skysim::findRef(name);
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
    int size = array != nullptr ? static_cast<int>(array->array.size()) : 0;
    if (out == nullptr) {
        skysim::record(DataAccess::GetVF, skysim::refFromHandle(ref), size, nullptr, 0, offset);
        return size;
    }
    int copied = offset >= 0 && offset < size && max > 0 ? std::min(max, size - offset) : 0;
    if (copied > 0) std::copy(array->array.begin() + offset, array->array.begin() + offset + copied, out);
    skysim::record(DataAccess::GetVF, skysim::refFromHandle(ref), copied, out, copied, offset);
    return copied;
}

SKYSIM_EXPORT void XPLMSetDataf(XPLMDataRef ref, float value) {
    SKYSIM_STAND_IN_CODE;
    skysim::writeTyped(ref, RefType::Float, DataAccess::SetF, value);
}

SKYSIM_EXPORT void XPLMSetDatad(XPLMDataRef ref, double value) {
    SKYSIM_STAND_IN_CODE;
    skysim::writeTyped(ref, RefType::Double, DataAccess::SetD, value);
}

SKYSIM_EXPORT void XPLMSetDatai(XPLMDataRef ref, int value) {
    SKYSIM_STAND_IN_CODE;
    skysim::writeTyped(ref, RefType::Int, DataAccess::SetI, value);
}

// Writes `count` elements from `offset`, clipped to the array; the access
// records the elements written and their number.
SKYSIM_EXPORT void XPLMSetDatavf(XPLMDataRef ref, float* values, int offset, int count) {
    SKYSIM_STAND_IN_CODE;
    skysim::DataRef* array = skysim::typedRef(ref, RefType::FloatArray);
    int stored = array != nullptr ? skysim::writeFloats(*array, values, offset, count) : 0;
    skysim::record(DataAccess::SetVF, skysim::refFromHandle(ref), stored, values, stored, offset);
}
