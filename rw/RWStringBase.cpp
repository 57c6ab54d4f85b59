#include "rw/RWStringBase.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>
#include <utility>

#include "rw/RWCString.h"
#include "rw/RWCSubString.h"
#include "rw/RWErrorHandler.h"
#include "rw/RWWString.h"
#include "rw/RWWSubString.h"

namespace {

// The capacity policy, one per character type.
template <typename Traits> struct Policy {
    static inline constinit std::atomic<size_t> initialCapacity{15};
    static inline constinit std::atomic<size_t> resizeIncrement{16};
    static inline constinit std::atomic<size_t> maxWaste{15};
};

template <typename Char, typename Rep> bool PointsInto(const Char* text, const Rep* rep) {
    // Compared as addresses: the text may belong to any other object.
    const auto p = reinterpret_cast<uintptr_t>(text);
    const auto begin = reinterpret_cast<uintptr_t>(rep->Data());
    return p >= begin && p <= begin + rep->Capacity() * sizeof(Char);
}

} // namespace

// ---- construction and assignment

template <typename Traits> RWStringBase<Traits>& RWStringBase<Traits>::operator=(const RWStringBase& other) {
    if (rep_ != other.rep_) {
        other.rep_->AddReference();
        Take(other.rep_);
    }
    return *this;
}

template <typename Traits>
RWStringBase<Traits>& RWStringBase<Traits>::operator=(RWStringBase&& other) noexcept {
    if (this != &other) std::swap(rep_, other.rep_);
    return *this;
}

template <typename Traits> auto RWStringBase<Traits>::MakeCopy(const Char* text, size_t n) -> StringRep* {
    StringRep* rep = StringRep::Make(n, n);
    if (n != 0) std::memcpy(rep->Data(), text, n * sizeof(Char));
    return rep;
}

template <typename Traits> auto RWStringBase<Traits>::MakeAdjusted(const Char* text, size_t n) -> StringRep* {
    StringRep* rep = StringRep::Make(AdjustCapacity(n), n);
    if (n != 0) std::memcpy(rep->Data(), text, n * sizeof(Char));
    return rep;
}

template <typename Traits> auto RWStringBase<Traits>::MakeFilled(Char c, size_t n) -> StringRep* {
    StringRep* rep = StringRep::Make(n, n);
    std::fill_n(rep->Data(), n, c);
    return rep;
}

template <typename Traits>
auto RWStringBase<Traits>::MakeConcatenation(const Char* a, size_t na, const Char* b, size_t nb)
    -> StringRep* {
    if (a == nullptr) na = 0;
    if (b == nullptr) nb = 0;
    if (na > Traits::kLargestEdit || nb > Traits::kLargestEdit) RWCString::RaiseOverflow();
    StringRep* rep = StringRep::Make(AdjustCapacity(na + nb), na + nb);
    if (na != 0) std::memcpy(rep->Data(), a, na * sizeof(Char));
    if (nb != 0) std::memcpy(rep->Data() + na, b, nb * sizeof(Char));
    return rep;
}

template <typename Traits> auto RWStringBase<Traits>::AssignText(const Char* text) -> String& {
    if (text == nullptr || *text == 0) {
        if (rep_->IsShared()) {
            Take(StringRep::Null());
        } else {
            rep_->SetLength(0);
        }
        return Self();
    }
    return Replace(0, Length(), text, Traits::TextLength(text));
}

// ---- capacity policy

template <typename Traits> size_t RWStringBase<Traits>::InitialCapacity(size_t capacity) {
    return Policy<Traits>::initialCapacity.exchange(capacity);
}

template <typename Traits> size_t RWStringBase<Traits>::ResizeIncrement(size_t increment) {
    // 0 would divide by zero.
    return Policy<Traits>::resizeIncrement.exchange(std::max<size_t>(increment, 1));
}

template <typename Traits> size_t RWStringBase<Traits>::MaxWaste(size_t waste) {
    return Policy<Traits>::maxWaste.exchange(waste);
}

template <typename Traits> size_t RWStringBase<Traits>::CurrentInitialCapacity() {
    return Policy<Traits>::initialCapacity.load();
}

template <typename Traits> size_t RWStringBase<Traits>::CurrentResizeIncrement() {
    return Policy<Traits>::resizeIncrement.load();
}

template <typename Traits> size_t RWStringBase<Traits>::CurrentMaxWaste() {
    return Policy<Traits>::maxWaste.load();
}

