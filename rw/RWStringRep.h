#pragma once
// The shared representation behind the strings, over a character type given
// by its traits (RWCStringTraits: 8-bit characters; RWWStringTraits: 16-bit
// units). One heap block holds a header and the characters:
//
//   extra references  u32   0 = one owner; owners = value + 1
//   capacity                characters the block holds, terminator not counted
//   length                  characters in use
//   characters              capacity + 1; Data()[length] is always 0
//
// Strings point at a representation and share it between copies; every
// change of the count goes through RWRefCounted with one lock per character
// type (narrow and wide representations do not share it). Empty strings
// share one static null representation per character type (capacity 0,
// length 0), counted like any other but never freed.
//
// The members are defined once in RWStringRep.cpp for both character types.
#include <cstddef>
#include <cstdint>

#include "rw/RWCStringTraits.h"
#include "rw/RWDefs.h"
#include "rw/RWWStringTraits.h"

template <typename Traits> struct RWStringRepNullBlock;

template <typename Traits> class RWStringRep {
public:
    using Char = typename Traits::Char;

    // A new representation, characters not initialised, 0 at `length`; the
    // shared null representation (with a reference added) when both are 0.
    // A capacity too large for the library's sizes raises OVFLOW.
    static RWStringRep* Make(size_t capacity, size_t length);
    // The shared null representation, with a reference added.
    static RWStringRep* Null();

    void AddReference();
    // Drops one reference; frees the block when it was the last.
    void RemoveReference();
    // True when more than one string holds this representation.
    bool IsShared() const;
    uint32_t References() const;
    bool IsNullRep() const;

    Char* Data() { return reinterpret_cast<Char*>(this + 1); }
    const Char* Data() const { return reinterpret_cast<const Char*>(this + 1); }
    size_t Capacity() const { return capacity_; }
    size_t Length() const { return length_; }
    // Sets the length and writes the terminator after it (never on the null
    // representation, whose only character is its terminator).
    void SetLength(size_t length);

    // Searches; each returns an index or RW_NPOS.
    // First c up to the first terminator (searching for 0 finds it).
    size_t First(Char c) const;
    // First c among the first n characters (at most the length).
    size_t First(Char c, size_t n) const;
    // First character that is in the 0-terminated set.
    size_t First(const Char* set) const;
    // First character, within the length, that is one of the n of set.
    size_t First(const Char* set, size_t n) const;
    // Last c up to the first terminator.
    size_t Last(Char c) const;
    // Last c among the first n characters (at most the length).
    size_t Last(Char c, size_t n) const;

    // The exact hash of the character type (see its traits).
    uint32_t HashExact() const;
    // h = length; rotl(h, 5) xor the upper case of each character.
    uint32_t HashFoldCase() const;

private:
    friend struct RWStringRepNullBlock<Traits>;
    constexpr RWStringRep(uint32_t references, size_t capacity, size_t length)
        : references_(references), capacity_(capacity), length_(length) {}

    uint32_t references_;
    size_t capacity_;
    size_t length_;
};

extern template class RWStringRep<RWCStringTraits>;
extern template class RWStringRep<RWWStringTraits>;
