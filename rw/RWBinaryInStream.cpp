#include "rw/RWBinaryInStream.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <type_traits>

namespace {
// Values converted per step when the C++ type is wider than the wire.
constexpr size_t kChunkValues = 256;
} // namespace

RWBinaryInStream::RWBinaryInStream(std::streambuf* buffer) : buffer_(buffer) {
    state_ = buffer != nullptr ? goodbit : badbit;
}

RWBinaryInStream::RWBinaryInStream(std::istream& stream) : RWBinaryInStream(stream.rdbuf()) {}

void RWBinaryInStream::clear(unsigned state) {
    state_ = (state & (eofbit | failbit | badbit)) | (buffer_ != nullptr ? goodbit : badbit);
}

size_t RWBinaryInStream::getBytes(void* bytes, size_t n) {
    if (n == 0) return 0;
    if (bytes == nullptr) {
        setstate(failbit);
        return 0;
    }
    if (buffer_ == nullptr) {
        setstate(eofbit | failbit);
        return 0;
    }
    char* p = static_cast<char*>(bytes);
    size_t got = 0;
    while (got < n) {
        const auto ask = static_cast<std::streamsize>(
            std::min<size_t>(n - got, static_cast<size_t>(std::numeric_limits<std::streamsize>::max())));
        const std::streamsize k = buffer_->sgetn(p + got, ask);
        if (k <= 0) break;
        got += static_cast<size_t>(k);
    }
    if (got < n) setstate(eofbit | failbit);
    return got;
}

int RWBinaryInStream::getByte() {
    const int c = buffer_ != nullptr ? buffer_->sbumpc() : std::char_traits<char>::eof();
    if (c == std::char_traits<char>::eof()) {
        setstate(eofbit | failbit);
        return -1;
    }
    return c;
}

void RWBinaryInStream::skipBytes(uint64_t n) {
    char scratch[512];
    while (n > 0 && good()) {
        const size_t k = static_cast<size_t>(std::min<uint64_t>(n, sizeof scratch));
        if (getBytes(scratch, k) < k) return;
        n -= k;
    }
}

void RWBinaryInStream::getStringBytes(char* buf, size_t size, uint64_t length) {
    if (buf == nullptr || size == 0) {
        // Not even room for the terminator: drop the string and say so.
        skipBytes(length);
        setstate(failbit);
        return;
    }
    const size_t want = static_cast<size_t>(std::min<uint64_t>(length, size - 1));
    const size_t got = getBytes(buf, want);
    buf[got] = '\0';
    if (length > want) {
        skipBytes(length - want); // stay positioned after the string
        setstate(failbit);
    }
}

size_t RWBinaryInStream::getImages(void* images, size_t count, Item item, bool) {
    const size_t size = hostSize(item);
    if (count > std::numeric_limits<size_t>::max() / size) {
        setstate(failbit);
        return 0;
    }
    return getBytes(images, count * size) / size;
}

template <typename Long, typename Wire> void RWBinaryInStream::getLongs(Long* p, size_t n, bool isSigned) {
    if (p == nullptr && n > 0) {
        setstate(failbit);
        return;
    }
    Wire chunk[kChunkValues];
    while (n > 0) {
        const size_t want = std::min(n, kChunkValues);
        const size_t got = getImages(chunk, want, Item::Long, isSigned);
        for (size_t i = 0; i < got; ++i)
            p[i] = chunk[i];
        if (got < want) return;
        p += got;
        n -= got;
    }
}

namespace {
template <typename Word> Word Swapped(Word word) {
    if constexpr (sizeof word == 2) {
        return __builtin_bswap16(word);
    } else if constexpr (sizeof word == 4) {
        return __builtin_bswap32(word);
    } else {
        return __builtin_bswap64(word);
    }
}
} // namespace

