#pragma once
// The printer's unprintable margins for custom paper sizes, per orientation
// (class 1014, "GMarginPool"). A persistent object, not an attribute: it is
// filled only by restoring a stored object graph, and read when a custom
// size is turned into a media (device/GCustomMedia.h).
//
// A record is 16 u32 values: four groups {left, top, right, bottom}, one per
// orientation in the order 0, 90, 180, 270 degrees, in 1/1000 mm. Only the
// first record is consulted.
//
// Saved form, after the root's three words (model/MPersistentObject.h):
//   u32 version (1), u32 record count n, n records of 16 u32 values each
// A restore frees the records first. Another version leaves the pool without
// records. The count is untrusted: records are read one at a time while the
// data lasts, and only complete ones are kept.
#include <array>
#include <cstdint>
#include <vector>

#include "model/MPersistentClass.h"
#include "model/MPersistentObject.h"
#include "rw/RWCarrier.h"

using GMarginRecord = std::array<uint32_t, 16>;

class GMarginPool : public MPersistentObject {
    MPERSISTENT_CLASS_MEMBERS(GMarginPool, MPersistentObject, 1014)
    RW_DECLARE_GUTS()

public:
    // Id 959 (or the given id), no records.
    GMarginPool();
    explicit GMarginPool(uint32_t id);
    // Id, serial and an own copy of the records; when memory runs out the
    // copy has none.
    GMarginPool(const GMarginPool& other);
    GMarginPool& operator=(const GMarginPool& other);
    ~GMarginPool() override;

    // The root's size + 8 + 64 per record.
    uint32_t BinaryStoreSize() const override;

    // Appends a copy of record and returns its index; -1 (the pool
    // unchanged) when record is null or memory runs out.
    int32_t AddRecord(const GMarginRecord* record);
    // The record at index (borrowed), or null when there is none.
    const GMarginRecord* GetRecord(uint32_t index) const;
    uint32_t GetRecordCount() const { return static_cast<uint32_t>(records_.size()); }

private:
    std::vector<GMarginRecord> records_;
};
