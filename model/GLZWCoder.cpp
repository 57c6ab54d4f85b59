#include "model/GLZWCoder.h"

#include <new>

#include "model/GBitStream.h"

GLZWCoder::GLZWCoder()
    : pages_(new std::unique_ptr<Page>[kPageCount]()), decodeStack_(new uint8_t[kTableSize]()) {}

GLZWCoder::~GLZWCoder() {
    for (uint32_t i = 0; i < kPageCount; ++i)
        pages_[i].reset();
}

bool GLZWCoder::AllocatePages() {
    for (uint32_t i = 0; i < kPageCount; ++i) {
        if (pages_[i]) continue;
        pages_[i].reset(new (std::nothrow) Page());
        if (!pages_[i]) {
            for (uint32_t j = 0; j < i; ++j)
                pages_[j].reset();
            hashedSlots_.clear();
            definedUpTo_ = kFirstCode;
            return false;
        }
        for (Entry& entry : *pages_[i])
            entry.code = -1;
    }
    return true;
}

void GLZWCoder::ResetDictionary() {
    for (uint16_t slot : hashedSlots_)
        At(slot).code = -1;
    hashedSlots_.clear();
    for (uint32_t code = kFirstCode; code < definedUpTo_; ++code)
        At(code).code = -1;
    definedUpTo_ = kFirstCode;
    StartBlock();
}

void GLZWCoder::StartBlock() {
    nextCode_ = kFirstCode;
    codeBits_ = kStartBits;
    nextBumpCode_ = (1u << kStartBits) - 1;
}

// Open addressing with a secondary step; the table always has free slots
// (at most 32,509 strings in 35,023 entries), so the probe ends.
uint32_t GLZWCoder::Find(uint32_t parent, uint8_t character) {
    uint32_t index = (static_cast<uint32_t>(character) << 7) ^ parent;
    const uint32_t step = index == 0 ? 1 : kTableSize - index;
    for (;;) {
        const Entry& entry = At(index);
        if (entry.code == -1) return index;
        if (entry.parent == parent && entry.character == character) return index;
        if (step > index) index += kTableSize;
        index -= step;
    }
}

int GLZWCoder::Compress(std::istream& in, std::ostream& out) {
    if (!AllocatePages()) return 0;
    ResetDictionary();
    GBitStream bits;
    bits.OpenOutput(out);

    using Traits = std::char_traits<char>;
    auto first = in.get();
    uint32_t stringCode = first == Traits::eof() ? kEndOfStream : static_cast<uint8_t>(first);
    if (first != Traits::eof()) {
        for (auto next = in.get(); next != Traits::eof(); next = in.get()) {
            const auto character = static_cast<uint8_t>(next);
            const uint32_t index = Find(stringCode, character);
            Entry& entry = At(index);
            if (entry.code != -1) {
                stringCode = static_cast<uint32_t>(entry.code);
                continue;
            }
            entry = {static_cast<int32_t>(nextCode_), stringCode, character};
            hashedSlots_.push_back(static_cast<uint16_t>(index));
            ++nextCode_;
            if (!bits.PutBits(stringCode, codeBits_)) return 0;
            stringCode = character;
            if (nextCode_ > kMaxCode) {
                if (!bits.PutBits(kFlushCode, codeBits_)) return 0;
                ResetDictionary();
            } else if (nextCode_ > nextBumpCode_) {
                if (!bits.PutBits(kBumpCode, codeBits_)) return 0;
                ++codeBits_;
                nextBumpCode_ = nextBumpCode_ * 2 + 1;
            }
        }
    }
    if (!bits.PutBits(stringCode, codeBits_)) return 0;
    if (!bits.PutBits(kEndOfStream, codeBits_)) return 0;
    return bits.Close();
}

uint32_t GLZWCoder::DecodeString(uint32_t count, uint32_t code) {
    while (code > 255) {
        if (count >= kTableSize || code >= kTableSize) return 0;
        const Entry& entry = At(code);
        decodeStack_[count++] = entry.character;
        code = entry.parent;
    }
    if (count >= kTableSize) return 0;
    decodeStack_[count++] = static_cast<uint8_t>(code);
    return count;
}

namespace {

// Codes read a 64-bit word at a time, most significant bit first, from the
// input's buffer in blocks. Bytes read ahead of the end code are given back
// to the input when the run ends.
class CodeReader {
public:
    explicit CodeReader(std::istream& in) : in_(in), buffer_(in.rdbuf()) {}
    CodeReader(const CodeReader&) = delete;
    CodeReader& operator=(const CodeReader&) = delete;
    ~CodeReader() {
        // Whole bytes still in the word, and the block not yet taken into it.
        size_t unread = static_cast<size_t>(bits_ / 8) + (end_ - next_);
        while (buffer_ != nullptr && unread > 0 && buffer_->sungetc() != std::char_traits<char>::eof())
            --unread;
    }

