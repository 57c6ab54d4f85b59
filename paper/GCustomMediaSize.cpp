#include "paper/GCustomMediaSize.h"

#include <cstring>

#include "paper/GDots.h"
#include "paper/GPaperUnits.h"

namespace {

uint32_t DotsToHundredths(uint32_t dots, uint16_t resolution) {
    return resolution == 0 ? 0 : GClampToULong(uint64_t{dots} * 100 / resolution);
}

} // namespace

GCustomMediaSize::GCustomMediaSize(uint32_t id) : GAttribute(id) {}

GCustomMediaSize::GCustomMediaSize(uint16_t paperId, const RWCString& name, uint32_t unit, uint32_t width,
                                   uint32_t height, uint32_t id)
    : GAttribute(id), paperId_(paperId), name_(name), unit_(unit), size_{width, height} {}

GCustomMediaSize::GCustomMediaSize(uint16_t paperId, const RWCString& name, uint16_t xResolution,
                                   uint16_t yResolution, uint32_t unit, uint32_t widthDots,
                                   uint32_t heightDots, uint32_t id)
    : GAttribute(id), paperId_(paperId), name_(name),
      unit_(kPaperUnitHundredthInch), size_{DotsToHundredths(widthDots, xResolution),
                                            DotsToHundredths(heightDots, yResolution)} {
    SetUnit(unit);
}

GCustomMediaSize::~GCustomMediaSize() = default;

uint32_t GCustomMediaSize::BinaryStoreSize() const {
    return GAttribute::BinaryStoreSize() + 22 + static_cast<uint32_t>(name_.Length());
}

bool GCustomMediaSize::IsEqualId(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    if (other == nullptr || other->IsA() != IsA() || !GAttribute::IsEqualId(other)) {
        return false;
    }
    const auto& custom = static_cast<const GCustomMediaSize&>(*other);
    if (paperId_ != custom.paperId_ || name_.Length() != custom.name_.Length() ||
        std::memcmp(name_.Data(), custom.name_.Data(), name_.Length()) != 0) {
        return false;
    }
    if (unit_ == custom.unit_) {
        return size_ == custom.size_;
    }
    GSizePair mine;
    GSizePair theirs;
    GetSizeInUnit(mine, kPaperUnitMicrometre);
    custom.GetSizeInUnit(theirs, kPaperUnitMicrometre);
    return mine == theirs;
}

uint16_t GCustomMediaSize::Apply(GPeripheral&) {
    return 0;
}

void GCustomMediaSize::Set(uint32_t unit, uint32_t width, uint32_t height) {
    unit_ = unit;
    size_ = {width, height};
}

void GCustomMediaSize::Set(uint32_t unit, const GSizePair& size) {
    unit_ = unit;
    size_ = size;
}

void GCustomMediaSize::SetUnit(uint32_t unit) {
    GetSizeInUnit(size_, unit);
    unit_ = unit;
}

void GCustomMediaSize::GetSizeInUnit(GSizePair& size, uint32_t unit) const {
    size = ConvertPaperUnits(unit_, unit, size_);
}

void GCustomMediaSize::GetSizeInDots(GSizePair& size, uint16_t xResolution, uint16_t yResolution) const {
    size = PaperSizeToDots(unit_, size_, xResolution, yResolution);
}

// --- Persistence ---------------------------------------------------------------

template <class Carrier> void GCustomMediaSize::SaveGutsTo(Carrier& carrier) const {
    GAttribute::SaveGuts(carrier);
    GWriteClassVersion(carrier);
    RWSaveI16(carrier, static_cast<int16_t>(paperId_));
    RWSaveString(carrier, name_);
    RWSaveI32(carrier, static_cast<int32_t>(unit_));
    RWSaveU32(carrier, size_.x);
    RWSaveU32(carrier, size_.y);
}

template <class Carrier> void GCustomMediaSize::RestoreGutsFrom(Carrier& carrier) {
    GAttribute::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier)) {
        return;
    }
    int16_t paperId = 0;
    RWCString name;
    int32_t unit = 0;
    GSizePair size;
    // All or none: a cut record leaves the size as it was.
    if (RWRestoreI16(carrier, paperId) && RWRestoreString(carrier, name) && RWRestoreI32(carrier, unit) &&
        RWRestoreU32(carrier, size.x) && RWRestoreU32(carrier, size.y)) {
        paperId_ = static_cast<uint16_t>(paperId);
        name_ = name;
        unit_ = static_cast<uint32_t>(unit);
        size_ = size;
    }
}

RW_DEFINE_GUTS(GCustomMediaSize)
