#include "rw/RWLibraryError.h"

#include <cstring>

namespace {
std::vector<char> CopyText(const char* text) {
    const size_t length = text != nullptr ? std::strlen(text) : 0;
    std::vector<char> copy(length + 1, '\0');
    if (length > 0) std::memcpy(copy.data(), text, length);
    return copy;
}
} // namespace

RWLibraryError::RWLibraryError(const char* text) : owned_(CopyText(text)), text_(nullptr), owns_(true) {}

RWLibraryError::RWLibraryError(const RWCatalogMessage& message)
    : owned_(CopyText(message.str())), text_(nullptr), owns_(true) {}

RWLibraryError::RWLibraryError(const char* text, bool owns)
    : owned_(owns ? CopyText(text) : std::vector<char>()), text_(owns ? nullptr : text), owns_(owns) {}

RWLibraryError::RWLibraryError(const RWLibraryError& other) = default;

RWLibraryError::~RWLibraryError() = default;

RWOutOfMemoryError::RWOutOfMemoryError(uint32_t requested)
    : RWLibraryError(RWCORE_NOMEM()->format, false), requested_(requested) {}
