#include "rw/RWPortableInStream.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>

#include "rw/RWErrorHandler.h"

namespace {
constexpr int kEnd = -1;

bool IsSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(int c) {
    return c >= '0' && c <= '9';
}
int HexValue(int c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
// What may make up floating text: digits, point, signs, exponent and the
// letters of "inf", "infinity" and "nan".
bool IsFloatingChar(int c) {
    return IsDigit(c) || c == '.' || c == '+' || c == '-' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
// Longer than any number the writer makes; more is not a number.
constexpr size_t kMaxFloatingText = 64;
// The largest double as "%.15e" prints it, rounded up past DBL_MAX.
constexpr long double kLargestPrintedDouble = 1.797693134862316e308L;
} // namespace

RWPortableInStream::RWPortableInStream(std::streambuf* buffer) : buffer_(buffer) {
    state_ = buffer != nullptr ? goodbit : badbit;
}

RWPortableInStream::RWPortableInStream(std::istream& stream) : RWPortableInStream(stream.rdbuf()) {}

void RWPortableInStream::clear(unsigned state) {
    state_ = (state & (eofbit | failbit | badbit)) | (buffer_ != nullptr ? goodbit : badbit);
}

int RWPortableInStream::peekByte() {
    if (buffer_ == nullptr) return kEnd;
    const int c = buffer_->sgetc();
    return c == std::char_traits<char>::eof() ? kEnd : c;
}

int RWPortableInStream::takeByte() {
    if (buffer_ == nullptr) return kEnd;
    const int c = buffer_->sbumpc();
    return c == std::char_traits<char>::eof() ? kEnd : c;
}

int RWPortableInStream::skipSpace() {
    int c = peekByte();
    while (c != kEnd && IsSpace(c)) {
        takeByte();
        c = peekByte();
    }
    return c;
}

bool RWPortableInStream::readInteger(bool isSigned, unsigned bits, uint64_t& value) {
    int c = skipSpace();
    if (c == kEnd) {
        setstate(eofbit | failbit);
        return false;
    }
    bool negative = false;
    if (c == '+' || c == '-') {
        negative = c == '-';
        takeByte();
        c = peekByte();
    }
    uint64_t magnitude = 0;
    bool anyDigit = false;
    bool overflow = false;
    while (c != kEnd && IsDigit(c)) {
        const auto digit = static_cast<uint64_t>(c - '0');
        anyDigit = true;
        if (magnitude > (std::numeric_limits<uint64_t>::max() - digit) / 10)
            overflow = true; // keep reading the digits, the number is lost anyway
        else
            magnitude = magnitude * 10 + digit;
        takeByte();
        c = peekByte();
    }
    if (c == kEnd) setstate(eofbit);
    const uint64_t widthMask = bits >= 64 ? ~uint64_t{0} : (uint64_t{1} << bits) - 1;
    if (isSigned) {
        const uint64_t limit = (uint64_t{1} << (bits - 1)) - (negative ? 0 : 1);
        if (magnitude > limit) overflow = true;
    } else if (magnitude > widthMask) {
        overflow = true;
    }
    if (!anyDigit || overflow) {
        setstate(failbit);
        return false;
    }
    value = (negative ? uint64_t{0} - magnitude : magnitude) & widthMask;
    return true;
}

bool RWPortableInStream::readFloatingText(char* text, size_t capacity, size_t& length) {
    int c = skipSpace();
    if (c == kEnd) {
        setstate(eofbit | failbit);
        return false;
    }
    length = 0;
    bool tooLong = false;
    while (c != kEnd && IsFloatingChar(c)) {
        if (length < capacity)
            text[length++] = static_cast<char>(c);
        else
            tooLong = true;
        takeByte();
        c = peekByte();
    }
    if (c == kEnd) setstate(eofbit);
    if (length == 0 || tooLong) {
        setstate(failbit);
        return false;
    }
    return true;
}

bool RWPortableInStream::readDouble(double& value) {
    char text[kMaxFloatingText];
    size_t length = 0;
    if (!readFloatingText(text, sizeof text, length)) return false;
    const char* first = text;
    const char* last = text + length;
    if (first[0] == '+' && length > 1 && first[1] != '-' && first[1] != '+')
        ++first; // from_chars takes no '+'
    double parsed = 0;
    auto [end, error] = std::from_chars(first, last, parsed, std::chars_format::general);
    if (error == std::errc::result_out_of_range && end == last) {
        // "%.15e" rounds the largest doubles up past DBL_MAX; they are still ours.
        long double wide = 0;
        auto [wideEnd, wideError] = std::from_chars(first, last, wide, std::chars_format::general);
        if (wideError == std::errc{} && wideEnd == last && std::fabs(wide) > 1 &&
            std::fabs(wide) <= kLargestPrintedDouble) {
            parsed = wide < 0 ? -DBL_MAX : DBL_MAX;
            error = std::errc{};
        }
    }
    if (error != std::errc{} || end != last) {
        setstate(failbit);
        return false;
    }
    value = parsed;
    return true;
}

bool RWPortableInStream::readFloat(float& value) {
    char text[kMaxFloatingText];
    size_t length = 0;
    if (!readFloatingText(text, sizeof text, length)) return false;
    const char* first = text;
    const char* last = text + length;
    if (first[0] == '+' && length > 1 && first[1] != '-' && first[1] != '+') ++first;
    float parsed = 0;
    const auto [end, error] = std::from_chars(first, last, parsed, std::chars_format::general);
    if (error != std::errc{} || end != last) {
        setstate(failbit);
        return false;
    }
    value = parsed;
    return true;
}

int RWPortableInStream::readEscaped() {
    int c = takeByte();
    while (c == '\n')
        c = takeByte();
    if (c == kEnd) {
        setstate(eofbit | failbit);
        return -1;
    }
    if (c != '\\') return c;
    c = takeByte();
    switch (c) {
    case kEnd:
        setstate(eofbit | failbit);
        return -1;
    case '"':
        return '"';
    case '[':
        return '{';
    case ']':
        return '}';
    case '\\':
        return '\\';
    case 'b':
        return 8;
    case 'f':
        return 12;
    case 'n':
        return 10;
    case 'r':
        return 13;
    case 't':
        return 9;
    case 'x': {
        // Up to two characters, stopping at a newline; their leading hex digits are the byte.
        int value = 0;
        int digits = 0;
        bool more = true;
        for (int i = 0; i < 2; ++i) {
            const int next = peekByte();
            if (next == kEnd || next == '\n') break;
            takeByte();
            const int hex = HexValue(next);
            if (hex < 0) more = false;
            if (more) {
                value = value * 16 + hex;
                ++digits;
            }
        }
        if (digits == 0) {
            setstate(failbit);
            return -1;
        }
        return value;
    }
    default:
        return c; // an unknown escape stands for itself
    }
}

template <typename T> void RWPortableInStream::readIntegers(T* p, size_t n, bool isSigned, unsigned bits) {
    if (p == nullptr) {
        if (n > 0) setstate(failbit);
        return;
    }
    for (size_t i = 0; i < n; ++i) {
        uint64_t value = 0;
        if (!readInteger(isSigned, bits, value)) return; // no point reading on past bad text
        if (isSigned) {
            // Sign-extend from the wire width, then cut to the C++ type (8-bit reads keep the low byte).
            const uint64_t sign = uint64_t{1} << (bits - 1);
            const auto wide = static_cast<int64_t>((value ^ sign) - sign);
            p[i] = static_cast<T>(wide);
        } else {
            p[i] = static_cast<T>(value);
        }
    }
}

RWVirtualInStream& RWPortableInStream::get(unsigned long* p, size_t n) {
    readIntegers(p, n, false, 32);
    return *this;
}

RWVirtualInStream& RWPortableInStream::get(unsigned int* p, size_t n) {
    readIntegers(p, n, false, 32);
    return *this;
}

RWVirtualInStream& RWPortableInStream::get(unsigned short* p, size_t n) {
    readIntegers(p, n, false, 16);
    return *this;
}

RWVirtualInStream& RWPortableInStream::get(unsigned char* p, size_t n) {
    readIntegers(p, n, false, 32); // an unsigned int, low byte kept
    return *this;
}

RWVirtualInStream& RWPortableInStream::get(short* p, size_t n) {
    readIntegers(p, n, true, 16);
    return *this;
}

RWVirtualInStream& RWPortableInStream::get(long* p, size_t n) {
    readIntegers(p, n, true, 32);
    return *this;
}

RWVirtualInStream& RWPortableInStream::get(int* p, size_t n) {
    readIntegers(p, n, true, 32);
    return *this;
}

RWVirtualInStream& RWPortableInStream::get(float* p, size_t n) {
    if (p == nullptr) {
        if (n > 0) setstate(failbit);
        return *this;
    }
    for (size_t i = 0; i < n && readFloat(p[i]); ++i) {
    }
    return *this;
}

RWVirtualInStream& RWPortableInStream::get(double* p, size_t n) {
    if (p == nullptr) {
        if (n > 0) setstate(failbit);
        return *this;
    }
    for (size_t i = 0; i < n && readDouble(p[i]); ++i) {
    }
    return *this;
}

RWVirtualInStream& RWPortableInStream::get(char* p, size_t n) {
    readIntegers(p, n, true, 32); // an int, low byte kept
    return *this;
}

RWVirtualInStream& RWPortableInStream::get(unsigned char& value) {
    return get(&value, 1);
}

RWVirtualInStream& RWPortableInStream::get(char& value) {
    return get(&value, 1);
}

int RWPortableInStream::get() {
    uint64_t value = 0;
    if (!readInteger(true, 32, value)) return -1;
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

RWVirtualInStream& RWPortableInStream::getString(char* buf, size_t size) {
    const bool haveRoom = buf != nullptr && size > 0;
    if (haveRoom) buf[0] = '\0';
    const int open = skipSpace();
    if (open == kEnd) {
        setstate(eofbit | failbit);
        return *this;
    }
    if (open != '"') {
        // The byte stays in the buffer for whoever handles the error.
        setstate(failbit);
        const char got[2] = {static_cast<char>(open), '\0'};
        RWThrowCatalog<RWExternalError>(RWCORE_SYNSTREAM(), "\"", got);
    }
    takeByte();
    size_t stored = 0;
    bool full = false;
    for (;;) {
        const int c = peekByte();
        if (c == kEnd) {
            setstate(eofbit | failbit);
            break;
        }
        if (c == '\n') {
            takeByte();
            continue;
        }
        if (c == '"') {
            takeByte();
            break;
        }
        if (!haveRoom || stored == size - 1) {
            full = true;
            break;
        }
        const int value = readEscaped();
        if (value < 0) break;
        buf[stored++] = static_cast<char>(value);
    }
    if (full) {
        // Drop the rest escape by escape, so an escaped quote does not end
        // the string early and leave its tail to the next read.
        for (;;) {
            const int c = peekByte();
            if (c == kEnd) {
                setstate(eofbit | failbit);
                break;
            }
            if (c == '"' || c == '\n') {
                takeByte();
                if (c == '"') break;
                continue;
            }
            if (readEscaped() < 0) break;
        }
        setstate(failbit);
    }
    if (haveRoom) buf[stored] = '\0';
    return *this;
}

RWVirtualInStream& RWPortableInStream::operator>>(unsigned long& value) {
    return get(&value, 1);
}

RWVirtualInStream& RWPortableInStream::operator>>(unsigned int& value) {
    return get(&value, 1);
}

RWVirtualInStream& RWPortableInStream::operator>>(unsigned short& value) {
    return get(&value, 1);
}

RWVirtualInStream& RWPortableInStream::operator>>(unsigned char& c) {
    skipSpace();
    const int value = readEscaped();
    if (value >= 0) c = static_cast<unsigned char>(value);
    return *this;
}

RWVirtualInStream& RWPortableInStream::operator>>(short& value) {
    return get(&value, 1);
}

RWVirtualInStream& RWPortableInStream::operator>>(long& value) {
    return get(&value, 1);
}

RWVirtualInStream& RWPortableInStream::operator>>(int& value) {
    return get(&value, 1);
}

RWVirtualInStream& RWPortableInStream::operator>>(float& value) {
    return get(&value, 1);
}

RWVirtualInStream& RWPortableInStream::operator>>(double& value) {
    return get(&value, 1);
}

RWVirtualInStream& RWPortableInStream::operator>>(char& c) {
    skipSpace();
    const int value = readEscaped();
    if (value >= 0) c = static_cast<char>(static_cast<unsigned char>(value));
    return *this;
}
