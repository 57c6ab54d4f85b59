#include "device/GMarginPool.h"

#include <new>

GMarginPool::GMarginPool() : MPersistentObject(kDefaultId) {}

GMarginPool::GMarginPool(uint32_t id) : MPersistentObject(id) {}

GMarginPool::GMarginPool(const GMarginPool& other) : MPersistentObject(other) {
    try {
        records_ = other.records_;
    } catch (const std::bad_alloc&) {
        records_.clear(); // callers treat a missing record as no margins
    }
}

GMarginPool& GMarginPool::operator=(const GMarginPool& other) {
    if (this != &other) {
        MPersistentObject::operator=(other);
        try {
            records_ = other.records_;
        } catch (const std::bad_alloc&) {
            records_.clear();
        }
    }
    return *this;
}

GMarginPool::~GMarginPool() = default;

uint32_t GMarginPool::BinaryStoreSize() const {
    return MPersistentObject::BinaryStoreSize() + 8 + 64 * GetRecordCount();
}

int32_t GMarginPool::AddRecord(const GMarginRecord* record) {
    if (record == nullptr || records_.size() >= INT32_MAX) {
        return -1;
    }
    try {
        records_.push_back(*record);
    } catch (const std::bad_alloc&) {
        return -1; // push_back leaves the vector as it was
    }
    return static_cast<int32_t>(records_.size() - 1);
}

const GMarginRecord* GMarginPool::GetRecord(uint32_t index) const {
    return index < records_.size() ? &records_[index] : nullptr;
}
