#pragma once
// A heap copy of a catalogue text formatted with the failure's values.
#include <cstdarg>
#include <cstddef>
#include <vector>

#include "rw/RWCatalog.h"

class RWCatalogMessage {
public:
    explicit RWCatalogMessage(const char* text);
    // Formats the entry's text with the values (printf conventions; the
    // catalogue's %ld/%lu take 32-bit values, pass them as long). A text that
    // would not fit the formatting buffer is cut.
    RWCatalogMessage(const RWCatalogEntry* entry, ...);

    const char* str() const { return text_.data(); }

    static constexpr size_t kFormatBufferSize = 1024;

private:
    std::vector<char> text_; // the text and its NUL
};
