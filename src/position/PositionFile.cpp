// Writing and reading position files: three sections holding the fields of
// storedRecord, one "key = value" line each.
#include <cstring>
#include <iterator>

#include "log/PluginLog.h"
#include "log/ReadLog.h"
#include "plugin/PluginApp.h"
#include "position/PositionFileWriting.h"
#include "position/RecordText.h"
#include "position/SafeFileWriter.h"
#include "position/SaveJob.h"
#include "text/BoundedText.h"
#include "ui/Messages.h"

static_assert(kWriterPathSize == kPathSize, "the writer takes every path the plug-in builds");

namespace {

// One section of the file: its documented result code for an unknown key, the
// place the log names, and the record fields it holds: kRecordFields[first] up
// to, not including, kRecordFields[end].
struct PositionSection {
    const char* name;
    ReadResult unknownKey;
    const char* place;
    int first;
    int end;
};

// The sections in file order.
const PositionSection kPositionSections[] = {
    {"CONFIG", ReadResult{2}, "Config data", 0, kFirstPositionField},
    {"POSITION_DATA", ReadResult{4}, "Position data", kFirstPositionField, kFirstAutopilotField},
    {"AUTOPILOT_DATA", ReadResult{5}, "AutoPilot data", kFirstAutopilotField, kRecordFieldCount},
};

const ReaderTexts kPositionTexts = {
    "parsing skd file\n",
    "No skd file found\n.",
    "skd file parsing successful\n",
};

// Writes one "key = value" line per field. A line the reader would refuse (a
// huge double printed in full) fails the save: its key is returned, else null.
const char* writeSection(SafeFileWriter& writer, const PositionRecord& record, const PositionSection& section) {
    writer.write("[");
    writer.write(section.name);
    writer.write("]\n");
    char number[kLineSize];
    char line[kLineSize];
    for (int i = section.first; i < section.end; ++i) {
        const char* key = kRecordFields[i].key;
        if (!formatField(record, i, number, sizeof number) || !formatText(line, sizeof line, "%s = %s", key, number)) {
            return key;
        }
        writer.write(line);
        writer.write("\n");
    }
    return nullptr;
}

bool applyPositionEntry(PositionRecord& record, const PositionSection& section, const TextEntry& entry) {
    for (int i = section.first; i < section.end; ++i) {
        if (std::strcmp(kRecordFields[i].key, entry.keyName) == 0) {
            parseField(record, i, entry.valueText);
            return true;
        }
    }
    return false;
}

// The three sections. A field too large to be saved stops them, named in
// `tooLarge`, and the file must not be committed.
bool writeSections(SafeFileWriter& writer, const PositionRecord& record, const char*& tooLarge) {
    for (size_t i = 0; i < std::size(kPositionSections); ++i) {
        if (i > 0) writer.write("\n");
        tooLarge = writeSection(writer, record, kPositionSections[i]);
        if (tooLarge != nullptr) return false;
    }
    return true;
}

}  // namespace

bool writeRecordFile(const char* path, const PositionRecord& record, const char* keepOldAs, OldFile& old,
                     const char*& tooLarge) {
    old = OldFile::None;
    tooLarge = nullptr;
    SafeFileWriter writer;
    if (!writer.open(path) || !writeSections(writer, record, tooLarge)) return false;
    return keepOldAs != nullptr ? writer.commit(keepOldAs, old) : writer.commit();
}

// The writer thread writes the file; a failure shows at a later call of the
// main loop (SaveHandOver.cpp).
bool PluginApp::writePositionFile(const char* path) {
    if (captureBeforeSave != 0) getData();
    SaveJob job{SaveKind::Pilot, storedRecord, {}, {}};
    if (copyText(job.path, sizeof job.path, path) && handOverSave(job)) return true;
    showMessage(kSaveFailedMessage.title, kSaveFailedMessage.line1, kSaveFailedMessage.line2);
    return false;
}

namespace {

// The file's entries applied over `record`, which a failure leaves part-applied.
ReadOutcome readRecord(const char* path, EntryTable& entries, PositionRecord& record) {
    return readEntryFile(path, entries, nullptr, kPositionSections,
                         [&record](const PositionSection& section, const TextEntry& entry) {
                             return applyPositionEntry(record, section, entry);
                         });
}

}  // namespace

ReadResult PluginApp::parsePositionFile(const char* path) {
    // A file that fails part-way must leave storedRecord as it was.
    PositionRecord loaded = storedRecord;
    ReadOutcome outcome = readRecord(path, positionEntries, loaded);
    reportReadFailure(outcome, KeyLog::PluginLog);
    if (outcome.result == ReadResult::Success) storedRecord = loaded;
    return outcome.result;
}

// A file a save asked for earlier is read as that save left it.
bool PluginApp::readPositionFile(const char* path) {
    waitForSaves();
    reportParsing(kPositionTexts);
    ReadResult result = parsePositionFile(path);
    return reportParseResult(result, sectionPlace(kPositionSections, result), kPositionTexts);
}

bool PluginApp::peekPositionFile(const char* path, PositionRecord& record) {
    record = PositionRecord{};
    ReadOutcome outcome = readRecord(path, positionEntries, record);
    reportReadFailure(outcome, KeyLog::PluginLog);
    return outcome.result == ReadResult::Success;
}

int PluginApp::loadPositionFile(const char* path) {
    if (!readPositionFile(path)) return 0;
    if (controlPanelCreated == 1) refreshPanelFields();
    return 1;
}
