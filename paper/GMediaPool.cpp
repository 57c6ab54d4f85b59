#include "paper/GMediaPool.h"

#include "paper/GMedia.h"

GMediaPool::GMediaPool(uint32_t id) : GEnumAttribute(id) {}

GMediaPool::~GMediaPool() = default;

uint32_t GMediaPool::BinaryStoreSize() const {
    return GEnumAttribute::BinaryStoreSize() + 4;
}

bool GMediaPool::IsEqualId(const MPersistentObject* other) const {
    return other != nullptr && other->IsA() == IsA() && GEnumAttribute::IsEqualId(other);
}

std::unique_ptr<GMediaFilterIterator>
GMediaPool::CreateFilterIterator(int32_t orientation, uint16_t xResolution, uint16_t yResolution,
                                 const GShortPair& minimum, const GShortPair& maximum) {
    return std::make_unique<GMediaFilterIterator>(*this, MutableChildren(), xResolution, yResolution,
                                                  orientation, minimum, maximum);
}

std::unique_ptr<GMediaFilterIterator> GMediaPool::CreateFilterIterator(int32_t orientation,
                                                                       uint16_t resolution,
                                                                       const GShortPair& minimum,
                                                                       const GShortPair& maximum) {
    return CreateFilterIterator(orientation, resolution, resolution, minimum, maximum);
}

GMedia* GMediaPool::FindMedia(int16_t paperId, int32_t orientation, uint16_t xResolution,
                              uint16_t yResolution) {
    std::unique_ptr<GMediaFilterIterator> media =
        CreateFilterIterator(orientation, xResolution, yResolution, kAnySizeMinimum, kAnySizeMaximum);
    while (media->Advance()) {
        auto* found = static_cast<GMedia*>(media->Current());
        if (found->GetPaperId() == paperId) {
            return found;
        }
    }
    return nullptr;
}

GMedia* GMediaPool::FindMedia(int16_t paperId, int32_t orientation, uint16_t resolution) {
    return FindMedia(paperId, orientation, resolution, resolution);
}

// --- Persistence ---------------------------------------------------------------

template <class Carrier> void GMediaPool::SaveGutsTo(Carrier& carrier) const {
    GEnumAttribute::SaveGuts(carrier);
    GWriteClassVersion(carrier);
}

template <class Carrier> void GMediaPool::RestoreGutsFrom(Carrier& carrier) {
    GEnumAttribute::RestoreGuts(carrier);
    // Nothing follows the version word: any value is taken.
    uint32_t version = 0;
    RWRestoreU32(carrier, version);
}

RW_DEFINE_GUTS(GMediaPool)
