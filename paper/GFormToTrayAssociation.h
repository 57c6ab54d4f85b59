#pragma once
// One entry of the form-to-tray database (class 1013,
// "GFormToTrayAssociation"): the paper source (a tray's bin id) and the
// media type (a string id) the user assigned to a form, and an optional
// wide name given with the assignment.
//
// Saved form, after the GAttribute part (model/GAttribute.h):
//   u32 version (1), the tray, the form key and the media type, each a
//   nested GValueAttribute object (id 0), the name as the class library
//   saves a wide string (u32 length, 16-bit characters)
// A nil value fails the restore; a value of another class, or one the graph
// names a second time, is refused (REF). Another version reads nothing more.
#include <cstdint>
#include <memory>

#include "model/GAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentClass.h"
#include "rw/RWCarrier.h"
#include "rw/RWWString.h"

class GFormToTrayAssociation : public GAttribute {
    MPERSISTENT_CLASS_MEMBERS(GFormToTrayAssociation, GAttribute, 1013)
    RW_DECLARE_GUTS()

public:
    // The three values 0, an empty name, id 0.
    GFormToTrayAssociation();
    GFormToTrayAssociation(uint16_t formKey, uint16_t tray, uint16_t mediaType);
    GFormToTrayAssociation(uint16_t formKey, uint16_t tray, uint16_t mediaType, const RWWString& name);
    // Id, serial, changed, the three values (copied) and the name.
    GFormToTrayAssociation(const GFormToTrayAssociation& other);
    GFormToTrayAssociation& operator=(const GFormToTrayAssociation& other);
    ~GFormToTrayAssociation() override;

    // GAttribute + 4 + the three values' nested sizes + 2 × the name's
    // length + 4.
    uint32_t BinaryStoreSize() const override;

    // The same object; or the same class and id, the tray, form key and media
    // type equal as value attributes, and the names equal character for
    // character.
    bool IsEqualId(const MPersistentObject* other) const override;
    // Status 1, nothing called.
    uint16_t Apply(GPeripheral& device) override;

    uint16_t GetFormKey() const { return formKey_->GetValue(); }
    uint16_t GetTray() const { return tray_->GetValue(); }
    uint16_t GetMediaType() const { return mediaType_->GetValue(); }
    const RWWString& GetName() const { return name_; }

private:
    // Never null. Held by pointer: restored ones are the objects the graph
    // made, which must live as long as the restore that may name them again.
    std::unique_ptr<GValueAttribute> tray_;
    std::unique_ptr<GValueAttribute> formKey_;
    std::unique_ptr<GValueAttribute> mediaType_;
    RWWString name_;
};
