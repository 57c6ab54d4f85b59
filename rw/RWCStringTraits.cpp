#include "rw/RWCStringTraits.h"

#include <bit>

#include "rw/RWErrorHandler.h"

uint32_t RWCStringTraits::HashExact(const char* data, size_t length) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    uint32_t h = static_cast<uint32_t>(length);
    const size_t whole = length / 4;
    for (size_t i = 0; i < whole; ++i, bytes += 4) {
        const uint32_t word = uint32_t{bytes[0]} | (uint32_t{bytes[1]} << 8) | (uint32_t{bytes[2]} << 16) |
                              (uint32_t{bytes[3]} << 24);
        h = std::rotl(h, 5) ^ word;
    }
    if (const size_t rest = length % 4; rest != 0) {
        uint32_t v = 0;
        for (size_t i = 0; i < rest; ++i) {
            // Each byte is taken as signed and sign-extended before the or.
            v = (v << 8) | static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(bytes[i])));
        }
        h = std::rotl(h, 5) ^ v;
    }
    return h;
}

[[noreturn]] void RWCStringTraits::RaiseViewIndexError(size_t i, size_t length) {
    RWThrowIndexError(i, length);
}
