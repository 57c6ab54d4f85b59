#pragma once
// What the shared string code (RWStringRep, RWStringBase, RWStringViewBase)
// needs to know about 8-bit characters: the C library's searches, the C
// locale's ASCII case mapping, the signed order of C text and the narrow
// hash. Everything else about the two strings is the same.
#include <cstddef>
#include <cstdint>
#include <cstring>

class RWCString;
class RWCSubString;

struct RWCStringTraits {
    using Char = char;
    using String = RWCString;
    using SubString = RWCSubString;

    static constexpr Char kBlank = ' ';
    // Lengths an edit may reach, far from wrapping size_t.
    static constexpr size_t kLargestEdit = SIZE_MAX / 2;

    static size_t TextLength(const char* text) { return std::strlen(text); }
    // C strchr/strrchr/strpbrk: the searches stop at the first NUL, and
    // looking for NUL finds it.
    static const char* Find(const char* text, char c) { return std::strchr(text, c); }
    static const char* FindLast(const char* text, char c) { return std::strrchr(text, c); }
    static const char* FindAny(const char* text, const char* set) { return std::strpbrk(text, set); }
    // c among the n characters at chars (none when n is 0, chars may be null).
    static const char* FindIn(const char* chars, size_t n, char c) {
        return n != 0 ? static_cast<const char*>(std::memchr(chars, c, n)) : nullptr;
    }

    // ASCII case mapping of the C locale.
    static char ToLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
    static char ToUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

    // Characters of C text, and characters compared ignoring case, order as
    // signed values (exact string-to-string comparison is by unsigned bytes).
    static int Rank(char c) { return static_cast<signed char>(c); }
    static bool IsAscii(char c) { return static_cast<unsigned char>(c) <= 127; }

    // h = length; rotl(h, 5) xor each whole little-endian 32-bit group; 1 to
    // 3 remaining bytes packed (as signed bytes) into one more value.
    static uint32_t HashExact(const char* data, size_t length);
    // The value a character adds to the case-ignoring hash.
    static uint32_t FoldForHash(char c) { return static_cast<unsigned char>(ToUpper(c)); }

    // A substring index not below the view's length: INDEXERR, or NPOSINDEX for RW_NPOS.
    [[noreturn]] static void RaiseViewIndexError(size_t i, size_t length);
};
