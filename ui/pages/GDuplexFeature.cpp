#include "ui/pages/GDuplexFeature.h"

#include "model/GSettingIds.h"
#include "ui/framework/GUIModel.h"

namespace {
constexpr int16_t kDuplexShortEdge = 1;
constexpr int16_t kDuplexLongEdge = 2;
} // namespace

GDuplexFeature::GDuplexFeature(GUIModel* model)
    : GValueFeature(model, GSettingId::kDuplex), booklet_(model) {}

bool GDuplexFeature::Upright() {
    const int16_t orientation = GetSettingValue(GSettingId::kOrientation);
    return orientation == 0 || orientation == 180;
}

int16_t GDuplexFeature::GetValue() {
    const int16_t edge = GetSettingValue(GSettingId::kDuplex);
    if (edge == 0) return kOff;
    // Portrait pages bound on the short edge read upside down on the back.
    const bool flipped = (edge == kDuplexShortEdge) == Upright();
    return flipped ? kFlipUp : kBothSides;
}

int32_t GDuplexFeature::SetValue(int16_t value) {
    GSettingsAccessor settings = Model()->CurrentSettings();
    if (value == kOff) {
        booklet_.SetValue(GBookletFeature::kOff);
        return settings.SetValue(GSettingId::kDuplex, 0);
    }
    const bool shortEdge = (value == kFlipUp) == Upright();
    return settings.SetValue(GSettingId::kDuplex, shortEdge ? kDuplexShortEdge : kDuplexLongEdge);
}

int32_t GDuplexFeature::WasChanged() {
    GSettingsAccessor settings = Model()->CurrentSettings();
    return settings.WasChanged(GSettingId::kDuplex) | settings.WasChanged(GSettingId::kOrientation) |
           booklet_.WasChanged();
}

uint16_t GDuplexFeature::GetState() {
    return static_cast<uint16_t>(GetSettingValue(GSettingId::kDuplexLevel));
}
