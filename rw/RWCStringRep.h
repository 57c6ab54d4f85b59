#pragma once
// RWCStringRep: the shared representation behind RWCString, the
// representation of RWStringRep.h over 8-bit characters (NUL-terminated,
// searches as C strchr/strrchr/strpbrk, one lock of all narrow
// representations).
#include "rw/RWCStringTraits.h"
#include "rw/RWStringRep.h"

using RWCStringRep = RWStringRep<RWCStringTraits>;
