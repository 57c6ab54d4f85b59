#pragma once
// The state shared by every virtual stream, in and out.
//
// The state word has its own bit values, independent of the standard
// library's: callers compare rdstate() with these numbers.
#include <bit>

class RWVirtualStreamBase {
public:
    static constexpr unsigned goodbit = 0;
    static constexpr unsigned eofbit = 1; // the input ended
    static constexpr unsigned failbit =
        2; // an operation did not deliver (short read/write, bad text, overflow)
    static constexpr unsigned badbit = 4; // the byte buffer itself failed (sync, missing buffer)

    // Byte order of this machine as the endian-tagged streams name it: 0
    // little-endian, 1 big-endian.
    static constexpr unsigned char hostByteOrder = std::endian::native == std::endian::little ? 0 : 1;

    RWVirtualStreamBase() = default;
    RWVirtualStreamBase(const RWVirtualStreamBase&) = delete;
    RWVirtualStreamBase& operator=(const RWVirtualStreamBase&) = delete;
    virtual ~RWVirtualStreamBase() = default;

    virtual bool eof() const { return (rdstate() & eofbit) != 0; }
    virtual bool fail() const { return (rdstate() & (failbit | badbit)) != 0; }
    virtual bool bad() const { return (rdstate() & badbit) != 0; }
    virtual bool good() const { return rdstate() == goodbit; }
    virtual unsigned rdstate() const = 0;
    // Sets the state word to the given bits (a stream without a buffer stays bad).
    virtual void clear(unsigned state = goodbit) = 0;

    // Adds bits to the state word.
    void setstate(unsigned bits) { clear(rdstate() | bits); }

    // The state word is good, read without a virtual call: the concrete
    // streams keep their state word in state_ (rdstate answers it).
    bool isGood() const { return state_ == goodbit; }

protected:
    unsigned state_ = goodbit;
};
