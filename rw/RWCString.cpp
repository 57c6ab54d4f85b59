#include "rw/RWCString.h"

#include <locale.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <ostream>
#include <string>

#include "rw/RWBinaryFile.h"
#include "rw/RWBinaryInStream.h"
#include "rw/RWCSubString.h"
#include "rw/RWErrorHandler.h"
#include "rw/RWPortableInStream.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"
#include "winapi/WinKernel.h"

namespace {

std::atomic<size_t> g_initialCapacity{15};
std::atomic<size_t> g_resizeIncrement{16};
std::atomic<size_t> g_maxWaste{15};

bool PointsInto(const char* text, const RWCStringRep* rep) {
    // Compared as addresses: the text may belong to any other object.
    const auto p = reinterpret_cast<uintptr_t>(text);
    const auto begin = reinterpret_cast<uintptr_t>(rep->Data());
    return p >= begin && p <= begin + rep->Capacity();
}

size_t TextLength(const char* text) {
    return text != nullptr ? std::strlen(text) : 0;
}

// The C locale's collation, whatever locale the process runs in.
locale_t CollationLocale() {
    static const locale_t locale = newlocale(LC_COLLATE_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

// Restores read stored characters in pieces of this size, so a stored
// length reserves memory only as the data arrives.
constexpr size_t kRestoreChunk = 64 * 1024;
// The longest text taken from a stream whose buffer cannot say how much it
// still holds: far beyond any text the system stores.
constexpr uint64_t kLargestUnprobedText = 16 * 1024 * 1024;

// Bytes left in the buffer under a virtual in-stream, when it can tell.
// Every encoding needs at least one byte per character, so a stored length
// above this cannot be delivered.
uint64_t RemainingBytes(RWVirtualInStream& stream) {
    std::streambuf* buffer = nullptr;
    if (auto* binary = dynamic_cast<RWBinaryInStream*>(&stream)) {
        buffer = binary->rdbuf();
    } else if (auto* portable = dynamic_cast<RWPortableInStream*>(&stream)) {
        buffer = portable->rdbuf();
    }
    constexpr uint64_t kUnknown = UINT64_MAX;
    if (buffer == nullptr) return kUnknown;
    const std::streampos failed(std::streamoff(-1));
    const std::streampos here = buffer->pubseekoff(0, std::ios::cur, std::ios::in);
    if (here == failed) return kUnknown;
    const std::streampos end = buffer->pubseekoff(0, std::ios::end, std::ios::in);
    buffer->pubseekpos(here, std::ios::in);
    if (end == failed || end < here) return kUnknown;
    return static_cast<uint64_t>(std::streamoff(end - here));
}

} // namespace

// ---- construction

RWCString::RWCString() : rep_(RWCStringRep::Null()) {}

RWCString::RWCString(RWSize_T capacity) : rep_(RWCStringRep::Make(capacity.value, 0)) {}

RWCString::RWCString(const char* text) : RWCString(text, TextLength(text)) {}

RWCString::RWCString(const char* text, size_t n) : rep_(RWCStringRep::Make(n, n)) {
    if (n != 0) std::memcpy(rep_->Data(), text, n);
}

RWCString::RWCString(char c) : rep_(RWCStringRep::Make(g_initialCapacity.load(), 1)) {
    rep_->Data()[0] = c;
}

RWCString::RWCString(char c, size_t n) : rep_(RWCStringRep::Make(n, n)) {
    if (n != 0) std::memset(rep_->Data(), c, n);
}

RWCString::RWCString(const RWCSubString& sub)
    : rep_(RWCStringRep::Make(AdjustCapacity(sub.Length()), sub.IsNull() ? 0 : sub.Length())) {
    if (!sub.IsNull() && sub.Length() != 0) std::memcpy(rep_->Data(), sub.Data(), sub.Length());
}

RWCString::RWCString(const RWCString& other) : rep_(other.rep_) {
    rep_->AddReference();
}

RWCString::RWCString(RWCString&& other) noexcept : rep_(other.rep_) {
    other.rep_ = RWCStringRep::Null();
}

RWCString::RWCString(const char* a, size_t na, const char* b, size_t nb) {
    if (a == nullptr) na = 0;
    if (b == nullptr) nb = 0;
    if (na > SIZE_MAX / 2 || nb > SIZE_MAX / 2) RaiseOverflow();
    rep_ = RWCStringRep::Make(AdjustCapacity(na + nb), na + nb);
    if (na != 0) std::memcpy(rep_->Data(), a, na);
    if (nb != 0) std::memcpy(rep_->Data() + na, b, nb);
}

RWCString::~RWCString() {
    rep_->RemoveReference();
}

RWCString& RWCString::operator=(const char* text) {
    if (text == nullptr || *text == '\0') {
        if (rep_->IsShared()) {
            Take(RWCStringRep::Null());
        } else {
            rep_->SetLength(0);
        }
        return *this;
    }
    return Replace(0, Length(), text, std::strlen(text));
}

RWCString& RWCString::operator=(const RWCString& other) {
    if (rep_ != other.rep_) {
        other.rep_->AddReference();
        Take(other.rep_);
    }
    return *this;
}

RWCString& RWCString::operator=(RWCString&& other) noexcept {
    if (this != &other) std::swap(rep_, other.rep_);
    return *this;
}

// ---- capacity policy

size_t RWCString::InitialCapacity(size_t capacity) {
    return g_initialCapacity.exchange(capacity);
}

size_t RWCString::ResizeIncrement(size_t increment) {
    return g_resizeIncrement.exchange(std::max<size_t>(increment, 1)); // 0 would divide by zero
}

size_t RWCString::MaxWaste(size_t waste) {
    return g_maxWaste.exchange(waste);
}

size_t RWCString::AdjustCapacity(size_t n) {
    const size_t initial = g_initialCapacity.load();
    if (n <= initial) return initial;
    const size_t increment = g_resizeIncrement.load();
    const size_t steps = (n - initial) / increment + ((n - initial) % increment != 0 ? 1 : 0);
    if (steps > (SIZE_MAX - initial) / increment) RaiseOverflow();
    return initial + steps * increment;
}

void RWCString::RaiseOverflow() {
    static constexpr char kText[] = "Buffer may not resize larger than";
    RWThrowCatalog<RWBoundsError>(RWCORE_OVFLOW(), static_cast<int>(sizeof kText - 1), kText, 0xFFFFFFFFu);
}

size_t RWCString::Capacity(size_t n) {
    if (Length() < n && Capacity() != n) Clone(n);
    return Capacity();
}

// ---- editing

RWCString& RWCString::Replace(size_t pos, size_t m, const char* text, size_t k) {
    const size_t length = Length();
    if (pos > length) RWThrowIndexError(pos, length);
    if (text == nullptr) k = 0;
    m = std::min(m, length - pos);
    if (k > SIZE_MAX / 2) RaiseOverflow();
    const size_t newLength = length - m + k;
    const size_t tail = length - pos - m;

    const size_t capacity = Capacity();
    const bool inPlace = !rep_->IsShared() && capacity >= newLength &&
                         !(newLength < length && capacity - newLength > g_maxWaste.load()) &&
                         (k == 0 || !PointsInto(text, rep_));
    if (inPlace) {
        char* data = rep_->Data();
        if (tail != 0 && k != m) std::memmove(data + pos + k, data + pos + m, tail);
        if (k != 0) std::memcpy(data + pos, text, k);
        rep_->SetLength(newLength);
    } else {
        RWCStringRep* rep = RWCStringRep::Make(AdjustCapacity(newLength), newLength);
        char* to = rep->Data();
        const char* from = rep_->Data();
        if (pos != 0) std::memcpy(to, from, pos);
        if (k != 0) std::memcpy(to + pos, text, k);
        if (tail != 0) std::memcpy(to + pos + k, from + pos + m, tail);
        Take(rep);
    }
    return *this;
}

RWCString& RWCString::Replace(size_t pos, size_t m, const char* text) {
    return Replace(pos, m, text, TextLength(text));
}

RWCString& RWCString::Replace(size_t pos, size_t m, const RWCString& text) {
    return Replace(pos, m, text.Data(), text.Length());
}

RWCString& RWCString::Append(const char* text) {
    return Replace(Length(), 0, text, TextLength(text));
}
RWCString& RWCString::Append(const char* text, size_t n) {
    return Replace(Length(), 0, text, n);
}
RWCString& RWCString::Append(const RWCString& other) {
    return Replace(Length(), 0, other.Data(), other.Length());
}
RWCString& RWCString::Append(const RWCString& other, size_t n) {
    return Replace(Length(), 0, other.Data(), std::min(n, other.Length()));
}
RWCString& RWCString::Prepend(const char* text) {
    return Replace(0, 0, text, TextLength(text));
}
RWCString& RWCString::Prepend(const char* text, size_t n) {
    return Replace(0, 0, text, n);
}
RWCString& RWCString::Prepend(const RWCString& other) {
    return Replace(0, 0, other.Data(), other.Length());
}
RWCString& RWCString::Insert(size_t pos, const char* text) {
    return Replace(pos, 0, text, TextLength(text));
}
RWCString& RWCString::Insert(size_t pos, const char* text, size_t n) {
    return Replace(pos, 0, text, n);
}
RWCString& RWCString::Insert(size_t pos, const RWCString& other) {
    return Replace(pos, 0, other.Data(), other.Length());
}
RWCString& RWCString::Remove(size_t pos) {
    return Replace(pos, RW_NPOS, nullptr, 0);
}
RWCString& RWCString::Remove(size_t pos, size_t n) {
    return Replace(pos, n, nullptr, 0);
}

RWCString& RWCString::AppendChars(char c, size_t n) {
    const size_t length = Length();
    if (n > SIZE_MAX / 2 - length) RaiseOverflow();
    const size_t newLength = length + n;
    if (rep_->IsShared() || Capacity() < newLength) Clone(newLength);
    if (n != 0) std::memset(rep_->Data() + length, c, n);
    rep_->SetLength(newLength);
    return *this;
}

RWCString& RWCString::PrependChars(char c, size_t n) {
    const size_t length = Length();
    if (n > SIZE_MAX / 2 - length) RaiseOverflow();
    const size_t newLength = length + n;
    if (!rep_->IsShared() && Capacity() >= newLength) {
        std::memmove(rep_->Data() + n, rep_->Data(), length);
        rep_->SetLength(newLength);
    } else {
        RWCStringRep* rep = RWCStringRep::Make(AdjustCapacity(newLength), newLength);
        if (length != 0) std::memcpy(rep->Data() + n, rep_->Data(), length);
        Take(rep);
    }
    if (n != 0) std::memset(rep_->Data(), c, n);
    return *this;
}

void RWCString::Resize(size_t n) {
    const size_t length = Length();
    if (n < length) {
        Replace(n, length - n, nullptr, 0);
    } else if (n > length) {
        AppendChars(' ', n - length);
    }
}

void RWCString::Clobber(size_t n) {
    if (!rep_->IsShared() && Capacity() >= n) {
        rep_->SetLength(0);
    } else {
        RWCStringRep* rep = RWCStringRep::Make(n, 0);
        Take(rep);
    }
}

void RWCString::Clone() {
    Clone(Length());
}

void RWCString::Clone(size_t n) {
    const size_t keep = std::min(Length(), n);
    RWCStringRep* rep = RWCStringRep::Make(n, keep);
    if (keep != 0) std::memcpy(rep->Data(), rep_->Data(), keep);
    Take(rep);
}

RWCString RWCString::Copy() const {
    return RWCString(Data(), Length());
}

void RWCString::ToLower() {
    CopyOnWrite();
    char* data = MutableData();
    for (size_t i = 0, n = Length(); i < n; ++i)
        data[i] = ToLowerChar(data[i]);
}

void RWCString::ToUpper() {
    CopyOnWrite();
    char* data = MutableData();
    for (size_t i = 0, n = Length(); i < n; ++i)
        data[i] = ToUpperChar(data[i]);
}

// ---- element access

void RWCString::CheckIndex(size_t i) const {
    if (i >= Length()) RWThrowIndexError(i, Length());
}

char& RWCString::operator[](size_t i) {
    CheckIndex(i);
    CopyOnWrite();
    return MutableData()[i];
}

char RWCString::operator[](size_t i) const {
    CheckIndex(i);
    return Data()[i];
}

// ---- comparison and search

int RWCString::CompareTo(const char* text, RWCaseCompare cmp) const {
    if (text == nullptr) text = "";
    const char* data = Data();
    const size_t length = Length();
    for (size_t i = 0;; ++i) {
        if (text[i] == '\0') return length > i ? 1 : 0;
        if (i == length) return -1;
        char a = data[i];
        char b = text[i];
        if (cmp != RWExact) {
            a = ToLowerChar(a);
            b = ToLowerChar(b);
        }
        if (a != b) return static_cast<signed char>(a) > static_cast<signed char>(b) ? 1 : -1;
    }
}

int RWCString::CompareTo(const RWCString& other, RWCaseCompare cmp) const {
    const size_t length = Length();
    const size_t otherLength = other.Length();
    const size_t common = std::min(length, otherLength);
    const char* a = Data();
    const char* b = other.Data();
    if (cmp == RWExact) {
        if (common != 0) {
            const int result = std::memcmp(a, b, common);
            if (result != 0) return result > 0 ? 1 : -1;
        }
    } else {
        for (size_t i = 0; i < common; ++i) {
            const char x = ToLowerChar(a[i]);
            const char y = ToLowerChar(b[i]);
            if (x != y) return static_cast<signed char>(x) > static_cast<signed char>(y) ? 1 : -1;
        }
    }
    if (length == otherLength) return 0;
    return length < otherLength ? -1 : 1;
}

size_t RWCString::Index(const char* pattern, size_t n, size_t start, RWCaseCompare cmp) const {
    const size_t length = Length();
    if (start > length || n > length - start) return RW_NPOS;
    if (n == 0) return start;
    const char* data = Data();
    for (size_t p = start; p <= length - n; ++p) {
        if (cmp == RWExact) {
            if (data[p] == pattern[0] && std::memcmp(data + p + 1, pattern + 1, n - 1) == 0) return p;
        } else {
            size_t i = 0;
            while (i < n && ToLowerChar(data[p + i]) == ToLowerChar(pattern[i]))
                ++i;
            if (i == n) return p;
        }
    }
    return RW_NPOS;
}

size_t RWCString::Index(const char* pattern, size_t start, RWCaseCompare cmp) const {
    return Index(pattern, TextLength(pattern), start, cmp);
}

size_t RWCString::Index(const RWCString& pattern, size_t start, RWCaseCompare cmp) const {
    return Index(pattern.Data(), pattern.Length(), start, cmp);
}

// ---- substrings

RWCSubString RWCString::SubString(const char* pattern, size_t start, RWCaseCompare cmp) {
    const size_t n = TextLength(pattern);
    const size_t at = Index(pattern, n, start, cmp);
    return RWCSubString(*this, at, at == RW_NPOS ? 0 : n);
}

const RWCSubString RWCString::SubString(const char* pattern, size_t start, RWCaseCompare cmp) const {
    return const_cast<RWCString*>(this)->SubString(pattern, start, cmp);
}

RWCSubString RWCString::operator()(size_t start, size_t len) {
    if (start == RW_NPOS) return RWCSubString(*this, RW_NPOS, 0);
    // A view past the end would let its element access reach beyond the
    // characters.
    if (start > Length() || len > Length() - start) {
        RWThrowCatalog<RWBoundsError>(RWTOOL_SUBSTRING(), static_cast<int>(start), static_cast<unsigned>(len),
                                      static_cast<unsigned>(Length()));
    }
    return RWCSubString(*this, start, len);
}

const RWCSubString RWCString::operator()(size_t start, size_t len) const {
    return (*const_cast<RWCString*>(this))(start, len);
}

RWCSubString RWCString::Strip(RWStripType type, char c) {
    const char* data = Data();
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
    if (begin == end) return RWCSubString(*this, RW_NPOS, 0);
    return RWCSubString(*this, begin, end - begin);
}

const RWCSubString RWCString::Strip(RWStripType type, char c) const {
    return const_cast<RWCString*>(this)->Strip(type, c);
}

// ---- hashing and text properties

uint32_t RWCString::Hash(RWCaseCompare cmp) const {
    return cmp == RWExact ? rep_->HashExact() : rep_->HashFoldCase();
}

bool RWCString::IsAscii() const {
    const char* data = Data();
    for (size_t i = 0, n = Length(); i < n; ++i) {
        if (static_cast<unsigned char>(data[i]) > 127) return false;
    }
    return true;
}

int RWCString::Collate(const char* text) const {
    const locale_t locale = CollationLocale();
    if (locale == static_cast<locale_t>(nullptr)) return std::strcmp(Data(), text);
    return strcoll_l(Data(), text, locale);
}

RWCString RWCString::CollationKey() const {
    const locale_t locale = CollationLocale();
    if (locale == static_cast<locale_t>(nullptr)) return RWCString(Data());
    const size_t needed = strxfrm_l(nullptr, Data(), 0, locale);
    RWCString key{RWSize_T(needed)};
    if (needed == 0) return key;
    if (strxfrm_l(key.rep_->Data(), Data(), needed + 1, locale) > needed) return RWCString();
    key.rep_->SetLength(needed);
    return key;
}

size_t RWCString::MbLength() const {
    // Characters of the ANSI code page, as the module's multibyte text is.
    const size_t bytes = std::strlen(Data());
    if (bytes == 0) return 0;
    if (bytes > static_cast<size_t>(INT32_MAX)) return RW_NPOS;
    const int n = static_cast<int>(bytes);
    const int units = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, Data(), n, nullptr, 0);
    if (units <= 0) return RW_NPOS;
    std::u16string wide(static_cast<size_t>(units), u'\0');
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, Data(), n, wide.data(), units) != units)
        return RW_NPOS;
    // A surrogate pair is one character.
    size_t characters = 0;
    for (size_t i = 0; i < wide.size(); ++i) {
        if (wide[i] >= 0xD800 && wide[i] < 0xDC00 && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
            wide[i + 1] <= 0xDFFF) {
            ++i;
        }
        ++characters;
    }
    return characters;
}

