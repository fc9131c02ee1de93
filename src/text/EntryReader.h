// The line-and-entry reader shared by the position file and the settings file:
// a file becomes a table of (section, key, value) entries and a result, then
// the entries are applied in file order, each by the section that knows its
// keys, up to the first failure.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <iterator>

#include "text/EntryTable.h"
#include "text/ReadResult.h"

// Clears the kEntryTextSize bytes of `out` and copies `text` into it without its spaces.
void stripBlanks(const char* text, char* out);

// What a read came to, and the entry it stopped at when it failed. A failure
// of the file's form has an entry too: the key line outside any section (its
// section name empty), the key line beyond the table's end, or the start of
// the line too long (in keyName).
struct ReadOutcome {
    ReadResult result;
    TextEntry failed;
};

// Turns the file at `path` into `table`: Success, NotOpened (the table is
// untouched), or the failure of the file's form, with the entries before it in
// the table. A value whose key is `keepBlanksKey` (may be null) loses only its
// leading blanks, every other value all of them.
ReadOutcome buildEntryTable(const char* path, EntryTable& table, const char* keepBlanksKey);

// Applies the used part of `table` in file order, ending at the first entry with
// an empty section name. `sections` is a format's section table, whose rows have
// a `name` and the `unknownKey` result; `apply(section, entry)` applies one entry
// of a known section and is false when its key is unknown. Returns Success, or
// the first failure and its entry.
template <class Section, size_t N, class Apply>
ReadOutcome applyEntries(const EntryTable& table, const Section (&sections)[N], Apply apply) {
    const Section* section = nullptr;
    for (const TextEntry& entry : table.entries) {
        if (entry.sectionName[0] == '\0') break;
        // The section is looked up again only where it changes.
        if (section == nullptr || std::strcmp(entry.sectionName, section->name) != 0) {
            section = nullptr;
            for (const Section& known : sections) {
                if (std::strcmp(known.name, entry.sectionName) == 0) {
                    section = &known;
                    break;
                }
            }
        }
        if (section == nullptr) return {ReadResult::InvalidSection, entry};
        if (!apply(*section, entry)) return {section->unknownKey, entry};
    }
    return {ReadResult::Success, {}};
}

// Reads the file at `path` into `table` and applies its entries as applyEntries
// does, so what comes before a failure is applied even when the failure is in
// the file's form (a long line, too many entries), which counts only when every
// entry before it was applied.
template <class Section, size_t N, class Apply>
ReadOutcome readEntryFile(const char* path, EntryTable& table, const char* keepBlanksKey, const Section (&sections)[N],
                          Apply apply) {
    ReadOutcome built = buildEntryTable(path, table, keepBlanksKey);
    if (built.result == ReadResult::NotOpened) return built;
    ReadOutcome applied = applyEntries(table, sections, apply);
    return applied.result != ReadResult::Success ? applied : built;
}

// The place a format's section table gives a result, or null when no section has it.
template <class Section, size_t N>
const char* sectionPlace(const Section (&sections)[N], ReadResult result) {
    const Section* found = std::find_if(std::begin(sections), std::end(sections),
                                        [result](const Section& section) { return section.unknownKey == result; });
    return found != std::end(sections) ? found->place : nullptr;
}
