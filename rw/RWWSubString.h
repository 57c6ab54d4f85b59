#pragma once
// RWWSubString: a view {string, start, length} of a stretch of an RWWString
// that reads and writes it in place; start RW_NPOS marks the null
// substring. Element access out of range raises INDEX with the index and
// the view's length (RW_NPOS included). A view must not outlive its string.
#include <cstddef>

#include "rw/RWWString.h"

class RWWSubString {
public:
    RWWSubString(const RWWSubString&) = default;

    size_t Start() const { return start_; }
    size_t Length() const { return length_; }
    bool IsNull() const { return start_ == RW_NPOS; }
    // The first viewed unit (not 0-terminated); null for the null substring.
    const char16_t* Data() const { return IsNull() ? nullptr : str_->Data() + start_; }

    char16_t& operator[](size_t i);
    char16_t operator[](size_t i) const;

    // Replaces the viewed stretch; the view then covers the new text. The
    // null substring ignores assignment.
    RWWSubString& operator=(const char16_t* text);
    RWWSubString& operator=(const RWWString& s);
    RWWSubString& operator=(const RWWSubString& other);

    // The null substring equals only empty text.
    bool operator==(const char16_t* text) const;
    bool operator==(const RWWString& s) const;
    bool operator==(const RWWSubString& other) const;

    void ToLower();
    void ToUpper();

private:
    friend class RWWString;
    RWWSubString(const RWWString& str, size_t start, size_t length)
        : str_(const_cast<RWWString*>(&str)), start_(start), length_(length) {}

    void CheckIndex(size_t i) const;
    RWWSubString& Assign(const char16_t* text, size_t n);
    bool Equals(const char16_t* text, size_t n) const;

    RWWString* str_;
    size_t start_;
    size_t length_;
};
