#include "rw/RWWString.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <istream>
#include <ostream>

#include "rw/RWBinaryFile.h"
#include "rw/RWErrorHandler.h"
#include "rw/RWNewCapacity.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"
#include "rw/RWWSubString.h"
#include "rw/RWWideChar.h"
#include "winapi/WinKernel.h"

namespace {

std::atomic<size_t> g_initialCapacity{15};
std::atomic<size_t> g_resizeIncrement{16};
std::atomic<size_t> g_maxWaste{15};

bool PointsInto(const char16_t* text, const RWWStringRep* rep) {
    const auto p = reinterpret_cast<uintptr_t>(text);
    const auto begin = reinterpret_cast<uintptr_t>(rep->Data());
    return p >= begin && p <= begin + rep->Capacity() * sizeof(char16_t);
}

size_t TextLength(const char16_t* text) {
    return text != nullptr ? RWWideLength(text) : 0;
}

// The platform layer's conversions take int lengths.
constexpr size_t kLargestConversion = static_cast<size_t>(INT32_MAX);

// One unit from the stream: two bytes, low byte first. A short read sets
// eof and fail.
bool GetUnit(std::istream& is, char16_t& unit) {
    std::streambuf* buffer = is.rdbuf();
    if (buffer == nullptr) {
        is.setstate(std::ios::badbit);
        return false;
    }
    const int low = buffer->sbumpc();
    const int high = low == std::char_traits<char>::eof() ? low : buffer->sbumpc();
    if (high == std::char_traits<char>::eof()) {
        is.setstate(std::ios::eofbit | std::ios::failbit);
        return false;
    }
    unit = static_cast<char16_t>((low & 0xFF) | ((high & 0xFF) << 8));
    return true;
}

bool PutUnit(std::ostream& os, char16_t unit) {
    std::streambuf* buffer = os.rdbuf();
    const auto eof = std::char_traits<char>::eof();
    if (buffer == nullptr || buffer->sputc(static_cast<char>(unit & 0xFF)) == eof ||
        buffer->sputc(static_cast<char>(unit >> 8)) == eof) {
        os.setstate(std::ios::failbit);
        return false;
    }
    return true;
}

// Units move between strings and streams or files in pieces of this many,
// through a buffer of the stream's 16-bit type; a restore reserves memory
// only as the units arrive.
constexpr size_t kUnitChunk = 2048;

} // namespace

// ---- construction

RWWString::RWWString() : rep_(RWWStringRep::Null()) {}

RWWString::RWWString(RWSize_T capacity) : rep_(RWWStringRep::Make(capacity.value, 0)) {}

RWWString::RWWString(const char16_t* text) : RWWString(text, TextLength(text)) {}

RWWString::RWWString(const char16_t* text, size_t n) : rep_(RWWStringRep::Make(n, n)) {
    if (n != 0) std::memcpy(rep_->Data(), text, n * sizeof(char16_t));
}

RWWString::RWWString(char16_t c) : rep_(RWWStringRep::Make(g_initialCapacity.load(), 1)) {
    rep_->Data()[0] = c;
}

RWWString::RWWString(char c) : RWWString(static_cast<char16_t>(static_cast<unsigned char>(c))) {}

RWWString::RWWString(char16_t c, size_t n) : rep_(RWWStringRep::Make(n, n)) {
    std::fill_n(rep_->Data(), n, c);
}

RWWString::RWWString(const char* text, NarrowMode mode) : rep_(RWWStringRep::Null()) {
    FromNarrow(text, text != nullptr ? std::strlen(text) : 0, mode);
}

RWWString::RWWString(const char* text, size_t n, NarrowMode mode) : rep_(RWWStringRep::Null()) {
    FromNarrow(text, n, mode);
}

RWWString::RWWString(const RWCString& text, NarrowMode mode) : rep_(RWWStringRep::Null()) {
    FromNarrow(text.Data(), text.Length(), mode);
}

RWWString::RWWString(const RWWSubString& sub)
    : rep_(RWWStringRep::Make(AdjustCapacity(sub.Length()), sub.Length())) {
    if (sub.Length() != 0) std::memcpy(rep_->Data(), sub.Data(), sub.Length() * sizeof(char16_t));
}

