#pragma once
// A narrow string with a 16-bit number (class 1008).
//
// Saved form, after the root's three words:
//   u32 version (1), the text in the narrow-string form (u32 length, then
//   the characters; on a virtual stream through its string output), the
//   value as a signed 16-bit number.
#include <cstdint>

#include "model/MPersistentClass.h"
#include "model/MPersistentObject.h"
#include "rw/RWCString.h"

class GSelectionString : public MPersistentObject {
    MPERSISTENT_CLASS_MEMBERS(GSelectionString, MPersistentObject, 1008)

public:
    GSelectionString() = default;
    // A null text is taken as empty.
    GSelectionString(const char* text, uint16_t value, uint32_t id = 0);
    GSelectionString(const GSelectionString& other) = default;
    GSelectionString& operator=(const GSelectionString& other) = default;
    ~GSelectionString() override;

    uint32_t BinaryStoreSize() const override;
    RW_DECLARE_GUTS()

    // Same object; or same IsA, id and value, and texts of the same bytes.
    bool IsEqualId(const MPersistentObject* other) const override;

    const RWCString& GetString() const { return text_; }
    uint16_t GetValue() const { return value_; }

private:
    uint16_t value_ = 0;
    RWCString text_;
};
