#include "paper/GBin.h"

GBin::GBin() : GPaperHolder(RWCString(), 0, 0) {}

GBin::GBin(const RWCString& name, int16_t binId, uint32_t id) : GPaperHolder(name, binId, id) {}

GBin::GBin(uint16_t displayStringId, const RWCString& name, int16_t binId, int32_t value1, int32_t value2,
           int32_t capacity, int32_t threshold, int32_t deliveryKind, int32_t value3,
           const char* displayText1, const char* displayText2, uint32_t id)
    : GPaperHolder(name, binId, value1, value2, capacity, threshold,
                   GDisplayString(displayStringId, displayText1, displayText2), id),
      deliveryKind_(deliveryKind), value3_(value3) {}

GBin::~GBin() = default;

uint32_t GBin::BinaryStoreSize() const {
    return GAttribute::BinaryStoreSize() + 4 + HolderStoreSize() + 8 + DisplayStringStoreSize();
}

bool GBin::IsEqualId(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    if (other == nullptr || other->IsA() != IsA() || !GAttribute::IsEqualId(other)) {
        return false;
    }
    const auto& bin = static_cast<const GBin&>(*other);
    return SameHolder(bin) && deliveryKind_ == bin.deliveryKind_ && value3_ == bin.value3_;
}

uint16_t GBin::Apply(GPeripheral&) {
    return 1;
}

// --- Persistence ---------------------------------------------------------------

template <class Carrier> void GBin::SaveGutsTo(Carrier& carrier) const {
    GAttribute::SaveGuts(carrier);
    GWriteClassVersion(carrier, ClassVersion());
    SaveHolder(carrier);
    RWSaveI32(carrier, deliveryKind_);
    RWSaveI32(carrier, value3_);
    SaveDisplayString(carrier);
}

template <class Carrier> void GBin::RestoreGutsFrom(Carrier& carrier) {
    GAttribute::RestoreGuts(carrier);
    uint32_t version = 0;
    if (!GReadClassVersion(carrier, version, ClassVersion(), 0) || !RestoreHolder(carrier)) {
        return;
    }
    int32_t deliveryKind = 0;
    int32_t value3 = 0;
    if (!RWRestoreI32(carrier, deliveryKind) || !RWRestoreI32(carrier, value3)) {
        return;
    }
    deliveryKind_ = deliveryKind;
    value3_ = value3;
    // Version-0 records end here and keep the default display string.
    if (version == 1) {
        RestoreDisplayString(carrier);
    }
}

RW_DEFINE_GUTS(GBin)
