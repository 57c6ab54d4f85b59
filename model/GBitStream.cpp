#include "model/GBitStream.h"

GBitStream::~GBitStream() {
    Close();
}

int GBitStream::OpenOutput(std::ostream& out) {
    in_ = nullptr;
    out_ = &out;
    mask_ = 0x80;
    rack_ = 0;
    good_ = true;
    return 1;
}

int GBitStream::OpenInput(std::istream& in) {
    out_ = nullptr;
    in_ = &in;
    mask_ = 0x80;
    rack_ = 0;
    good_ = true;
    return 1;
}

void GBitStream::PutOneBit(bool set) {
    if (set) rack_ |= mask_;
    mask_ >>= 1;
    if (mask_ == 0) {
        out_->put(static_cast<char>(rack_));
        if (!*out_) good_ = false;
        rack_ = 0;
        mask_ = 0x80;
    }
}

int GBitStream::PutBits(uint32_t code, int width) {
    if (!good_ || out_ == nullptr || width < 0 || width > 32) return 0;
    for (int bit = width - 1; bit >= 0 && good_; --bit)
        PutOneBit(((code >> bit) & 1u) != 0);
    return good_ ? 1 : 0;
}

int GBitStream::PutBit(int bit) {
    if (!good_ || out_ == nullptr) return 0;
    PutOneBit(bit != 0);
    return good_ ? 1 : 0;
}

int GBitStream::GetBits(uint32_t& code, int width) {
    if (in_ == nullptr || width < 0 || width > 32) return 0;
    uint32_t value = 0;
    for (int bit = width - 1; bit >= 0; --bit) {
        if (mask_ == 0x80) {
            const auto next = in_->get();
            if (next == std::char_traits<char>::eof()) {
                good_ = false;
                rack_ = 0;
            } else {
                rack_ = static_cast<uint8_t>(next);
            }
        }
        if (rack_ & mask_) value |= 1u << bit;
        mask_ >>= 1;
        if (mask_ == 0) mask_ = 0x80;
    }
    code = value;
    return good_ ? 1 : 0;
}

int GBitStream::Close() {
    int result = 1;
    if (out_ != nullptr) {
        if (mask_ != 0x80) {
            out_->put(static_cast<char>(rack_));
            if (!*out_) {
                good_ = false;
                result = 0;
            }
        }
        out_->flush();
    }
    out_ = nullptr;
    in_ = nullptr;
    mask_ = 0x80;
    rack_ = 0;
    return result;
}
