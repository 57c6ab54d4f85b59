#pragma once
// RWCString: the class library's string of 8-bit characters.
//
// One pointer to a reference-counted RWCStringRep shared between copies;
// every change first makes the representation its own (copy on write). The
// length is explicit, so embedded NULs are allowed, and a NUL always follows
// the last character so the data can go to C functions.
//
// Capacity policy (process-wide): new capacities are "adjusted" to the
// initial capacity (15) or to 15 plus a multiple of the resize increment
// (16); an edit that would leave more than the maximum waste (15) unused
// reallocates. Case mapping and case-ignoring comparison follow the C locale
// (ASCII letters only), whatever the process locale.
#include <compare>
#include <cstddef>
#include <cstdint>
#include <iosfwd>

#include "rw/RWCStringRep.h"
#include "rw/RWDefs.h"

class RWCSubString;
class RWVirtualOutStream;
class RWVirtualInStream;
class RWBinaryFile;

// 0 compares exactly; nonzero ignores case.
enum RWCaseCompare { RWExact = 0, RWIgnoreCase = 1 };
// Which ends Strip works on (bit 1 leading, bit 2 trailing).
enum RWStripType { RWLeading = 1, RWTrailing = 2, RWBoth = 3 };

// A count given as a capacity, so that it is not taken for a character.
struct RWSize_T {
    explicit RWSize_T(size_t n) : value(n) {}
    size_t value;
};

class RWCString {
public:
    RWCString();
    // An empty string of capacity exactly n.
    explicit RWCString(RWSize_T capacity);
    RWCString(const char* text);
    // The n characters at text, NULs included.
    RWCString(const char* text, size_t n);
    // One character, in a block of the initial capacity.
    explicit RWCString(char c);
    // n copies of c.
    RWCString(char c, size_t n);
    RWCString(const RWCSubString& sub);
    RWCString(const RWCString& other);
    RWCString(RWCString&& other) noexcept;
    ~RWCString();

    RWCString& operator=(const char* text);
    RWCString& operator=(const RWCString& other);
    RWCString& operator=(RWCString&& other) noexcept;

    RWCString& operator+=(const char* text) { return Append(text); }
    RWCString& operator+=(const RWCString& other) { return Append(other); }
    RWCString& operator+=(char c) { return Append(&c, 1); }

    // ---- size and data
    size_t Length() const { return rep_->Length(); }
    bool IsNull() const { return rep_->Length() == 0; }
    size_t Capacity() const { return rep_->Capacity(); }
    // Reallocates to exactly n when the length is below n and the capacity
    // differs; returns the capacity.
    size_t Capacity(size_t n);
    const char* Data() const { return rep_->Data(); }
    const RWCStringRep* Rep() const { return rep_; }

    // ---- editing (all but the character fills go through Replace)
    // Replaces m characters at pos (fewer when the string ends first) by the
    // k characters of text (none when text is null). A position past the
    // length raises INDEXERR (NPOSINDEX for RW_NPOS).
    RWCString& Replace(size_t pos, size_t m, const char* text, size_t k);
    RWCString& Replace(size_t pos, size_t m, const char* text);
    RWCString& Replace(size_t pos, size_t m, const RWCString& text);
    RWCString& Append(const char* text);
    RWCString& Append(const char* text, size_t n);
    RWCString& Append(const RWCString& other);
    RWCString& Append(const RWCString& other, size_t n);
    RWCString& Prepend(const char* text);
    RWCString& Prepend(const char* text, size_t n);
    RWCString& Prepend(const RWCString& other);
    RWCString& Insert(size_t pos, const char* text);
    RWCString& Insert(size_t pos, const char* text, size_t n);
    RWCString& Insert(size_t pos, const RWCString& other);
    // Removes everything from pos, or n characters from pos.
    RWCString& Remove(size_t pos);
    RWCString& Remove(size_t pos, size_t n);
    // n copies of c at the end; reallocates to exactly the new length when
    // shared or too small.
    RWCString& AppendChars(char c, size_t n);
    // n copies of c at the front.
    RWCString& PrependChars(char c, size_t n);
    // Pads with blanks up to n, or cuts to n.
    void Resize(size_t n);
    // Empties the string, keeping an unshared block of capacity >= n, else
    // taking a new empty one of capacity n.
    void Clobber(size_t n);
    // Makes the representation this string's own: capacity = length, or
    // capacity n keeping the first min(length, n) characters.
    void Clone();
    void Clone(size_t n);
    // A deep copy with a representation of its own.
    RWCString Copy() const;
    void ToLower();
    void ToUpper();

    // ---- element access: an index not below the length raises INDEXERR,
    // RW_NPOS raises NPOSINDEX
    char& operator[](size_t i);
    char operator[](size_t i) const;