RWWString::RWWString(const RWWString& other) : rep_(other.rep_) {
    rep_->AddReference();
}

RWWString::RWWString(RWWString&& other) noexcept : rep_(other.rep_) {
    other.rep_ = RWWStringRep::Null();
}

RWWString::RWWString(const char16_t* a, size_t na, const char16_t* b, size_t nb) {
    if (a == nullptr) na = 0;
    if (b == nullptr) nb = 0;
    if (na > SIZE_MAX / 8 || nb > SIZE_MAX / 8) RWCString::RaiseOverflow();
    rep_ = RWWStringRep::Make(AdjustCapacity(na + nb), na + nb);
    if (na != 0) std::memcpy(rep_->Data(), a, na * sizeof(char16_t));
    if (nb != 0) std::memcpy(rep_->Data() + na, b, nb * sizeof(char16_t));
}

RWWString::~RWWString() {
    rep_->RemoveReference();
}

RWWString& RWWString::operator=(const char16_t* text) {
    if (text == nullptr || *text == 0) {
        if (rep_->IsShared()) {
            Take(RWWStringRep::Null());
        } else {
            rep_->SetLength(0);
        }
        return *this;
    }
    return Replace(0, Length(), text, RWWideLength(text));
}

RWWString& RWWString::operator=(const RWWString& other) {
    if (rep_ != other.rep_) {
        other.rep_->AddReference();
        Take(other.rep_);
    }
    return *this;
}

RWWString& RWWString::operator=(RWWString&& other) noexcept {
    if (this != &other) std::swap(rep_, other.rep_);
    return *this;
}

// ---- narrow conversions

void RWWString::FromNarrow(const char* text, size_t n, NarrowMode mode) {
    if (text == nullptr) n = 0;
    if (mode == Ascii) {
        RWWStringRep* rep = RWWStringRep::Make(n, n);
        char16_t* units = rep->Data();
        for (size_t i = 0; i < n; ++i)
            units[i] = static_cast<unsigned char>(text[i]);
        Take(rep);
        return;
    }
    FromMultiByte(text, n, *this);
}

bool RWWString::FromMultiByte(const char* text, size_t n, RWWString& out) {
    // Decoding stops at a NUL, as the runtime's multibyte functions do.
    if (text == nullptr) n = 0;
    if (const void* nul = n != 0 ? std::memchr(text, '\0', n) : nullptr; nul != nullptr) {
        n = static_cast<size_t>(static_cast<const char*>(nul) - text);
    }
    out.Take(RWWStringRep::Null());
    if (n == 0) return true;
    if (n > kLargestConversion) return false;
    const int bytes = static_cast<int>(n);
    const int units = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text, bytes, nullptr, 0);
    if (units <= 0) return false;
    RWWStringRep* rep = RWWStringRep::Make(static_cast<size_t>(units), static_cast<size_t>(units));
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text, bytes, rep->Data(), units) != units) {
        rep->RemoveReference();
        return false;
    }
    out.Take(rep);
    return true;
}

bool RWWString::ToMultiByte(RWCString& out) const {
    out = "";
    const size_t n = RWWideLength(Data());
    if (n == 0) return true;
    if (n > kLargestConversion) return false;
    const int units = static_cast<int>(n);
    // A unit without a character in the code page fails the conversion, as
    // the runtime's wide-to-multibyte function does; no substitutes.
    BOOL usedDefault = FALSE;
    const int bytes = WideCharToMultiByte(CP_ACP, 0, Data(), units, nullptr, 0, nullptr, &usedDefault);
    if (bytes <= 0 || usedDefault) return false;
    RWCString text{RWSize_T(static_cast<size_t>(bytes))};
    text.AppendChars('\0', static_cast<size_t>(bytes));
    char* data = &text[0];
    if (WideCharToMultiByte(CP_ACP, 0, Data(), units, data, bytes, nullptr, &usedDefault) != bytes ||
        usedDefault) {
        return false;
    }
    out = text;
    return true;
}

