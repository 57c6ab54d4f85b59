#pragma once
// RWWString: the system's main string, of 16-bit units (UTF-16 as Windows
// gives it; surrogates are plain units). The design of RWCString unit for
// unit: one pointer to a shared RWWStringRep, copy on write, explicit length,
// a 0 unit after the last one, and a capacity policy of its own with the
// same defaults (15, 16, 15).
//
// Narrow text converts in two modes: Ascii widens every byte as it is;
// MultiByte decodes the ANSI code page of the platform layer (never the
// process locale). Case mapping is Unicode's simple mapping.
#include <compare>
#include <cstddef>
#include <cstdint>
#include <iosfwd>

#include "rw/RWCString.h"
#include "rw/RWDefs.h"
#include "rw/RWWStringRep.h"

class RWWSubString;
class RWVirtualOutStream;
class RWVirtualInStream;
class RWBinaryFile;

class RWWString {
public:
    enum NarrowMode { Ascii, MultiByte };

    RWWString();
    // An empty string of capacity exactly n.
    explicit RWWString(RWSize_T capacity);
    RWWString(const char16_t* text);
    // The n units at text, 0 units included.
    RWWString(const char16_t* text, size_t n);
    // One unit, in a block of the initial capacity.
    explicit RWWString(char16_t c);
    // One narrow character, zero-extended, in a block of the initial capacity.
    explicit RWWString(char c);
    // n copies of c.
    RWWString(char16_t c, size_t n);
    // Narrow text (NUL-terminated, or n bytes, or a narrow string). Ascii:
    // every byte zero-extended. MultiByte: the ANSI code page decoded up to
    // the first NUL; text that does not decode gives the empty string (use
    // FromMultiByte to tell that apart from empty input).
    RWWString(const char* text, NarrowMode mode);
    RWWString(const char* text, size_t n, NarrowMode mode);
    RWWString(const RWCString& text, NarrowMode mode);
    RWWString(const RWWSubString& sub);
    RWWString(const RWWString& other);
    RWWString(RWWString&& other) noexcept;
    ~RWWString();

    RWWString& operator=(const char16_t* text);
    RWWString& operator=(const RWWString& other);
    RWWString& operator=(RWWString&& other) noexcept;

    RWWString& operator+=(const char16_t* text) { return Append(text); }
    RWWString& operator+=(const RWWString& other) { return Append(other); }
    RWWString& operator+=(char16_t c) { return Append(&c, 1); }

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
    // No unit above 127.
    bool IsAscii() const;

    // ---- size and data
    size_t Length() const { return rep_->Length(); }
    bool IsNull() const { return rep_->Length() == 0; }
    size_t Capacity() const { return rep_->Capacity(); }
    size_t Capacity(size_t n);
    const char16_t* Data() const { return rep_->Data(); }
    const RWWStringRep* Rep() const { return rep_; }

    // ---- editing (see RWCString; the same rules in units)
    RWWString& Replace(size_t pos, size_t m, const char16_t* text, size_t k);
    // Replaces m units at pos (pos clamped to the length) by a 0-terminated text.
    RWWString& Replace(size_t pos, size_t m, const char16_t* text);
    RWWString& Replace(size_t pos, size_t m, const RWWString& text);
    RWWString& Append(const char16_t* text);
    RWWString& Append(const char16_t* text, size_t n);
    RWWString& Append(const RWWString& other);
    RWWString& Append(const RWWString& other, size_t n);
    RWWString& Prepend(const char16_t* text);
    RWWString& Prepend(const char16_t* text, size_t n);
    RWWString& Prepend(const RWWString& other);
    RWWString& Insert(size_t pos, const char16_t* text);
    RWWString& Insert(size_t pos, const char16_t* text, size_t n);
    RWWString& Insert(size_t pos, const RWWString& other);
    RWWString& Remove(size_t pos);
    RWWString& Remove(size_t pos, size_t n);
    RWWString& AppendChars(char16_t c, size_t n);
    RWWString& PrependChars(char16_t c, size_t n);
    // Pads with blanks (0x0020) up to n, or cuts to n.
    void Resize(size_t n);
    void Clobber(size_t n);
    void Clone();
    void Clone(size_t n);
    RWWString Copy() const;
    void ToLower();
    void ToUpper();

