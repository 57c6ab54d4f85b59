#pragma once
// Raw binary encoding, writing side.
//
// Layout: every value is its host memory image, back to back, no header:
//   short types 2 bytes, int and "long" 4 bytes (long is 32-bit on the wire),
//   float 4, double 8, characters and 8-bit numbers 1; arrays are the images
//   of their elements in order. On the target that is little-endian.
//   String (putString and const char*): 4-byte length n, then the n bytes,
//   no terminator.
// The stream writes through a stream buffer it does not own. A bulk put that
// stores less than asked is retried after a sync until a put stores nothing;
// a short write sets the failure bit, a failed sync the bad bit.
#include <cstdint>
#include <ostream>
#include <streambuf>

#include "rw/RWVirtualOutStream.h"

class RWBinaryOutStream : public RWVirtualOutStream {
public:
    // Over a stream buffer (a null buffer gives a bad stream).
    explicit RWBinaryOutStream(std::streambuf* buffer);
    // Over the buffer of an existing output stream; only its buffer is used.
    explicit RWBinaryOutStream(std::ostream& stream);

    std::streambuf* rdbuf() const { return buffer_; }

    unsigned rdstate() const override { return state_; }
    void clear(unsigned state = goodbit) override;

    RWVirtualOutStream& putString(const char* s, size_t n) override;
    RWVirtualOutStream& operator<<(unsigned short value) override;
    RWVirtualOutStream& operator<<(short value) override;
    RWVirtualOutStream& operator<<(unsigned long value) override;
    RWVirtualOutStream& operator<<(long value) override;
    RWVirtualOutStream& operator<<(unsigned int value) override;
    RWVirtualOutStream& operator<<(int value) override;
    RWVirtualOutStream& operator<<(float value) override;
    RWVirtualOutStream& operator<<(double value) override;
    RWVirtualOutStream& operator<<(unsigned char c) override;
    RWVirtualOutStream& operator<<(char c) override;
    RWVirtualOutStream& operator<<(const char* s) override;
    RWVirtualOutStream& flush() override;
    RWVirtualOutStream& put(const double* p, size_t n) override;
    RWVirtualOutStream& put(const float* p, size_t n) override;
    RWVirtualOutStream& put(const unsigned long* p, size_t n) override;
    RWVirtualOutStream& put(const long* p, size_t n) override;
    RWVirtualOutStream& put(const unsigned int* p, size_t n) override;
    RWVirtualOutStream& put(const int* p, size_t n) override;
    RWVirtualOutStream& put(const unsigned short* p, size_t n) override;
    RWVirtualOutStream& put(const short* p, size_t n) override;
    RWVirtualOutStream& put(const unsigned char* p, size_t n) override;
    RWVirtualOutStream& put(unsigned char value) override;
    RWVirtualOutStream& put(const char* p, size_t n) override;
    RWVirtualOutStream& put(char value) override;

protected:
    // Writes count values given as host images of size bytes each (2, 4 or
    // 8). The endian-tagged stream reorders the bytes of each value here.
    virtual void putImages(const void* images, size_t count, size_t size);
    // Writes bytes as they are.
    void putBytes(const void* bytes, size_t n);

private:
    int32_t narrowLong(long value);
    uint32_t narrowLong(unsigned long value);
    template <typename Long, typename Wire> void putLongs(const Long* p, size_t n);

    std::streambuf* buffer_;
};
