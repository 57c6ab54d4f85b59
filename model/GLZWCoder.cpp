#include "model/GLZWCoder.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "model/GBitStream.h"

GLZWCoder::GLZWCoder() : pages_(new std::unique_ptr<Page>[kPageCount]()) {}

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
            entry = {static_cast<int32_t>(nextCode_), stringCode, character, 0};
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

// Whole strings into the output through a window, never past the limit.
// Positions count every byte written in the run (modulo 2^32); the window
// holds the bytes from WindowStart on until it is flushed.
class StringWriter {
public:
    StringWriter(std::ostream& out, size_t limit, uint8_t* window, size_t size)
        : out_(out), limit_(limit), window_(window), size_(size) {}
    StringWriter(const StringWriter&) = delete;
    StringWriter& operator=(const StringWriter&) = delete;

    size_t Size() const { return size_; }
    // Whether n more bytes stay within the limit.
    bool Allows(size_t n) const { return n <= limit_ - written_; }
    // Room for the next n bytes (n <= Size(), within the limit), written
    // there by the caller; null when the output failed.
    uint8_t* Take(size_t n) {
        if (n > size_ - used_ && !Flush()) return nullptr;
        uint8_t* room = window_ + used_;
        used_ += n;
        written_ += n;
        return room;
    }
    // The position of the next byte.
    uint32_t Position() const { return static_cast<uint32_t>(written_); }
    // The n bytes from position in the window, or null when they are not
    // all there (flushed, or not yet written).
    const uint8_t* Find(uint32_t position, size_t n) const {
        const uint32_t offset = position - static_cast<uint32_t>(written_ - used_);
        return offset <= used_ && n <= used_ - offset ? window_ + offset : nullptr;
    }
    // Writes what the window holds and empties it; false when the output failed.
    bool Flush() {
        if (used_ != 0)
            out_.write(reinterpret_cast<const char*>(window_), static_cast<std::streamsize>(used_));
        used_ = 0;
        return static_cast<bool>(out_);
    }

private:
    std::ostream& out_;
    size_t limit_;
    size_t written_ = 0;
    uint8_t* window_;
    size_t size_;
    size_t used_ = 0;
};

} // namespace

int GLZWCoder::Expand(std::istream& in, std::ostream& out) {
    return Expand(in, out, kDefaultOutputLimit);
}

int GLZWCoder::Expand(std::istream& in, std::ostream& out, size_t limit) {
    if (!AllocatePages()) return 0;
    if (!window_) window_.reset(new (std::nothrow) uint8_t[kWindow]);
    if (!starts_) starts_.reset(new (std::nothrow) uint32_t[kMaxCode + 1]);
    if (!window_ || !starts_) return 0;
    CodeReader codes(in);
    StringWriter output(out, limit, window_.get(), kWindow);
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
        uint32_t oldLength = 1;
        uint32_t oldStart = output.Position();
        uint8_t* room = output.Allows(1) ? output.Take(1) : nullptr;
        if (room == nullptr) return 0;
        *room = character;

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
            // The code being defined is the old string and its own first byte.
            const bool pending = newCode == nextCode_;
            const uint32_t length = pending ? oldLength + 1 : newCode > 255 ? At(newCode).length : 1;
            if (!output.Allows(length)) return 0;
            // No string is longer than a block's codes (32,510 bytes): every
            // one fits the window.
            const uint32_t start = output.Position();
            room = length <= output.Size() ? output.Take(length) : nullptr;
            if (room == nullptr) return 0;
            if (!PutString(output, room, length, pending ? oldCode : newCode, oldStart, pending, character)) {
                return 0;
            }
            character = room[0];
            // The new string is the old one and this one's first byte: it
            // starts where the old one did.
            At(nextCode_) = {static_cast<int32_t>(nextCode_), oldCode, character,
                             static_cast<uint16_t>(oldLength + 1)};
            starts_[nextCode_] = oldStart;
            if (nextCode_ >= definedUpTo_) definedUpTo_ = nextCode_ + 1;
            ++nextCode_;
            oldCode = newCode;
            oldLength = length;
            oldStart = start;
        }
    }
}

// The string of code (and, when pending, its first byte once more) into
// the length bytes at room: copied from where it was last written while
// that is still in the window, else decoded last byte first along the
// parent chain. False for a chain that does not match its length.
template <class Output>
bool GLZWCoder::PutString(Output& output, uint8_t* room, uint32_t length, uint32_t code,
                          uint32_t pendingStart, bool pending, uint8_t firstOfOld) {
    const uint32_t own = pending ? length - 1 : length;
    if (code > 255) {
        const uint32_t start = pending ? pendingStart : starts_[code];
        if (const uint8_t* source = output.Find(start, own); source != nullptr && source + own <= room) {
            std::memcpy(room, source, own);
            if (pending) room[own] = room[0];
            return true;
        }
    }
    uint8_t* p = room + length - 1;
    if (pending) *p-- = firstOfOld;
    while (code > 255 && p > room) {
        const Entry& entry = At(code);
        *p-- = entry.character;
        code = entry.parent;
    }
    if (code > 255 || p != room) return false;
    *p = static_cast<uint8_t>(code);
    return true;
}
