#pragma once
// What the shared string code (RWStringRep, RWStringBase, RWStringViewBase)
// needs to know about 16-bit units: the runtime's wide searches redone for
// char16_t, Unicode simple case mapping, unsigned order and the wide hash.
#include <cstddef>
#include <cstdint>

#include "rw/RWWideChar.h"

class RWWString;
class RWWSubString;

struct RWWStringTraits {
    using Char = char16_t;
    using String = RWWString;
    using SubString = RWWSubString;

    static constexpr Char kBlank = u' ';
    // Lengths an edit may reach: (length + 1) * 2 plus a header stays far
    // from wrapping size_t.
    static constexpr size_t kLargestEdit = SIZE_MAX / 8;

    static size_t TextLength(const char16_t* text) { return RWWideLength(text); }
    // wcschr/wcsrchr/wcspbrk: the searches stop at the first 0 unit, and
    // looking for 0 finds it.
    static const char16_t* Find(const char16_t* text, char16_t c) { return RWWideFind(text, c); }
    static const char16_t* FindLast(const char16_t* text, char16_t c) { return RWWideFindLast(text, c); }
    static const char16_t* FindAny(const char16_t* text, const char16_t* set) {
        return RWWideFindAny(text, set);
    }
    // c among the n units at units (none when n is 0).
    static const char16_t* FindIn(const char16_t* units, size_t n, char16_t c) {
        for (size_t i = 0; i < n; ++i) {
            if (units[i] == c) return units + i;
        }
        return nullptr;
    }

    static char16_t ToLower(char16_t c) { return RWWideToLower(c); }
    static char16_t ToUpper(char16_t c) { return RWWideToUpper(c); }

    // Units always order as unsigned values.
    static int Rank(char16_t c) { return c; }
    static bool IsAscii(char16_t c) { return c <= 127; }

    // h = length; rotl(h, 5) xor each pair of units read as one
    // little-endian 32-bit word; an odd last unit is folded on its own.
    static uint32_t HashExact(const char16_t* units, size_t length);
    // The value a unit adds to the case-ignoring hash.
    static uint32_t FoldForHash(char16_t c) { return uint32_t{RWWideToUpper(c)} & 0xFFFF; }

    // A substring index not below the view's length: INDEX with the index and the view's length.
    [[noreturn]] static void RaiseViewIndexError(size_t i, size_t length);
};
