// The line-and-entry reader shared by the position file and the settings file:
// a file becomes a table of (section, key, value) entries, then a walk over the
// runs of each section hands every entry to the section that knows its keys.
#pragma once

#include <cstdio>

#include "text/EntryTable.h"

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

// One section a reader knows: its name, the code an unknown key in it fails with,
// which slot of the reader's target its keys go to, and the place the log names
// when the parse stops in it.
struct SectionRule {
    const char* name;
    int unknownKeyCode;
    int slot;
    const char* place;
};

// Applies one entry of a known section to `target`; false when the key is unknown.
typedef bool (*ApplyEntry)(void* target, const SectionRule& rule, const TextEntry& entry);

constexpr int kCodeNotOpened = 0;
constexpr int kCodeSuccess = -1;
constexpr int kCodeInvalidSection = 1;
constexpr int kCodeTooManyEntries = 13;
constexpr int kCodeLineTooLong = 14;

// Walks the used part of `table` section run by section run, in file order, and
// stops at the first entry with an empty section name. Returns kCodeSuccess, or
// the failing code with `*failed` set to the entry that caused it.
int walkEntries(const EntryTable& table, const SectionRule* rules, int ruleCount, ApplyEntry apply, void* target,
                const TextEntry** failed);

// A reader's file layout: its sections, how an entry of them is applied, and
// the one key whose value keeps its inner blanks (may be null).
struct EntryFormat {
    const SectionRule* sections;
    int sectionCount;
    ApplyEntry apply;
    const char* keepBlanksKey;
};

// Reads the file at `path` into `table` and applies its entries to `target` in
// file order up to the first failure, so what comes before a failure is applied
// even when the failure is in the file's form (a long line, too many entries).
// Logs every failure but an unknown key, which it leaves to the reader in
// `*unknownKey` (null otherwise). Returns kCodeNotOpened, kCodeSuccess or the failing code.
int parseEntryFile(const char* path, EntryTable& table, const EntryFormat& format, void* target,
                   const TextEntry** unknownKey);

// Logs "<key> is an invalid field".
void reportInvalidField(const TextEntry& entry);

// The texts a read driver logs.
struct ReaderTexts {
    const char* parsing;
    const char* notFound;
    const char* success;
};

// Logs the outcome of a parse of `format` that returned `code`, naming the place
// it stopped at (a section's, or the file form's); true for success.
bool reportParseResult(int code, const EntryFormat& format, const ReaderTexts& texts);
