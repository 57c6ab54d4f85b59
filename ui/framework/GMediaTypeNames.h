#pragma once
// The media-type names of the settings (261, 262, 973) and the string ids
// that stand for them in the form-to-tray assignments: a fixed table, the
// empty name being automatic selection and any name the table lacks a
// printer's own type. The rules also ask which types need special handling.
#include <cstdint>

#include "rw/RWCString.h"

namespace GMediaTypeNames {

// "Auto Select": the empty name.
inline constexpr uint16_t kAutoSelect = 11101;
// A name the table does not hold.
inline constexpr uint16_t kOtherType = 11144;

// The string id of a media-type name (exact text, case counts).
uint16_t StringIdOf(const RWCString& name);
// The name of a string id of the table; null for an id it lacks (11101
// names the empty text).
const char* NameOf(uint16_t id);
// Transparency, labels, heavy paper, envelopes and card stock: the types
// that go neither through the duplex path nor to a bin other than the top
// and rear bins.
bool IsThickOrFilm(const RWCString& name);
// Card stock, labels and transparency: the types that finishing units
// (stapler, binder) refuse.
bool IsRefusedByFinisher(const RWCString& name);

} // namespace GMediaTypeNames
