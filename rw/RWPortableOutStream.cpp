#include "rw/RWPortableOutStream.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>
#include <utility>

namespace {
// Writes the escaped form of a byte into out (room for 4) and returns its
// length. "Printable" is fixed to the graphic characters of ASCII
// (0x21..0x7E), what the classic C locale calls printable less the space; it
// never follows the process locale or the ANSI code page, so a value gives
// the same text on every machine and the text is plain ASCII. Bytes above
// 0x7E always go out as hex escapes, which every reader takes.
size_t Escape(unsigned char byte, char* out) {
    char second = 0;
    switch (byte) {
    case 8:
        second = 'b';
        break;
    case 9:
        second = 't';
        break;
    case 10:
        second = 'n';
        break;
    case 12:
        second = 'f';
        break;
    case 13:
        second = 'r';
        break;
    case '"':
        second = '"';
        break;
    case '\\':
        second = '\\';
        break;
    case '{':
        second = '[';
        break;
    case '}':
        second = ']';
        break;
    default:
        break;
    }
    if (second != 0) {
        out[0] = '\\';
        out[1] = second;
        return 2;
    }
    if (byte >= 0x21 && byte <= 0x7E) {
        out[0] = static_cast<char>(byte);
        return 1;
    }
    static constexpr char kHex[] = "0123456789abcdef";
    out[0] = '\\';
    out[1] = 'x';
    out[2] = kHex[byte >> 4];
    out[3] = kHex[byte & 0xF];
    return 4;
}
} // namespace

RWPortableOutStream::RWPortableOutStream(std::streambuf* buffer) : buffer_(buffer) {
    state_ = buffer != nullptr ? goodbit : badbit;
}

RWPortableOutStream::RWPortableOutStream(std::ostream& stream) : RWPortableOutStream(stream.rdbuf()) {}

void RWPortableOutStream::clear(unsigned state) {
    state_ = (state & (eofbit | failbit | badbit)) | (buffer_ != nullptr ? goodbit : badbit);
}

void RWPortableOutStream::putText(const char* text, size_t n) {
    if (n == 0) return;
    if (buffer_ == nullptr) {
        setstate(failbit);
        return;
    }
    while (n > 0) {
        const auto ask = static_cast<std::streamsize>(
            std::min<size_t>(n, static_cast<size_t>(std::numeric_limits<std::streamsize>::max())));
        const std::streamsize stored = buffer_->sputn(text, ask);
        if (stored <= 0) {
            setstate(failbit);
            return;
        }
        text += stored;
        n -= static_cast<size_t>(stored);
        if (n > 0) buffer_->pubsync();
    }
}

void RWPortableOutStream::putPiece(const char* text, size_t n) {
    if (column_ + n > maxColumn) {
        putText("\n", 1);
        column_ = 0;
    }
    column_ += static_cast<unsigned>(n);
    putText(text, n);
}

void RWPortableOutStream::putEscaped(unsigned char byte) {
    char text[4];
    putPiece(text, Escape(byte, text));
}

template <typename T> void RWPortableOutStream::putInteger(T value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text - 1, value);
    *result.ptr = '\n';
    putText(text, static_cast<size_t>(result.ptr - text) + 1);
}

void RWPortableOutStream::putFloating(double value, int digits) {
    // to_chars is locale-free: never a decimal comma, whatever the process set.
    char text[64];
    const auto result =
        std::to_chars(text, text + sizeof text - 1, value, std::chars_format::scientific, digits);
    *result.ptr = '\n';
    putText(text, static_cast<size_t>(result.ptr - text) + 1);
}

// Writes each element as a number of the Wire type (long is 32-bit).
template <typename T, typename Wire> void RWPortableOutStream::putArray(const T* p, size_t n) {
    if (p == nullptr) {
        if (n > 0) setstate(failbit);
        return;
    }
    for (size_t i = 0; i < n; ++i) {
        if constexpr (std::is_same_v<Wire, double>)
            putFloating(p[i], 15);
        else if constexpr (std::is_same_v<Wire, float>)
            putFloating(p[i], 6);
        else {
            if (!std::in_range<Wire>(p[i])) setstate(failbit);
            putInteger(static_cast<Wire>(p[i]));
        }
    }
}

