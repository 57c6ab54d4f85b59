#pragma once
// One unsigned 32-bit number as a persistent object (class 778).
#include "model/GPersistableNumber.h"

class GPersistableULong : public GPersistableNumber<uint32_t, 778> {
    MPERSISTENT_CLASS_MEMBERS(GPersistableULong, MPersistentObject, 778)

public:
    using GPersistableNumber::GPersistableNumber;
};