template <typename Traits> size_t RWStringBase<Traits>::AdjustCapacity(size_t n) {
    const size_t initial = CurrentInitialCapacity();
    if (n <= initial) return initial;
    const size_t increment = CurrentResizeIncrement();
    const size_t steps = (n - initial) / increment + ((n - initial) % increment != 0 ? 1 : 0);
    if (steps > (SIZE_MAX - initial) / increment) RWCString::RaiseOverflow();
    return initial + steps * increment;
}

template <typename Traits> size_t RWStringBase<Traits>::Capacity(size_t n) {
    if (Length() < n && Capacity() != n) Clone(n);
    return Capacity();
}

// ---- editing

template <typename Traits>
auto RWStringBase<Traits>::Replace(size_t pos, size_t m, const Char* text, size_t k) -> String& {
    const size_t length = Length();
    if (pos > length) RWThrowIndexError(pos, length);
    if (text == nullptr) k = 0;
    m = std::min(m, length - pos);
    if (k > Traits::kLargestEdit) RWCString::RaiseOverflow();
    const size_t newLength = length - m + k;
    const size_t tail = length - pos - m;

    // In place only when the block is this string's own, large enough, not
    // left too wasteful, and the text does not live in it.
    const size_t capacity = Capacity();
    const bool inPlace = !rep_->IsShared() && capacity >= newLength &&
                         !(newLength < length && capacity - newLength > CurrentMaxWaste()) &&
                         (k == 0 || !PointsInto(text, rep_));
    constexpr size_t unit = sizeof(Char);
    if (inPlace) {
        Char* data = rep_->Data();
        if (tail != 0 && k != m) std::memmove(data + pos + k, data + pos + m, tail * unit);
        if (k != 0) std::memcpy(data + pos, text, k * unit);
        rep_->SetLength(newLength);
    } else {
        StringRep* rep = StringRep::Make(AdjustCapacity(newLength), newLength);
        Char* to = rep->Data();
        const Char* from = rep_->Data();
        if (pos != 0) std::memcpy(to, from, pos * unit);
        if (k != 0) std::memcpy(to + pos, text, k * unit);
        if (tail != 0) std::memcpy(to + pos + k, from + pos + m, tail * unit);
        Take(rep);
    }
    return Self();
}

template <typename Traits>
auto RWStringBase<Traits>::Replace(size_t pos, size_t m, const String& text) -> String& {
    return Replace(pos, m, text.Data(), text.Length());
}

template <typename Traits> auto RWStringBase<Traits>::Append(const Char* text) -> String& {
    return Replace(Length(), 0, text, TextLength(text));
}
template <typename Traits> auto RWStringBase<Traits>::Append(const Char* text, size_t n) -> String& {
    return Replace(Length(), 0, text, n);
}
template <typename Traits> auto RWStringBase<Traits>::Append(const String& other) -> String& {
    return Replace(Length(), 0, other.Data(), other.Length());
}
template <typename Traits> auto RWStringBase<Traits>::Append(const String& other, size_t n) -> String& {
    return Replace(Length(), 0, other.Data(), std::min(n, other.Length()));
}
template <typename Traits> auto RWStringBase<Traits>::Prepend(const Char* text) -> String& {
    return Replace(0, 0, text, TextLength(text));
}
template <typename Traits> auto RWStringBase<Traits>::Prepend(const Char* text, size_t n) -> String& {
    return Replace(0, 0, text, n);
}
template <typename Traits> auto RWStringBase<Traits>::Prepend(const String& other) -> String& {
    return Replace(0, 0, other.Data(), other.Length());
}
template <typename Traits> auto RWStringBase<Traits>::Insert(size_t pos, const Char* text) -> String& {
    return Replace(pos, 0, text, TextLength(text));
}
template <typename Traits>
auto RWStringBase<Traits>::Insert(size_t pos, const Char* text, size_t n) -> String& {
    return Replace(pos, 0, text, n);
}
template <typename Traits> auto RWStringBase<Traits>::Insert(size_t pos, const String& other) -> String& {
    return Replace(pos, 0, other.Data(), other.Length());
}
template <typename Traits> auto RWStringBase<Traits>::Remove(size_t pos) -> String& {
    return Replace(pos, RW_NPOS, nullptr, 0);
}
template <typename Traits> auto RWStringBase<Traits>::Remove(size_t pos, size_t n) -> String& {
    return Replace(pos, n, nullptr, 0);
}

