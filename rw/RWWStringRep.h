#pragma once
// The shared representation behind RWWString: the narrow representation's
// design over 16-bit units.
//
//   extra references  u32   0 = one owner; owners = value + 1
//   capacity                units the block holds, terminator not counted
//   length                  units in use
//   units                   capacity + 1 units; Data()[length] is always 0
//
// Counts change through RWRefCounted under the one lock of all wide
// representations (not the narrow one). Empty strings share a static wide
// null representation, never freed.
#include <cstddef>
#include <cstdint>

#include "rw/RWDefs.h"
#include "rw/RWLazyCriticalSection.h"

class RWWStringRep {
public:
    // A new representation, units not initialised, 0 at `length`; the
    // shared null representation (reference added) when both are 0. A
    // capacity too large for the library's sizes raises OVFLOW.
    static RWWStringRep* Make(size_t capacity, size_t length);
    // The shared null representation, with a reference added.
    static RWWStringRep* Null();

    void AddReference();
    // Drops one reference; frees the block when it was the last.
    void RemoveReference();
    bool IsShared() const;
    uint32_t References() const;
    bool IsNullRep() const;

    char16_t* Data() { return reinterpret_cast<char16_t*>(this + 1); }
    const char16_t* Data() const { return reinterpret_cast<const char16_t*>(this + 1); }
    size_t Capacity() const { return capacity_; }
    size_t Length() const { return length_; }
    // Sets the length and writes the 0 unit after it.
    void SetLength(size_t length);

    // Searches; each returns an index or RW_NPOS.
    // First c up to the first 0 unit (wcschr: searching for 0 finds it).
    size_t First(char16_t c) const;
    // First c among the first n units (at most the length).
    size_t First(char16_t c, size_t n) const;
    // First unit that is in the 0-terminated set (wcspbrk).
    size_t First(const char16_t* set) const;
    // First unit, within the length, that is one of the n of set.
    size_t First(const char16_t* set, size_t n) const;
    // Last c up to the first 0 unit (wcsrchr).
    size_t Last(char16_t c) const;
    // Last c among the first n units (at most the length).
    size_t Last(char16_t c, size_t n) const;

    // h = length; rotl(h, 5) xor each pair of units read as one
    // little-endian 32-bit word; an odd last unit is folded on its own.
    uint32_t HashExact() const;
    // h = length; rotl(h, 5) xor the upper case of each unit.
    uint32_t HashFoldCase() const;

private:
    friend struct RWWStringNullBlock;
    constexpr RWWStringRep(uint32_t references, size_t capacity, size_t length)
        : references_(references), capacity_(capacity), length_(length) {}

    uint32_t references_;
    size_t capacity_;
    size_t length_;
};
