#pragma once
// The base of every setting of the settings tree (and of the render-state
// and device attributes built on it): a persistent object whose id word is
// the attribute id, plus a `changed` word that tells the attribute
// composites which attributes still have to be handed to a device.
//
// Kind id 753 only: never registered with the factory, never made alone.
//
// Saved form, after the root's three words (model/MPersistentObject.h):
//   u32 version (1), u32 changed
// (the same words on a virtual stream, through its unsigned-long writer, and
// on a binary file).
//
// Apply hands the attribute to a device (device/GPeripheral.h), which has one
// operation per attribute type: a concrete class calls the operation of its
// own type with itself and returns that operation's 16-bit status, or
// returns its class's constant when the device has no operation for it. A
// leaf's Apply leaves `changed` as it is; a composite clears its own flag
// after applying.
//
// Setting a value never sets `changed`: only construction, MarkAllChanged
// and the merge of states do.
#include <cstdint>

#include "model/MPersistentClass.h"
#include "model/MPersistentObject.h"

class GPeripheral;

class GAttribute : public MPersistentObject {
    MPERSISTENT_KIND_MEMBERS(GAttribute, MPersistentObject, 753)

public:
    static constexpr uint32_t ClassVersion() { return 1; }

    // Id 0, a fresh serial, changed 1.
    GAttribute();
    // The given id, a fresh serial, changed 1.
    explicit GAttribute(uint32_t id);
    // Id, serial and changed copied; the copy is held by nobody.
    GAttribute(const GAttribute& other) = default;
    GAttribute& operator=(const GAttribute& other) = default;
    ~GAttribute() override;

    // The root's size + 8 (version, changed).
    uint32_t BinaryStoreSize() const override;
    // Another version word reads nothing more: `changed` keeps its value (and
    // the restore is marked failed, as every class of the model does).
    RW_DECLARE_GUTS()

    // When object differs from this one by this class's own equality
    // (IsNotEqualId), id, serial and changed are taken from it; when they are
    // equal, nothing changes. The attribute's own value fields are never
    // copied here. A null object is ignored. Composites override this with
    // their merge and may keep object (or its children) with a reference, so
    // callers hold what they offer in a GCountedPtr, as for Add.
    virtual void AssignFrom(GAttribute* object);
    // Hands this attribute to device; the device's 16-bit status, 0 for
    // success.
    virtual uint16_t Apply(GPeripheral& device) = 0;

    uint32_t GetChanged() const { return changed_; }
    bool IsChanged() const { return changed_ != 0; }
    void SetChanged(uint32_t changed) { changed_ = changed; }

private:
    uint32_t changed_ = 1;
};

// Restore a polymorphic attribute pointer (a new object, a back-reference
// into the graph, or the nil object, which gives null). Anything that is not
// an attribute is refused with REF and the pointer stays null. hold says how
// the caller keeps the object, as the graph restore's ownership rule defines
// (rw/RWCollectableIO.h).
void RestoreGAttributePtr(RWVirtualInStream& stream, GAttribute*& attribute,
                          RWRestoreHold hold = RWRestoreHold::Borrowed);
void RestoreGAttributePtrFromFile(RWBinaryFile& file, GAttribute*& attribute,
                                  RWRestoreHold hold = RWRestoreHold::Borrowed);
