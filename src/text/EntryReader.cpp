// The line-and-entry reader shared by the position file and the settings file.
#include "text/EntryReader.h"

#include <cstring>

#include "files/FileAccess.h"
#include "text/BoundedText.h"

namespace {

bool isLineEnd(int c) { return c == '\n' || c == '\r'; }

// Reads one line, or a piece of at most size - 1 characters, into `buffer`; CR,
// LF, CR LF and LF CR each end a line, and the one line end character read is
// kept. Returns how many characters it stored, which may include NUL bytes that
// strlen would stop at; 0 at the end of the file, leaving `buffer` untouched.
int readPiece(char* buffer, int size, FILE* file) {
    int stored = 0;
    int last = 0;
    while (stored < size - 1) {
        int c = std::fgetc(file);
        if (c == EOF) break;
        buffer[stored++] = static_cast<char>(c);
        last = c;
        if (isLineEnd(c)) break;
    }
    if (stored == 0) return 0;
    if (isLineEnd(last)) {
        // The other half of a two-character line end belongs to this line.
        int partner = '\r';
        if (last == '\r') partner = '\n';
        int next = std::fgetc(file);
        // One character read is always allowed back.
        if (next != partner && next != EOF) (void)std::ungetc(next, file);
    }
    buffer[stored] = '\0';
    return stored;
}

}  // namespace

void stripBlanks(const char* text, char* out) {
    std::memset(out, 0, kEntryTextSize);
    int kept = 0;
    for (const char* c = text; *c != '\0' && kept < kEntryTextSize - 1; ++c) {
        if (*c != ' ') out[kept++] = *c;
    }
}

namespace {

void removeLineEnd(char* line) {
    size_t length = std::strlen(line);
    if (length > 0 && line[length - 1] == '\r') line[--length] = '\0';
    if (length > 0 && line[length - 1] == '\n') line[--length] = '\0';
}

// A line's parts are copied whole into the entry texts.
static_assert(kLineSize <= kEntryTextSize, "a line piece must fit an entry text");

// The name between the line's first character and its last "]".
void takeSectionName(const char* line, char* name) {
    const char* close = std::strrchr(line, ']');
    const char* first = line + 1;  // the line's first character is never part of the name
    size_t length = close > first ? static_cast<size_t>(close - first) : 0;
    std::memset(name, 0, kEntryTextSize);
    std::memcpy(name, first, length);
}

void keepInnerBlanks(const char* value, char* out) {
    while (*value == ' ') ++value;
    std::memset(out, 0, kEntryTextSize);
    copyText(out, kEntryTextSize, value);
}

// Splits a key line at its last "="; the one character before "=" is dropped.
void fillEntry(char* line, const char* section, const char* keepBlanksKey, TextEntry& entry) {
    char* equals = std::strrchr(line, '=');
    const char* value = equals + 1;
    size_t p = static_cast<size_t>(equals - line);
    line[p >= 2 ? p - 1 : 0] = '\0';
    stripBlanks(section, entry.sectionName);
    stripBlanks(line, entry.keyName);
    if (keepBlanksKey != nullptr && std::strcmp(entry.keyName, keepBlanksKey) == 0) {
        keepInnerBlanks(value, entry.valueText);
    } else {
        stripBlanks(value, entry.valueText);
    }
}

// True when a piece of `stored` characters stopped at the buffer's end with
// more text of the same line to come (a line end alone still to come cuts nothing).
bool lineWasCut(const char* line, int stored, FILE* file) {
    if (stored < kLineSize - 1 || isLineEnd(line[stored - 1])) return false;
    int next = std::fgetc(file);
    if (next == EOF) return false;
    (void)std::ungetc(next, file);  // one character read is always allowed back
    return !isLineEnd(next);
}

// Reads and drops the pieces of a cut line up to and including its last one.
void skipRestOfLine(char* line, FILE* file) {
    int stored = readPiece(line, kLineSize, file);
    while (stored > 0 && lineWasCut(line, stored, file)) stored = readPiece(line, kLineSize, file);
}

// Fills `table` from `file`; on a failure of the file's form `failed` is what the log names.
ReadResult fillTable(FILE* file, EntryTable& table, const char* keepBlanksKey, TextEntry& failed) {
    char line[kLineSize];
    char section[kEntryTextSize] = {};
    bool sectionSeen = false;
    int next = 0;
    table.entries[0] = TextEntry{};  // the table ends at the first entry without a section
    for (int stored = readPiece(line, kLineSize, file); stored > 0; stored = readPiece(line, kLineSize, file)) {
        bool isComment = std::strchr(line, ';') != nullptr;
        if (lineWasCut(line, stored, file)) {
            // A comment may be of any length; any other line would lose its end.
            if (isComment) {
                skipRestOfLine(line, file);
                continue;
            }
            copyText(failed.keyName, kEntryTextSize, line);
            return ReadResult::LineTooLong;
        }
        if (isComment) continue;
        removeLineEnd(line);
        if (std::strchr(line, ']') != nullptr) {
            takeSectionName(line, section);
            sectionSeen = true;
            continue;
        }
        if (std::strchr(line, '=') == nullptr) continue;
        TextEntry entry;
        fillEntry(line, section, keepBlanksKey, entry);
        if (next == kEntryCount || !sectionSeen) {
            failed = entry;
            return sectionSeen ? ReadResult::TooManyEntries : ReadResult::InvalidSection;
        }
        table.entries[next++] = entry;
        if (next < kEntryCount) table.entries[next] = TextEntry{};
    }
    return ReadResult::Success;
}

// Opens a file for reading; a folder (which some systems let fopen open) counts as not opened.
FILE* openReadable(const char* path) {
    FILE* file = openFile(path, "r");
    if (file == nullptr) return nullptr;
    int first = std::fgetc(file);
    if (first == EOF && std::ferror(file)) {
        (void)std::fclose(file);  // nothing was read that a failed close could lose
        return nullptr;
    }
    if (first != EOF) (void)std::ungetc(first, file);  // one character read is always allowed back
    return file;
}

}  // namespace

ReadOutcome buildEntryTable(const char* path, EntryTable& table, const char* keepBlanksKey) {
    ReadOutcome outcome = {ReadResult::NotOpened, {}};
    FILE* file = openReadable(path);
    if (file == nullptr) return outcome;
    outcome.result = fillTable(file, table, keepBlanksKey, outcome.failed);
    (void)std::fclose(file);  // the table is built: closing a file only read cannot lose anything
    return outcome;
}
