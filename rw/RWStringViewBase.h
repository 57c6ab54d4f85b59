#pragma once
// RWStringViewBase: what RWCSubString and RWWSubString share, over the
// character type given by their traits.
//
// A view {string, start, length} of a stretch of a string that reads and
// writes it in place. A start of RW_NPOS marks the null substring (nothing
// found), which reads as empty and ignores assignment. A view does not own
// its string and must not outlive it.
//
// The members are defined once in RWStringViewBase.cpp for both types.
#include <cstddef>

#include "rw/RWCStringTraits.h"
#include "rw/RWDefs.h"
#include "rw/RWWStringTraits.h"

template <typename Traits> class RWStringViewBase {
public:
    using Char = typename Traits::Char;
    using String = typename Traits::String;
    using View = typename Traits::SubString;

    size_t Start() const { return start_; }
    size_t Length() const { return length_; }
    bool IsNull() const { return start_ == RW_NPOS; }
    // The first viewed character (not 0-terminated); null for the null
    // substring.
    const Char* Data() const;

    // Element access, checked against the view's length (the error is the
    // character type's, see its traits); the string is made unshared first.
    Char& operator[](size_t i);
    Char operator[](size_t i) const;

    // Replaces the viewed stretch; the view then covers the new text.
    View& operator=(const Char* text);
    View& operator=(const String& s);

    // The null substring equals only empty text.
    bool operator==(const Char* text) const;
    bool operator==(const String& s) const;
    // Takes the base, not View: a View parameter would make a == b between
    // two views ambiguous with its reversed form in C++20.
    bool operator==(const RWStringViewBase& other) const;

    void ToLower();
    void ToUpper();

protected:
    RWStringViewBase(const String& str, size_t start, size_t length)
        : str_(const_cast<String*>(&str)), start_(start), length_(length) {}
    RWStringViewBase(const RWStringViewBase&) = default;
    RWStringViewBase& operator=(const RWStringViewBase&) = delete;

    View& Assign(const Char* text, size_t n);
    bool Equals(const Char* text, size_t n) const;

    String* str_;
    size_t start_;
    size_t length_;
};

extern template class RWStringViewBase<RWCStringTraits>;
extern template class RWStringViewBase<RWWStringTraits>;