// ---- persistence

void RWCString::SaveOn(RWVirtualOutStream& stream) const {
    const size_t length = Length();
    if (length > UINT32_MAX) {
        stream.setstate(RWVirtualStreamBase::failbit); // no 32-bit length can say it
        return;
    }
    stream << static_cast<unsigned int>(length);
    stream.putString(Data(), length);
}

void RWCString::RestoreFrom(RWVirtualInStream& stream) {
    unsigned int stored = 0;
    stream >> stored;
    if (!stream.good()) {
        Clobber(0);
        return;
    }
    const size_t length = stored;
    const uint64_t remaining = RemainingBytes(stream);
    if (length > remaining || (remaining == UINT64_MAX && length > kLargestUnprobedText)) {
        // More characters than the stream can hold: corrupt input.
        stream.setstate(RWVirtualStreamBase::failbit);
        Clobber(0);
        return;
    }
    if (length == 0) {
        char empty[1];
        stream.getString(empty, sizeof empty);
        Clobber(0);
        return;
    }
    Clobber(length);
    char* data = rep_->Data();
    // A stored text shorter than its length leaves zeros, not old bytes.
    std::memset(data, 0, length + 1);
    stream.getString(data, length + 1);
    if (stream.fail()) {
        Clobber(0);
        return;
    }
    rep_->SetLength(length);
}

