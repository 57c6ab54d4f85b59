// The job's colour-to-grey conversion: the default weights, the weighted and
// the table-driven choices (expected greys worked out by hand from their
// formulas), and the fall-back for data shorter than a mode needs.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "job/GGrayConversion.h"

namespace {

using Rgb = std::tuple<uint8_t, uint8_t, uint8_t, uint8_t>; // r, g, b, expected grey

void ExpectGreys(const GGrayConversion& conversion, const std::vector<Rgb>& cases) {
    for (const auto& [r, g, b, grey] : cases) {
        EXPECT_EQ(conversion.Gray(r, g, b), grey) << int(r) << "," << int(g) << "," << int(b);
    }
}

TEST(GGrayConversionTest, DefaultMapsBlackToZeroAndWhiteTo255) {
    GGrayConversion conversion;
    EXPECT_EQ(conversion.GetMode(), GGrayConversion::kDefault);
    // (76 R + 151 G + 28 B + 255) >> 8
    ExpectGreys(conversion, {{0, 0, 0, 0},
                             {255, 255, 255, 255},
                             {255, 0, 0, 76},
                             {0, 255, 0, 151},
                             {0, 0, 255, 28},
                             {128, 128, 128, 128}});
    EXPECT_EQ(GGrayConversion::DefaultGray(255, 0, 0), 76);
}

TEST(GGrayConversionTest, WeightedUsesItsFourBytes) {
    const uint8_t weights[] = {8, 77, 150, 29}; // shift, red, green, blue
    GGrayConversion conversion;
    EXPECT_EQ(conversion.Select(GGrayConversion::kWeighted, weights, sizeof weights),
              GGrayConversion::kWeighted);
    // 255 * 256 >> 8; 100 * 77 >> 8; 200 * 150 >> 8; 255 * 29 >> 8
    ExpectGreys(conversion, {{255, 255, 255, 255}, {100, 0, 0, 30}, {0, 200, 0, 117}, {0, 0, 255, 28}});
}

std::vector<uint8_t> Table(uint8_t (*red)(int), uint8_t (*green)(int), uint8_t (*blue)(int),
                           uint8_t (*tone)(int), uint8_t (*chroma)(int)) {
    std::vector<uint8_t> table;
    for (auto* column : {red, green, blue, tone, chroma})
        for (int i = 0; i < 256; ++i)
            table.push_back(column(i));
    return table;
}

TEST(GGrayConversionTest, TableMixesToneAndSumByChroma) {
    const std::vector<uint8_t> table =
        Table([](int x) { return uint8_t(x / 4); }, [](int x) { return uint8_t(x / 2); },
              [](int x) { return uint8_t(x / 4); }, [](int x) { return uint8_t(255 - x); },
              [](int x) { return uint8_t(x); });
    GGrayConversion conversion;
    ASSERT_EQ(conversion.Select(GGrayConversion::kTable, table.data(), table.size()),
              GGrayConversion::kTable);
    // (200,100,40): s = 50 + 50 + 10 = 110, w = chroma[(100 + 60 + 160) / 2] = 160,
    // (145 * 160 + 95 * 110 + 255) >> 8 = 33905 >> 8 = 132.
    // Grey inputs have w = 0: (255 * s + 255) >> 8 = s.
    ExpectGreys(conversion, {{200, 100, 40, 132}, {0, 0, 0, 0}, {255, 255, 255, 253}});

    // The contributions sum in 8 bits: 200 + 100 + 0 = 300 -> 44.
    const std::vector<uint8_t> wrapping = Table(
        [](int) { return uint8_t(200); }, [](int) { return uint8_t(100); }, [](int) { return uint8_t(0); },
        [](int x) { return uint8_t(x); }, [](int) { return uint8_t(0); });
    conversion.Select(GGrayConversion::kTable, wrapping.data(), wrapping.size());
    ExpectGreys(conversion, {{10, 20, 30, 44}});
}

TEST(GGrayConversionTest, ShortOrMissingDataFallsBackToTheDefault) {
    const std::vector<uint8_t> data(GGrayConversion::kTableBytes, 0);
    GGrayConversion conversion;
    const std::vector<std::tuple<int32_t, const uint8_t*, size_t>> cases = {
        {GGrayConversion::kTable, data.data(), GGrayConversion::kTableBytes - 1},
        {GGrayConversion::kWeighted, data.data(), GGrayConversion::kWeightBytes - 1},
        {GGrayConversion::kTable, nullptr, GGrayConversion::kTableBytes},
        {7, data.data(), data.size()},
    };
    for (const auto& [mode, bytes, length] : cases) {
        conversion.Select(GGrayConversion::kWeighted, data.data(), data.size()); // all-zero weights
        EXPECT_EQ(conversion.Select(mode, bytes, length), GGrayConversion::kDefault);
        EXPECT_EQ(conversion.Gray(255, 255, 255), 255);
    }
}

} // namespace
