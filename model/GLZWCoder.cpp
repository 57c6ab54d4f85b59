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
            return false;
        }
    }
    return true;
}

void GLZWCoder::ResetDictionary() {
    for (uint32_t page = 0; page < kPageCount; ++page)
        for (Entry& entry : *pages_[page])
            entry.code = -1;
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

int GLZWCoder::Expand(std::istream& in, std::ostream& out) {
    if (!AllocatePages()) return 0;
    GBitStream bits;
    bits.OpenInput(in);

    for (;;) { // one block per dictionary reset
        ResetDictionary();
        uint32_t oldCode = 0;
        if (!bits.GetBits(oldCode, codeBits_)) return 0;
        if (oldCode == kEndOfStream) return 1;
        // A block always opens with a literal byte.
        if (oldCode > 255) return 0;
        uint8_t character = static_cast<uint8_t>(oldCode);
        out.put(static_cast<char>(character));
        if (!out) return 0;

        for (;;) {
            uint32_t newCode = 0;
            if (!bits.GetBits(newCode, codeBits_)) return 0;
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
            while (count > 0) {
                out.put(static_cast<char>(decodeStack_[--count]));
                if (!out) return 0;
            }
            At(nextCode_) = {static_cast<int32_t>(nextCode_), oldCode, character};
            ++nextCode_;
            oldCode = newCode;
        }
    }
}