    // False at the end of the input (the input is then marked at its end).
    bool Get(uint32_t& code, int width) {
        if (bits_ < width && !Refill(width)) {
            in_.setstate(std::ios_base::eofbit | std::ios_base::failbit);
            return false;
        }
        code = static_cast<uint32_t>(word_ >> (64 - width));
        word_ <<= width;
        bits_ -= width;
        return true;
    }

private:
    bool Refill(int width) {
        while (bits_ <= 56) {
            if (next_ == end_ && !ReadBlock()) break;
            word_ |= static_cast<uint64_t>(*next_++) << (56 - bits_);
            bits_ += 8;
        }
        return bits_ >= width;
    }
    bool ReadBlock() {
        if (buffer_ == nullptr) return false;
        const std::streamsize got = buffer_->sgetn(reinterpret_cast<char*>(block_), sizeof block_);
        next_ = block_;
        end_ = block_ + (got > 0 ? got : 0);
        return got > 0;
    }

    std::istream& in_;
    std::streambuf* buffer_;
    uint64_t word_ = 0;
    int bits_ = 0;
    uint8_t block_[512];
    const uint8_t* next_ = block_;
    const uint8_t* end_ = block_;
};

// Whole strings into the output through a block, never past the limit.
class StringWriter {
public:
    StringWriter(std::ostream& out, size_t limit) : out_(out), limit_(limit) {}
    StringWriter(const StringWriter&) = delete;
    StringWriter& operator=(const StringWriter&) = delete;

    // The n bytes at bytes[n - 1] down to bytes[0] (a decode stack, top
    // first). False, with nothing of them taken, past the limit; false when
    // the output failed.
    bool PutReversed(const uint8_t* bytes, uint32_t n) {
        if (n > limit_ - written_) return false;
        written_ += n;
        while (n > 0) {
            if (used_ == sizeof block_ && !Flush()) return false;
            const uint32_t take = std::min<uint32_t>(n, static_cast<uint32_t>(sizeof block_ - used_));
            for (uint32_t i = 0; i < take; ++i)
                block_[used_ + i] = static_cast<char>(bytes[n - 1 - i]);
            used_ += take;
            n -= take;
        }
        return true;
    }
    // Writes what is held; false when the output failed.
    bool Flush() {
        if (used_ != 0) out_.write(block_, static_cast<std::streamsize>(used_));
        used_ = 0;
        return static_cast<bool>(out_);
    }

private:
    std::ostream& out_;
    size_t limit_;
    size_t written_ = 0;
    char block_[4096];
    size_t used_ = 0;
};

} // namespace

int GLZWCoder::Expand(std::istream& in, std::ostream& out) {
    return Expand(in, out, kDefaultOutputLimit);
}

int GLZWCoder::Expand(std::istream& in, std::ostream& out, size_t limit) {
    if (!AllocatePages()) return 0;
    CodeReader codes(in);
    StringWriter output(out, limit);
    const int result = ExpandBlocks(codes, output);
    // What was written stays; a failing output fails the run.
    return output.Flush() ? result : 0;
}

template <class Codes, class Output> int GLZWCoder::ExpandBlocks(Codes& codes, Output& output) {
    for (;;) { // one block per dictionary reset
        StartBlock();
        uint32_t oldCode = 0;
        if (!codes.Get(oldCode, codeBits_)) return 0;
        if (oldCode == kEndOfStream) return 1;
        // A block always opens with a literal byte.
        if (oldCode > 255) return 0;
        uint8_t character = static_cast<uint8_t>(oldCode);
        if (!output.PutReversed(&character, 1)) return 0;

        for (;;) {
            uint32_t newCode = 0;
            if (!codes.Get(newCode, codeBits_)) return 0;
            if (newCode == kEndOfStream) return 1;
            if (newCode == kFlushCode) break;
            if (newCode == kBumpCode) {
                if (codeBits_ >= kMaxBits) return 0;
                ++codeBits_;
                continue;
            }
            // Only codes defined so far, or the one being defined right now.
            if (newCode > nextCode_ || nextCode_ > kMaxCode) return 0;
            uint32_t count;
            if (newCode == nextCode_) {
                decodeStack_[0] = character;
                count = DecodeString(1, oldCode);
            } else {
                count = DecodeString(0, newCode);
            }
            if (count == 0) return 0;
            character = decodeStack_[count - 1];
            if (!output.PutReversed(decodeStack_.get(), count)) return 0;
            At(nextCode_) = {static_cast<int32_t>(nextCode_), oldCode, character};
            if (nextCode_ >= definedUpTo_) definedUpTo_ = nextCode_ + 1;
            ++nextCode_;
            oldCode = newCode;
        }
    }
}
