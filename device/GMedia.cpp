#include "device/GMedia.h"

#include <cstring>

#include "device/GDots.h"
#include "device/GPeripheral.h"

namespace {

const char* OrEmpty(const char* text) {
    return text != nullptr ? text : "";
}

bool SameBytes(const RWCString& a, const RWCString& b) {
    return a.Length() == b.Length() && std::memcmp(a.Data(), b.Data(), a.Length()) == 0;
}

} // namespace

GMedia::GMedia() : GAttribute(kDefaultId) {}

GMedia::GMedia(const RWCString& name, const GShortPair& size, const GShortPair& imageableSize,
               const GShortPair& imageableOrigin, int32_t orientation, int16_t paperId, uint16_t xResolution,
               uint16_t yResolution, uint32_t id, uint16_t extraWord, const char* secondName,
               const char* mediaType)
    : GAttribute(id), name_(name), size_(size), imageableSize_(imageableSize),
      imageableOrigin_(imageableOrigin), orientation_(orientation), xResolution_(xResolution),
      yResolution_(yResolution), extraWord_(extraWord), secondName_(OrEmpty(secondName)),
      mediaType_(OrEmpty(mediaType)), paperId_(paperId) {}

GMedia::~GMedia() = default;

uint32_t GMedia::BinaryStoreSize() const {
    return GAttribute::BinaryStoreSize() + 40 + static_cast<uint32_t>(name_.Length()) +
           static_cast<uint32_t>(secondName_.Length()) + static_cast<uint32_t>(mediaType_.Length());
}

bool GMedia::IsEqualId(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    if (other == nullptr || other->IsA() != IsA() || !GAttribute::IsEqualId(other)) {
        return false;
    }
    const auto& media = static_cast<const GMedia&>(*other);
    return SameBytes(name_, media.name_) && size_ == media.size_ && imageableSize_ == media.imageableSize_ &&
           imageableOrigin_ == media.imageableOrigin_ && orientation_ == media.orientation_ &&
           xResolution_ == media.xResolution_ && yResolution_ == media.yResolution_ &&
           extraWord_ == media.extraWord_ && SameBytes(secondName_, media.secondName_) &&
           SameBytes(mediaType_, media.mediaType_) && paperId_ == media.paperId_;
}

uint16_t GMedia::Apply(GPeripheral& device) {
    return device.OnMedia(*this);
}

void GMedia::GetImageableRect(uint16_t& left, uint16_t& top, uint16_t& right, uint16_t& bottom) const {
    left = GClampToUShort(imageableOrigin_.x);
    top = GClampToUShort(imageableOrigin_.y);
    right = GClampToUShort(int64_t{imageableOrigin_.x} + imageableSize_.x);
    bottom = GClampToUShort(int64_t{imageableOrigin_.y} + imageableSize_.y);
}

void GMedia::GetImageableFarCorner(GShortPair& corner) const {
    corner.x = GClampToShort(int64_t{imageableOrigin_.x} + imageableSize_.x);
    corner.y = GClampToShort(int64_t{imageableOrigin_.y} + imageableSize_.y);
}

void GMedia::GetFarMargins(GShortPair& margins) const {
    margins.x = GClampToShort(int64_t{size_.x} - imageableSize_.x - imageableOrigin_.x);
    margins.y = GClampToShort(int64_t{size_.y} - imageableSize_.y - imageableOrigin_.y);
}
