#pragma once
// The paper types of the Paper page: the list shows string ids, the settings
// keep an English key (261, 262, 973), the media-type names the rules read
// (GMediaTypeNames). A key that names no listed type is a user-defined
// type; an empty key is "Auto Select".
#include <cstdint>

#include "rw/RWCString.h"
#include "ui/framework/GMediaTypeNames.h"

namespace GPaperType {

inline constexpr uint16_t kAutoSelect = GMediaTypeNames::kAutoSelect;
inline constexpr uint16_t kPlain = 11102;
inline constexpr uint16_t kTransparency = 11105;
inline constexpr uint16_t kLabels = 11107;
inline constexpr uint16_t kBond = 11108;
inline constexpr uint16_t kCardStock = 11111;
// Read back from older settings, never listed nor written.
inline constexpr uint16_t kRough = 11112;
inline constexpr uint16_t kHeavy = 11119;
inline constexpr uint16_t kEnvelope = 11120;
inline constexpr uint16_t kGlossy = 11121;
inline constexpr uint16_t kType2 = 11123;
inline constexpr uint16_t kUserDefined = GMediaTypeNames::kOtherType;
// String ids of paper types offered in the source list run up to here.
inline constexpr uint16_t kLastSourceEntry = 11143;

// The string id of a stored key: "" 11101, a known key its id, anything
// else 11144.
uint16_t IdOfKey(const RWCString& key);
// The key to store for a type id; false when the id writes nothing (11112).
// Ids without a key of their own (11101, 11144, unknown) store "".
bool KeyOfId(uint16_t id, RWCString& key);
// 1 for the string ids the source list offers as paper types.
bool IsSourceEntry(int32_t source);
// The key a paper-type source forces on the type of its tab.
RWCString ForcedKeyOfSource(uint16_t source);

} // namespace GPaperType
