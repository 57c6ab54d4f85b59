#pragma once
// Raw binary encoding, reading side (layout in RWBinaryOutStream.h).
//
// Reads go through the buffer's bulk get until the count is met or the
// buffer yields nothing; a short read sets end-of-input and failure. A
// single value is stored only when all its bytes arrived. Single bytes
// (characters, 8-bit numbers) read at the end of input store 0xFF and set
// end-of-input and failure. Strings are read into the caller's buffer only:
// a length word is never used to size an allocation.
#include <cstdint>
#include <istream>
#include <streambuf>

#include "rw/RWVirtualInStream.h"

class RWBinaryInStream : public RWVirtualInStream {
public:
    // Over a stream buffer (a null buffer gives a bad stream).
    explicit RWBinaryInStream(std::streambuf* buffer);
    // Over the buffer of an existing input stream; only its buffer is used.
    explicit RWBinaryInStream(std::istream& stream);

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

protected:
    // The kinds of multi-byte item; "Length" is the length word of a string.
    enum class Item { Short, Int, Long, Float, Double, Length };
    // Size of an item's host image: 2, 4 (long is 32-bit) or 8.
    static constexpr size_t hostSize(Item item) {
        return item == Item::Short ? 2 : item == Item::Double ? 8 : 4;
    }

    // How multi-byte items arrive: as host images; as host-sized images in
    // the other byte order; or in other sizes, converted by getImages.
    enum class Convert : uint8_t { None, Swap, Sizes };

    // Reads up to count items into host images of hostSize(item) bytes and
    // returns how many arrived complete. The endian-tagged stream converts
    // from its own order and sizes here.
    virtual size_t getImages(void* images, size_t count, Item item, bool isSigned);
    // Set by a stream whose items do not arrive as host images.
    void setConvert(Convert convert) { convert_ = convert; }
    // Reads up to n bytes; a short read sets end-of-input and failure.
    size_t getBytes(void* bytes, size_t n);
    // The next byte, or -1 (with end-of-input and failure) at the end.
    int getByte();
    // Drops up to n bytes while the stream is good.
    void skipBytes(uint64_t n);
    // Reads the bytes of a string whose length word said length.
    void getStringBytes(char* buf, size_t size, uint64_t length);

private:
    template <typename Long, typename Wire> void getLongs(Long* p, size_t n, bool isSigned);
    // One item of Wire's width; only stored in value when it arrived whole.
    template <typename Wire, typename T> void getOne(T& value, Item item, bool isSigned);

    std::streambuf* buffer_;
    Convert convert_ = Convert::None;
};
