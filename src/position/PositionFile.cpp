// Writing and reading position files: three sections holding the fields of
// storedRecord, one "key = value" line each.
#include <cstring>
#include <iterator>

#include "log/PluginLog.h"
#include "plugin/PluginApp.h"
#include "position/EntryFile.h"
#include "position/PositionFileWriting.h"
#include "position/RecordText.h"
#include "position/SafeFileWriter.h"
#include "text/BoundedText.h"
#include "ui/Messages.h"

static_assert(kWriterPathSize == kPathSize, "the writer takes every path the plug-in builds");

namespace {

// The sections in file order; slot indexes kSectionFields.
const SectionRule kPositionSections[] = {
    {"CONFIG", ReadResult::UnknownConfigKey, 0, "Config data"},
    {"POSITION_DATA", ReadResult::UnknownPositionKey, 1, "Position data"},
    {"AUTOPILOT_DATA", ReadResult::UnknownAutopilotKey, 2, "AutoPilot data"},
};
constexpr int kPositionSectionCount = static_cast<int>(std::size(kPositionSections));

// The record fields each section holds: kRecordFields[first] up to, not including, kRecordFields[end].
struct FieldRange {
    int first;
    int end;
};
const FieldRange kSectionFields[kPositionSectionCount] = {
    {0, kFirstPositionField},
    {kFirstPositionField, kFirstAutopilotField},
    {kFirstAutopilotField, kRecordFieldCount},
};

const ReaderTexts kPositionTexts = {
    "parsing skd file\n",
    "No skd file found\n.",
    "skd file parsing successful\n",
};

// Writes one "key = value" line per field. A line the reader would refuse (a
// huge double printed in full) fails the save: its key is returned, else null.
const char* writeSection(SafeFileWriter& writer, const PositionRecord& record, int section) {
    writer.write("[");
    writer.write(kPositionSections[section].name);
    writer.write("]\n");
    char number[kLineSize];
    char line[kLineSize];
    for (int i = kSectionFields[section].first; i < kSectionFields[section].end; ++i) {
        const char* key = kRecordFields[i].key;
        if (!formatField(record, i, number, sizeof number) || !formatText(line, sizeof line, "%s = %s", key, number)) {
            return key;
        }
        writer.write(line);
        writer.write("\n");
    }
    return nullptr;
}

bool applyPositionEntry(void* target, const SectionRule& rule, const TextEntry& entry) {
    PositionRecord& record = *static_cast<PositionRecord*>(target);
    const FieldRange& fields = kSectionFields[rule.slot];
    for (int i = fields.first; i < fields.end; ++i) {
        if (std::strcmp(kRecordFields[i].key, entry.keyName) == 0) {
            parseField(record, i, entry.valueText);
            return true;
        }
    }
    return false;
}

const EntryFormat kPositionFormat = {kPositionSections, kPositionSectionCount, applyPositionEntry, nullptr};

// The three sections, then the commit that makes them the file (the old one
// kept as `keepOldAs` when given). A field too large to be saved fails it and
// is named in `tooLarge`.
bool writeRecord(SafeFileWriter& writer, const PositionRecord& record, const char* keepOldAs, const char*& tooLarge) {
    for (int section = 0; section < kPositionSectionCount; ++section) {
        if (section > 0) writer.write("\n");
        tooLarge = writeSection(writer, record, section);
        if (tooLarge != nullptr) return false;
    }
    return writer.commit(keepOldAs);
}

}  // namespace

bool writeRecordFile(const char* path, const PositionRecord& record, const char* keepOldAs) {
    SafeFileWriter writer;
    const char* tooLarge = nullptr;
    return writer.open(path) && writeRecord(writer, record, keepOldAs, tooLarge);
}

bool PluginApp::writePositionFile(const char* path) {
    SafeFileWriter writer;
    bool saved = writer.open(path);
    if (saved) {
        if (captureBeforeSave != 0) getData();  // only once the file can be created
        const char* tooLarge = nullptr;
        saved = writeRecord(writer, storedRecord, nullptr, tooLarge);
        if (tooLarge != nullptr) logAlways(prefixed("%s is too large to be saved\n", tooLarge).text);
    }
    if (!saved) showMessage(kSaveFailedMessage.title, kSaveFailedMessage.line1, kSaveFailedMessage.line2);
    return saved;
}

ReadResult PluginApp::parsePositionFile(const char* path) {
    // A file that fails part-way must leave storedRecord as it was.
    PositionRecord loaded = storedRecord;
    const TextEntry* unknownKey = nullptr;
    ReadResult result = parseEntryFile(path, positionEntries, kPositionFormat, &loaded, &unknownKey);
    if (unknownKey != nullptr) reportInvalidField(*unknownKey);
    if (result == ReadResult::Success) storedRecord = loaded;
    return result;
}

bool PluginApp::readPositionFile(const char* path) {
    reportParsing(kPositionTexts);
    return reportParseResult(parsePositionFile(path), kPositionFormat, kPositionTexts);
}

int PluginApp::loadPositionFile(const char* path) {
    if (!readPositionFile(path)) return 0;
    if (controlPanelCreated == 1) refreshPanelFields();
    return 1;
}
