#include "rw/RWBinaryOutStream.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {
// Values converted per step when the C++ type is wider than the wire.
constexpr size_t kWriteChunkValues = 256;
} // namespace

RWBinaryOutStream::RWBinaryOutStream(std::streambuf* buffer) : buffer_(buffer) {
    state_ = buffer != nullptr ? goodbit : badbit;
}

RWBinaryOutStream::RWBinaryOutStream(std::ostream& stream) : RWBinaryOutStream(stream.rdbuf()) {}

void RWBinaryOutStream::clear(unsigned state) {
    state_ = (state & (eofbit | failbit | badbit)) | (buffer_ != nullptr ? goodbit : badbit);
}

void RWBinaryOutStream::putBytes(const void* bytes, size_t n) {
    if (n == 0) return;
    if (buffer_ == nullptr || bytes == nullptr) {
        setstate(failbit);
        return;
    }
    const char* p = static_cast<const char*>(bytes);
    while (n > 0) {
        const auto ask = static_cast<std::streamsize>(
            std::min<size_t>(n, static_cast<size_t>(std::numeric_limits<std::streamsize>::max())));
        const std::streamsize stored = buffer_->sputn(p, ask);
        if (stored <= 0) {
            setstate(failbit);
            return;
        }
        p += stored;
        n -= static_cast<size_t>(stored);
        if (n > 0) buffer_->pubsync(); // a full buffer may take the rest once emptied
    }
}

void RWBinaryOutStream::putImages(const void* images, size_t count, size_t size) {
    if (count > std::numeric_limits<size_t>::max() / size) {
        setstate(failbit);
        return;
    }
    putBytes(images, count * size);
}

int32_t RWBinaryOutStream::narrowLong(long value) {
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        setstate(failbit);
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

uint32_t RWBinaryOutStream::narrowLong(unsigned long value) {
    if (value > std::numeric_limits<uint32_t>::max()) setstate(failbit);
    return static_cast<uint32_t>(value);
}

template <typename Long, typename Wire> void RWBinaryOutStream::putLongs(const Long* p, size_t n) {
    if (p == nullptr && n > 0) {
        setstate(failbit);
        return;
    }
    Wire chunk[kWriteChunkValues];
    while (n > 0) {
        const size_t k = std::min(n, kWriteChunkValues);
        for (size_t i = 0; i < k; ++i)
            chunk[i] = narrowLong(p[i]);
        putImages(chunk, k, sizeof(Wire));
        p += k;
        n -= k;
    }
}

RWVirtualOutStream& RWBinaryOutStream::putString(const char* s, size_t n) {
    if (n > std::numeric_limits<uint32_t>::max() || (s == nullptr && n > 0)) {
        setstate(failbit); // the length word cannot say it
        return *this;
    }
    const uint32_t length = static_cast<uint32_t>(n);
    putImages(&length, 1, sizeof length);
    putBytes(s, n);
    return *this;
}

RWVirtualOutStream& RWBinaryOutStream::operator<<(unsigned short value) {
    putImages(&value, 1, sizeof value);
    return *this;
}

RWVirtualOutStream& RWBinaryOutStream::operator<<(short value) {
    putImages(&value, 1, sizeof value);
    return *this;
}

RWVirtualOutStream& RWBinaryOutStream::operator<<(unsigned long value) {
    const uint32_t wire = narrowLong(value);
    putImages(&wire, 1, sizeof wire);
    return *this;
}

RWVirtualOutStream& RWBinaryOutStream::operator<<(long value) {
    const int32_t wire = narrowLong(value);
    putImages(&wire, 1, sizeof wire);
    return *this;
}

RWVirtualOutStream& RWBinaryOutStream::operator<<(unsigned int value) {
    putImages(&value, 1, sizeof value);
    return *this;
}

RWVirtualOutStream& RWBinaryOutStream::operator<<(int value) {
    putImages(&value, 1, sizeof value);
    return *this;
}

RWVirtualOutStream& RWBinaryOutStream::operator<<(float value) {
    putImages(&value, 1, sizeof value);
    return *this;
}

RWVirtualOutStream& RWBinaryOutStream::operator<<(double value) {
    putImages(&value, 1, sizeof value);
    return *this;
}

RWVirtualOutStream& RWBinaryOutStream::operator<<(unsigned char c) {
    putBytes(&c, 1);
    return *this;
}

RWVirtualOutStream& RWBinaryOutStream::operator<<(char c) {
    putBytes(&c, 1);
    return *this;
}

RWVirtualOutStream& RWBinaryOutStream::operator<<(const char* s) {
    return putString(s, s != nullptr ? std::strlen(s) : 0);
}

RWVirtualOutStream& RWBinaryOutStream::flush() {
    if (buffer_ == nullptr || buffer_->pubsync() == -1) setstate(badbit);
    return *this;
}

RWVirtualOutStream& RWBinaryOutStream::put(const double* p, size_t n) {
    putImages(p, n, sizeof *p);
    return *this;
}

RWVirtualOutStream& RWBinaryOutStream::put(const float* p, size_t n) {
    putImages(p, n, sizeof *p);
    return *this;
}

RWVirtualOutStream& RWBinaryOutStream::put(const unsigned long* p, size_t n) {
    putLongs<unsigned long, uint32_t>(p, n);
    return *this;
}

RWVirtualOutStream& RWBinaryOutStream::put(const long* p, size_t n) {
    putLongs<long, int32_t>(p, n);
    return *this;
}

RWVirtualOutStream& RWBinaryOutStream::put(const unsigned int* p, size_t n) {
    putImages(p, n, sizeof *p);
    return *this;
}

RWVirtualOutStream& RWBinaryOutStream::put(const int* p, size_t n) {
    putImages(p, n, sizeof *p);
    return *this;
}

RWVirtualOutStream& RWBinaryOutStream::put(const unsigned short* p, size_t n) {
    putImages(p, n, sizeof *p);
    return *this;
}

RWVirtualOutStream& RWBinaryOutStream::put(const short* p, size_t n) {
    putImages(p, n, sizeof *p);
    return *this;
}

RWVirtualOutStream& RWBinaryOutStream::put(const unsigned char* p, size_t n) {
    putBytes(p, n);
    return *this;
}

RWVirtualOutStream& RWBinaryOutStream::put(unsigned char value) {
    putBytes(&value, 1);
    return *this;
}

RWVirtualOutStream& RWBinaryOutStream::put(const char* p, size_t n) {
    putBytes(p, n);
    return *this;
}

RWVirtualOutStream& RWBinaryOutStream::put(char value) {
    putBytes(&value, 1);
    return *this;
}