RWCString RWWString::ToMultiByte() const {
    RWCString text;
    ToMultiByte(text);
    return text;
}

RWCString RWWString::ToAscii() const {
    const size_t n = Length();
    RWCString text{RWSize_T(n)};
    text.AppendChars('\0', n);
    const char16_t* units = Data();
    for (size_t i = 0; i < n; ++i)
        text[i] = static_cast<char>(units[i] & 0xFF);
    return text;
}

bool RWWString::IsAscii() const {
    const char16_t* units = Data();
    for (size_t i = 0, n = Length(); i < n; ++i) {
        if (units[i] > 127) return false;
    }
    return true;
}

// ---- capacity policy

size_t RWWString::InitialCapacity(size_t capacity) {
    return g_initialCapacity.exchange(capacity);
}

size_t RWWString::ResizeIncrement(size_t increment) {
    return g_resizeIncrement.exchange(std::max<size_t>(increment, 1)); // 0 would divide by zero
}

size_t RWWString::MaxWaste(size_t waste) {
    return g_maxWaste.exchange(waste);
}

size_t RWWString::AdjustCapacity(size_t n) {
    const size_t initial = g_initialCapacity.load();
    if (n <= initial) return initial;
    const size_t increment = g_resizeIncrement.load();
    const size_t steps = (n - initial) / increment + ((n - initial) % increment != 0 ? 1 : 0);
    if (steps > (SIZE_MAX - initial) / increment) RWCString::RaiseOverflow();
    return initial + steps * increment;
}

size_t RWWString::Capacity(size_t n) {
    if (Length() < n && Capacity() != n) Clone(n);
    return Capacity();
}

// ---- editing

RWWString& RWWString::Replace(size_t pos, size_t m, const char16_t* text, size_t k) {
    const size_t length = Length();
    if (pos > length) RWThrowIndexError(pos, length);
    if (text == nullptr) k = 0;
    m = std::min(m, length - pos);
    if (k > SIZE_MAX / 8) RWCString::RaiseOverflow();
    const size_t newLength = length - m + k;
    const size_t tail = length - pos - m;

    const size_t capacity = Capacity();
    const bool inPlace = !rep_->IsShared() && capacity >= newLength &&
                         !(newLength < length && capacity - newLength > g_maxWaste.load()) &&
                         (k == 0 || !PointsInto(text, rep_));
    constexpr size_t unit = sizeof(char16_t);
    if (inPlace) {
        char16_t* data = rep_->Data();
        if (tail != 0 && k != m) std::memmove(data + pos + k, data + pos + m, tail * unit);
        if (k != 0) std::memcpy(data + pos, text, k * unit);
        rep_->SetLength(newLength);
    } else {
        RWWStringRep* rep = RWWStringRep::Make(AdjustCapacity(newLength), newLength);
        char16_t* to = rep->Data();
        const char16_t* from = rep_->Data();
        if (pos != 0) std::memcpy(to, from, pos * unit);
        if (k != 0) std::memcpy(to + pos, text, k * unit);
        if (tail != 0) std::memcpy(to + pos + k, from + pos + m, tail * unit);
        Take(rep);
    }
    return *this;
}

RWWString& RWWString::Replace(size_t pos, size_t m, const char16_t* text) {
    return Replace(std::min(pos, Length()), m, text, TextLength(text));
}

RWWString& RWWString::Replace(size_t pos, size_t m, const RWWString& text) {
    return Replace(pos, m, text.Data(), text.Length());
}

