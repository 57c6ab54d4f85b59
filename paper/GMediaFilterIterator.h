#pragma once
// The media pool's filtering iterator: Advance moves on to the next media, in
// pool order, whose orientation and resolutions equal the filter's (as
// stored: 450 degrees never matches 90) and whose size lies within the
// filter's bounds (both inclusive, signed 16-bit comparisons). Children that
// are not media are passed over. Current, InsertAtCurrent and Reset are the
// plain iterator's; Reset and Advance filter again from the first media.
#include <cstdint>

#include "paper/GAttributeCompositeIterator.h"
#include "paper/GPair.h"

class GMedia;

class GMediaFilterIterator : public GAttributeCompositeIterator {
public:
    GMediaFilterIterator(MPersistentObject& composite, GCountedPtrVector& children, uint16_t xResolution,
                         uint16_t yResolution, int32_t orientation, const GShortPair& minimum,
                         const GShortPair& maximum);
    ~GMediaFilterIterator() override;

    // true on the next media that passes; after the last one false, and the
    // iterator stands before the first child again.
    bool Advance() override;

    // Whether media passes this filter.
    bool Passes(const GMedia& media) const;

private:
    uint16_t xResolution_;
    uint16_t yResolution_;
    int32_t orientation_;
    GShortPair minimum_;
    GShortPair maximum_;
};
