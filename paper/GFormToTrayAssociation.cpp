#include "paper/GFormToTrayAssociation.h"

#include "paper/GRestoreOwned.h"

namespace {

std::unique_ptr<GValueAttribute> Value(uint16_t value) {
    return std::make_unique<GValueAttribute>(value, 0);
}

std::unique_ptr<GValueAttribute> CopyOf(const GValueAttribute& value) {
    return std::make_unique<GValueAttribute>(value);
}

} // namespace

GFormToTrayAssociation::GFormToTrayAssociation() : GFormToTrayAssociation(0, 0, 0) {}

GFormToTrayAssociation::GFormToTrayAssociation(uint16_t formKey, uint16_t tray, uint16_t mediaType)
    : GFormToTrayAssociation(formKey, tray, mediaType, RWWString()) {}

GFormToTrayAssociation::GFormToTrayAssociation(uint16_t formKey, uint16_t tray, uint16_t mediaType,
                                               const RWWString& name)
    : tray_(Value(tray)), formKey_(Value(formKey)), mediaType_(Value(mediaType)), name_(name) {}

GFormToTrayAssociation::GFormToTrayAssociation(const GFormToTrayAssociation& other)
    : GAttribute(other), tray_(CopyOf(*other.tray_)), formKey_(CopyOf(*other.formKey_)),
      mediaType_(CopyOf(*other.mediaType_)), name_(other.name_) {}

GFormToTrayAssociation& GFormToTrayAssociation::operator=(const GFormToTrayAssociation& other) {
    if (this != &other) {
        GAttribute::operator=(other);
        *tray_ = *other.tray_;
        *formKey_ = *other.formKey_;
        *mediaType_ = *other.mediaType_;
        name_ = other.name_;
    }
    return *this;
}

GFormToTrayAssociation::~GFormToTrayAssociation() = default;

uint32_t GFormToTrayAssociation::BinaryStoreSize() const {
    return GAttribute::BinaryStoreSize() + 4 + RWObjectStoreSize(tray_.get()) +
           RWObjectStoreSize(formKey_.get()) + RWObjectStoreSize(mediaType_.get()) +
           2 * static_cast<uint32_t>(name_.Length()) + 4;
}

bool GFormToTrayAssociation::IsEqualId(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    if (other == nullptr || other->IsA() != IsA() || !GAttribute::IsEqualId(other)) {
        return false;
    }
    const auto& entry = static_cast<const GFormToTrayAssociation&>(*other);
    return tray_->IsEqualId(entry.tray_.get()) && formKey_->IsEqualId(entry.formKey_.get()) &&
           mediaType_->IsEqualId(entry.mediaType_.get()) && name_ == entry.name_;
}

uint16_t GFormToTrayAssociation::Apply(GPeripheral&) {
    return 1;
}

// --- Persistence ---------------------------------------------------------------

template <class Carrier> void GFormToTrayAssociation::SaveGutsTo(Carrier& carrier) const {
    GAttribute::SaveGuts(carrier);
    GWriteClassVersion(carrier);
    RWSaveObject(carrier, tray_.get());
    RWSaveObject(carrier, formKey_.get());
    RWSaveObject(carrier, mediaType_.get());
    RWSaveString(carrier, name_);
}

template <class Carrier> void GFormToTrayAssociation::RestoreGutsFrom(Carrier& carrier) {
    GAttribute::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier)) {
        return;
    }
    std::unique_ptr<GValueAttribute> values[3];
    for (std::unique_ptr<GValueAttribute>& value : values) {
        value = GRestoreOwned<GValueAttribute>(carrier);
        if (value == nullptr) {
            GMarkRestoreFailed(carrier); // each value must be there
            return;
        }
    }
    // The values are the graph's objects: kept even when the name is cut.
    tray_ = std::move(values[0]);
    formKey_ = std::move(values[1]);
    mediaType_ = std::move(values[2]);
    RWWString name;
    if (RWRestoreString(carrier, name)) {
        name_ = name;
    }
}

RW_DEFINE_GUTS(GFormToTrayAssociation)