RWWString& RWWString::Append(const char16_t* text) {
    return Replace(Length(), 0, text, TextLength(text));
}
RWWString& RWWString::Append(const char16_t* text, size_t n) {
    return Replace(Length(), 0, text, n);
}
RWWString& RWWString::Append(const RWWString& other) {
    return Replace(Length(), 0, other.Data(), other.Length());
}
RWWString& RWWString::Append(const RWWString& other, size_t n) {
    return Replace(Length(), 0, other.Data(), std::min(n, other.Length()));
}
RWWString& RWWString::Prepend(const char16_t* text) {
    return Replace(0, 0, text, TextLength(text));
}
RWWString& RWWString::Prepend(const char16_t* text, size_t n) {
    return Replace(0, 0, text, n);
}
RWWString& RWWString::Prepend(const RWWString& other) {
    return Replace(0, 0, other.Data(), other.Length());
}
RWWString& RWWString::Insert(size_t pos, const char16_t* text) {
    return Replace(pos, 0, text, TextLength(text));
}
RWWString& RWWString::Insert(size_t pos, const char16_t* text, size_t n) {
    return Replace(pos, 0, text, n);
}
RWWString& RWWString::Insert(size_t pos, const RWWString& other) {
    return Replace(pos, 0, other.Data(), other.Length());
}
RWWString& RWWString::Remove(size_t pos) {
    return Replace(pos, RW_NPOS, nullptr, 0);
}
RWWString& RWWString::Remove(size_t pos, size_t n) {
    return Replace(pos, n, nullptr, 0);
}

RWWString& RWWString::AppendChars(char16_t c, size_t n) {
    const size_t length = Length();
    if (n > SIZE_MAX / 8 - length) RWCString::RaiseOverflow();
    const size_t newLength = length + n;
    if (rep_->IsShared() || Capacity() < newLength) Clone(newLength);
    std::fill_n(rep_->Data() + length, n, c);
    rep_->SetLength(newLength);
    return *this;
}

RWWString& RWWString::PrependChars(char16_t c, size_t n) {
    const size_t length = Length();
    if (n > SIZE_MAX / 8 - length) RWCString::RaiseOverflow();
    const size_t newLength = length + n;
    if (!rep_->IsShared() && Capacity() >= newLength) {
        std::memmove(rep_->Data() + n, rep_->Data(), length * sizeof(char16_t));
        rep_->SetLength(newLength);
    } else {
        RWWStringRep* rep = RWWStringRep::Make(AdjustCapacity(newLength), newLength);
        if (length != 0) std::memcpy(rep->Data() + n, rep_->Data(), length * sizeof(char16_t));
        Take(rep);
    }
    std::fill_n(rep_->Data(), n, c);
    return *this;
}

void RWWString::Resize(size_t n) {
    const size_t length = Length();
    if (n < length) {
        Replace(n, length - n, nullptr, 0);
    } else if (n > length) {
        AppendChars(u' ', n - length);
    }
}

void RWWString::Clobber(size_t n) {
    if (!rep_->IsShared() && Capacity() >= n) {
        rep_->SetLength(0);
    } else {
        Take(RWWStringRep::Make(n, 0));
    }
}

void RWWString::Clone() {
    Clone(Length());
}

void RWWString::Clone(size_t n) {
    const size_t keep = std::min(Length(), n);
    RWWStringRep* rep = RWWStringRep::Make(n, keep);
    if (keep != 0) std::memcpy(rep->Data(), rep_->Data(), keep * sizeof(char16_t));
    Take(rep);
}

RWWString RWWString::Copy() const {
    return RWWString(Data(), Length());
}

void RWWString::ToLower() {
    CopyOnWrite();
    char16_t* units = rep_->Data();
    for (size_t i = 0, n = Length(); i < n; ++i)
        units[i] = RWWideToLower(units[i]);
}

void RWWString::ToUpper() {
    CopyOnWrite();
    char16_t* units = rep_->Data();
    for (size_t i = 0, n = Length(); i < n; ++i)
        units[i] = RWWideToUpper(units[i]);
}

// ---- element access

void RWWString::CheckIndex(size_t i) const {
    if (i >= Length()) RWThrowIndexError(i, Length());
}

char16_t& RWWString::operator[](size_t i) {
    CheckIndex(i);
    CopyOnWrite();
    return rep_->Data()[i];
}

char16_t RWWString::operator[](size_t i) const {
    CheckIndex(i);
    return Data()[i];
}

// ---- comparison and search

