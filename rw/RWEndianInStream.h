#pragma once
// Endian-tagged binary encoding, reading side (layout in RWEndianOutStream.h).
//
// The constructor reads and checks the nine-byte header: a wrong signature
// or version, a header cut short, or a size byte other than 1, 2, 4 or 8
// raises the library error STREAM. Integers written with another size than
// ours are resized: a narrower one is sign- or zero-extended, a wider one
// must fit (its surplus high-order bytes must be the sign fill), else the
// failure bit is set and the truncated value kept.
#include "rw/RWBinaryInStream.h"

class RWEndianInStream : public RWBinaryInStream {
public:
    explicit RWEndianInStream(std::streambuf* buffer);
    explicit RWEndianInStream(std::istream& stream);

    // What the header said.
    int byteOrder() const { return order_; } // 0 little-endian, 1 big-endian
    unsigned shortSize() const { return shortSize_; }
    unsigned intSize() const { return intSize_; }
    unsigned longSize() const { return longSize_; }
    unsigned wideCharSize() const { return wideCharSize_; }
    unsigned lengthSize() const { return lengthSize_; }

    // A length word that cannot be read leaves buf empty and sets failure
    // and bad.
    RWVirtualInStream& getString(char* buf, size_t size) override;

protected:
    size_t getImages(void* images, size_t count, Item item, bool isSigned) override;

private:
    void getHeader();
    size_t streamSize(Item item) const;
    // Turns size bytes of the stream into the host image of hostSize bytes.
    void decode(const unsigned char* bytes, size_t size, unsigned char* image, size_t hostSize,
                bool isSigned);

    unsigned char order_ = 0;
    unsigned char shortSize_ = 2;
    unsigned char intSize_ = 4;
    unsigned char longSize_ = 4;
    unsigned char wideCharSize_ = 2;
    unsigned char lengthSize_ = 4;
};
