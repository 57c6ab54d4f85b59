#include "rw/RWEndianOutStream.h"

#include <algorithm>

#include "rw/RWErrorHandler.h"

namespace {
unsigned char ChooseOrder(int order) {
    if (order == RWEndianOutStream::littleEndian || order == RWEndianOutStream::bigEndian)
        return static_cast<unsigned char>(order);
    return RWVirtualStreamBase::hostByteOrder;
}
} // namespace

RWEndianOutStream::RWEndianOutStream(std::streambuf* buffer, int order)
    : RWBinaryOutStream(buffer), order_(ChooseOrder(order)) {
    putHeader();
}

RWEndianOutStream::RWEndianOutStream(std::ostream& stream, int order)
    : RWBinaryOutStream(stream), order_(ChooseOrder(order)) {
    putHeader();
}

void RWEndianOutStream::putHeader() {
    // The header has to be the first thing in the sink, or a reader would
    // never find it.
    std::streambuf* buffer = rdbuf();
    const std::streamoff end =
        buffer != nullptr ? std::streamoff(buffer->pubseekoff(0, std::ios_base::end, std::ios_base::out))
                          : -1;
    if (end != 0) RWThrow(RWStreamError(RWCatalogMessage(RWTOOL_STREAM()), static_cast<uint32_t>(end)));
    const unsigned char header[9] = {'e', 's', 1, order_, 2, 4, 4, 2, 4};
    putBytes(header, sizeof header);
}

void RWEndianOutStream::putImages(const void* images, size_t count, size_t size) {
    if (order_ == hostByteOrder || size == 1 || images == nullptr) {
        RWBinaryOutStream::putImages(images, count, size);
        return;
    }
    const unsigned char* in = static_cast<const unsigned char*>(images);
    unsigned char chunk[512];
    const size_t perChunk = sizeof chunk / size;
    while (count > 0) {
        const size_t k = std::min(count, perChunk);
        for (size_t i = 0; i < k; ++i)
            std::reverse_copy(in + i * size, in + (i + 1) * size, chunk + i * size);
        putBytes(chunk, k * size);
        in += k * size;
        count -= k;
    }
}