template <typename Traits> auto RWStringBase<Traits>::AppendChars(Char c, size_t n) -> String& {
    const size_t length = Length();
    if (n > Traits::kLargestEdit - length) RWCString::RaiseOverflow();
    const size_t newLength = length + n;
    if (rep_->IsShared() || Capacity() < newLength) Clone(newLength);
    std::fill_n(rep_->Data() + length, n, c);
    rep_->SetLength(newLength);
    return Self();
}

template <typename Traits> auto RWStringBase<Traits>::PrependChars(Char c, size_t n) -> String& {
    const size_t length = Length();
    if (n > Traits::kLargestEdit - length) RWCString::RaiseOverflow();
    const size_t newLength = length + n;
    if (!rep_->IsShared() && Capacity() >= newLength) {
        std::memmove(rep_->Data() + n, rep_->Data(), length * sizeof(Char));
        rep_->SetLength(newLength);
    } else {
        StringRep* rep = StringRep::Make(AdjustCapacity(newLength), newLength);
        if (length != 0) std::memcpy(rep->Data() + n, rep_->Data(), length * sizeof(Char));
        Take(rep);
    }
    std::fill_n(rep_->Data(), n, c);
    return Self();
}

template <typename Traits> void RWStringBase<Traits>::Resize(size_t n) {
    const size_t length = Length();
    if (n < length) {
        Replace(n, length - n, nullptr, 0);
    } else if (n > length) {
        AppendChars(Traits::kBlank, n - length);
    }
}

template <typename Traits> void RWStringBase<Traits>::Clobber(size_t n) {
    if (!rep_->IsShared() && Capacity() >= n) {
        rep_->SetLength(0);
    } else {
        Take(StringRep::Make(n, 0));
    }
}

template <typename Traits> void RWStringBase<Traits>::Clone() {
    Clone(Length());
}

template <typename Traits> void RWStringBase<Traits>::Clone(size_t n) {
    const size_t keep = std::min(Length(), n);
    StringRep* rep = StringRep::Make(n, keep);
    if (keep != 0) std::memcpy(rep->Data(), rep_->Data(), keep * sizeof(Char));
    Take(rep);
}

template <typename Traits> auto RWStringBase<Traits>::Copy() const -> String {
    return String(Data(), Length());
}

template <typename Traits> void RWStringBase<Traits>::ToLower() {
    CopyOnWrite();
    Char* data = MutableData();
    for (size_t i = 0, n = Length(); i < n; ++i)
        data[i] = Traits::ToLower(data[i]);
}

template <typename Traits> void RWStringBase<Traits>::ToUpper() {
    CopyOnWrite();
    Char* data = MutableData();
    for (size_t i = 0, n = Length(); i < n; ++i)
        data[i] = Traits::ToUpper(data[i]);
}

// ---- element access

template <typename Traits> void RWStringBase<Traits>::CheckIndex(size_t i) const {
    if (i >= Length()) RWThrowIndexError(i, Length());
}

template <typename Traits> auto RWStringBase<Traits>::operator[](size_t i) -> Char& {
    CheckIndex(i);
    CopyOnWrite();
    return MutableData()[i];
}

template <typename Traits> auto RWStringBase<Traits>::operator[](size_t i) const -> Char {
    CheckIndex(i);
    return Data()[i];
}

// ---- comparison and search

template <typename Traits> int RWStringBase<Traits>::CompareTo(const Char* text, RWCaseCompare cmp) const {
    static constexpr Char kEmpty[1] = {0};
    if (text == nullptr) text = kEmpty;
    const Char* data = Data();
    const size_t length = Length();
    for (size_t i = 0;; ++i) {
        if (text[i] == 0) return length > i ? 1 : 0;
        if (i == length) return -1;
        Char a = data[i];
        Char b = text[i];
        if (cmp != RWExact) {
            a = Traits::ToLower(a);
            b = Traits::ToLower(b);
        }
        if (a != b) return Traits::Rank(a) > Traits::Rank(b) ? 1 : -1;
    }
}

