// Fuzz target of the position-file reader: each input is a whole .skd file in
// the plug-in's folder, loaded as the Load Position File command loads it.
#include <cmath>
#include <cstring>

#include "FuzzApp.h"
#include "plugin/Paths.h"
#include "position/RecordText.h"

namespace {

// A record with a distinct value in every field, none of them what a file
// would likely set, so that any change a failed read makes shows.
PositionRecord markedRecord() {
    PositionRecord record = {};
    for (int i = 0; i < kRecordFieldCount; ++i) parseField(record, i, i % 2 == 0 ? "-7.25" : "123456.5");
    record.Gear = 3;
    return record;
}

bool fieldIsFinite(const PositionRecord& record, const RecordField& field) {
    const char* at = reinterpret_cast<const char*>(&record) + field.offset;
    if (field.type == FieldType::Double) {
        double value;
        std::memcpy(&value, at, sizeof value);
        return std::isfinite(value);
    }
    if (field.type == FieldType::Float) {
        float value;
        std::memcpy(&value, at, sizeof value);
        return std::isfinite(value);
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const PositionRecord kMarked = markedRecord();
    PluginApp& app = freshApp();
    app.storedRecord = kMarked;
    char path[kPathSize];
    if (!pluginFilePath(app.dataFolder, "Fuzz.skd", path, sizeof path)) fail("the input's path did not fit");
    writeInput(path, data, size);

    if (app.loadPositionFile(path) == 1) {
        // Numbers beyond a field's range are held at its limit: a loaded record is always finite.
        for (const RecordField& field : kRecordFields) {
            if (!fieldIsFinite(app.storedRecord, field)) fail("a loaded field is not finite");
        }
    } else if (std::memcmp(&app.storedRecord, &kMarked, sizeof kMarked) != 0) {
        fail("a position file that failed to load changed storedRecord");
    }
    checkTable(app.positionEntries);
    checkUnchangedOutside(app, {APP_MEMBER(storedRecord), APP_MEMBER(positionEntries)});
    return 0;
}