int RWWString::CompareTo(const char16_t* text, RWCaseCompare cmp) const {
    if (text == nullptr) text = u"";
    const char16_t* units = Data();
    const size_t length = Length();
    for (size_t i = 0;; ++i) {
        if (text[i] == 0) return length > i ? 1 : 0;
        if (i == length) return -1;
        char16_t a = units[i];
        char16_t b = text[i];
        if (cmp != RWExact) {
            a = RWWideToLower(a);
            b = RWWideToLower(b);
        }
        if (a != b) return a > b ? 1 : -1;
    }
}

int RWWString::CompareTo(const RWWString& other, RWCaseCompare cmp) const {
    const size_t length = Length();
    const size_t otherLength = other.Length();
    const size_t common = std::min(length, otherLength);
    const char16_t* a = Data();
    const char16_t* b = other.Data();
    for (size_t i = 0; i < common; ++i) {
        char16_t x = a[i];
        char16_t y = b[i];
        if (cmp != RWExact) {
            x = RWWideToLower(x);
            y = RWWideToLower(y);
        }
        if (x != y) return x > y ? 1 : -1;
    }
    if (length == otherLength) return 0;
    return length < otherLength ? -1 : 1;
}

size_t RWWString::Index(const char16_t* pattern, size_t n, size_t start, RWCaseCompare cmp) const {
    const size_t length = Length();
    if (start > length || n > length - start) return RW_NPOS;
    if (n == 0) return start;
    const char16_t* units = Data();
    for (size_t p = start; p <= length - n; ++p) {
        size_t i = 0;
        if (cmp == RWExact) {
            while (i < n && units[p + i] == pattern[i])
                ++i;
        } else {
            while (i < n && RWWideToLower(units[p + i]) == RWWideToLower(pattern[i]))
                ++i;
        }
        if (i == n) return p;
    }
    return RW_NPOS;
}

size_t RWWString::Index(const char16_t* pattern, size_t start, RWCaseCompare cmp) const {
    return Index(pattern, TextLength(pattern), start, cmp);
}

size_t RWWString::Index(const RWWString& pattern, size_t start, RWCaseCompare cmp) const {
    return Index(pattern.Data(), pattern.Length(), start, cmp);
}

// ---- substrings

RWWSubString RWWString::SubString(const char16_t* pattern, size_t start, RWCaseCompare cmp) {
    const size_t n = TextLength(pattern);
    const size_t at = Index(pattern, n, start, cmp);
    return RWWSubString(*this, at, at == RW_NPOS ? 0 : n);
}

const RWWSubString RWWString::SubString(const char16_t* pattern, size_t start, RWCaseCompare cmp) const {
    return const_cast<RWWString*>(this)->SubString(pattern, start, cmp);
}

RWWSubString RWWString::operator()(size_t start, size_t len) {
    if (start == RW_NPOS) return RWWSubString(*this, RW_NPOS, 0);
    // A view past the end would let its element access reach beyond the units.
    if (start > Length() || len > Length() - start) {
        RWThrowCatalog<RWBoundsError>(RWTOOL_SUBSTRING(), static_cast<int>(start), static_cast<unsigned>(len),
                                      static_cast<unsigned>(Length()));
    }
    return RWWSubString(*this, start, len);
}

const RWWSubString RWWString::operator()(size_t start, size_t len) const {
    return (*const_cast<RWWString*>(this))(start, len);
}

RWWSubString RWWString::Strip(RWStripType type, char16_t c) {
    const char16_t* units = Data();
    size_t begin = 0;
    size_t end = Length();
    if ((type & RWLeading) != 0) {
        while (begin < end && units[begin] == c)
            ++begin;
    }
    if ((type & RWTrailing) != 0) {
        while (end > begin && units[end - 1] == c)
            --end;
    }
    if (begin == end) return RWWSubString(*this, RW_NPOS, 0);
    return RWWSubString(*this, begin, end - begin);
}

const RWWSubString RWWString::Strip(RWStripType type, char16_t c) const {
    return const_cast<RWWString*>(this)->Strip(type, c);
}

uint32_t RWWString::Hash(RWCaseCompare cmp) const {
    return cmp == RWExact ? rep_->HashExact() : rep_->HashFoldCase();
}

