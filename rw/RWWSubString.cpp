#include "rw/RWWSubString.h"

#include <cstring>

#include "rw/RWErrorHandler.h"
#include "rw/RWWideChar.h"

void RWWSubString::CheckIndex(size_t i) const {
    if (i >= length_) {
        RWThrowCatalog<RWBoundsError>(RWTOOL_INDEX(), static_cast<unsigned>(i),
                                      static_cast<unsigned>(length_));
    }
}

char16_t& RWWSubString::operator[](size_t i) {
    CheckIndex(i);
    // Checked against the string too: a view kept across an edit that
    // shortened its string must not reach past the units.
    return (*str_)[start_ + i];
}

char16_t RWWSubString::operator[](size_t i) const {
    CheckIndex(i);
    return static_cast<const RWWString&>(*str_)[start_ + i];
}

RWWSubString& RWWSubString::Assign(const char16_t* text, size_t n) {
    if (IsNull()) return *this;
    str_->Replace(start_, length_, text, n);
    length_ = n;
    return *this;
}

RWWSubString& RWWSubString::operator=(const char16_t* text) {
    return Assign(text, text != nullptr ? RWWideLength(text) : 0);
}

RWWSubString& RWWSubString::operator=(const RWWString& s) {
    return Assign(s.Data(), s.Length());
}

RWWSubString& RWWSubString::operator=(const RWWSubString& other) {
    return Assign(other.Data(), other.IsNull() ? 0 : other.Length());
}

bool RWWSubString::Equals(const char16_t* text, size_t n) const {
    const size_t length = IsNull() ? 0 : length_;
    return length == n && (n == 0 || std::memcmp(Data(), text, n * sizeof(char16_t)) == 0);
}

bool RWWSubString::operator==(const char16_t* text) const {
    if (text == nullptr) return IsNull() || length_ == 0;
    const char16_t* units = Data();
    const size_t length = IsNull() ? 0 : length_;
    size_t i = 0;
    for (; i < length; ++i) {
        if (text[i] == 0 || text[i] != units[i]) return false;
    }
    return text[i] == 0;
}

bool RWWSubString::operator==(const RWWString& s) const {
    return Equals(s.Data(), s.Length());
}

bool RWWSubString::operator==(const RWWSubString& other) const {
    return Equals(other.Data(), other.IsNull() ? 0 : other.length_);
}

void RWWSubString::ToLower() {
    for (size_t i = 0; !IsNull() && i < length_; ++i) {
        char16_t& unit = (*this)[i];
        unit = RWWideToLower(unit);
    }
}

void RWWSubString::ToUpper() {
    for (size_t i = 0; !IsNull() && i < length_; ++i) {
        char16_t& unit = (*this)[i];
        unit = RWWideToUpper(unit);
    }
}
