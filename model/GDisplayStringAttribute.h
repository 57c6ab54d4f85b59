#pragma once
// A setting that holds a display string (model/GDisplayString.h) by value.
// No device operation takes it: Apply answers 0.
//
// Saved form, after the GAttribute part (model/GAttribute.h):
//   u32 version (1), the display string as an embedded object of the class
//   library's graph (its class id 786, then its guts; on a virtual stream
//   wrapped in the stream's object delimiters)
// A restore reads the embedded object into the member in place.
#include <cstdint>

#include "model/GAttribute.h"
#include "model/GDisplayString.h"
#include "model/MPersistentClass.h"

class GDisplayStringAttribute : public GAttribute {
    MPERSISTENT_CLASS_MEMBERS(GDisplayStringAttribute, GAttribute, 787)

public:
    // Id 0, a default display string, changed 1.
    GDisplayStringAttribute() = default;
    GDisplayStringAttribute(uint32_t id, uint16_t stringId, const char* text1, const char* text2);
    // Id 0.
    GDisplayStringAttribute(uint16_t stringId, const char* text1, const char* text2);
    GDisplayStringAttribute(const GDisplayStringAttribute& other) = default;
    // Id, serial, changed and the display string.
    GDisplayStringAttribute& operator=(const GDisplayStringAttribute& other);
    ~GDisplayStringAttribute() override;

    // GAttribute + 4 (version) + the embedded object's store size in the
    // graph being measured (class id and guts).
    uint32_t BinaryStoreSize() const override;
    RW_DECLARE_GUTS()

    // The same object, or the same class and id and display strings equal by
    // their IsEqualId.
    bool IsEqualId(const MPersistentObject* other) const override;
    // 0; no device operation is called.
    uint16_t Apply(GPeripheral& device) override;

    const GDisplayString& GetDisplayString() const { return displayString_; }
    GDisplayString& GetDisplayString() { return displayString_; }
    // Never touches `changed`.
    void SetDisplayString(const GDisplayString& displayString) { displayString_ = displayString; }

private:
    GDisplayString displayString_;
};
