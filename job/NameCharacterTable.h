#pragma once
// The printer's table of the characters it shows in job and user names, as
// the setting holds it: 16-bit little-endian words, one leading word that
// is not read, then the segment list IsCharInFontTable reads (segment count
// x 2, three search words, end codes, a reserved word, start codes).
// The property sheet and the job header both read it through this, so a
// name one accepts the other shows.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "winapi/WinTypes.h"

class NameCharacterTable {
public:
    // A table over the setting's bytes; nothing past length is read. A
    // table that is too short for its segment count, has no segment or an
    // odd count word is malformed and counts as absent.
    NameCharacterTable(const char* bytes, size_t length);

    // 0 for an absent (or malformed) table.
    bool Exists() const { return exists_; }
    // 1 when a segment holds the character; 0 without a table.
    int32_t Allows(WCHAR character) const;
    // The segment list as IsCharInFontTable reads it.
    const std::vector<uint16_t>& Words() const { return words_; }

private:
    std::vector<uint16_t> words_;
    bool exists_ = false;
};
