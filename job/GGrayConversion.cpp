#include "job/GGrayConversion.h"

#include <algorithm>
#include <cstdlib>

namespace {
constexpr size_t kRed = 0;
constexpr size_t kGreen = 256;
constexpr size_t kBlue = 512;
constexpr size_t kTone = 768;
constexpr size_t kChroma = 1024;
constexpr unsigned kMaxShift = 31;
} // namespace

uint8_t GGrayConversion::DefaultGray(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<uint8_t>((76u * r + 151u * g + 28u * b + 255u) >> 8);
}

GGrayConversion::Mode GGrayConversion::Select(int32_t mode, const uint8_t* data, size_t length) {
    mode_ = kDefault;
    if (data == nullptr) return mode_;
    if (mode == kTable && length >= kTableBytes) {
        std::copy(data, data + kTableBytes, table_.begin());
        mode_ = kTable;
    } else if (mode == kWeighted && length >= kWeightBytes) {
        std::copy(data, data + kWeightBytes, weights_.begin());
        mode_ = kWeighted;
    }
    return mode_;
}

uint8_t GGrayConversion::Gray(uint8_t r, uint8_t g, uint8_t b) const {
    switch (mode_) {
    case kTable:
        return TableGray(r, g, b);
    case kWeighted:
        return WeightedGray(r, g, b);
    default:
        return DefaultGray(r, g, b);
    }
}

uint8_t GGrayConversion::TableGray(uint8_t r, uint8_t g, uint8_t b) const {
    const uint8_t s = static_cast<uint8_t>(table_[kRed + r] + table_[kGreen + g] + table_[kBlue + b]);
    const unsigned spread = (std::abs(r - g) + std::abs(g - b) + std::abs(b - r)) / 2;
    const unsigned w = table_[kChroma + spread];
    return static_cast<uint8_t>((table_[kTone + s] * w + (255u - w) * s + 255u) >> 8);
}

uint8_t GGrayConversion::WeightedGray(uint8_t r, uint8_t g, uint8_t b) const {
    const unsigned shift = std::min<unsigned>(weights_[0], kMaxShift);
    const uint32_t sum = uint32_t{g} * weights_[2] + uint32_t{r} * weights_[1] + uint32_t{b} * weights_[3];
    return static_cast<uint8_t>(sum >> shift);
}