RWWString RWWString::CollationKey() const {
    return RWWString(Data(), RWWideLength(Data()));
}

// ---- reading from iostreams

void RWWString::PutRead(size_t& length, char16_t unit, bool growByIncrement) {
    if (length == Capacity()) {
        rep_->SetLength(length);
        size_t capacity;
        if (growByIncrement) {
            const size_t increment = g_resizeIncrement.load();
            if (length > SIZE_MAX / 8 - increment) RWCString::RaiseOverflow();
            capacity = length + increment;
        } else {
            // The library's growth rule for 2-byte items (OVFLOW past 32 bits).
            capacity = RWNewCapacity(static_cast<uint32_t>(std::min<size_t>(length, UINT32_MAX)), 2);
        }
        Clone(capacity);
    }
    rep_->Data()[length++] = unit;
}

void RWWString::EndRead(size_t length) {
    if (rep_->IsNullRep()) return; // nothing was read into the shared empty block
    rep_->SetLength(length);
    if (Capacity() - length > g_maxWaste.load()) Clone(AdjustCapacity(length));
}

std::istream& RWWString::ReadUntil(std::istream& is, bool useDelimiter, char16_t delim, bool skipWhite) {
    if (!is.good()) {
        Clobber(0);
        return is;
    }
    Clobber(g_initialCapacity.load());
    size_t length = 0;
    char16_t unit;
    bool haveUnit = false;
    if (skipWhite) {
        while ((haveUnit = GetUnit(is, unit)) && RWWideIsSpace(unit)) {
        }
    } else {
        haveUnit = GetUnit(is, unit);
    }
    while (haveUnit) {
        if (useDelimiter && unit == delim) break;
        PutRead(length, unit, false);
        haveUnit = GetUnit(is, unit);
    }
    EndRead(length);
    return is;
}

std::istream& RWWString::ReadFile(std::istream& is) {
    return ReadUntil(is, false, 0, false);
}

std::istream& RWWString::ReadToDelim(std::istream& is, char16_t delim) {
    return ReadUntil(is, true, delim, false);
}

std::istream& RWWString::ReadLine(std::istream& is, bool skipWhite) {
    return ReadUntil(is, true, u'\n', skipWhite);
}

std::istream& RWWString::ReadString(std::istream& is) {
    return ReadUntil(is, true, 0, false);
}

std::istream& RWWString::ReadToken(std::istream& is) {
    if (!is.good()) {
        Clobber(0);
        return is;
    }
    Clobber(g_initialCapacity.load());
    const std::streamsize width = is.width(0);
    size_t length = 0;
    char16_t unit;
    bool haveUnit;
    while ((haveUnit = GetUnit(is, unit)) && RWWideIsSpace(unit)) {
    }
    while (haveUnit && !RWWideIsSpace(unit)) {
        PutRead(length, unit, true);
        if (width > 0 && length >= static_cast<size_t>(width)) break;
        haveUnit = GetUnit(is, unit);
    }
    EndRead(length);
    return is;
}

// ---- persistence

void RWWString::SaveOn(RWVirtualOutStream& stream) const {
    const size_t length = Length();
    if (length > UINT32_MAX) {
        stream.setstate(RWVirtualStreamBase::failbit); // no 32-bit length can say it
        return;
    }
    stream << static_cast<unsigned int>(length);
    unsigned short buffer[kUnitChunk];
    const char16_t* units = Data();
    for (size_t done = 0; done < length;) {
        const size_t n = std::min(kUnitChunk, length - done);
        std::copy_n(units + done, n, buffer);
        stream.put(buffer, n);
        done += n;
    }
}

void RWWString::RestoreFrom(RWVirtualInStream& stream) {
    unsigned int stored = 0;
    stream >> stored;
    if (!stream.good()) {
        Clobber(0);
        return;
    }
    const size_t length = stored;
    Clobber(std::min(length, kUnitChunk));
    unsigned short buffer[kUnitChunk];
    size_t done = 0;
    while (done < length) {
        const size_t n = std::min(kUnitChunk, length - done);
        stream.get(buffer, n);
        if (!stream.good()) {
            Clobber(0);
            return;
        }
        if (Capacity() < done + n) Clone(std::min(length, std::max(done + n, 2 * Capacity())));
        std::copy_n(buffer, n, rep_->Data() + done);
        done += n;
        rep_->SetLength(done);
    }
}

