#include "paper/GMediaFilterIterator.h"

#include "paper/GMedia.h"

GMediaFilterIterator::GMediaFilterIterator(MPersistentObject& composite, GCountedPtrVector& children,
                                           uint16_t xResolution, uint16_t yResolution, int32_t orientation,
                                           const GShortPair& minimum, const GShortPair& maximum)
    : GAttributeCompositeIterator(composite, children), xResolution_(xResolution), yResolution_(yResolution),
      orientation_(orientation), minimum_(minimum), maximum_(maximum) {}

GMediaFilterIterator::~GMediaFilterIterator() = default;

bool GMediaFilterIterator::Advance() {
    while (GAttributeCompositeIterator::Advance()) {
        const auto* media = dynamic_cast<const GMedia*>(Current());
        if (media != nullptr && Passes(*media)) {
            return true;
        }
    }
    return false;
}

bool GMediaFilterIterator::Passes(const GMedia& media) const {
    const GShortPair& size = media.GetSize();
    return media.GetOrientation() == orientation_ && media.GetXResolution() == xResolution_ &&
           media.GetYResolution() == yResolution_ && minimum_.x <= size.x && size.y >= minimum_.y &&
           size.x <= maximum_.x && size.y <= maximum_.y;
}
