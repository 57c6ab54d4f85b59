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
// has. The members are defined once in RWStringBase.cpp for both; the free
// operators (concatenation, equality, ordering, case-mapped copies) are
// defined once here, as friends found through a string argument, and so is
// the loop that restores stored characters.
#include <algorithm>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <cstring>

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

    // ---- free operators, for both strings
    // Capacity: the adjusted capacity of the two lengths; a null text counts
    // as empty.
    friend String operator+(const String& a, const String& b) {
        return Adopt(MakeConcatenation(a.Data(), a.Length(), b.Data(), b.Length()));
    }
    friend String operator+(const String& a, const Char* b) {
        return Adopt(MakeConcatenation(a.Data(), a.Length(), b, TextLength(b)));
    }
    friend String operator+(const Char* a, const String& b) {
        return Adopt(MakeConcatenation(a, TextLength(a), b.Data(), b.Length()));
    }
    // The same length and characters.
    friend bool operator==(const String& a, const String& b) {
        return a.Length() == b.Length() &&
               (a.Length() == 0 || std::memcmp(a.Data(), b.Data(), a.Length() * sizeof(Char)) == 0);
    }
    // Equal when the text ends exactly at the length with the same
    // characters (a null text is the empty one).
    friend bool operator==(const String& a, const Char* b) {
        if (b == nullptr) return a.Length() == 0;
        const Char* data = a.Data();
        const size_t length = a.Length();
        size_t i = 0;
        for (; i < length; ++i) {
            if (b[i] == 0 || b[i] != data[i]) return false;
        }
        return b[i] == 0;
    }
    friend std::strong_ordering operator<=>(const String& a, const String& b) { return a.CompareTo(b) <=> 0; }
    // Copies with the case mapping of the character type.
    friend String ToLower(const String& s) {
        String copy(s);
        copy.ToLower();
        return copy;
    }
    friend String ToUpper(const String& s) {
        String copy(s);
        copy.ToUpper();
        return copy;
    }

protected:
    // A string that takes over a new representation.
    static String Adopt(StringRep* rep) { return String(rep); }

    // The restore of stored characters, for every carrier: empties the
    // string and reads length characters in pieces of at most piece
    // characters through read(into, n), which answers whether it delivered
    // all n. The capacity grows geometrically as the pieces arrive, never
    // from the untrusted length alone, so a length the data does not back
    // costs little. When a piece fails the string is left empty and the
    // answer is false.
    template <typename ReadPiece> bool RestoreChars(size_t length, size_t piece, ReadPiece read) {
        Clobber(std::min(length, piece));
        size_t done = 0;
        while (done < length) {
            const size_t n = std::min(piece, length - done);
            if (Capacity() < done + n) Clone(std::min(length, std::max(done + n, 2 * Capacity())));
            if (!read(rep_->Data() + done, n)) {
                Clobber(0);
                return false;
            }
            done += n;
            rep_->SetLength(done);
        }
        return true;
    }

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
