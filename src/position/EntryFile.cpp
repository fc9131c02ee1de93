// Reading a file of entries into a reader's target, and what the readers log about it.
#include "position/EntryFile.h"

#include <algorithm>
#include <iterator>

#include "log/PluginLog.h"
#include "text/BoundedText.h"

namespace {

// Formats "<name> <what>\n" for the log; a name too long for the buffer is cut,
// which the log line itself shows.
void logNamed(const char* name, const char* what) {
    char text[2 * kEntryTextSize];
    formatText(text, sizeof text, "%s %s\n", name, what);
    logAlways(text);
}

// The log line of a table that could not be built whole; returns its result.
ReadResult reportTableFailure(const TableResult& result) {
    switch (result.status) {
        case TableStatus::TooManyEntries:
            logAlways(prefixed("the file has too many entries: more than %d key lines\n", kEntryCount).text);
            return ReadResult::TooManyEntries;
        case TableStatus::LineTooLong:
            logAlways(prefixed("a line is longer than %d characters: %.40s...\n", kLineSize - 1, result.name).text);
            return ReadResult::LineTooLong;
        default:
            logNamed(result.name, "is outside any section: a section name must come first");
            return ReadResult::InvalidSection;
    }
}

ReadResult reportInvalidSection(const TextEntry& entry) {
    logNamed(entry.sectionName, "is an invalid section name");
    return ReadResult::InvalidSection;
}

}  // namespace

void reportInvalidField(const TextEntry& entry) { logNamed(entry.keyName, "is an invalid field"); }

ReadResult parseEntryFile(const char* path, EntryTable& table, const EntryFormat& format, void* target,
                          const TextEntry** unknownKey) {
    *unknownKey = nullptr;
    TableResult built = buildEntryTable(path, table, format.keepBlanksKey);
    if (built.status == TableStatus::NotOpened) return ReadResult::NotOpened;
    const TextEntry* failed = nullptr;
    ReadResult result = walkEntries(table, format.sections, format.sectionCount, format.apply, target, &failed);
    if (result == ReadResult::InvalidSection) return reportInvalidSection(*failed);
    if (result != ReadResult::Success) {
        *unknownKey = failed;
        return result;
    }
    if (built.status != TableStatus::Built) return reportTableFailure(built);
    return ReadResult::Success;
}

namespace {

// The places of the failures every reader shares: the file's form, not a section's keys.
struct SharedPlace {
    ReadResult result;
    const char* text;
};

const SharedPlace kSharedPlaces[] = {
    {ReadResult::InvalidSection, "Section Name"},
    {ReadResult::TooManyEntries, "Entry Count"},
    {ReadResult::LineTooLong, "Line Length"},
};

const char* placeText(ReadResult result, const EntryFormat& format) {
    for (int i = 0; i < format.sectionCount; ++i) {
        if (format.sections[i].unknownKey == result) return format.sections[i].place;
    }
    const SharedPlace* shared = std::find_if(std::begin(kSharedPlaces), std::end(kSharedPlaces),
                                             [result](const SharedPlace& place) { return place.result == result; });
    return shared != std::end(kSharedPlaces) ? shared->text : "unknown place";
}

}  // namespace

void reportParsing(const ReaderTexts& texts) { logAlways(prefixed("%s", texts.parsing).text); }

bool reportParseResult(ReadResult result, const EntryFormat& format, const ReaderTexts& texts) {
    if (result == ReadResult::NotOpened) {
        // Both readers' not-found texts end in a line feed and then a ".", which
        // so begins the log's next line: the files' documented text, kept as is.
        logAlways(prefixed("%s", texts.notFound).text);
        return false;
    }
    if (result == ReadResult::Success) {
        logAlways(prefixed("%s", texts.success).text);
        return true;
    }
    char text[kEntryTextSize];
    formatText(text, sizeof text, "Parse Error in %s\n", placeText(result, format));
    logAlways(text);
    return false;
}
