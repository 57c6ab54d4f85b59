#include "paper/GPaperHolder.h"

#include <cstring>

#include "model/MPersistentClass.h"
#include "paper/GRestoreOwned.h"
#include "rw/RWCarrier.h"

GPaperHolder::GPaperHolder(const RWCString& name, int16_t binId, uint32_t id)
    : GAttribute(id), name_(name), binId_(binId), displayString_(std::make_unique<GDisplayString>()) {}

GPaperHolder::GPaperHolder(const RWCString& name, int16_t binId, int32_t value1, int32_t value2,
                           int32_t capacity, int32_t threshold, const GDisplayString& displayString,
                           uint32_t id)
    : GAttribute(id), name_(name), binId_(binId), value1_(value1), value2_(value2), capacity_(capacity),
      threshold_(threshold), displayString_(std::make_unique<GDisplayString>(displayString)) {}

GPaperHolder::GPaperHolder(const GPaperHolder& other)
    : GAttribute(other), name_(other.name_), binId_(other.binId_), value1_(other.value1_),
      value2_(other.value2_), capacity_(other.capacity_), threshold_(other.threshold_),
      displayString_(std::make_unique<GDisplayString>(*other.displayString_)) {}

GPaperHolder& GPaperHolder::operator=(const GPaperHolder& other) {
    if (this != &other) {
        GAttribute::operator=(other);
        name_ = other.name_;
        binId_ = other.binId_;
        value1_ = other.value1_;
        value2_ = other.value2_;
        capacity_ = other.capacity_;
        threshold_ = other.threshold_;
        *displayString_ = *other.displayString_;
    }
    return *this;
}

GPaperHolder::~GPaperHolder() = default;

int32_t GPaperHolder::SetThreshold(int32_t value, bool asPercent) {
    if (!asPercent) {
        if (capacity_ <= value) {
            return 0;
        }
        threshold_ = value;
        return 1;
    }
    if (capacity_ <= 0 || value < 0 || value > 100) {
        return 0;
    }
    // At most the capacity, so the product fits in 64 bits and the result
    // in 32.
    threshold_ = static_cast<int32_t>(int64_t{capacity_} * value / 100);
    return 1;
}

bool GPaperHolder::SameHolder(const GPaperHolder& other) const {
    return name_.Length() == other.name_.Length() &&
           std::memcmp(name_.Data(), other.name_.Data(), name_.Length()) == 0 && binId_ == other.binId_ &&
           value1_ == other.value1_ && value2_ == other.value2_ && capacity_ == other.capacity_ &&
           threshold_ == other.threshold_ && displayString_->IsEqualId(other.displayString_.get());
}

uint32_t GPaperHolder::HolderStoreSize() const {
    return 4 + static_cast<uint32_t>(name_.Length()) + 2 + 4 * 4;
}

uint32_t GPaperHolder::DisplayStringStoreSize() const {
    return RWObjectStoreSize(displayString_.get());
}

// --- Persistence ---------------------------------------------------------------

template <class Carrier> void GPaperHolder::SaveHolder(Carrier& carrier) const {
    RWSaveString(carrier, name_);
    RWSaveI16(carrier, binId_);
    for (int32_t value : {value1_, value2_, capacity_, threshold_}) {
        RWSaveI32(carrier, value);
    }
}

template <class Carrier> bool GPaperHolder::RestoreHolder(Carrier& carrier) {
    RWCString name;
    int16_t binId = 0;
    int32_t values[4] = {};
    if (!RWRestoreString(carrier, name) || !RWRestoreI16(carrier, binId)) {
        return false;
    }
    for (int32_t& value : values) {
        if (!RWRestoreI32(carrier, value)) {
            return false;
        }
    }
    name_ = name;
    binId_ = binId;
    value1_ = values[0];
    value2_ = values[1];
    capacity_ = values[2];
    threshold_ = values[3];
    return true;
}

template <class Carrier> void GPaperHolder::SaveDisplayString(Carrier& carrier) const {
    RWSaveObject(carrier, displayString_.get());
}

template <class Carrier> void GPaperHolder::RestoreDisplayString(Carrier& carrier) {
    std::unique_ptr<GDisplayString> restored = GRestoreOwned<GDisplayString>(carrier);
    if (restored == nullptr) {
        GMarkRestoreFailed(carrier); // a nil display string is damage
        return;
    }
    displayString_ = std::move(restored);
}

template void GPaperHolder::SaveHolder(RWVirtualOutStream&) const;
template void GPaperHolder::SaveHolder(RWBinaryFile&) const;
template bool GPaperHolder::RestoreHolder(RWVirtualInStream&);
template bool GPaperHolder::RestoreHolder(RWBinaryFile&);
template void GPaperHolder::SaveDisplayString(RWVirtualOutStream&) const;
template void GPaperHolder::SaveDisplayString(RWBinaryFile&) const;
template void GPaperHolder::RestoreDisplayString(RWVirtualInStream&);
template void GPaperHolder::RestoreDisplayString(RWBinaryFile&);
