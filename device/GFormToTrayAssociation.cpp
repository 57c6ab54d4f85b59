#include "device/GFormToTrayAssociation.h"

GFormToTrayAssociation::GFormToTrayAssociation() = default;

GFormToTrayAssociation::GFormToTrayAssociation(uint16_t formKey, uint16_t tray, uint16_t mediaType)
    : tray_(tray, 0), formKey_(formKey, 0), mediaType_(mediaType, 0) {}

GFormToTrayAssociation::GFormToTrayAssociation(uint16_t formKey, uint16_t tray, uint16_t mediaType,
                                               const RWWString& name)
    : tray_(tray, 0), formKey_(formKey, 0), mediaType_(mediaType, 0), name_(name) {}

GFormToTrayAssociation::~GFormToTrayAssociation() = default;

uint32_t GFormToTrayAssociation::BinaryStoreSize() const {
    return GAttribute::BinaryStoreSize() + 4 + tray_.RecursiveStoreSize() + formKey_.RecursiveStoreSize() +
           mediaType_.RecursiveStoreSize() + 2 * static_cast<uint32_t>(name_.Length()) + 4;
}

bool GFormToTrayAssociation::IsEqualId(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    if (other == nullptr || other->IsA() != IsA() || !GAttribute::IsEqualId(other)) {
        return false;
    }
    const auto& entry = static_cast<const GFormToTrayAssociation&>(*other);
    return tray_.IsEqualId(&entry.tray_) && formKey_.IsEqualId(&entry.formKey_) &&
           mediaType_.IsEqualId(&entry.mediaType_) && name_ == entry.name_;
}

uint16_t GFormToTrayAssociation::Apply(GPeripheral&) {
    return 1;
}
