#pragma once
// One signed 32-bit number as a persistent object (class 777).
#include "model/GPersistableNumber.h"

class GPersistableLong : public GPersistableNumber<int32_t, 777> {
    MPERSISTENT_CLASS_MEMBERS(GPersistableLong, MPersistentObject, 777)

public:
    using GPersistableNumber::GPersistableNumber;
};
