#pragma once
// A descriptor of a wide name, a number and a narrow name (class 956). Two
// descriptors are the same when their ids and wide names are; they sort by
// wide name.
//
// Saved form, after the root's three words:
//   u32 version (1), the wide name in the wide-string form (u32 length,
//   then the 16-bit units), the value as i32, the narrow name in the
//   narrow-string form.
#include <cstdint>

#include "model/MPersistentClass.h"
#include "model/MPersistentObject.h"
#include "rw/RWCString.h"
#include "rw/RWWString.h"

class GPMLDescriptor : public MPersistentObject {
    MPERSISTENT_CLASS_MEMBERS(GPMLDescriptor, MPersistentObject, 956)

public:
    GPMLDescriptor() = default;
    // Id 0, a new serial, an empty narrow name.
    GPMLDescriptor(const RWWString& wideName, uint32_t value) : wideName_(wideName), value_(value) {}
    // Same id and serial, all three fields.
    GPMLDescriptor(const GPMLDescriptor& other) = default;
    GPMLDescriptor& operator=(const GPMLDescriptor& other) = default;
    ~GPMLDescriptor() override;

    uint32_t BinaryStoreSize() const override;
    RW_DECLARE_GUTS()

    // Same IsA and id, and wide names of the same units; the value and the
    // narrow name are not compared.
    bool IsEqualId(const MPersistentObject* other) const override;
    // 1 when this wide name sorts before the other descriptor's (exact
    // comparison of units), else 0 (also for an object of another class).
    int IsLessThan(const MPersistentObject* other) const;

    const RWWString& GetWideName() const { return wideName_; }
    uint32_t GetValue() const { return value_; }
    const RWCString& GetName() const { return name_; }
    void SetName(const RWCString& name) { name_ = name; }

private:
    RWWString wideName_;
    uint32_t value_ = 0;
    RWCString name_;
};
