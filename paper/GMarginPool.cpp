#include "paper/GMarginPool.h"
#include "model/GSettingIds.h"

#include <new>

GMarginPool::GMarginPool() : MPersistentObject(GSettingId::kCustomSizeMarginPool) {}

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

// --- Persistence ---------------------------------------------------------------

template <class Carrier> void GMarginPool::SaveGutsTo(Carrier& carrier) const {
    MPersistentObject::SaveGuts(carrier);
    GWriteClassVersion(carrier);
    RWSaveU32(carrier, GetRecordCount());
    for (const GMarginRecord& record : records_) {
        for (uint32_t value : record) {
            RWSaveU32(carrier, value);
        }
    }
}

template <class Carrier> void GMarginPool::RestoreGutsFrom(Carrier& carrier) {
    MPersistentObject::RestoreGuts(carrier);
    records_.clear();
    uint32_t count = 0;
    if (!GReadClassVersion(carrier) || !RWRestoreU32(carrier, count)) {
        return;
    }
    // The count only bounds the loop: records are kept as they arrive, so
    // a count the data does not back allocates nothing.
    for (uint32_t i = 0; i < count; ++i) {
        GMarginRecord record{};
        for (uint32_t& value : record) {
            if (!RWRestoreU32(carrier, value)) {
                return;
            }
        }
        try {
            records_.push_back(record);
        } catch (const std::bad_alloc&) {
            records_.clear(); // no records rather than some
            GMarkRestoreFailed(carrier);
            return;
        }
    }
}

RW_DEFINE_GUTS(GMarginPool)
