#include "ui/pages/GColorTabListFeature.h"

#include "model/GSettingIds.h"
#include "ui/framework/GUIModel.h"

GColorTabListFeature::GColorTabListFeature(GUIModel* model, int32_t field,
                                           const std::array<uint32_t, 3>& choiceLists)
    : GChromalistOptionFeature(model, GSettingId::kDocumentGroup, GSettingId::kColourControl, choiceLists[0],
                               0, field),
      choiceLists_(choiceLists) {}

int32_t GColorTabListFeature::Tab() const {
    const int16_t tab = GetSettingValue(GSettingId::kColourTab);
    return tab >= 0 && tab < static_cast<int16_t>(choiceLists_.size()) ? tab : 0;
}

uint32_t GColorTabListFeature::ListId() const {
    return choiceLists_[static_cast<size_t>(Tab())];
}

int32_t GColorTabListFeature::WasChanged() {
    return GChromalistOptionFeature::WasChanged() != 0 ||
                   Model()->RuleLevels().WasChanged(GSettingId::kColourTab) != 0
               ? 1
               : 0;
}
