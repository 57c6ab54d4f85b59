#include "rw/RWWString.h"

#include <algorithm>
#include <cstring>
#include <istream>
#include <ostream>

#include "rw/RWBinaryFile.h"
#include "rw/RWCarrier.h"
#include "rw/RWErrorHandler.h"
#include "rw/RWNewCapacity.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"
#include "rw/RWWSubString.h"
#include "rw/RWWideChar.h"
#include "winapi/WinKernel.h"

namespace {

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

RWWString::RWWString(char16_t c) : RWStringBase(RWWStringRep::Make(CurrentInitialCapacity(), 1)) {
    rep_->Data()[0] = c;
}

RWWString::RWWString(const char* text, NarrowMode mode) {
    FromNarrow(text, text != nullptr ? std::strlen(text) : 0, mode);
}

RWWString::RWWString(const char* text, size_t n, NarrowMode mode) {
    FromNarrow(text, n, mode);
}

RWWString::RWWString(const RWCString& text, NarrowMode mode) {
    FromNarrow(text.Data(), text.Length(), mode);
}

RWWString::RWWString(const RWWSubString& sub) : RWStringBase(MakeAdjusted(sub.Data(), sub.Length())) {}

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

RWWString RWWString::CollationKey() const {
    return RWWString(Data(), RWWideLength(Data()));
}

// ---- reading from iostreams

void RWWString::PutRead(size_t& length, char16_t unit) {
    if (length == Capacity()) {
        rep_->SetLength(length);
        // The library's growth rule for 2-byte items (OVFLOW past 32 bits).
        Clone(RWNewCapacity(static_cast<uint32_t>(std::min<size_t>(length, UINT32_MAX)), 2));
    }
    rep_->Data()[length++] = unit;
}

void RWWString::TakeIncrementCapacity(size_t length) {
    if (rep_->IsNullRep()) return;
    // What growing by the increment from the initial capacity gives.
    const size_t initial = CurrentInitialCapacity();
    const size_t increment = CurrentResizeIncrement();
    size_t capacity = initial;
    if (length > initial) {
        if (length > SIZE_MAX / 8 - increment) RWCString::RaiseOverflow();
        capacity = initial + (length - initial + increment - 1) / increment * increment;
    }
    if (Capacity() != capacity) {
        rep_->SetLength(length);
        Clone(capacity);
    }
}

void RWWString::EndRead(size_t length) {
    if (rep_->IsNullRep()) return; // nothing was read into the shared empty block
    rep_->SetLength(length);
    if (Capacity() - length > CurrentMaxWaste()) Clone(AdjustCapacity(length));
}

std::istream& RWWString::ReadUntil(std::istream& is, bool useDelimiter, char16_t delim, bool skipWhite) {
    if (!is.good()) {
        Clobber(0);
        return is;
    }
    Clobber(CurrentInitialCapacity());
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
        PutRead(length, unit);
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
    Clobber(CurrentInitialCapacity());
    const std::streamsize width = is.width(0);
    size_t length = 0;
    char16_t unit;
    bool haveUnit;
    while ((haveUnit = GetUnit(is, unit)) && RWWideIsSpace(unit)) {
    }
    while (haveUnit && !RWWideIsSpace(unit)) {
        PutRead(length, unit);
        if (width > 0 && length >= static_cast<size_t>(width)) break;
        haveUnit = GetUnit(is, unit);
    }
    TakeIncrementCapacity(length);
    EndRead(length);
    return is;
}

// ---- persistence

template <class Carrier> bool RWWString::SaveUnits(Carrier& carrier) const {
    const size_t length = Length();
    if (length > UINT32_MAX) {
        RWMarkSaveFailed(carrier); // no 32-bit length can say it
        return false;
    }
    RWSaveU32(carrier, static_cast<uint32_t>(length));
    uint16_t buffer[kUnitChunk];
    const char16_t* units = Data();
    for (size_t done = 0; done < length && RWSaveGood(carrier);) {
        const size_t n = std::min(kUnitChunk, length - done);
        std::copy_n(units + done, n, buffer);
        RWSaveU16s(carrier, buffer, n);
        done += n;
    }
    return RWSaveGood(carrier);
}

template <class Carrier> bool RWWString::RestoreUnits(Carrier& carrier) {
    uint32_t stored = 0;
    if (!RWRestoreU32(carrier, stored)) {
        Clobber(0);
        return false;
    }
    return RestoreChars(stored, kUnitChunk, [&carrier](char16_t* into, size_t n) {
        uint16_t buffer[kUnitChunk];
        if (!RWRestoreU16s(carrier, buffer, n)) return false;
        std::copy_n(buffer, n, into);
        return true;
    });
}

void RWWString::SaveOn(RWVirtualOutStream& stream) const {
    SaveUnits(stream);
}

void RWWString::RestoreFrom(RWVirtualInStream& stream) {
    RestoreUnits(stream);
}

bool RWWString::SaveOn(RWBinaryFile& file) const {
    return SaveUnits(file);
}

bool RWWString::RestoreFrom(RWBinaryFile& file) {
    return RestoreUnits(file);
}

// ---- stream operators

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
