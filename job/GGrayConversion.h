#pragma once
// The colour-to-grey conversion a job's writers use, with the parameters
// it was chosen with held in the object itself (a job's choice never leaks
// into another job's conversion):
//   kDefault: (76 R + 151 G + 28 B + 255) >> 8;
//   kTable:   1,280 bytes: red, green and blue contributions, a tone curve
//             and a chroma weight, 256 bytes each;
//             s = red[R] + green[G] + blue[B] (8-bit sum),
//             w = chroma[(|R-G| + |G-B| + |B-R|) / 2],
//             grey = (tone[s] * w + (255 - w) * s + 255) >> 8;
//   kWeighted: 4 bytes shift, red, green, blue weight;
//             grey = (G * green + R * red + B * blue) >> shift.
// The data come from configuration: a mode whose data are missing or
// shorter than the mode needs (or an unknown mode) gives the default.
#include <array>
#include <cstddef>
#include <cstdint>

class GGrayConversion {
public:
    enum Mode : int32_t { kDefault = 0, kTable = 1, kWeighted = 2 };
    static constexpr size_t kTableBytes = 5 * 256;
    static constexpr size_t kWeightBytes = 4;

    // The default conversion.
    GGrayConversion() = default;

    static uint8_t DefaultGray(uint8_t r, uint8_t g, uint8_t b);

    // Chooses mode with its data (length bytes at data); returns the mode
    // now in use.
    Mode Select(int32_t mode, const uint8_t* data, size_t length);
    Mode GetMode() const { return mode_; }
    uint8_t Gray(uint8_t r, uint8_t g, uint8_t b) const;

private:
    uint8_t TableGray(uint8_t r, uint8_t g, uint8_t b) const;
    uint8_t WeightedGray(uint8_t r, uint8_t g, uint8_t b) const;

    Mode mode_ = kDefault;
    std::array<uint8_t, kTableBytes> table_{};
    std::array<uint8_t, kWeightBytes> weights_{};
};
