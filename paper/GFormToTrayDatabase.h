#pragma once
// Which paper source and media type the user assigned to each form (class
// 1012, "GFormToTrayDatabase"; kept in the printer's settings under 510).
// The associations (device/GFormToTrayAssociation.h) are the children of an
// embedded attribute composite, in insertion order; every assignment first
// removes the form's old one, so a form has at most one. A form without an
// association answers the default tray 0 and the default media type 11913
// (the string id of "Unspecified"); the defaults are fixed and never stored.
//
// Queries take the first association in insertion order that matches and
// pass over children that are not associations (restored data may hold
// them).
//
// Saved form, after the GAttribute part (model/GAttribute.h):
//   u32 version (1), the embedded composite's own saved form (its root and
//   attribute words, version, count, and each association with its class
//   id)
// Another version reads nothing more.
#include <cstdint>
#include <vector>

#include "model/GAttribute.h"
#include "model/GAttributeComposite.h"
#include "model/MPersistentClass.h"
#include "rw/RWCarrier.h"
#include "rw/RWWString.h"

class GFormToTrayAssociation;

class GFormToTrayDatabase : public GAttribute {
    MPERSISTENT_CLASS_MEMBERS(GFormToTrayDatabase, GAttribute, 1012)
    RW_DECLARE_GUTS()

public:
    static constexpr uint16_t kDefaultMediaType = 11913;
    static constexpr uint16_t kDefaultTray = 0;

    // No associations.
    explicit GFormToTrayDatabase(uint32_t id = 0);
    // Shares the other's associations, as the composite's copy does.
    GFormToTrayDatabase(const GFormToTrayDatabase& other) = default;
    GFormToTrayDatabase& operator=(const GFormToTrayDatabase& other) = default;
    ~GFormToTrayDatabase() override;

    // GAttribute + 4 + the composite's own size.
    uint32_t BinaryStoreSize() const override;

    // The same object; or the same class and id and equal association
    // composites (the defaults are not compared).
    bool IsEqualId(const MPersistentObject* other) const override;
    // Status 1, nothing called.
    uint16_t Apply(GPeripheral& device) override;

    // Removes the form's association, then appends a new one (empty name).
    void Assign(uint16_t formKey, uint16_t tray, uint16_t mediaType);
    void AssignNamed(uint16_t formKey, uint16_t tray, uint16_t mediaType, const RWWString& name);
    // Assign(formKey, the default tray, the default media type).
    void AssignDefault(uint16_t formKey);
    // Removes and deletes the form's association, if any.
    void RemoveForm(uint16_t formKey);
    void RemoveAll() override;

    // The first association with that value (borrowed), or null.
    GFormToTrayAssociation* FindByForm(uint16_t formKey) const;
    GFormToTrayAssociation* FindByTray(uint16_t tray) const;
    GFormToTrayAssociation* FindByMediaType(uint16_t mediaType) const;
    int32_t HasForm(uint16_t formKey) const;

    // The association's value, else the default.
    uint16_t GetTrayForForm(uint16_t formKey) const;
    uint16_t GetMediaTypeForForm(uint16_t formKey) const;
    uint16_t GetMediaTypeForTray(uint16_t tray) const;
    uint16_t GetTrayForMediaType(uint16_t mediaType) const;
    // The first tray / media type that differs from the default, else the
    // default.
    uint16_t GetFirstAssignedTray() const;
    uint16_t GetFirstAssignedMediaType() const;
    // 1 when some association has a tray or media type other than the
    // default.
    int32_t HasAssignments() const;
    int32_t IsTrayUsed(uint16_t tray) const;
    int32_t IsMediaTypeUsed(uint16_t mediaType) const;
    int32_t IsTrayMediaPairUsed(uint16_t tray, uint16_t mediaType) const;
    // 1 when some association has the tray and a name equal character for
    // character (case counts).
    int32_t IsTrayNameUsed(uint16_t tray, const RWWString& name) const;
    // Appends every association's form key, in insertion order.
    void CollectFormKeys(std::vector<uint16_t>& keys) const;

    uint16_t GetDefaultMediaType() const { return kDefaultMediaType; }
    uint16_t GetDefaultTray() const { return kDefaultTray; }
    const GAttributeComposite& GetAssociations() const { return associations_; }

private:
    // The first association for which test answers true, or null.
    template <typename Test> GFormToTrayAssociation* FindFirst(Test test) const;

    GAttributeComposite associations_;
};
