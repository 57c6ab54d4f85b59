#include "rw/RWCSubString.h"

#include <cstring>

#include "rw/RWErrorHandler.h"

char& RWCSubString::operator[](size_t i) {
    if (i >= length_) RWThrowIndexError(i, length_);
    // Checked against the string as well: a view kept across an edit that
    // shortened its string must not reach past the characters.
    return (*str_)[start_ + i];
}

char RWCSubString::operator[](size_t i) const {
    if (i >= length_) RWThrowIndexError(i, length_);
    return static_cast<const RWCString&>(*str_)[start_ + i];
}

RWCSubString& RWCSubString::Assign(const char* text, size_t n) {
    if (IsNull()) return *this;
    str_->Replace(start_, length_, text, n);
    length_ = n;
    return *this;
}

RWCSubString& RWCSubString::operator=(const char* text) {
    return Assign(text, text != nullptr ? std::strlen(text) : 0);
}

RWCSubString& RWCSubString::operator=(const RWCString& s) {
    return Assign(s.Data(), s.Length());
}

RWCSubString& RWCSubString::operator=(const RWCSubString& other) {
    return Assign(other.Data(), other.IsNull() ? 0 : other.Length());
}

bool RWCSubString::Equals(const char* text, size_t n) const {
    const size_t length = IsNull() ? 0 : length_;
    return length == n && (n == 0 || std::memcmp(Data(), text, n) == 0);
}

bool RWCSubString::operator==(const char* text) const {
    if (text == nullptr) return IsNull() || length_ == 0;
    // Equal when the text ends exactly after the viewed characters.
    const char* data = Data();
    const size_t length = IsNull() ? 0 : length_;
    size_t i = 0;
    for (; i < length; ++i) {
        if (text[i] == '\0' || text[i] != data[i]) return false;
    }
    return text[i] == '\0';
}

bool RWCSubString::operator==(const RWCString& s) const {
    return Equals(s.Data(), s.Length());
}

bool RWCSubString::operator==(const RWCSubString& other) const {
    return Equals(other.Data(), other.IsNull() ? 0 : other.length_);
}

void RWCSubString::ToLower() {
    if (IsNull() || length_ == 0) return;
    for (size_t i = 0; i < length_; ++i) {
        char& c = (*this)[i];
        c = RWCString::ToLowerChar(c);
    }
}

void RWCSubString::ToUpper() {
    if (IsNull() || length_ == 0) return;
    for (size_t i = 0; i < length_; ++i) {
        char& c = (*this)[i];
        c = RWCString::ToUpperChar(c);
    }
}
