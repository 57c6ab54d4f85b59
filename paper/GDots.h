#pragma once
// Dots arithmetic of the paper model. Media keep their lengths in 16-bit
// fields, but sizes at high resolutions, or margins larger than a sheet,
// leave that range: lengths are computed in 64 bits and limited to the
// field's range when stored, so a large value never wraps into a small or
// negative one.
#include <algorithm>
#include <cstdint>

// value limited to the signed 16-bit range.
constexpr int16_t GClampToShort(int64_t value) {
    return static_cast<int16_t>(std::clamp<int64_t>(value, INT16_MIN, INT16_MAX));
}

// value limited to 0..32767: a length that can never be negative.
constexpr int16_t GClampToLength(int64_t value) {
    return static_cast<int16_t>(std::clamp<int64_t>(value, 0, INT16_MAX));
}

// value limited to 0..65535.
constexpr uint16_t GClampToUShort(int64_t value) {
    return static_cast<uint16_t>(std::clamp<int64_t>(value, 0, UINT16_MAX));
}

// value limited to 0..4294967295.
constexpr uint32_t GClampToULong(uint64_t value) {
    return static_cast<uint32_t>(std::min<uint64_t>(value, UINT32_MAX));
}
