#include "device/GPaperHolder.h"

#include <cstring>

GPaperHolder::GPaperHolder(const RWCString& name, int16_t binId, uint32_t id)
    : GAttribute(id), name_(name), binId_(binId) {}

GPaperHolder::GPaperHolder(const RWCString& name, int16_t binId, int32_t value1, int32_t value2,
                           int32_t capacity, int32_t threshold, const GDisplayString& displayString,
                           uint32_t id)
    : GAttribute(id), name_(name), binId_(binId), value1_(value1), value2_(value2), capacity_(capacity),
      threshold_(threshold), displayString_(displayString) {}

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
           threshold_ == other.threshold_ && displayString_.IsEqualId(&other.displayString_);
}

uint32_t GPaperHolder::HolderStoreSize() const {
    return 4 + static_cast<uint32_t>(name_.Length()) + 2 + 4 * 4;
}

uint32_t GPaperHolder::DisplayStringStoreSize() const {
    return displayString_.RecursiveStoreSize();
}
