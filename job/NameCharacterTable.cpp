#include "job/NameCharacterTable.h"

#include "job/IsCharInFontTable.h"

NameCharacterTable::NameCharacterTable(const char* bytes, size_t length) {
    const auto* data = reinterpret_cast<const uint8_t*>(bytes);
    // From word 1 on: the leading word is not part of the segment list.
    for (size_t i = 2; data != nullptr && i + 1 < length; i += 2)
        words_.push_back(static_cast<uint16_t>(data[i] | data[i + 1] << 8));
    exists_ = FontTableSegmentCount(words_.data(), words_.size()) != 0;
}

int32_t NameCharacterTable::Allows(WCHAR character) const {
    return IsCharInFontTable(character, words_.data(), words_.size());
}
