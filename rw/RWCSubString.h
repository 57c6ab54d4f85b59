#pragma once
// RWCSubString: a view {string, start, length} of a stretch of an RWCString
// that reads and writes it in place. A start of RW_NPOS marks the null
// substring (nothing found), which reads as empty and ignores assignment.
//
// A view does not own its string and must not outlive it.
#include <cstddef>

#include "rw/RWCString.h"

class RWCSubString {
public:
    RWCSubString(const RWCSubString&) = default;

    size_t Start() const { return start_; }
    size_t Length() const { return length_; }
    bool IsNull() const { return start_ == RW_NPOS; }
    // The first viewed character (not NUL-terminated); null for the null
    // substring.
    const char* Data() const { return IsNull() ? nullptr : str_->Data() + start_; }

    // Element access, checked against the view's length (INDEXERR, or
    // NPOSINDEX for RW_NPOS); the string is made unshared first.
    char& operator[](size_t i);
    char operator[](size_t i) const;

    // Replaces the viewed stretch; the view then covers the new text.
    RWCSubString& operator=(const char* text);
    RWCSubString& operator=(const RWCString& s);
    RWCSubString& operator=(const RWCSubString& other);

    // The null substring equals only empty text.
    bool operator==(const char* text) const;
    bool operator==(const RWCString& s) const;
    bool operator==(const RWCSubString& other) const;

    void ToLower();
    void ToUpper();

private:
    friend class RWCString;
    RWCSubString(const RWCString& str, size_t start, size_t length)
        : str_(const_cast<RWCString*>(&str)), start_(start), length_(length) {}

    RWCSubString& Assign(const char* text, size_t n);
    bool Equals(const char* text, size_t n) const;

    RWCString* str_;
    size_t start_;
    size_t length_;
};
