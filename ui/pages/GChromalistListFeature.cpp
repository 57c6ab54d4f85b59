#include "ui/pages/GChromalistListFeature.h"

#include <memory>

#include "model/GValueAttribute.h"
#include "model/MAssociationList.h"
#include "model/MPersistentIterator.h"
#include "ui/framework/GUIModel.h"

std::vector<GChromalistListFeature::Choice> GChromalistListFeature::Choices() const {
    std::vector<Choice> choices;
    auto* list =
        dynamic_cast<MAssociationList*>(Model()->Defaults().FindTyped(ListId(), MAssociationList::kClassId));
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
