#pragma once
// The option codes of a colour-control object (295 and the presets 208 and
// 227), whichever of its classes it is. Each class keeps its own codes and
// its option accessors are not virtual, so every access goes through the
// most derived of the two bodies the object is.
#include <cstdint>

class MPersistentObject;

namespace GChromalistCodes {

// 1 and the code when the object stores one behind (kind, field); else 0.
int32_t Get(const MPersistentObject* object, int32_t kind, int32_t field, uint8_t& code);
// 1 when the object stores a code behind (kind, field) and it now holds
// the value; else 0 and nothing changes.
int32_t Set(MPersistentObject* object, int32_t kind, int32_t field, uint8_t code);
// Both colour controls of the same class with the same codes (ids aside).
bool Same(const MPersistentObject* a, const MPersistentObject* b);
// Copies the codes of source into target (same class only); whether
// target now holds the codes of source.
bool Assign(MPersistentObject* target, const MPersistentObject* source);

} // namespace GChromalistCodes