    // ---- element access: INDEXERR, or NPOSINDEX for RW_NPOS
    char16_t& operator[](size_t i);
    char16_t operator[](size_t i) const;

    // ---- comparison and search (units compare as unsigned values)
    int CompareTo(const char16_t* text, RWCaseCompare cmp = RWExact) const;
    int CompareTo(const RWWString& other, RWCaseCompare cmp = RWExact) const;
    size_t Index(const char16_t* pattern, size_t n, size_t start, RWCaseCompare cmp) const;
    size_t Index(const char16_t* pattern, size_t start = 0, RWCaseCompare cmp = RWExact) const;
    size_t Index(const RWWString& pattern, size_t start = 0, RWCaseCompare cmp = RWExact) const;
    bool Contains(const char16_t* pattern, RWCaseCompare cmp = RWExact) const {
        return Index(pattern, 0, cmp) != RW_NPOS;
    }
    bool Contains(const RWWString& pattern, RWCaseCompare cmp = RWExact) const {
        return Index(pattern, 0, cmp) != RW_NPOS;
    }
    size_t First(char16_t c) const { return rep_->First(c, Length()); }
    size_t First(const char16_t* set) const { return rep_->First(set); }
    size_t Last(char16_t c) const { return rep_->Last(c, Length()); }

    // ---- substrings (see RWCString)
    RWWSubString SubString(const char16_t* pattern, size_t start = 0, RWCaseCompare cmp = RWExact);
    const RWWSubString SubString(const char16_t* pattern, size_t start = 0,
                                 RWCaseCompare cmp = RWExact) const;
    RWWSubString operator()(size_t start, size_t len);
    const RWWSubString operator()(size_t start, size_t len) const;
    RWWSubString Strip(RWStripType type = RWTrailing, char16_t c = u' ');
    const RWWSubString Strip(RWStripType type = RWTrailing, char16_t c = u' ') const;

    uint32_t Hash(RWCaseCompare cmp = RWExact) const;
    static uint32_t Hash(const RWWString& s) { return s.Hash(RWExact); }
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
    // the stream's width in units when it is set (the width is reset).
    std::istream& ReadToken(std::istream& is);

    // ---- persistence: u32 length, then the units
    void SaveOn(RWVirtualOutStream& stream) const;
    void RestoreFrom(RWVirtualInStream& stream);
    bool SaveOn(RWBinaryFile& file) const;
    bool RestoreFrom(RWBinaryFile& file);

    // ---- capacity policy; each setter returns the old value
    static size_t InitialCapacity(size_t capacity = 15);
    static size_t ResizeIncrement(size_t increment = 16);
    static size_t MaxWaste(size_t waste = 15);
    static size_t AdjustCapacity(size_t n);

    friend RWWString operator+(const RWWString& a, const RWWString& b);
    friend RWWString operator+(const RWWString& a, const char16_t* b);
    friend RWWString operator+(const char16_t* a, const RWWString& b);

private:
    RWWString(const char16_t* a, size_t na, const char16_t* b, size_t nb);

    void FromNarrow(const char* text, size_t n, NarrowMode mode);
    void CopyOnWrite() {
        if (rep_->IsShared()) Clone();
    }
    void Take(RWWStringRep* rep) {
        rep_->RemoveReference();
        rep_ = rep;
    }
    void CheckIndex(size_t i) const;
    // Reading helpers: store a unit (growing by the reader's rule) and end
    // a read (terminate, give back excess capacity).
    void PutRead(size_t& length, char16_t unit, bool growByIncrement);
    void EndRead(size_t length);
    std::istream& ReadUntil(std::istream& is, bool useDelimiter, char16_t delim, bool skipWhite);

    friend class RWWSubString;

    RWWStringRep* rep_;
};

bool operator==(const RWWString& a, const RWWString& b);
bool operator==(const RWWString& a, const char16_t* b);
std::strong_ordering operator<=>(const RWWString& a, const RWWString& b);

RWWString ToLower(const RWWString& s);
RWWString ToUpper(const RWWString& s);

// Reads a token (RWWString::ReadToken).
std::istream& operator>>(std::istream& is, RWWString& s);
// Writes the units as 2 raw bytes each (little-endian), padded to the
// stream's width with its fill character (left-adjusted: padding after).
std::ostream& operator<<(std::ostream& os, const RWWString& s);
