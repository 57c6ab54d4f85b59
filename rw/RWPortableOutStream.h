#pragma once
// Portable text encoding, writing side.
//
// Layout (all ASCII):
//   Numbers (every integer type, float, double, and the 8-bit numbers of
//   put(char), put(unsigned char) and the 8-bit arrays): decimal text then a
//   newline (10). Signed types print signed, unsigned unsigned ("-56" for the
//   8-bit signed 0xC8, "200" for the unsigned 200); long is 32-bit. Doubles
//   print as "%.15e", floats widened to double as "%.6e", always in the
//   classic C form ('.' for the point, lower-case e, signed exponent of at
//   least two digits). Arrays are their elements one per line.
//   Strings: '"', each byte through the escaper, '"'; no newline follows.
//   Characters (operator<< of char and unsigned char): one escaped byte,
//   no quotes.
//   Escaper: 8 "\b", 9 "\t", 10 "\n", 12 "\f", 13 "\r", '"' "\"", '\\' "\\\\",
//   '{' "\[", '}' "\]", a graphic ASCII byte (0x21..0x7E) itself, every other
//   byte "\xhh" (two lower-case hex digits).
//   Line wrapping: a column counter counts what strings and characters put
//   on the line (1 per plain byte or quote, 2 per two-character escape, 4 per
//   hex escape); a piece that would take it past 80 is put on a new line and
//   the counter restarts at the piece's length. Numbers do not count.
#include <ostream>
#include <streambuf>

#include "rw/RWVirtualOutStream.h"

class RWPortableOutStream : public RWVirtualOutStream {
public:
    static constexpr unsigned maxColumn = 80;

    // Over a stream buffer (a null buffer gives a bad stream).
    explicit RWPortableOutStream(std::streambuf* buffer);
    // Over the buffer of an existing output stream; only its buffer is used.
    explicit RWPortableOutStream(std::ostream& stream);

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

private:
    void putText(const char* text, size_t n);
    // One piece of a string or character, wrapping the line first if needed.
    void putPiece(const char* text, size_t n);
    void putEscaped(unsigned char byte);
    template <typename T> void putInteger(T value);
    void putFloating(double value, int digits);
    template <typename T, typename Wire> void putArray(const T* p, size_t n);

    std::streambuf* buffer_;
    unsigned column_ = 0;
};
