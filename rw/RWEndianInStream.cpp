#include "rw/RWEndianInStream.h"

#include <algorithm>
#include <cstring>

#include "rw/RWErrorHandler.h"

namespace {
[[noreturn]] void BadHeader(uint32_t value) {
    RWThrow(RWStreamError(RWCatalogMessage(RWTOOL_STREAM()), value));
}

// Integers are at most 8 bytes wide: any other size would overrun the
// conversion below, so the header is refused instead.
bool SizeIsSupported(unsigned size) {
    return size == 1 || size == 2 || size == 4 || size == 8;
}

// All-ones in the low `bytes` bytes (bytes <= 8).
uint64_t LowMask(size_t bytes) {
    return bytes >= 8 ? ~uint64_t{0} : (uint64_t{1} << (8 * bytes)) - 1;
}
} // namespace

RWEndianInStream::RWEndianInStream(std::streambuf* buffer) : RWBinaryInStream(buffer) {
    getHeader();
}

RWEndianInStream::RWEndianInStream(std::istream& stream) : RWBinaryInStream(stream) {
    getHeader();
}

void RWEndianInStream::getHeader() {
    unsigned char header[9];
    for (unsigned char& byte : header) {
        const int c = getByte();
        if (!good()) BadHeader(c < 0 ? 0xFFFFFFFFu : static_cast<uint32_t>(c));
        byte = static_cast<unsigned char>(c);
    }
    if (header[0] != 'e') BadHeader(header[0]);
    if (header[1] != 's') BadHeader(header[1]);
    if (header[2] != 1) BadHeader(header[2]);
    order_ = header[3] == 0 ? 0 : 1;
    for (size_t i = 4; i < 9; ++i)
        if (!SizeIsSupported(header[i])) BadHeader(header[i]);
    shortSize_ = header[4];
    intSize_ = header[5];
    longSize_ = header[6];
    wideCharSize_ = header[7];
    lengthSize_ = header[8];
    // Single values of the host's sizes are read by the base, swapped when
    // the order is not the host's; other sizes are converted here.
    const bool hostSizes = shortSize_ == hostSize(Item::Short) && intSize_ == hostSize(Item::Int) &&
                           longSize_ == hostSize(Item::Long) && lengthSize_ == hostSize(Item::Length);
    setConvert(!hostSizes ? Convert::Sizes : order_ == hostByteOrder ? Convert::None : Convert::Swap);
}

size_t RWEndianInStream::streamSize(Item item) const {
    switch (item) {
    case Item::Short:
        return shortSize_;
    case Item::Int:
        return intSize_;
    case Item::Long:
        return longSize_;
    case Item::Length:
        return lengthSize_;
    case Item::Float:
        return 4;
    case Item::Double:
        return 8;
    }
    return hostSize(item);
}

void RWEndianInStream::decode(const unsigned char* bytes, size_t size, unsigned char* image, size_t hostSize,
                              bool isSigned) {
    // The value as the stream holds it, most significant byte first.
    uint64_t value = 0;
    for (size_t i = 0; i < size; ++i)
        value = (value << 8) | bytes[order_ == 1 ? i : size - 1 - i];
    if (size < hostSize) {
        if (isSigned && ((value >> (8 * size - 1)) & 1) != 0) value |= ~LowMask(size);
    } else if (size > hostSize) {
        const uint64_t kept = value & LowMask(hostSize);
        const bool negative = isSigned && ((kept >> (8 * hostSize - 1)) & 1) != 0;
        const uint64_t surplus = value >> (8 * hostSize);
        if (surplus != (negative ? LowMask(size - hostSize) : 0))
            setstate(failbit); // does not fit: keep it cut
        value = kept;
    }
    switch (hostSize) {
    case 2: {
        const auto v = static_cast<uint16_t>(value);
        std::memcpy(image, &v, sizeof v);
        break;
    }
    case 4: {
        const auto v = static_cast<uint32_t>(value);
        std::memcpy(image, &v, sizeof v);
        break;
    }
    default:
        std::memcpy(image, &value, sizeof value);
        break;
    }
}

size_t RWEndianInStream::getImages(void* images, size_t count, Item item, bool isSigned) {
    const size_t size = streamSize(item);
    const size_t host = hostSize(item);
    if (size == host && order_ == hostByteOrder)
        return RWBinaryInStream::getImages(images, count, item, isSigned);
    if (images == nullptr) {
        if (count > 0) setstate(failbit);
        return 0;
    }
    unsigned char* out = static_cast<unsigned char*>(images);
    unsigned char chunk[512];
    const size_t perChunk = sizeof chunk / size;
    size_t done = 0;
    while (done < count) {
        const size_t want = std::min(count - done, perChunk);
        const size_t got = getBytes(chunk, want * size) / size;
        for (size_t i = 0; i < got; ++i)
            decode(chunk + i * size, size, out + (done + i) * host, host, isSigned);
        done += got;
        if (got < want) break;
    }
    return done;
}

RWVirtualInStream& RWEndianInStream::getString(char* buf, size_t size) {
    uint32_t length = 0;
    if (getImages(&length, 1, Item::Length, false) != 1 || !good()) {
        if (buf != nullptr && size > 0) buf[0] = '\0';
        setstate(failbit | badbit);
        return *this;
    }
    getStringBytes(buf, size, length);
    return *this;
}
