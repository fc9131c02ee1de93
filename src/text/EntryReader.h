// The line-and-entry reader shared by the position file and the settings file:
// a file becomes a table of (section, key, value) entries, then a walk over the
// runs of each section hands every entry to the section that knows its keys.
// What a reader logs about it is in position/EntryFile.h.
#pragma once

#include <cstdio>

#include "text/EntryTable.h"
#include "text/ReadResult.h"

// Reads one line, or a piece of at most size - 1 characters, into `buffer`; CR,
// LF, CR LF and LF CR each end a line, and the one line end character read is
// kept. Returns null at the end of the file, leaving `buffer` untouched.
char* readLine(char* buffer, int size, FILE* file);

// Clears the kEntryTextSize bytes of `out` and copies `text` into it without its spaces.
void stripBlanks(const char* text, char* out);

enum class TableStatus {
    NotOpened,          // the file could not be opened; the table is untouched
    Built,              // every key line is in the table
    KeyOutsideSection,  // a key line came before the first section header
    TooManyEntries,     // more key lines than the table holds; the table is full
    LineTooLong,        // a line does not fit the line buffer: its value would be cut
};

struct TableResult {
    TableStatus status;
    char name[kEntryTextSize];  // the key outside any section, or the long line's start, for the log
};

// Turns the file at `path` into `table`. A value whose key is `keepBlanksKey`
// (may be null) loses only its leading blanks, every other value all of them.
TableResult buildEntryTable(const char* path, EntryTable& table, const char* keepBlanksKey);

// One section a reader knows: its name, the result an unknown key in it fails with,
// which slot of the reader's target its keys go to, and the place the log names
// when the parse stops in it.
struct SectionRule {
    const char* name;
    ReadResult unknownKey;
    int slot;
    const char* place;
};

// Applies one entry of a known section to `target`; false when the key is unknown.
typedef bool (*ApplyEntry)(void* target, const SectionRule& rule, const TextEntry& entry);

// Walks the used part of `table` section run by section run, in file order, and
// stops at the first entry with an empty section name. Returns Success, or the
// failing result with `*failed` set to the entry that caused it.
ReadResult walkEntries(const EntryTable& table, const SectionRule* rules, int ruleCount, ApplyEntry apply, void* target,
                       const TextEntry** failed);