bool RWWString::SaveOn(RWBinaryFile& file) const {
    const size_t length = Length();
    if (length > UINT32_MAX || !file.Write(static_cast<uint32_t>(length))) return false;
    uint16_t buffer[kUnitChunk];
    const char16_t* units = Data();
    for (size_t done = 0; done < length;) {
        const size_t n = std::min(kUnitChunk, length - done);
        std::copy_n(units + done, n, buffer);
        if (!file.Write(buffer, n)) return false;
        done += n;
    }
    return true;
}

bool RWWString::RestoreFrom(RWBinaryFile& file) {
    uint32_t stored = 0;
    if (!file.Read(stored)) {
        Clobber(0);
        return false;
    }
    const size_t length = stored;
    Clobber(std::min(length, kUnitChunk));
    uint16_t buffer[kUnitChunk];
    size_t done = 0;
    while (done < length) {
        const size_t n = std::min(kUnitChunk, length - done);
        if (!file.Read(buffer, n)) {
            Clobber(0);
            return false;
        }
        if (Capacity() < done + n) Clone(std::min(length, std::max(done + n, 2 * Capacity())));
        std::copy_n(buffer, n, rep_->Data() + done);
        done += n;
        rep_->SetLength(done);
    }
    return true;
}

// ---- free operators

RWWString operator+(const RWWString& a, const RWWString& b) {
    return RWWString(a.Data(), a.Length(), b.Data(), b.Length());
}

RWWString operator+(const RWWString& a, const char16_t* b) {
    return RWWString(a.Data(), a.Length(), b, TextLength(b));
}

RWWString operator+(const char16_t* a, const RWWString& b) {
    return RWWString(a, TextLength(a), b.Data(), b.Length());
}

bool operator==(const RWWString& a, const RWWString& b) {
    return a.Length() == b.Length() &&
           (a.Length() == 0 || std::memcmp(a.Data(), b.Data(), a.Length() * sizeof(char16_t)) == 0);
}

bool operator==(const RWWString& a, const char16_t* b) {
    if (b == nullptr) return a.Length() == 0;
    const char16_t* units = a.Data();
    const size_t length = a.Length();
    size_t i = 0;
    for (; i < length; ++i) {
        if (b[i] == 0 || b[i] != units[i]) return false;
    }
    return b[i] == 0;
}

std::strong_ordering operator<=>(const RWWString& a, const RWWString& b) {
    return a.CompareTo(b) <=> 0;
}

RWWString ToLower(const RWWString& s) {
    RWWString copy(s);
    copy.ToLower();
    return copy;
}

RWWString ToUpper(const RWWString& s) {
    RWWString copy(s);
    copy.ToUpper();
    return copy;
}

std::istream& operator>>(std::istream& is, RWWString& s) {
    return s.ReadToken(is);
}

std::ostream& operator<<(std::ostream& os, const RWWString& s) {
    std::ostream::sentry accepts(os);
    if (!accepts) return os;
    const std::streamsize width = os.width(0);
    const size_t length = s.Length();
    const size_t pad =
        width > 0 && static_cast<size_t>(width) > length ? static_cast<size_t>(width) - length : 0;
    const bool left = (os.flags() & std::ios::adjustfield) == std::ios::left;
    const auto fill = static_cast<char16_t>(static_cast<unsigned char>(os.fill()));
    bool ok = true;
    if (!left) {
        for (size_t i = 0; ok && i < pad; ++i)
            ok = PutUnit(os, fill);
    }
    const char16_t* units = s.Data();
    for (size_t i = 0; ok && i < length; ++i)
        ok = PutUnit(os, units[i]);
    if (left) {
        for (size_t i = 0; ok && i < pad; ++i)
            ok = PutUnit(os, fill);
    }
    return os;
}
