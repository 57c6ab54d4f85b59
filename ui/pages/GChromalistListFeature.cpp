#include "ui/pages/GChromalistListFeature.h"

#include <memory>

#include "model/GChromalistAttribute.h"
#include "model/GChromalistEnhancedBody.h"
#include "model/GSettingIds.h"
#include "model/GValueAttribute.h"
#include "model/MAssociationList.h"
#include "model/MPersistentIterator.h"
#include "ui/framework/GUIModel.h"

namespace {

// Each colour-control class keeps its own codes: read and write them as the
// most derived of the two bodies the object is.
int32_t GetColourCode(const MPersistentObject* object, int32_t kind, int32_t field, uint8_t& code) {
    if (const auto* enhanced = dynamic_cast<const GChromalistEnhancedBody*>(object))
        return enhanced->HasStoredOption(kind, field) ? enhanced->GetOption(kind, field, code) : 0;
    if (const auto* base = dynamic_cast<const GChromalistAttribute*>(object))
        return base->HasStoredOption(kind, field) ? base->GetOption(kind, field, code) : 0;
    return 0;
}

int32_t SetColourCode(MPersistentObject* object, int32_t kind, int32_t field, uint8_t code) {
    if (auto* enhanced = dynamic_cast<GChromalistEnhancedBody*>(object))
        return enhanced->HasStoredOption(kind, field) ? enhanced->SetOption(kind, field, code) : 0;
    if (auto* base = dynamic_cast<GChromalistAttribute*>(object))
        return base->HasStoredOption(kind, field) ? base->SetOption(kind, field, code) : 0;
    return 0;
}

} // namespace

GChromalistListFeature::GChromalistListFeature(GUIModel* model, int32_t field,
                                               const std::array<uint32_t, 3>& choiceLists)
    : GValueFeature(model, GSettingId::kColourControl), field_(field), choiceLists_(choiceLists) {}

int32_t GChromalistListFeature::Tab() const {
    const int16_t tab = GetSettingValue(GSettingId::kColourTab);
    return tab >= 0 && tab < static_cast<int16_t>(choiceLists_.size()) ? tab : 0;
}

std::vector<GChromalistListFeature::Choice> GChromalistListFeature::Choices() const {
    std::vector<Choice> choices;
    auto* list = dynamic_cast<MAssociationList*>(
        Model()->Defaults().FindTyped(choiceLists_[static_cast<size_t>(Tab())], MAssociationList::kClassId));
    if (list == nullptr) return choices;
    const std::unique_ptr<MPersistentIterator> entry = list->CreateIterator();
    while (entry->Advance()) {
        const auto* association = dynamic_cast<const MPersistentAssociation*>(entry->Current());
        const auto* key =
            association == nullptr ? nullptr : dynamic_cast<const GValueAttribute*>(association->GetKey());
        const auto* label =
            association == nullptr ? nullptr : dynamic_cast<const GValueAttribute*>(association->GetValue());
        if (key != nullptr)
            choices.push_back(
                {key->GetValue(), label == nullptr ? -1 : static_cast<int16_t>(label->GetValue())});
    }
    return choices;
}

int16_t GChromalistListFeature::GetValue() {
    uint8_t code = 0;
    return GetColourCode(CurrentControl(), Tab(), field_, code) != 0 ? code : 0;
}

int32_t GChromalistListFeature::SetValue(int16_t value) {
    GSettingsAccessor settings = Model()->CurrentSettings();
    const std::unique_ptr<MPersistentObject> changed = settings.CloneAttribute(AttributeId());
    if (!changed || SetColourCode(changed.get(), Tab(), field_, static_cast<uint8_t>(value)) == 0) return 0;
    if (GetValue() == static_cast<uint8_t>(value)) return 1;
    if (settings.NotifyChange(CurrentControl(), nullptr) == 0) return 0;
    return settings.Replace(AttributeId(), changed.get()) != 0 ? 1 : 0;
}

MPersistentObject* GChromalistListFeature::CurrentControl() const {
    MPersistentObject* settings = Model()->CurrentSettings().Composite();
    return settings == nullptr ? nullptr : settings->FindById(AttributeId());
}

int32_t GChromalistListFeature::WasChanged() {
    return Model()->CurrentSettings().WasChanged(AttributeId()) != 0 ||
                   Model()->RuleLevels().WasChanged(GSettingId::kColourTab) != 0
               ? 1
               : 0;
}
