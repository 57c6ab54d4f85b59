#include "rw/RWWStringTraits.h"

#include <bit>

#include "rw/RWErrorHandler.h"

uint32_t RWWStringTraits::HashExact(const char16_t* units, size_t length) {
    uint32_t h = static_cast<uint32_t>(length);
    const size_t pairs = length / 2;
    for (size_t i = 0; i < pairs; ++i, units += 2) {
        h = std::rotl(h, 5) ^ (uint32_t{units[0]} | (uint32_t{units[1]} << 16));
    }
    if (length % 2 != 0) h = std::rotl(h, 5) ^ uint32_t { units[0] };
    return h;
}

[[noreturn]] void RWWStringTraits::RaiseViewIndexError(size_t i, size_t length) {
    RWThrowCatalog<RWBoundsError>(RWTOOL_INDEX(), static_cast<unsigned>(i), static_cast<unsigned>(length));
}
