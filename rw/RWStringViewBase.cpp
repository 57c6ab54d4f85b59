#include "rw/RWStringViewBase.h"

#include <cstring>

#include "rw/RWCSubString.h"
#include "rw/RWWSubString.h"

template <typename Traits> auto RWStringViewBase<Traits>::Data() const -> const Char* {
    return IsNull() ? nullptr : str_->Data() + start_;
}

template <typename Traits> auto RWStringViewBase<Traits>::operator[](size_t i) -> Char& {
    if (i >= length_) Traits::RaiseViewIndexError(i, length_);
    // Checked against the string as well: a view kept across an edit that
    // shortened its string must not reach past the characters.
    return (*str_)[start_ + i];
}

template <typename Traits> auto RWStringViewBase<Traits>::operator[](size_t i) const -> Char {
    if (i >= length_) Traits::RaiseViewIndexError(i, length_);
    return static_cast<const String&>(*str_)[start_ + i];
}

template <typename Traits> auto RWStringViewBase<Traits>::Assign(const Char* text, size_t n) -> View& {
    View& self = static_cast<View&>(*this);
    if (IsNull()) return self;
    str_->Replace(start_, length_, text, n);
    length_ = n;
    return self;
}

template <typename Traits> auto RWStringViewBase<Traits>::operator=(const Char* text) -> View& {
    return Assign(text, text != nullptr ? Traits::TextLength(text) : 0);
}

template <typename Traits> auto RWStringViewBase<Traits>::operator=(const String& s) -> View& {
    return Assign(s.Data(), s.Length());
}

template <typename Traits> bool RWStringViewBase<Traits>::Equals(const Char* text, size_t n) const {
    const size_t length = IsNull() ? 0 : length_;
    return length == n && (n == 0 || std::memcmp(Data(), text, n * sizeof(Char)) == 0);
}

template <typename Traits> bool RWStringViewBase<Traits>::operator==(const Char* text) const {
    if (text == nullptr) return IsNull() || length_ == 0;
    // Equal when the text ends exactly after the viewed characters.
    const Char* data = Data();
    const size_t length = IsNull() ? 0 : length_;
    size_t i = 0;
    for (; i < length; ++i) {
        if (text[i] == 0 || text[i] != data[i]) return false;
    }
    return text[i] == 0;
}

template <typename Traits> bool RWStringViewBase<Traits>::operator==(const String& s) const {
    return Equals(s.Data(), s.Length());
}

template <typename Traits> bool RWStringViewBase<Traits>::operator==(const RWStringViewBase& other) const {
    return Equals(other.Data(), other.IsNull() ? 0 : other.Length());
}

template <typename Traits> void RWStringViewBase<Traits>::ToLower() {
    for (size_t i = 0; !IsNull() && i < length_; ++i) {
        Char& c = (*this)[i];
        c = Traits::ToLower(c);
    }
}

template <typename Traits> void RWStringViewBase<Traits>::ToUpper() {
    for (size_t i = 0; !IsNull() && i < length_; ++i) {
        Char& c = (*this)[i];
        c = Traits::ToUpper(c);
    }
}

template class RWStringViewBase<RWCStringTraits>;
template class RWStringViewBase<RWWStringTraits>;
