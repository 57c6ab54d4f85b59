#pragma once
// Endian-tagged binary encoding, writing side.
//
// Layout: a nine-byte header, then the values as in the raw encoding
// (RWBinaryOutStream.h) but each multi-byte value in the stream's byte order.
//   offset 0  'e' (0x65)
//          1  's' (0x73)
//          2  1 (header version)
//          3  byte order of what follows: 0 little-endian, 1 big-endian
//          4  size of short            2
//          5  size of int              4
//          6  size of long             4 (long is 32-bit on the wire)
//          7  size of a wide character 2
//          8  size of a string's length word 4
// Floats (4 bytes) and doubles (8) are byte-reordered like integers.
// The header must start the sink: a sink that is not empty, or that cannot
// tell its end position, raises the library error STREAM.
#include "rw/RWBinaryOutStream.h"

class RWEndianOutStream : public RWBinaryOutStream {
public:
    static constexpr int littleEndian = 0;
    static constexpr int bigEndian = 1;
    static constexpr int hostOrder = 2;

    // order: 0 little-endian, 1 big-endian, 2 (or any other value) this
    // machine's order. Writes the header.
    explicit RWEndianOutStream(std::streambuf* buffer, int order = hostOrder);
    explicit RWEndianOutStream(std::ostream& stream, int order = hostOrder);

    // The order written: 0 little-endian, 1 big-endian.
    int byteOrder() const { return order_; }

protected:
    void putImages(const void* images, size_t count, size_t size) override;

private:
    void putHeader();

    unsigned char order_;
};
