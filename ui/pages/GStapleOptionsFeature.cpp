#include "ui/pages/GStapleOptionsFeature.h"

#include "model/GSettingIds.h"
#include "ui/framework/GUIModel.h"

namespace {
constexpr int16_t kAngledLetter = 1;
constexpr int16_t kAngledLegal = 6;
constexpr int16_t kAngledA4 = 23;
constexpr int16_t kAngledRuleDisabled = 1;
} // namespace

GStapleOptionsFeature::GStapleOptionsFeature(GUIModel* model)
    : GValueFeature(model, GSettingId::kStapleOption) {}

int32_t GStapleOptionsFeature::WasChanged() {
    GSettingsAccessor settings = Model()->CurrentSettings();
    return settings.WasChanged(GSettingId::kStapleOption) | settings.WasChanged(GSettingId::kOrientation);
}

bool GStapleOptionsFeature::AngledAllowed() {
    if (GetSettingValue(GSettingId::kStapleOptionsLevel) == kAngledRuleDisabled) return false;
    const int16_t paper = GetSettingValue(GSettingId::kPrintOnOtherPaper) == 1
                              ? GetSettingValue(GSettingId::kOtherPaper)
                              : GetSettingValue(GSettingId::kPaper);
    if (paper == kAngledLegal) return false;
    int16_t orientation = GetSettingValue(GSettingId::kOrientation);
    const int16_t pages = GetSettingValue(GSettingId::kPagesPerSheet);
    if (pages == 2 || pages == 6) orientation = orientation == 0 ? 90 : 0;
    const bool portraitSize = paper == kAngledLetter || paper == kAngledA4;
    if (orientation == 0) return portraitSize;
    return (orientation == 90 || orientation == 270) && !portraitSize;
}
