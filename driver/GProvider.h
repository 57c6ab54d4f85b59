#pragma once
// The base of every provider: an object another module plugs into the
// driver (through GProviderRegistry) to answer queries or to create
// printer-data sources. Its 32-bit capability mask says what it offers: the
// low 16 bits are query capabilities, the high 16 bits data-source
// capabilities.
//
// Persistent like every model object. Saved form, after the root's three
// words (model/MPersistentObject.h): u32 version (1). A provider has no
// fields of its own, and two providers never compare equal by content.
#include <cstdint>

#include "model/MPersistentClass.h"
#include "model/MPersistentObject.h"
#include "rw/RWCString.h"

class GProvider : public MPersistentObject {
    MPERSISTENT_KIND_MEMBERS(GProvider, MPersistentObject, 952)
    RW_DECLARE_GUTS()

public:
    ~GProvider() override;

    // A new printer-data source for subject (the driver context of the
    // printer) under the name the provider is registered with; argument is
    // the caller's second value. The caller owns the result. Base: none.
    virtual void* CreateDataSource(void* subject, const RWCString& name, uint32_t mask, const void* argument);
    // The provider's answer to a query about subject (the job context), or
    // null. Base: none.
    virtual void* Query(void* subject, const RWCString& name, uint32_t mask, const void* argument);
    virtual uint32_t GetMask() const = 0;
    // 1 when every bit of mask is in GetMask(), else 0.
    virtual int IsAvailable(uint32_t mask);

    // The root's size + 4 (the version word).
    uint32_t BinaryStoreSize() const override;
    // Never equal by content.
    bool IsEqualId(const MPersistentObject* other) const override;

protected:
    GProvider() = default;
    GProvider(const GProvider& other) = default;
};
