#pragma once
// The choice list of all the media a printer offers (class 1006,
// "GMediaPool"): a GEnumAttribute whose choices are GMedia, in insertion
// order. Code that needs the dots of a paper size asks a pool for the media
// with a paper id, orientation and resolution. Every media a pool operation
// returns is borrowed from the pool and lives as long as the pool holds it.
//
// Saved form: the GEnumAttribute form (model/GEnumAttribute.h), then u32
// version (1). The pool has nothing after its version word, so a restore
// reads it without testing it.
#include <cstdint>
#include <memory>

#include "model/GEnumAttribute.h"
#include "model/MPersistentClass.h"
#include "paper/GMediaFilterIterator.h"
#include "paper/GPair.h"
#include "rw/RWCarrier.h"

class GMedia;

class GMediaPool : public GEnumAttribute {
    MPERSISTENT_CLASS_MEMBERS(GMediaPool, GEnumAttribute, 1006)
    RW_DECLARE_GUTS()

public:
    // The bounds FindMedia searches within.
    static constexpr GShortPair kAnySizeMinimum{0, 0};
    static constexpr GShortPair kAnySizeMaximum{32767, 32767};
    // The media that stand for the printer's largest and smallest sheet:
    // the bounds of the sizes it takes, no papers of their own.
    static constexpr int16_t kLargestSheet = 17384;
    static constexpr int16_t kSmallestSheet = 17385;

    // An empty pool.
    explicit GMediaPool(uint32_t id = 0);
    // Shares the choices, as GEnumAttribute's copy does.
    GMediaPool(const GMediaPool& other) = default;
    GMediaPool& operator=(const GMediaPool& other) = default;
    ~GMediaPool() override;

    // The choice list's size + 4.
    uint32_t BinaryStoreSize() const override;

    // The same class and the choice list's equality.
    bool IsEqualId(const MPersistentObject* other) const override;

    // A new filtering iterator over this pool, before the first media; the
    // caller owns it and the pool must outlive it.
    std::unique_ptr<GMediaFilterIterator> CreateFilterIterator(int32_t orientation, uint16_t xResolution,
                                                               uint16_t yResolution,
                                                               const GShortPair& minimum,
                                                               const GShortPair& maximum);
    std::unique_ptr<GMediaFilterIterator> CreateFilterIterator(int32_t orientation, uint16_t resolution,
                                                               const GShortPair& minimum,
                                                               const GShortPair& maximum);

    // The first media in pool order with this orientation and resolution, a
    // size from {0, 0} to {32767, 32767} and this paper id; null when there
    // is none.
    GMedia* FindMedia(int16_t paperId, int32_t orientation, uint16_t xResolution, uint16_t yResolution);
    GMedia* FindMedia(int16_t paperId, int32_t orientation, uint16_t resolution);
};
