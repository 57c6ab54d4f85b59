#pragma once
// A key/value pair of persistent objects (class 771). The association owns
// both objects outright (not through counted pointers) and deletes them
// with itself.
//
// Saved form, after the root's three words:
//   u32 version (1), the key, the value: each a polymorphic object pointer
//   of the graph persistence (nil for a missing one).
#include <cstdint>
#include <memory>

#include "model/MPersistentClass.h"
#include "model/MPersistentObject.h"

class MPersistentAssociation : public MPersistentObject {
    MPERSISTENT_CLASS_MEMBERS(MPersistentAssociation, MPersistentObject, 771)

public:
    MPersistentAssociation();
    // Takes both objects over (either may be null). They must be objects
    // nobody holds (count -1).
    MPersistentAssociation(MPersistentObject* key, MPersistentObject* value, uint32_t id = 0);
    // A new root (id 0, a new serial) with copies of the source's key and
    // value (a missing one stays missing).
    MPersistentAssociation(const MPersistentAssociation& other);
    // Replaces key and value by copies of other's; id and serial stay.
    MPersistentAssociation& operator=(const MPersistentAssociation& other);
    ~MPersistentAssociation() override;

    uint32_t BinaryStoreSize() const override;
    // A restore deletes the old key and value before the saved ones are read.
    RW_DECLARE_GUTS()

    // Same object; or same IsA and id, and keys and values that are each
    // IsEqualId of the other's (two missing ones are equal).
    bool IsEqualId(const MPersistentObject* other) const override;

    // Still owned by the association.
    MPersistentObject* GetKey() const { return key_.get(); }
    MPersistentObject* GetValue() const { return value_.get(); }

private:
    std::unique_ptr<MPersistentObject> key_;
    std::unique_ptr<MPersistentObject> value_;
};
