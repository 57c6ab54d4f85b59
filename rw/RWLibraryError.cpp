#include "rw/RWLibraryError.h"

#include <cstring>

namespace {
const char* CopyText(const char* text) {
    const size_t length = text != nullptr ? std::strlen(text) : 0;
    char* copy = new char[length + 1];
    if (length > 0) std::memcpy(copy, text, length);
    copy[length] = '\0';
    return copy;
}
} // namespace

RWLibraryError::RWLibraryError(const char* text) : text_(CopyText(text)), owns_(true) {}

RWLibraryError::RWLibraryError(const RWCatalogMessage& message)
    : text_(CopyText(message.str())), owns_(true) {}

RWLibraryError::RWLibraryError(const char* text, bool owns)
    : text_(owns ? CopyText(text) : text), owns_(owns) {}

RWLibraryError::RWLibraryError(const RWLibraryError& other)
    : text_(other.owns_ ? CopyText(other.text_) : other.text_), owns_(other.owns_) {}

RWLibraryError::~RWLibraryError() {
    if (owns_) delete[] text_;
}

RWOutOfMemoryError::RWOutOfMemoryError(uint32_t requested)
    : RWLibraryError(RWCORE_NOMEM()->format, false), requested_(requested) {}
