#pragma once
// The current user's measurement system and decimal separator, read from
// "Control Panel\International" each time they are asked for, so a change
// of the user's settings shows at once.
#include "rw/RWWString.h"

namespace GUserLocale {

// True when "iMeasure" is "1"; any other value, or none, means millimetres.
bool PrefersInches();
// "sDecimal" (its first four bytes at most); "." when it cannot be read.
RWWString DecimalSeparator();

} // namespace GUserLocale
