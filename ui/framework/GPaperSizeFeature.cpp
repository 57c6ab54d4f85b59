#include "ui/framework/GPaperSizeFeature.h"

#include "model/GEnumAttribute.h"
#include "model/MPersistentIterator.h"
#include "paper/GCustomMedia.h"
#include "paper/GCustomMediaSize.h"
#include "paper/GMedia.h"

const GCustomMediaSize* GPaperSizeFeature::FindCustomEntry(uint16_t sizeId) const {
    GEnumAttribute* sizes = settings_.FindEnum276();
    if (sizes == nullptr) return nullptr;
    const std::unique_ptr<MPersistentIterator> children = sizes->CreateIterator();
    while (children->Advance()) {
        const auto* entry = dynamic_cast<const GCustomMediaSize*>(children->Current());
        if (entry != nullptr && entry->GetPaperId() == sizeId) return entry;
    }
    return nullptr;
}

std::unique_ptr<GMedia> GPaperSizeFeature::MakeMedia(const GCustomMediaSize& entry,
                                                     MPersistentObject* settings,
                                                     MPersistentObject* configuration, uint16_t xResolution,
                                                     uint16_t yResolution) const {
    return MakeCustomMediaWithOrientation(entry, settings, configuration, xResolution, yResolution);
}
