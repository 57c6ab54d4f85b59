#pragma once
// RWCString: the class library's string of 8-bit characters.
//
// The representation, copy on write, editing, searching, comparison,
// substrings and the capacity policy are RWStringBase's, shared with the
// wide string; this class adds its constructors and what only narrow text
// has (collation, multibyte length, persistence as bytes). Case mapping and
// case-ignoring comparison follow the C locale (ASCII letters only),
// whatever the process locale. C text compares as signed characters, and
// so do case-ignoring comparisons; exact string comparison is by unsigned
// bytes.
#include <compare>
#include <cstddef>
#include <cstdint>
#include <iosfwd>

#include "rw/RWCStringRep.h"
#include "rw/RWCStringTraits.h"
#include "rw/RWDefs.h"
#include "rw/RWStringBase.h"

class RWCRegex;
class RWCSubString;
class RWVirtualOutStream;
class RWVirtualInStream;
class RWBinaryFile;

// A count given as a capacity, so that it is not taken for a character.
struct RWSize_T {
    explicit RWSize_T(size_t n) : value(n) {}
    size_t value;
};

class RWCString : public RWStringBase<RWCStringTraits> {
public:
    RWCString() = default;
    // An empty string of capacity exactly n.
    explicit RWCString(RWSize_T capacity) : RWStringBase(RWCStringRep::Make(capacity.value, 0)) {}
    RWCString(const char* text) : RWStringBase(MakeCopy(text, TextLength(text))) {}
    // The n characters at text, NULs included.
    RWCString(const char* text, size_t n) : RWStringBase(MakeCopy(text, n)) {}
    // One character, in a block of the initial capacity.
    explicit RWCString(char c);
    // n copies of c.
    RWCString(char c, size_t n) : RWStringBase(MakeFilled(c, n)) {}
    RWCString(const RWCSubString& sub);
    RWCString(const RWCString& other) = default;
    RWCString(RWCString&& other) noexcept = default;
    ~RWCString() = default;

    RWCString& operator=(const char* text) { return AssignText(text); }
    RWCString& operator=(const RWCString& other) = default;
    RWCString& operator=(RWCString&& other) noexcept = default;

    // ---- editing: see RWStringBase
    using RWStringBase::Replace;
    RWCString& Replace(size_t pos, size_t m, const char* text) {
        return Replace(pos, m, text, TextLength(text));
    }

    // ---- regular expressions (the forms taking text are RWStringBase's)
    using RWStringBase::Index;
    using RWStringBase::SubString;
    // The leftmost match at or after start, or RW_NPOS; its length in
    // *length when given. An invalid expression raises BADRE.
    size_t Index(const RWCRegex& re, size_t start = 0) const;
    size_t Index(const RWCRegex& re, size_t* length, size_t start) const;
    // The matched part; the null substring when there is none.
    RWCSubString SubString(const RWCRegex& re, size_t start = 0);
    const RWCSubString SubString(const RWCRegex& re, size_t start = 0) const;

    // ---- text properties
    // Collation of the C locale.
    int Collate(const char* text) const;
    RWCString CollationKey() const;
    // Characters in the ANSI code page up to the first NUL; RW_NPOS when
    // the text is not valid there.
    size_t MbLength() const;

    // ---- persistence: u32 length, then the characters (on a virtual
    // stream through its string output, which adds its own length). A
    // restore that fails leaves the string empty and the carrier failed.
    void SaveOn(RWVirtualOutStream& stream) const;
    void RestoreFrom(RWVirtualInStream& stream);
    bool SaveOn(RWBinaryFile& file) const;
    bool RestoreFrom(RWBinaryFile& file);

    // ASCII case mapping of the C locale.
    static char ToLowerChar(char c) { return RWCStringTraits::ToLower(c); }
    static char ToUpperChar(char c) { return RWCStringTraits::ToUpper(c); }

    // OVFLOW: a size beyond what the library's sizes allow.
    [[noreturn]] static void RaiseOverflow();

private:
    explicit RWCString(RWCStringRep* rep) : RWStringBase(rep) {}

    // Persistence, once for every carrier; the stored characters after the
    // length come in the carrier's own form.
    template <class Carrier> bool SaveChars(Carrier& carrier) const;
    template <class Carrier> bool RestoreText(Carrier& carrier);
    bool RestoreStoredChars(RWVirtualInStream& stream, size_t length);
    bool RestoreStoredChars(RWBinaryFile& file, size_t length);

    friend class RWCSubString;
    friend class RWStringBase<RWCStringTraits>;
};

// Concatenation, equality, ordering, ToLower and ToUpper: RWStringBase's.

// Writes the characters as they are.
std::ostream& operator<<(std::ostream& os, const RWCString& s);
