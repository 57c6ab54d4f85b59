#pragma once
// One configuration's settings objects (class 759): a persistent composite
// that never takes in a second object equal to one it already holds.
//
// Saved form: the composite's (root words, version, count, children), then
// the configuration's own version word (u32, 1).
#include <cstdint>

#include "model/MPersistentClass.h"
#include "model/MPersistentComposite.h"

class GConfiguration : public MPersistentComposite {
    MPERSISTENT_CLASS_MEMBERS(GConfiguration, MPersistentComposite, 759)

public:
    GConfiguration() = default;
    explicit GConfiguration(uint32_t id) : MPersistentComposite(id) {}
    GConfiguration(const GConfiguration& other) = default;
    GConfiguration& operator=(const GConfiguration& other) = default;
    ~GConfiguration() override;

    uint32_t BinaryStoreSize() const override;
    RW_DECLARE_GUTS()

    // Null is ignored. Another configuration is appended at once. Any other
    // object is compared (its IsEqualId) with each child in order: when one
    // is equal the object is refused and, as the counted-pointer rule says,
    // deleted unless someone else holds it (the caller must not use an
    // object it did not hold); else it is appended as by the composite.
    void Add(MPersistentObject* object) override;
};
