// What a read of a position file or of the settings file came to. The values
// are the documented result codes, one numbering for both files: 0 the file
// could not be opened, -1 every entry was applied, and each positive value the
// place where reading stopped. The codes named here are the file form's, which
// both files share; each file's section table gives the code of an unknown key
// in each of its sections (2 to 12).
#pragma once

enum class ReadResult : int {
    NotOpened = 0,
    Success = -1,
    InvalidSection = 1,
    TooManyEntries = 13,
    LineTooLong = 14,
};
