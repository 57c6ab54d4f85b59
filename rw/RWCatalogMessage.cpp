#include "rw/RWCatalogMessage.h"

#include <cstdio>
#include <cstring>

namespace {
char* CopyText(const char* text) {
    const size_t length = text != nullptr ? std::strlen(text) : 0;
    char* copy = new char[length + 1];
    if (length > 0) std::memcpy(copy, text, length);
    copy[length] = '\0';
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

RWCatalogMessage::RWCatalogMessage(const RWCatalogMessage& other) : text_(CopyText(other.text_)) {}

RWCatalogMessage& RWCatalogMessage::operator=(const RWCatalogMessage& other) {
    if (this != &other) {
        char* copy = CopyText(other.text_);
        delete[] text_;
        text_ = copy;
    }
    return *this;
}

RWCatalogMessage::~RWCatalogMessage() {
    delete[] text_;
}
