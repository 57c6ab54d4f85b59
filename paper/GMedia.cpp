#include "paper/GMedia.h"

#include "model/GSettingIds.h"
#include "paper/GDots.h"
#include "pipeline/GPeripheral.h"

namespace {

const char* OrEmpty(const char* text) {
    return text != nullptr ? text : "";
}

} // namespace

GMedia::GMedia() : GAttribute(GSettingId::kPoolMedia) {}

GMedia::GMedia(const RWCString& name, const GShortPair& size, const GShortPair& imageableSize,
               const GShortPair& imageableOrigin, int32_t orientation, int16_t paperId, uint16_t xResolution,
               uint16_t yResolution, uint32_t id, uint16_t extraWord, const char* secondName,
               const char* mediaType)
    : GAttribute(id), fields_{
                          name,        size,        imageableSize, imageableOrigin,     orientation,
                          xResolution, yResolution, extraWord,     OrEmpty(secondName), OrEmpty(mediaType),
                          paperId} {}

GMedia::~GMedia() = default;

uint32_t GMedia::BinaryStoreSize() const {
    return GAttribute::BinaryStoreSize() + 40 + static_cast<uint32_t>(fields_.name.Length()) +
           static_cast<uint32_t>(fields_.secondName.Length()) +
           static_cast<uint32_t>(fields_.mediaType.Length());
}

bool GMedia::IsEqualId(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    if (other == nullptr || other->IsA() != IsA() || !GAttribute::IsEqualId(other)) {
        return false;
    }
    return fields_ == static_cast<const GMedia&>(*other).fields_;
}

uint16_t GMedia::Apply(GPeripheral& device) {
    return device.OnMedia(*this);
}

void GMedia::GetImageableRect(uint16_t& left, uint16_t& top, uint16_t& right, uint16_t& bottom) const {
    const GShortPair& origin = fields_.imageableOrigin;
    const GShortPair& size = fields_.imageableSize;
    left = GClampToUShort(origin.x);
    top = GClampToUShort(origin.y);
    right = GClampToUShort(int64_t{origin.x} + size.x);
    bottom = GClampToUShort(int64_t{origin.y} + size.y);
}

void GMedia::GetImageableFarCorner(GShortPair& corner) const {
    const GShortPair& origin = fields_.imageableOrigin;
    const GShortPair& size = fields_.imageableSize;
    corner.x = GClampToShort(int64_t{origin.x} + size.x);
    corner.y = GClampToShort(int64_t{origin.y} + size.y);
}

void GMedia::GetFarMargins(GShortPair& margins) const {
    const GShortPair& origin = fields_.imageableOrigin;
    const GShortPair& imageable = fields_.imageableSize;
    margins.x = GClampToShort(int64_t{fields_.size.x} - imageable.x - origin.x);
    margins.y = GClampToShort(int64_t{fields_.size.y} - imageable.y - origin.y);
}

// --- Persistence ---------------------------------------------------------------

template <class Carrier> void GMedia::SaveGutsTo(Carrier& carrier) const {
    GAttribute::SaveGuts(carrier);
    GWriteClassVersion(carrier);
    RWSaveString(carrier, fields_.name);
    for (const GShortPair* pair : {&fields_.size, &fields_.imageableSize, &fields_.imageableOrigin}) {
        RWSaveI16(carrier, pair->x);
        RWSaveI16(carrier, pair->y);
    }
    RWSaveI32(carrier, fields_.orientation);
    RWSaveU16(carrier, fields_.xResolution);
    RWSaveU16(carrier, fields_.yResolution);
    RWSaveU16(carrier, fields_.extraWord);
    RWSaveString(carrier, fields_.secondName);
    RWSaveString(carrier, fields_.mediaType);
    RWSaveI16(carrier, fields_.paperId);
}

template <class Carrier> void GMedia::RestoreGutsFrom(Carrier& carrier) {
    GAttribute::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier)) {
        return;
    }
    Fields read;
    if (!RWRestoreString(carrier, read.name)) {
        return;
    }
    for (GShortPair* pair : {&read.size, &read.imageableSize, &read.imageableOrigin}) {
        if (!RWRestoreI16(carrier, pair->x) || !RWRestoreI16(carrier, pair->y)) {
            return;
        }
    }
    // All or none: a cut record leaves the media as it was.
    if (RWRestoreI32(carrier, read.orientation) && RWRestoreU16(carrier, read.xResolution) &&
        RWRestoreU16(carrier, read.yResolution) && RWRestoreU16(carrier, read.extraWord) &&
        RWRestoreString(carrier, read.secondName) && RWRestoreString(carrier, read.mediaType) &&
        RWRestoreI16(carrier, read.paperId)) {
        fields_ = read;
    }
}

RW_DEFINE_GUTS(GMedia)
