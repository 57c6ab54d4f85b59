#pragma once
// A stream of bits over a byte stream, packed most significant bit first:
// the first bit written lands in bit 7 of the first byte. On output the last
// byte is completed with zero bits when the stream is closed.
#include <cstdint>
#include <istream>
#include <ostream>

class GBitStream {
public:
    GBitStream() = default;
    GBitStream(const GBitStream&) = delete;
    GBitStream& operator=(const GBitStream&) = delete;
    // Closes the stream, writing any pending bits.
    ~GBitStream();

    // Attach a byte sink or source; the caller keeps it alive until Close.
    int OpenOutput(std::ostream& out);
    int OpenInput(std::istream& in);

    // Writes the low `width` bits of code, highest first. Returns the good
    // flag; once it is clear nothing more is written.
    int PutBits(uint32_t code, int width);
    int PutBit(int bit);
    // Reads `width` bits into code, highest first. The bits read so far are
    // stored even when the input ran out (the result is then 0).
    int GetBits(uint32_t& code, int width);

    // Writes a pending partial byte, flushes and detaches the byte stream.
    // Returns 0 when that last byte could not be written.
    int Close();

    bool Good() const { return good_; }

private:
    void PutOneBit(bool set);

    std::istream* in_ = nullptr;
    std::ostream* out_ = nullptr;
    uint8_t mask_ = 0x80;
    uint8_t rack_ = 0;
    bool good_ = true;
};
