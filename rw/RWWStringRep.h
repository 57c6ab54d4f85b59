#pragma once
// RWWStringRep: the shared representation behind RWWString, the
// representation of RWStringRep.h over 16-bit units (0-terminated, searches
// as wcschr/wcsrchr/wcspbrk on char16_t, one lock of all wide
// representations, not the narrow one).
#include "rw/RWStringRep.h"
#include "rw/RWWStringTraits.h"

using RWWStringRep = RWStringRep<RWWStringTraits>;