template <typename Traits> int RWStringBase<Traits>::CompareTo(const String& other, RWCaseCompare cmp) const {
    const size_t length = Length();
    const size_t otherLength = other.Length();
    const size_t common = std::min(length, otherLength);
    const Char* a = Data();
    const Char* b = other.Data();
    if (cmp == RWExact) {
        // Unsigned characters for both types (memcmp for bytes).
        if (common != 0) {
            const int result = std::char_traits<Char>::compare(a, b, common);
            if (result != 0) return result > 0 ? 1 : -1;
        }
    } else {
        for (size_t i = 0; i < common; ++i) {
            const Char x = Traits::ToLower(a[i]);
            const Char y = Traits::ToLower(b[i]);
            if (x != y) return Traits::Rank(x) > Traits::Rank(y) ? 1 : -1;
        }
    }
    if (length == otherLength) return 0;
    return length < otherLength ? -1 : 1;
}

template <typename Traits>
size_t RWStringBase<Traits>::Index(const Char* pattern, size_t n, size_t start, RWCaseCompare cmp) const {
    const size_t length = Length();
    if (start > length || n > length - start) return RW_NPOS;
    if (n == 0) return start;
    const Char* data = Data();
    for (size_t p = start; p <= length - n; ++p) {
        if (cmp == RWExact) {
            if (data[p] == pattern[0] &&
                std::char_traits<Char>::compare(data + p + 1, pattern + 1, n - 1) == 0)
                return p;
        } else {
            size_t i = 0;
            while (i < n && Traits::ToLower(data[p + i]) == Traits::ToLower(pattern[i]))
                ++i;
            if (i == n) return p;
        }
    }
    return RW_NPOS;
}

template <typename Traits>
size_t RWStringBase<Traits>::Index(const Char* pattern, size_t start, RWCaseCompare cmp) const {
    return Index(pattern, TextLength(pattern), start, cmp);
}

template <typename Traits>
size_t RWStringBase<Traits>::Index(const String& pattern, size_t start, RWCaseCompare cmp) const {
    return Index(pattern.Data(), pattern.Length(), start, cmp);
}

// ---- substrings

template <typename Traits>
auto RWStringBase<Traits>::SubString(const Char* pattern, size_t start, RWCaseCompare cmp) -> View {
    const size_t n = TextLength(pattern);
    const size_t at = Index(pattern, n, start, cmp);
    return View(Self(), at, at == RW_NPOS ? 0 : n);
}

template <typename Traits>
auto RWStringBase<Traits>::SubString(const Char* pattern, size_t start, RWCaseCompare cmp) const
    -> const View {
    return const_cast<RWStringBase*>(this)->SubString(pattern, start, cmp);
}

template <typename Traits> auto RWStringBase<Traits>::operator()(size_t start, size_t len) -> View {
    if (start == RW_NPOS) return View(Self(), RW_NPOS, 0);
    // A view past the end would let its element access reach beyond the
    // characters.
    if (start > Length() || len > Length() - start) {
        RWThrowCatalog<RWBoundsError>(RWTOOL_SUBSTRING(), static_cast<int>(start), static_cast<unsigned>(len),
                                      static_cast<unsigned>(Length()));
    }
    return View(Self(), start, len);
}

template <typename Traits>
auto RWStringBase<Traits>::operator()(size_t start, size_t len) const -> const View {
    return (*const_cast<RWStringBase*>(this))(start, len);
}

template <typename Traits> auto RWStringBase<Traits>::Strip(RWStripType type, Char c) -> View {
    const Char* data = Data();
    size_t begin = 0;
    size_t end = Length();
    if ((type & RWLeading) != 0) {
        while (begin < end && data[begin] == c)
            ++begin;
    }
    if ((type & RWTrailing) != 0) {
        while (end > begin && data[end - 1] == c)
            --end;
    }
    if (begin == end) return View(Self(), RW_NPOS, 0);
    return View(Self(), begin, end - begin);
}

template <typename Traits> auto RWStringBase<Traits>::Strip(RWStripType type, Char c) const -> const View {
    return const_cast<RWStringBase*>(this)->Strip(type, c);
}

// ---- hashing and text properties

template <typename Traits> uint32_t RWStringBase<Traits>::Hash(RWCaseCompare cmp) const {
    return cmp == RWExact ? rep_->HashExact() : rep_->HashFoldCase();
}

template <typename Traits> bool RWStringBase<Traits>::IsAscii() const {
    const Char* data = Data();
    for (size_t i = 0, n = Length(); i < n; ++i) {
        if (!Traits::IsAscii(data[i])) return false;
    }
    return true;
}

template class RWStringBase<RWCStringTraits>;
template class RWStringBase<RWWStringTraits>;