template <typename Wire, typename T> void RWBinaryInStream::getOne(T& value, Item item, bool isSigned) {
    static_assert(sizeof(Wire) == 2 || sizeof(Wire) == 4 || sizeof(Wire) == 8);
    Wire image;
    if (convert_ == Convert::Sizes) {
        if (getImages(&image, 1, item, isSigned) == 1) value = image;
        return;
    }
    // The host's sizes: the bytes themselves, reversed in a register when
    // the stream's order is the other one.
    using Word = std::conditional_t<sizeof(Wire) == 2, uint16_t,
                                    std::conditional_t<sizeof(Wire) == 4, uint32_t, uint64_t>>;
    // Byte by byte through the buffer's inline get, assembled in a register.
    if (buffer_ == nullptr) {
        setstate(eofbit | failbit);
        return;
    }
    Word word = 0;
    for (size_t i = 0; i < sizeof word; ++i) {
        const int c = buffer_->sbumpc();
        if (c == std::char_traits<char>::eof()) {
            setstate(eofbit | failbit);
            return;
        }
        const size_t shift = std::endian::native == std::endian::little ? 8 * i : 8 * (sizeof word - 1 - i);
        word = static_cast<Word>(word | static_cast<Word>(static_cast<unsigned char>(c)) << shift);
    }
    if (convert_ == Convert::Swap) word = Swapped(word);
    std::memcpy(&image, &word, sizeof word);
    value = image;
}

RWVirtualInStream& RWBinaryInStream::get(unsigned long* p, size_t n) {
    getLongs<unsigned long, uint32_t>(p, n, false);
    return *this;
}

RWVirtualInStream& RWBinaryInStream::get(unsigned int* p, size_t n) {
    getImages(p, n, Item::Int, false);
    return *this;
}

RWVirtualInStream& RWBinaryInStream::get(unsigned short* p, size_t n) {
    getImages(p, n, Item::Short, false);
    return *this;
}

RWVirtualInStream& RWBinaryInStream::get(unsigned char* p, size_t n) {
    getBytes(p, n);
    return *this;
}

RWVirtualInStream& RWBinaryInStream::get(short* p, size_t n) {
    getImages(p, n, Item::Short, true);
    return *this;
}

RWVirtualInStream& RWBinaryInStream::get(long* p, size_t n) {
    getLongs<long, int32_t>(p, n, true);
    return *this;
}

RWVirtualInStream& RWBinaryInStream::get(int* p, size_t n) {
    getImages(p, n, Item::Int, true);
    return *this;
}

RWVirtualInStream& RWBinaryInStream::get(float* p, size_t n) {
    getImages(p, n, Item::Float, true);
    return *this;
}

RWVirtualInStream& RWBinaryInStream::get(double* p, size_t n) {
    getImages(p, n, Item::Double, true);
    return *this;
}

RWVirtualInStream& RWBinaryInStream::get(char* p, size_t n) {
    getBytes(p, n);
    return *this;
}

RWVirtualInStream& RWBinaryInStream::get(unsigned char& value) {
    const int c = getByte();
    value = c < 0 ? 0xFF : static_cast<unsigned char>(c);
    return *this;
}

RWVirtualInStream& RWBinaryInStream::get(char& value) {
    const int c = getByte();
    value = static_cast<char>(c < 0 ? 0xFF : c);
    return *this;
}

int RWBinaryInStream::get() {
    return getByte();
}

RWVirtualInStream& RWBinaryInStream::getString(char* buf, size_t size) {
    uint32_t length = 0;
    if (getImages(&length, 1, Item::Length, false) != 1) {
        if (buf != nullptr && size > 0) buf[0] = '\0';
        return *this;
    }
    getStringBytes(buf, size, length);
    return *this;
}

RWVirtualInStream& RWBinaryInStream::operator>>(unsigned long& value) {
    getOne<uint32_t>(value, Item::Long, false);
    return *this;
}

RWVirtualInStream& RWBinaryInStream::operator>>(unsigned int& value) {
    getOne<unsigned int>(value, Item::Int, false);
    return *this;
}

RWVirtualInStream& RWBinaryInStream::operator>>(unsigned short& value) {
    getOne<unsigned short>(value, Item::Short, false);
    return *this;
}

RWVirtualInStream& RWBinaryInStream::operator>>(unsigned char& c) {
    return get(c);
}

RWVirtualInStream& RWBinaryInStream::operator>>(short& value) {
    getOne<short>(value, Item::Short, true);
    return *this;
}

RWVirtualInStream& RWBinaryInStream::operator>>(long& value) {
    getOne<int32_t>(value, Item::Long, true);
    return *this;
}

RWVirtualInStream& RWBinaryInStream::operator>>(int& value) {
    getOne<int>(value, Item::Int, true);
    return *this;
}

RWVirtualInStream& RWBinaryInStream::operator>>(float& value) {
    getOne<float>(value, Item::Float, true);
    return *this;
}

RWVirtualInStream& RWBinaryInStream::operator>>(double& value) {
    getOne<double>(value, Item::Double, true);
    return *this;
}

RWVirtualInStream& RWBinaryInStream::operator>>(char& c) {
    return get(c);
}
