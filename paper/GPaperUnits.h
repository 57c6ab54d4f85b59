#pragma once
// The four length units of custom paper sizes and the conversions between
// them. Results are whole numbers rounded half up (a quotient grows by one
// when the remainder is at least half the divisor). Products are formed in
// 64 bits and results limited to the 32-bit range, so no size wraps.
#include <cstdint>

#include "paper/GPair.h"

enum GPaperUnit : uint32_t {
    kPaperUnitHundredthInch = 0,
    kPaperUnitMillimetre = 1,
    kPaperUnitTenThousandthInch = 2,
    kPaperUnitMicrometre = 3, // 1/1000 mm
};

// pair converted from one unit to another; unchanged when the units are
// equal or either lies outside 0 to 3.
GSizePair ConvertPaperUnits(uint32_t fromUnit, uint32_t toUnit, const GSizePair& pair);

// pair (in unit) in dots: its value in 1/10000 inch times the resolution,
// divided by 10000, the remainder dropped.
GSizePair PaperSizeToDots(uint32_t unit, const GSizePair& pair, uint16_t xResolution, uint16_t yResolution);
