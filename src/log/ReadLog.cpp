// The log lines of the position-file and the settings readers.
#include "log/ReadLog.h"

#include "log/PluginLog.h"
#include "text/BoundedText.h"

namespace {

// Formats "<name> <what>\n"; a name too long for the buffer is cut, which the
// line itself shows.
struct NamedLine {
    char text[2 * kEntryTextSize];
};

NamedLine named(const char* name, const char* what) {
    NamedLine line = {};
    formatText(line.text, sizeof line.text, "%s %s\n", name, what);
    return line;
}

// The places of the failures of the file's form, which every reader shares.
const char* formPlace(ReadResult result) {
    switch (result) {
        case ReadResult::InvalidSection:
            return "Section Name";
        case ReadResult::TooManyEntries:
            return "Entry Count";
        case ReadResult::LineTooLong:
            return "Line Length";
        default:
            return "unknown place";
    }
}

}  // namespace

void reportReadFailure(const ReadOutcome& outcome, KeyLog keyLog) {
    const TextEntry& entry = outcome.failed;
    switch (outcome.result) {
        case ReadResult::NotOpened:
        case ReadResult::Success:
            return;
        case ReadResult::TooManyEntries:
            logAlways(prefixed("the file has too many entries: more than %d key lines\n", kEntryCount).text);
            return;
        case ReadResult::LineTooLong:
            logAlways(prefixed("a line is longer than %d characters: %.40s...\n", kLineSize - 1, entry.keyName).text);
            return;
        case ReadResult::InvalidSection:
            // A key line before any header is the one entry without a section that fails.
            if (entry.sectionName[0] == '\0') {
                logAlways(named(entry.keyName, "is outside any section: a section name must come first").text);
            } else {
                logAlways(named(entry.sectionName, "is an invalid section name").text);
            }
            return;
        default:
            if (keyLog == KeyLog::PluginLog) {
                logAlways(named(entry.keyName, "is an invalid field").text);
            } else {
                simulatorLog(entry.keyName);
                simulatorLog(" is an invalid field\n");
            }
            return;
    }
}

void reportParsing(const ReaderTexts& texts) { logAlways(prefixed("%s", texts.parsing).text); }

bool reportParseResult(ReadResult result, const char* sectionPlace, const ReaderTexts& texts) {
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
    formatText(text, sizeof text, "Parse Error in %s\n", sectionPlace != nullptr ? sectionPlace : formPlace(result));
    logAlways(text);
    return false;
}
