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
// a dictionary that overflows without a reset) ends the run with 0, and so
// does output past the caller's limit (a few kilobytes of codes can name
// hundreds of megabytes). It reads the codes a 64-bit word at a time and
// writes whole strings, copying a string from where it was last written
// whenever that is still in its 64 KB output window; a run resets only the
// dictionary entries that the previous run used.
#include <array>
#include <cstddef>
#include <cstdint>
#include <istream>
#include <memory>
#include <ostream>
#include <vector>

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
    // output keeping the whole strings written until then. A string that
    // would take the output past limit bytes ends the run with 0 unwritten.
    int Expand(std::istream& in, std::ostream& out, size_t limit);
    // The same with kDefaultOutputLimit; callers that know the size of what
    // they expand pass their own limit.
    int Expand(std::istream& in, std::ostream& out);

    // Far beyond any settings blob or band of a page, far below what a
    // crafted code stream could otherwise make a caller hold.
    static constexpr size_t kDefaultOutputLimit = 16 * 1024 * 1024;

private:
    struct Entry {
        int32_t code; // -1 when free
        uint32_t parent;
        uint8_t character;
        uint16_t length; // of the string, for the expander (in the padding)
    };
    static_assert(sizeof(Entry) == 12, "pages of 256 entries take 3,072 bytes");
    // The dictionary is kept in pages of 256 entries (3,072 bytes each)
    // rather than one block of some 420 KB.
    using Page = std::array<Entry, kPageEntries>;

    Entry& At(uint32_t index) { return (*pages_[index / kPageEntries])[index % kPageEntries]; }
    // Allocates the pages a run needs (every entry free); false, with the
    // pages of this call freed, when one cannot be had.
    bool AllocatePages();
    // Frees the entries the last runs used and starts a block.
    void ResetDictionary();
    // Starts a block without touching the entries: the expander reads only
    // the entries it defines in the block.
    void StartBlock();
    uint32_t Find(uint32_t parent, uint8_t character);
    // The blocks of a code stream, from codes into output.
    template <class Codes, class Output> int ExpandBlocks(Codes& codes, Output& output);
    // The string of code (when pending, followed by the first byte of the
    // old string) into the length bytes at room.
    template <class Output>
    bool PutString(Output& output, uint8_t* room, uint32_t length, uint32_t code, uint32_t pendingStart,
                   bool pending, uint8_t firstOfOld);

    std::unique_ptr<std::unique_ptr<Page>[]> pages_;
    // The expander's output window, and where in the output (counted modulo
    // 2^32) each string code of the block was last seen whole: a string
    // still in the window is copied from there instead of being decoded.
    static constexpr size_t kWindow = 64 * 1024;
    std::unique_ptr<uint8_t[]> window_;
    std::unique_ptr<uint32_t[]> starts_;
    // The entries in use: slots the compressor hashed into, and the string
    // codes the expander defined (from kFirstCode up to this bound).
    std::vector<uint16_t> hashedSlots_;
    uint32_t definedUpTo_ = kFirstCode;
    uint32_t nextCode_ = kFirstCode;
    int codeBits_ = kStartBits;
    uint32_t nextBumpCode_ = (1u << kStartBits) - 1;
};
