#pragma once
// RWStringBase: what RWCString and RWWString share, over the character type
// given by their traits (RWCStringTraits, RWWStringTraits).
//
// One pointer to a reference-counted RWStringRep shared between copies;
// every change first makes the representation its own (copy on write). The
// length is explicit, so embedded terminators are allowed, and a 0 always
// follows the last character so the data can go to C functions.
//
// Capacity policy (process-wide, one per character type): new capacities
// are "adjusted" to the initial capacity (15) or to 15 plus a multiple of the
// resize increment (16); an edit that would leave more than the maximum
// waste (15) unused reallocates.
//
// The string classes derive from it (String is the derived class, so edits
// return it), keep their constructors and add what only one character type
// has. The members are defined once in RWStringBase.cpp for both.
#include <cstddef>
#include <cstdint>

#include "rw/RWCStringTraits.h"
#include "rw/RWDefs.h"
#include "rw/RWStringRep.h"
#include "rw/RWWStringTraits.h"

// 0 compares exactly; nonzero ignores case.
enum RWCaseCompare { RWExact = 0, RWIgnoreCase = 1 };
// Which ends Strip works on (bit 1 leading, bit 2 trailing).
enum RWStripType { RWLeading = 1, RWTrailing = 2, RWBoth = 3 };

template <typename Traits> class RWStringBase {
public:
    using Char = typename Traits::Char;
    using String = typename Traits::String;
    using View = typename Traits::SubString;
    using StringRep = RWStringRep<Traits>;

    String& operator+=(const Char* text) { return Append(text); }
    String& operator+=(const String& other) { return Append(other); }
    String& operator+=(Char c) { return Append(&c, 1); }

    // ---- size and data
    size_t Length() const { return rep_->Length(); }
    bool IsNull() const { return rep_->Length() == 0; }
    size_t Capacity() const { return rep_->Capacity(); }
    // Reallocates to exactly n when the length is below n and the capacity
    // differs; returns the capacity.
    size_t Capacity(size_t n);
    const Char* Data() const { return rep_->Data(); }
    const StringRep* Rep() const { return rep_; }

    // ---- editing (all but the character fills go through Replace)
    // Replaces m characters at pos (fewer when the string ends first) by the
    // k characters of text (none when text is null). A position past the
    // length raises INDEXERR (NPOSINDEX for RW_NPOS).
    String& Replace(size_t pos, size_t m, const Char* text, size_t k);
    String& Replace(size_t pos, size_t m, const String& text);
    String& Append(const Char* text);
    String& Append(const Char* text, size_t n);
    String& Append(const String& other);
    String& Append(const String& other, size_t n);
    String& Prepend(const Char* text);
    String& Prepend(const Char* text, size_t n);
    String& Prepend(const String& other);
    String& Insert(size_t pos, const Char* text);
    String& Insert(size_t pos, const Char* text, size_t n);
    String& Insert(size_t pos, const String& other);
    // Removes everything from pos, or n characters from pos.
    String& Remove(size_t pos);
    String& Remove(size_t pos, size_t n);
    // n copies of c at the end; reallocates to exactly the new length when
    // shared or too small.
    String& AppendChars(Char c, size_t n);
    // n copies of c at the front.
    String& PrependChars(Char c, size_t n);
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
    String Copy() const;
    void ToLower();
    void ToUpper();

    // ---- element access: an index not below the length raises INDEXERR,
    // RW_NPOS raises NPOSINDEX
    Char& operator[](size_t i);
    Char operator[](size_t i) const;

    // ---- comparison and search
    // Against a 0-terminated text; a longer string is greater.
    int CompareTo(const Char* text, RWCaseCompare cmp = RWExact) const;
    // Against a string: the common part, then the lengths.
    int CompareTo(const String& other, RWCaseCompare cmp = RWExact) const;
    // Position of the n characters of pattern at or after start, or RW_NPOS.
    size_t Index(const Char* pattern, size_t n, size_t start, RWCaseCompare cmp) const;
    size_t Index(const Char* pattern, size_t start = 0, RWCaseCompare cmp = RWExact) const;
    size_t Index(const String& pattern, size_t start = 0, RWCaseCompare cmp = RWExact) const;
    bool Contains(const Char* pattern, RWCaseCompare cmp = RWExact) const {
        return Index(pattern, 0, cmp) != RW_NPOS;
    }
    bool Contains(const String& pattern, RWCaseCompare cmp = RWExact) const {
        return Index(pattern, 0, cmp) != RW_NPOS;
    }
    size_t First(Char c) const { return rep_->First(c, Length()); }
    size_t First(const Char* set) const { return rep_->First(set); }
    size_t Last(Char c) const { return rep_->Last(c, Length()); }

    // ---- substrings
    // Where the pattern occurs, or the null substring.
    View SubString(const Char* pattern, size_t start = 0, RWCaseCompare cmp = RWExact);
    const View SubString(const Char* pattern, size_t start = 0, RWCaseCompare cmp = RWExact) const;
    // The view of len characters at start; RW_NPOS as start gives the null
    // substring. A stretch that does not lie within the string raises
    // SUBSTRING.
    View operator()(size_t start, size_t len);
    const View operator()(size_t start, size_t len) const;
    // Without c at the leading, the trailing or both ends; the null
    // substring when nothing is left.
    View Strip(RWStripType type = RWTrailing, Char c = Traits::kBlank);
    const View Strip(RWStripType type = RWTrailing, Char c = Traits::kBlank) const;

    // ---- hashing and text properties
    uint32_t Hash(RWCaseCompare cmp = RWExact) const;
    // The exact hash, as hash tables take it.
    static uint32_t Hash(const String& s) { return s.Hash(RWExact); }
    // No character above 127.
    bool IsAscii() const;

    // ---- capacity policy; each setter returns the old value
    static size_t InitialCapacity(size_t capacity = 15);
    static size_t ResizeIncrement(size_t increment = 16);
    static size_t MaxWaste(size_t waste = 15);
    // The initial capacity for n up to it, else the initial capacity plus
    // n - initial rounded up to a multiple of the increment.
    static size_t AdjustCapacity(size_t n);

protected:
    RWStringBase() : rep_(StringRep::Null()) {}
    explicit RWStringBase(StringRep* rep) : rep_(rep) {}
    RWStringBase(const RWStringBase& other) : rep_(other.rep_) { rep_->AddReference(); }
    RWStringBase(RWStringBase&& other) noexcept : rep_(other.rep_) { other.rep_ = StringRep::Null(); }
    ~RWStringBase() { rep_->RemoveReference(); }
    RWStringBase& operator=(const RWStringBase& other);
    RWStringBase& operator=(RWStringBase&& other) noexcept;

    // New representations: a copy of the n characters at text (exact
    // capacity), of text in a block of the adjusted capacity, n copies of c,
    // and the concatenation of two texts (a null text counts as empty).
    static StringRep* MakeCopy(const Char* text, size_t n);
    static StringRep* MakeAdjusted(const Char* text, size_t n);
    static StringRep* MakeFilled(Char c, size_t n);
    static StringRep* MakeConcatenation(const Char* a, size_t na, const Char* b, size_t nb);
    // The length of a 0-terminated text, 0 for a null one.
    static size_t TextLength(const Char* text) { return text != nullptr ? Traits::TextLength(text) : 0; }
    // The current capacity policy, without changing it.
    static size_t CurrentInitialCapacity();
    static size_t CurrentResizeIncrement();
    static size_t CurrentMaxWaste();

    // Assigns a 0-terminated text (empty for null).
    String& AssignText(const Char* text);
    Char* MutableData() { return rep_->Data(); }
    void CopyOnWrite() {
        if (rep_->IsShared()) Clone();
    }
    void Take(StringRep* rep) {
        rep_->RemoveReference();
        rep_ = rep;
    }
    void CheckIndex(size_t i) const;
    String& Self() { return static_cast<String&>(*this); }
    const String& Self() const { return static_cast<const String&>(*this); }

    StringRep* rep_;
};

extern template class RWStringBase<RWCStringTraits>;
extern template class RWStringBase<RWWStringTraits>;
