#pragma once
// RWWString: the system's main string, of 16-bit units (UTF-16 as Windows
// gives it; surrogates are plain units). The representation, copy on write,
// editing, searching, comparison, substrings and a capacity policy of its
// own (same defaults 15, 16, 15) are RWStringBase's, shared with RWCString
// unit for unit; units always compare as unsigned values. This class adds
// its constructors, narrow conversions, readers and persistence as units.
//
// Narrow text converts in two modes: Ascii widens every byte as it is;
// MultiByte decodes the ANSI code page of the platform layer (never the
// process locale). Case mapping is Unicode's simple mapping.
#include <algorithm>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <iosfwd>

#include "rw/RWCString.h"
#include "rw/RWDefs.h"
#include "rw/RWStringBase.h"
#include "rw/RWWStringRep.h"
#include "rw/RWWStringTraits.h"

class RWWSubString;
class RWVirtualOutStream;
class RWVirtualInStream;
class RWBinaryFile;

class RWWString : public RWStringBase<RWWStringTraits> {
public:
    enum NarrowMode { Ascii, MultiByte };

    RWWString() = default;
    // An empty string of capacity exactly n.
    explicit RWWString(RWSize_T capacity) : RWStringBase(RWWStringRep::Make(capacity.value, 0)) {}
    RWWString(const char16_t* text) : RWStringBase(MakeCopy(text, TextLength(text))) {}
    // The n units at text, 0 units included.
    RWWString(const char16_t* text, size_t n) : RWStringBase(MakeCopy(text, n)) {}
    // One unit, in a block of the initial capacity.
    explicit RWWString(char16_t c);
    // One narrow character, zero-extended, in a block of the initial capacity.
    explicit RWWString(char c) : RWWString(static_cast<char16_t>(static_cast<unsigned char>(c))) {}
    // n copies of c.
    RWWString(char16_t c, size_t n) : RWStringBase(MakeFilled(c, n)) {}
    // Narrow text (NUL-terminated, or n bytes, or a narrow string). Ascii:
    // every byte zero-extended. MultiByte: the ANSI code page decoded up to
    // the first NUL; text that does not decode gives the empty string (use
    // FromMultiByte to tell that apart from empty input).
    RWWString(const char* text, NarrowMode mode);
    RWWString(const char* text, size_t n, NarrowMode mode);
    RWWString(const RWCString& text, NarrowMode mode);
    RWWString(const RWWSubString& sub);
    RWWString(const RWWString& other) = default;
    RWWString(RWWString&& other) noexcept = default;
    ~RWWString() = default;

    RWWString& operator=(const char16_t* text) { return AssignText(text); }
    RWWString& operator=(const RWWString& other) = default;
    RWWString& operator=(RWWString&& other) noexcept = default;

    // ---- narrow conversions
    // Decodes n bytes of ANSI code-page text (up to the first NUL) into out;
    // false, with out emptied, when the text does not decode.
    static bool FromMultiByte(const char* text, size_t n, RWWString& out);
    // The ANSI code-page text of the units up to the first 0 unit; the
    // empty string when a unit has no character there.
    RWCString ToMultiByte() const;
    // As above, false (out emptied) when a unit has no character there.
    bool ToMultiByte(RWCString& out) const;
    // The low byte of every unit.
    RWCString ToAscii() const;

    // ---- editing: see RWStringBase
    using RWStringBase::Replace;
    // Replaces m units at pos (pos clamped to the length) by a 0-terminated text.
    RWWString& Replace(size_t pos, size_t m, const char16_t* text) {
        return Replace(std::min(pos, Length()), m, text, TextLength(text));
    }

    // The units up to the first 0 unit (collation of the C locale).
    RWWString CollationKey() const;

    // ---- reading units (2 bytes each, little-endian) from an iostream. A
    // stream not good at entry leaves the string empty; a short read sets
    // eof and fail, and the string keeps what was read.
    // Every unit until the stream fails.
    std::istream& ReadFile(std::istream& is);
    // Units up to the delimiter (consumed, not stored).
    std::istream& ReadToDelim(std::istream& is, char16_t delim = u'\n');
    // One line; leading white space (blank lines included) skipped first
    // when skipWhite is set.
    std::istream& ReadLine(std::istream& is, bool skipWhite = true);
    // Units up to a 0 unit.
    std::istream& ReadString(std::istream& is);
    // After white space, units up to the next white space (consumed), or
    // the stream's width in units when it is set (the width is reset). The
    // string grows geometrically while the token arrives and ends with the
    // capacity growing by the resize increment gives.
    std::istream& ReadToken(std::istream& is);

    // ---- persistence: u32 length, then the units
    void SaveOn(RWVirtualOutStream& stream) const;
    void RestoreFrom(RWVirtualInStream& stream);
    bool SaveOn(RWBinaryFile& file) const;
    bool RestoreFrom(RWBinaryFile& file);

private:
    explicit RWWString(RWWStringRep* rep) : RWStringBase(rep) {}

    void FromNarrow(const char* text, size_t n, NarrowMode mode);
    // Reading helpers: store a unit (growing geometrically), give a read the
    // capacity growing by the resize increment would have given it, and end
    // a read (terminate, give back excess capacity).
    void PutRead(size_t& length, char16_t unit);
    void TakeIncrementCapacity(size_t length);
    void EndRead(size_t length);
    // Persistence, once for every carrier.
    template <class Carrier> bool SaveUnits(Carrier& carrier) const;
    template <class Carrier> bool RestoreUnits(Carrier& carrier);
    std::istream& ReadUntil(std::istream& is, bool useDelimiter, char16_t delim, bool skipWhite);

    friend class RWWSubString;
    friend class RWStringBase<RWWStringTraits>;
};

// Concatenation, equality, ordering, ToLower and ToUpper: RWStringBase's.

// Reads a token (RWWString::ReadToken).
std::istream& operator>>(std::istream& is, RWWString& s);
// Writes the units as 2 raw bytes each (little-endian), padded to the
// stream's width with its fill character (left-adjusted: padding after).
std::ostream& operator<<(std::ostream& os, const RWWString& s);