bool RWCString::SaveOn(RWBinaryFile& file) const {
    const size_t length = Length();
    if (length > UINT32_MAX) return false;
    return file.Write(static_cast<uint32_t>(length)) && file.Write(Data(), length);
}

bool RWCString::RestoreFrom(RWBinaryFile& file) {
    uint32_t stored = 0;
    if (!file.Read(stored)) {
        Clobber(0);
        return false;
    }
    const size_t length = stored;
    Clobber(std::min(length, kRestoreChunk));
    size_t done = 0;
    while (done < length) {
        const size_t n = std::min(kRestoreChunk, length - done);
        if (Capacity() < done + n) Clone(std::min(length, std::max(done + n, 2 * Capacity())));
        if (!file.Read(rep_->Data() + done, n)) {
            Clobber(0);
            return false;
        }
        done += n;
        rep_->SetLength(done);
    }
    return true;
}

// ---- free operators

RWCString operator+(const RWCString& a, const RWCString& b) {
    return RWCString(a.Data(), a.Length(), b.Data(), b.Length());
}

RWCString operator+(const RWCString& a, const char* b) {
    return RWCString(a.Data(), a.Length(), b, TextLength(b));
}

RWCString operator+(const char* a, const RWCString& b) {
    return RWCString(a, TextLength(a), b.Data(), b.Length());
}

bool operator==(const RWCString& a, const RWCString& b) {
    return a.Length() == b.Length() && (a.Length() == 0 || std::memcmp(a.Data(), b.Data(), a.Length()) == 0);
}

bool operator==(const RWCString& a, const char* b) {
    if (b == nullptr) return a.Length() == 0;
    const char* data = a.Data();
    const size_t length = a.Length();
    size_t i = 0;
    for (; i < length; ++i) {
        if (b[i] == '\0' || b[i] != data[i]) return false;
    }
    return b[i] == '\0';
}

std::strong_ordering operator<=>(const RWCString& a, const RWCString& b) {
    return a.CompareTo(b) <=> 0;
}

RWCString ToLower(const RWCString& s) {
    RWCString copy(s);
    copy.ToLower();
    return copy;
}

RWCString ToUpper(const RWCString& s) {
    RWCString copy(s);
    copy.ToUpper();
    return copy;
}

std::ostream& operator<<(std::ostream& os, const RWCString& s) {
    return os.write(s.Data(), static_cast<std::streamsize>(s.Length()));
}
