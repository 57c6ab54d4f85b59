#pragma once
// Portable text encoding, reading side (layout in RWPortableOutStream.h).
//
// Numbers: white space is skipped, then decimal text is read (a leading
// minus on an unsigned type negates modulo its width, as the stream library
// does); text that is not a number of the type's range sets the failure bit
// and stores nothing. Floating text is read locale-free in either exponent
// width ("e+00" here, "e+000" from other platforms).
// Characters and strings: any escape the writer knows, raw bytes as
// themselves, newlines inside strings skipped. A string that does not start
// with '"' raises the library error SYNSTREAM; input that ends inside a
// string or an escape sets end-of-input and failure.
#include <cstdint>
#include <istream>
#include <streambuf>

#include "rw/RWVirtualInStream.h"

class RWPortableInStream : public RWVirtualInStream {
public:
    // Over a stream buffer (a null buffer gives a bad stream).
    explicit RWPortableInStream(std::streambuf* buffer);
    // Over the buffer of an existing input stream; only its buffer is used.
    explicit RWPortableInStream(std::istream& stream);

    std::streambuf* rdbuf() const { return buffer_; }

    unsigned rdstate() const override { return state_; }
    void clear(unsigned state = goodbit) override;

    RWVirtualInStream& get(unsigned long* p, size_t n) override;
    RWVirtualInStream& get(unsigned int* p, size_t n) override;
    RWVirtualInStream& get(unsigned short* p, size_t n) override;
    RWVirtualInStream& get(unsigned char* p, size_t n) override;
    RWVirtualInStream& get(short* p, size_t n) override;
    RWVirtualInStream& get(long* p, size_t n) override;
    RWVirtualInStream& get(int* p, size_t n) override;
    RWVirtualInStream& get(float* p, size_t n) override;
    RWVirtualInStream& get(double* p, size_t n) override;
    RWVirtualInStream& get(char* p, size_t n) override;
    RWVirtualInStream& get(unsigned char& value) override;
    RWVirtualInStream& get(char& value) override;
    int get() override;
    RWVirtualInStream& getString(char* buf, size_t size) override;
    RWVirtualInStream& operator>>(unsigned long& value) override;
    RWVirtualInStream& operator>>(unsigned int& value) override;
    RWVirtualInStream& operator>>(unsigned short& value) override;
    RWVirtualInStream& operator>>(unsigned char& c) override;
    RWVirtualInStream& operator>>(short& value) override;
    RWVirtualInStream& operator>>(long& value) override;
    RWVirtualInStream& operator>>(int& value) override;
    RWVirtualInStream& operator>>(float& value) override;
    RWVirtualInStream& operator>>(double& value) override;
    RWVirtualInStream& operator>>(char& c) override;

private:
    int peekByte();
    int takeByte();
    // Skips white space; returns the next byte (not taken) or -1.
    int skipSpace();
    // Reads a decimal integer of the given width into its two's-complement bits.
    bool readInteger(bool isSigned, unsigned bits, uint64_t& value);
    bool readDouble(double& value);
    bool readFloat(float& value);
    // Collects the text of a floating-point number; false when there is none.
    bool readFloatingText(char* text, size_t capacity, size_t& length);
    // One escaped character at the current position (newlines skipped), or
    // -1 with the state set.
    int readEscaped();
    template <typename T> void readIntegers(T* p, size_t n, bool isSigned, unsigned bits);

    std::streambuf* buffer_;
};