RWVirtualOutStream& RWPortableOutStream::putString(const char* s, size_t n) {
    if (s == nullptr && n > 0) {
        setstate(failbit);
        return *this;
    }
    putPiece("\"", 1);
    for (size_t i = 0; i < n; ++i)
        putEscaped(static_cast<unsigned char>(s[i]));
    putPiece("\"", 1);
    return *this;
}

RWVirtualOutStream& RWPortableOutStream::operator<<(unsigned short value) {
    putInteger(value);
    return *this;
}

RWVirtualOutStream& RWPortableOutStream::operator<<(short value) {
    putInteger(value);
    return *this;
}

RWVirtualOutStream& RWPortableOutStream::operator<<(unsigned long value) {
    return put(&value, 1);
}

RWVirtualOutStream& RWPortableOutStream::operator<<(long value) {
    return put(&value, 1);
}

RWVirtualOutStream& RWPortableOutStream::operator<<(unsigned int value) {
    putInteger(value);
    return *this;
}

RWVirtualOutStream& RWPortableOutStream::operator<<(int value) {
    putInteger(value);
    return *this;
}

RWVirtualOutStream& RWPortableOutStream::operator<<(float value) {
    putFloating(value, 6);
    return *this;
}

RWVirtualOutStream& RWPortableOutStream::operator<<(double value) {
    putFloating(value, 15);
    return *this;
}

RWVirtualOutStream& RWPortableOutStream::operator<<(unsigned char c) {
    putEscaped(c);
    return *this;
}

RWVirtualOutStream& RWPortableOutStream::operator<<(char c) {
    putEscaped(static_cast<unsigned char>(c));
    return *this;
}

RWVirtualOutStream& RWPortableOutStream::operator<<(const char* s) {
    return putString(s, s != nullptr ? std::strlen(s) : 0);
}

RWVirtualOutStream& RWPortableOutStream::flush() {
    if (buffer_ == nullptr || buffer_->pubsync() == -1) setstate(badbit);
    return *this;
}

RWVirtualOutStream& RWPortableOutStream::put(const double* p, size_t n) {
    putArray<double, double>(p, n);
    return *this;
}

RWVirtualOutStream& RWPortableOutStream::put(const float* p, size_t n) {
    putArray<float, float>(p, n);
    return *this;
}

RWVirtualOutStream& RWPortableOutStream::put(const unsigned long* p, size_t n) {
    putArray<unsigned long, uint32_t>(p, n);
    return *this;
}

RWVirtualOutStream& RWPortableOutStream::put(const long* p, size_t n) {
    putArray<long, int32_t>(p, n);
    return *this;
}

RWVirtualOutStream& RWPortableOutStream::put(const unsigned int* p, size_t n) {
    putArray<unsigned int, unsigned int>(p, n);
    return *this;
}

RWVirtualOutStream& RWPortableOutStream::put(const int* p, size_t n) {
    putArray<int, int>(p, n);
    return *this;
}

RWVirtualOutStream& RWPortableOutStream::put(const unsigned short* p, size_t n) {
    putArray<unsigned short, unsigned short>(p, n);
    return *this;
}

RWVirtualOutStream& RWPortableOutStream::put(const short* p, size_t n) {
    putArray<short, short>(p, n);
    return *this;
}

RWVirtualOutStream& RWPortableOutStream::put(const unsigned char* p, size_t n) {
    putArray<unsigned char, unsigned char>(p, n);
    return *this;
}

RWVirtualOutStream& RWPortableOutStream::put(unsigned char value) {
    return put(&value, 1);
}

RWVirtualOutStream& RWPortableOutStream::put(const char* p, size_t n) {
    // 8-bit signed numbers, whatever the signedness of char.
    if (p == nullptr) {
        if (n > 0) setstate(failbit);
        return *this;
    }
    for (size_t i = 0; i < n; ++i)
        putInteger(static_cast<int>(static_cast<signed char>(p[i])));
    return *this;
}

RWVirtualOutStream& RWPortableOutStream::put(char value) {
    return put(&value, 1);
}
