#include "rw/RWCatalogMessage.h"

#include <cstdio>
#include <cstring>

namespace {
std::vector<char> CopyText(const char* text) {
    const size_t length = text != nullptr ? std::strlen(text) : 0;
    std::vector<char> copy(length + 1, '\0');
    if (length > 0) std::memcpy(copy.data(), text, length);
    return copy;
}
} // namespace

RWCatalogMessage::RWCatalogMessage(const char* text) : text_(CopyText(text)) {}

RWCatalogMessage::RWCatalogMessage(const RWCatalogEntry* entry, ...) {
    char buffer[kFormatBufferSize];
    va_list values;
    va_start(values, entry);
    std::vsnprintf(buffer, sizeof buffer, entry->format, values); // cuts, never overruns
    va_end(values);
    text_ = CopyText(buffer);
}
