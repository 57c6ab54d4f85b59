#pragma once
// Dictionary coder with variable-width codes over whole byte streams.
//
// Code stream: codes are packed most significant bit first (GBitStream),
// starting 9 bits wide. Codes 0-255 are literal bytes, 256 ends the stream,
// 257 widens every following code by one bit (up to 15), 258 resets the
// dictionary (and the width back to 9), 259 and up name dictionary strings.
// Each code after the first of a block defines the next free code as the
// previous string followed by the first byte of the current one. The coder
// emits 258 when code 32,767 has been defined, and 257 as soon as the next
// free code no longer fits the current width.
//
// The expander takes outside data: any code it could not have been sent
// (past the next free code, a string code opening a block, a 16th width bit,
// a dictionary that overflows without a reset) ends the run with 0.
#include <array>
#include <cstdint>
#include <istream>
#include <memory>
#include <ostream>

class GBitStream;

class GLZWCoder {
public:
    static constexpr uint32_t kTableSize = 35023; // prime, above the 32,768 codes
    static constexpr uint32_t kPageEntries = 256;
    static constexpr uint32_t kPageCount = (kTableSize + kPageEntries - 1) / kPageEntries; // 137
    static constexpr uint32_t kEndOfStream = 256;
    static constexpr uint32_t kBumpCode = 257;
    static constexpr uint32_t kFlushCode = 258;
    static constexpr uint32_t kFirstCode = 259;
    static constexpr uint32_t kMaxCode = 32767;
    static constexpr int kStartBits = 9;
    static constexpr int kMaxBits = 15;

    GLZWCoder();
    GLZWCoder(const GLZWCoder&) = delete;
    GLZWCoder& operator=(const GLZWCoder&) = delete;
    virtual ~GLZWCoder();

    // Compresses the input from its current position to its end. 1 on
    // success, 0 when memory or the output failed.
    int Compress(std::istream& in, std::ostream& out);
    // Expands a code stream. 1 when the end code was read; 0 otherwise, the
    // output keeping the whole strings written until then.
    int Expand(std::istream& in, std::ostream& out);

private:
    struct Entry {
        int32_t code; // -1 when free
        uint32_t parent;
        uint8_t character;
    };
    // The dictionary is kept in pages of 256 entries (3,072 bytes each)
    // rather than one block of some 420 KB.
    using Page = std::array<Entry, kPageEntries>;

    Entry& At(uint32_t index) { return (*pages_[index / kPageEntries])[index % kPageEntries]; }
    bool AllocatePages();
    void ResetDictionary();
    uint32_t Find(uint32_t parent, uint8_t character);
    // Pushes the string of code onto the decode stack from count on; returns
    // the new count, or 0 when the stack would overflow.
    uint32_t DecodeString(uint32_t count, uint32_t code);

    std::unique_ptr<std::unique_ptr<Page>[]> pages_;
    std::unique_ptr<uint8_t[]> decodeStack_;
    uint32_t nextCode_ = kFirstCode;
    int codeBits_ = kStartBits;
    uint32_t nextBumpCode_ = (1u << kStartBits) - 1;
};
