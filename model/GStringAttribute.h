#pragma once
// A text setting of the settings tree: names of extension modules, job
// names, user texts. The text is narrow (the ANSI code page).
//
// Saved form, after the GAttribute part (model/GAttribute.h):
//   u32 version (1), the text as the class library saves a narrow string
//   (u32 length, then the characters)
#include <cstdint>

#include "model/GAttribute.h"
#include "model/MPersistentClass.h"
#include "rw/RWCString.h"

class GStringAttribute : public GAttribute {
    MPERSISTENT_CLASS_MEMBERS(GStringAttribute, GAttribute, 776)

public:
    // Id 0, empty text, changed 1.
    GStringAttribute() = default;
    // A null text is the empty one; changed 1.
    GStringAttribute(const char* text, uint32_t id);
    GStringAttribute(const RWCString& text, uint32_t id);
    // Id, serial, changed and the text.
    GStringAttribute(const GStringAttribute& other) = default;
    GStringAttribute& operator=(const GStringAttribute& other);
    ~GStringAttribute() override;

    // GAttribute + 8 + the text's length.
    uint32_t BinaryStoreSize() const override;
    RW_DECLARE_GUTS()

    // The same object, or the same class, id and text (byte for byte, case
    // counts).
    bool IsEqualId(const MPersistentObject* other) const override;
    // The device's string-attribute operation; its status.
    uint16_t Apply(GPeripheral& device) override;

    const RWCString& GetValue() const { return value_; }
    // The setters never touch `changed`.
    void SetValue(const RWCString& value) { value_ = value; }
    // A null text sets the empty one.
    void SetText(const char* text);

private:
    RWCString value_;
};
