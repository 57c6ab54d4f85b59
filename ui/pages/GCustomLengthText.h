#pragma once
// A custom paper length as the Custom Paper Size dialog shows and reads it:
// inches (unit 0, hundredths) with the user's decimal separator and two
// decimals, millimetres (unit 3, thousandths) as whole millimetres.
//
// Reading is defensive: at most 15 characters count; millimetres take
// digits only (no sign) below 2^31 and are multiplied in 64 bits; inches
// must read as a finite, non-negative number before they are converted.
// A number too large for a length reads as the largest length, so the
// caller's clamp gives the maximum, never a wrapped small value.
#include <cstdint>
#include <optional>

#include "rw/RWWString.h"

namespace GCustomLengthText {

inline constexpr uint32_t kInches = 0;
inline constexpr uint32_t kMillimetres = 3;
inline constexpr size_t kMaxCharacters = 15;

RWWString Format(uint32_t length, uint32_t unit, const RWWString& separator);
// The length in the unit's steps; none when the text is no number.
std::optional<uint32_t> Parse(const RWWString& text, uint32_t unit, const RWWString& separator);

} // namespace GCustomLengthText
