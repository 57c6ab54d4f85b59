#pragma once
// One paper output destination of the printer (class 1009, "GBin"): the
// common fields of device/GPaperHolder.h, a delivery kind (the manual-duplex
// page filter treats 1 specially for the bin a job goes to) and a third
// auxiliary value. A bin holds no media.
//
// Saved form, after the GAttribute part (model/GAttribute.h):
//   u32 version (written as 1), the common fields, i32 delivery kind,
//   i32 value 3, the display string as a nested object
// Versions 0 and 1 are read; a version-0 record has no display string and
// keeps the default one. A newer version reads nothing more. The display
// string is checked as a tray's is (device/GTray.h).
#include <cstdint>

#include "model/MPersistentClass.h"
#include "paper/GPaperHolder.h"
#include "rw/RWCarrier.h"

class GBin : public GPaperHolder {
    MPERSISTENT_CLASS_MEMBERS(GBin, GPaperHolder, 1009)
    RW_DECLARE_GUTS()

public:
    // Empty name, bin id 0, id 0, every other field at its default.
    GBin();
    // Capacity and threshold -1, every other value 0.
    GBin(const RWCString& name, int16_t binId, uint32_t id = 0);
    // Every field; a null display text is the empty one.
    GBin(uint16_t displayStringId, const RWCString& name, int16_t binId, int32_t value1, int32_t value2,
         int32_t capacity, int32_t threshold, int32_t deliveryKind, int32_t value3, const char* displayText1,
         const char* displayText2, uint32_t id = 0);
    GBin(const GBin& other) = default;
    GBin& operator=(const GBin& other) = default;
    ~GBin() override;

    // GAttribute + 34 + the name's length + the display string's nested size.
    uint32_t BinaryStoreSize() const override;

    // The same object; or the same class and id, the common fields, the
    // delivery kind and value 3 equal.
    bool IsEqualId(const MPersistentObject* other) const override;
    // No device takes a bin: status 1, nothing called.
    uint16_t Apply(GPeripheral& device) override;

    static constexpr uint32_t ClassVersion() { return 1; }

    using GPaperHolder::SetName;

    int32_t GetDeliveryKind() const { return deliveryKind_; }
    int32_t GetValue3() const { return value3_; }
    void SetDeliveryKind(int32_t kind) { deliveryKind_ = kind; }
    void SetValue3(int32_t value) { value3_ = value; }

private:
    int32_t deliveryKind_ = 0;
    int32_t value3_ = 0;
};
