#pragma once
// The shared representation behind RWCString: one heap block holding a
// header and the characters.
//
//   extra references  u32   0 = one owner; owners = value + 1
//   capacity                characters the block holds, NUL not counted
//   length                  characters in use
//   characters              capacity + 1 bytes; Data()[length] is always NUL
//
// Strings point at a representation and share it between copies; every
// change of the count goes through RWRefCounted with the one lock of all
// narrow representations. Empty strings share one static null
// representation (capacity 0, length 0), counted like any other but never
// freed.
#include <cstddef>
#include <cstdint>

#include "rw/RWDefs.h"
#include "rw/RWLazyCriticalSection.h"

class RWCStringRep {
public:
    // A new representation, characters not initialised, NUL at `length`;
    // the shared null representation (with a reference added) when both are
    // 0. A capacity too large for the library's sizes raises OVFLOW.
    static RWCStringRep* Make(size_t capacity, size_t length);
    // The shared null representation, with a reference added.
    static RWCStringRep* Null();

    void AddReference();
    // Drops one reference; frees the block when it was the last.
    void RemoveReference();
    // True when more than one string holds this representation.
    bool IsShared() const;
    uint32_t References() const;
    bool IsNullRep() const;

    char* Data() { return reinterpret_cast<char*>(this + 1); }
    const char* Data() const { return reinterpret_cast<const char*>(this + 1); }
    size_t Capacity() const { return capacity_; }
    size_t Length() const { return length_; }
    // Sets the length and writes the NUL after it (never on the null
    // representation, whose only character is its NUL).
    void SetLength(size_t length);

    // Searches; each returns an index or RW_NPOS.
    // First c, as C strchr: stops at the first NUL (searching for NUL finds it).
    size_t First(char c) const;
    // First c among the first n characters (at most the length).
    size_t First(char c, size_t n) const;
    // First character that is in the NUL-terminated set, as C strpbrk.
    size_t First(const char* set) const;
    // First character, within the length, that is one of the n of set.
    size_t First(const char* set, size_t n) const;
    // Last c, as C strrchr (up to the first NUL).
    size_t Last(char c) const;
    // Last c among the first n characters (at most the length).
    size_t Last(char c, size_t n) const;

    // h = length; rotl(h, 5) xor each whole little-endian 32-bit group; 1 to
    // 3 remaining bytes packed (as signed bytes) into one more value.
    uint32_t HashExact() const;
    // h = length; rotl(h, 5) xor the upper case of each character.
    uint32_t HashFoldCase() const;

private:
    friend struct RWCStringNullBlock;
    constexpr RWCStringRep(uint32_t references, size_t capacity, size_t length)
        : references_(references), capacity_(capacity), length_(length) {}

    uint32_t references_;
    size_t capacity_;
    size_t length_;
};
