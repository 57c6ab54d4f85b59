#include "ui/framework/GAccessoryTable.h"

#include <memory>

#include "model/GSettingIds.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentIterator.h"
#include "ui/framework/GUIModel.h"

namespace {

RWCString AccessoryText(MPersistentObject& entry, uint32_t id) {
    const auto* text = dynamic_cast<const GStringAttribute*>(entry.FindById(id));
    return text == nullptr ? RWCString() : text->GetValue();
}

int16_t AccessoryNumber(MPersistentObject& entry, uint32_t id) {
    const auto* value = dynamic_cast<const GValueAttribute*>(entry.FindById(id));
    return value == nullptr ? 0 : static_cast<int16_t>(value->GetValue());
}

bool SameText(const RWCString& one, const RWCString& other) {
    return one.Length() == other.Length() && one == other;
}

} // namespace

GAccessoryTable::GAccessoryTable(GUIModel* model) {
    if (model == nullptr) return;
    GSettingsAccessor defaults = model->Defaults();
    if (defaults.Descend(GSettingId::kProductTable) == 0) return;
    MPersistentObject* table = defaults.FindComposite(GSettingId::kAccessories);
    if (table == nullptr) return;
    const std::unique_ptr<MPersistentIterator> child = table->CreateIterator();
    while (child->Advance()) {
        MPersistentObject* entry = child->Current();
        if (entry == nullptr) continue;
        entries_.push_back({AccessoryText(*entry, GSettingId::kAccessoryIdentifier),
                            AccessoryText(*entry, GSettingId::kAccessoryPartNumber),
                            AccessoryText(*entry, GSettingId::kAccessoryModelCode),
                            AccessoryNumber(*entry, GSettingId::kAccessoryRole),
                            AccessoryNumber(*entry, GSettingId::kAccessoryKind)});
    }
}

RWCString GAccessoryTable::FinishingPartNumber() const {
    for (const Entry& entry : entries_)
        if (entry.role >= kStaplerStackerRole && entry.role <= kBookletMakerRole) return entry.partNumber;
    return RWCString();
}

int16_t GAccessoryTable::OutputUnitKind(const RWCString& modelCode) const {
    if (modelCode.Length() == 0) return 0;
    for (const Entry& entry : entries_)
        if (entry.kind != 0 && SameText(entry.modelCode, modelCode)) return entry.kind;
    return 0;
}

int16_t GAccessoryTable::KindOfUnit(const RWCString& unitName) const {
    if (unitName.Length() == 0) return 0;
    for (const Entry& entry : entries_)
        if (entry.kind != 0 && (SameText(entry.identifier, unitName) ||
                                SameText(entry.partNumber, unitName) || SameText(entry.modelCode, unitName)))
            return entry.kind;
    return 0;
}

int16_t GAccessoryTable::RoleOfUnit(const RWCString& unitName) const {
    if (unitName.Length() == 0) return 0;
    for (const Entry& entry : entries_)
        if (SameText(entry.identifier, unitName)) return entry.role;
    return 0;
}

bool GAccessoryTable::IsOutputUnit(const RWCString& unitName) const {
    const int16_t role = RoleOfUnit(unitName);
    return role >= kStaplerStackerRole && role <= kStackerRole;
}