    // ---- comparison and search
    // Against a C text: signed characters; a longer string is greater.
    int CompareTo(const char* text, RWCaseCompare cmp = RWExact) const;
    // Against a string: unsigned bytes over the common part, then lengths.
    int CompareTo(const RWCString& other, RWCaseCompare cmp = RWExact) const;
    // Position of the n characters of pattern at or after start, or RW_NPOS.
    size_t Index(const char* pattern, size_t n, size_t start, RWCaseCompare cmp) const;
    size_t Index(const char* pattern, size_t start = 0, RWCaseCompare cmp = RWExact) const;
    size_t Index(const RWCString& pattern, size_t start = 0, RWCaseCompare cmp = RWExact) const;
    bool Contains(const char* pattern, RWCaseCompare cmp = RWExact) const {
        return Index(pattern, 0, cmp) != RW_NPOS;
    }
    bool Contains(const RWCString& pattern, RWCaseCompare cmp = RWExact) const {
        return Index(pattern, 0, cmp) != RW_NPOS;
    }
    size_t First(char c) const { return rep_->First(c, Length()); }
    size_t First(const char* set) const { return rep_->First(set); }
    size_t Last(char c) const { return rep_->Last(c, Length()); }

    // ---- substrings
    // Where the pattern occurs, or the null substring.
    RWCSubString SubString(const char* pattern, size_t start = 0, RWCaseCompare cmp = RWExact);
    const RWCSubString SubString(const char* pattern, size_t start = 0, RWCaseCompare cmp = RWExact) const;
    // The view of len characters at start; RW_NPOS as start gives the null
    // substring. A stretch that does not lie within the string raises
    // SUBSTRING.
    RWCSubString operator()(size_t start, size_t len);
    const RWCSubString operator()(size_t start, size_t len) const;
    // Without c at the leading, the trailing or both ends; the null
    // substring when nothing is left.
    RWCSubString Strip(RWStripType type = RWTrailing, char c = ' ');
    const RWCSubString Strip(RWStripType type = RWTrailing, char c = ' ') const;

    // ---- hashing and text properties
    uint32_t Hash(RWCaseCompare cmp = RWExact) const;
    // The exact hash, as hash tables take it.
    static uint32_t Hash(const RWCString& s) { return s.Hash(RWExact); }
    bool IsAscii() const;
    // Collation of the C locale.
    int Collate(const char* text) const;
    RWCString CollationKey() const;
    // Characters in the ANSI code page up to the first NUL; RW_NPOS when
    // the text is not valid there.
    size_t MbLength() const;

    // ---- persistence: u32 length, then the characters (on a virtual
    // stream through its string output, which adds its own length)
    void SaveOn(RWVirtualOutStream& stream) const;
    void RestoreFrom(RWVirtualInStream& stream);
    bool SaveOn(RWBinaryFile& file) const;
    bool RestoreFrom(RWBinaryFile& file);

    // ---- capacity policy; each setter returns the old value
    static size_t InitialCapacity(size_t capacity = 15);
    static size_t ResizeIncrement(size_t increment = 16);
    static size_t MaxWaste(size_t waste = 15);
    // The initial capacity for n up to it, else the initial capacity plus
    // n - initial rounded up to a multiple of the increment.
    static size_t AdjustCapacity(size_t n);

    // ASCII case mapping of the C locale.
    static char ToLowerChar(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
    static char ToUpperChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

    // OVFLOW: a size beyond what the library's sizes allow.
    [[noreturn]] static void RaiseOverflow();

    friend RWCString operator+(const RWCString& a, const RWCString& b);
    friend RWCString operator+(const RWCString& a, const char* b);
    friend RWCString operator+(const char* a, const RWCString& b);

private:
    // The concatenation of two texts (a null text counts as empty).
    RWCString(const char* a, size_t na, const char* b, size_t nb);
    explicit RWCString(RWCStringRep* rep) : rep_(rep) {}

    char* MutableData() { return rep_->Data(); }
    void CopyOnWrite() {
        if (rep_->IsShared()) Clone();
    }
    void Take(RWCStringRep* rep) {
        rep_->RemoveReference();
        rep_ = rep;
    }
    void CheckIndex(size_t i) const;

    friend class RWCSubString;

    RWCStringRep* rep_;
};

bool operator==(const RWCString& a, const RWCString& b);
// Equal when the text ends exactly at the length with the same characters.
bool operator==(const RWCString& a, const char* b);
std::strong_ordering operator<=>(const RWCString& a, const RWCString& b);

RWCString ToLower(const RWCString& s);
RWCString ToUpper(const RWCString& s);

// Writes the characters as they are.
std::ostream& operator<<(std::ostream& os, const RWCString& s);
