#include "paper/GPaperUnits.h"

#include "paper/GDots.h"

namespace {

// value × multiplier / divisor, rounded half up.
uint32_t Scale(uint32_t value, uint64_t multiplier, uint64_t divisor) {
    const uint64_t product = value * multiplier;
    uint64_t quotient = product / divisor;
    if (2 * (product % divisor) >= divisor) {
        ++quotient;
    }
    return GClampToULong(quotient);
}

struct Ratio {
    uint64_t multiplier;
    uint64_t divisor;
};

// kRatios[from][to]; the diagonal is never used.
constexpr Ratio kRatios[4][4] = {
    {{1, 1}, {12700, 50000}, {100, 1}, {254, 1}},
    {{50000, 12700}, {1, 1}, {50000, 127}, {1000, 1}},
    {{1, 100}, {127, 50000}, {1, 1}, {127, 50}},
    {{50, 12700}, {1, 1000}, {50, 127}, {1, 1}},
};

uint32_t Convert(uint32_t fromUnit, uint32_t toUnit, uint32_t value) {
    const Ratio& ratio = kRatios[fromUnit][toUnit];
    return Scale(value, ratio.multiplier, ratio.divisor);
}

uint32_t ToDots(uint32_t tenThousandths, uint16_t resolution) {
    return GClampToULong(uint64_t{tenThousandths} * resolution / 10000);
}

} // namespace

GSizePair ConvertPaperUnits(uint32_t fromUnit, uint32_t toUnit, const GSizePair& pair) {
    if (fromUnit == toUnit || fromUnit > kPaperUnitMicrometre || toUnit > kPaperUnitMicrometre) {
        return pair;
    }
    return {Convert(fromUnit, toUnit, pair.x), Convert(fromUnit, toUnit, pair.y)};
}

GSizePair PaperSizeToDots(uint32_t unit, const GSizePair& pair, uint16_t xResolution, uint16_t yResolution) {
    const GSizePair inches = ConvertPaperUnits(unit, kPaperUnitTenThousandthInch, pair);
    return {ToDots(inches.x, xResolution), ToDots(inches.y, yResolution)};
}
