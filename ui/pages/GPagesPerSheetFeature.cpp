#include "ui/pages/GPagesPerSheetFeature.h"

#include <array>

#include "rw/RWWString.h"
#include "ui/framework/GUIModel.h"
#include "ui/framework/GUIStrings.h"

namespace {
constexpr uint16_t kPageOrderCountText = 11051;
constexpr std::array<int16_t, 6> kAllowed = {1, 2, 4, 6, 9, 16};
} // namespace

int32_t PageOrderCount() {
    RWWString text;
    if (LoadResString(kPageOrderCountText, text) == 0) return 0;
    const char16_t* digits = text.Data();
    int32_t count = 0;
    for (size_t at = 0; at < text.Length() && digits[at] >= u'0' && digits[at] <= u'9' && count < 100; ++at)
        count = count * 10 + (digits[at] - u'0');
    return count;
}

GPagesPerSheetFeature::GPagesPerSheetFeature(GUIModel* model)
    : GValueFeature(model, GSettingId::kPagesPerSheet) {}

int16_t GPagesPerSheetFeature::Normalise(int32_t typed) {
    if (typed <= kFewest) return kFewest;
    if (typed >= 13) return kMost;
    if (typed >= 7) return typed == 7 ? 6 : 9;
    if (typed == 5) return 6;
    return typed == 3 ? 4 : static_cast<int16_t>(typed);
}

int16_t GPagesPerSheetFeature::Step(int16_t value, bool up) {
    size_t at = 0;
    while (at + 1 < kAllowed.size() && kAllowed[at] < value)
        ++at;
    if (up) return kAllowed[(at + 1) % kAllowed.size()];
    return kAllowed[(at + kAllowed.size() - 1) % kAllowed.size()];
}

int32_t GPagesPerSheetFeature::SetBorders(int16_t on) {
    return Model()->CurrentSettings().SetValue(GSettingId::kPageBorders, on);
}

int32_t GPagesPerSheetFeature::SetOrder(int16_t order) {
    return Model()->CurrentSettings().SetValue(GSettingId::kPageOrder, order);
}

int32_t GPagesPerSheetFeature::WasChanged() {
    GSettingsAccessor settings = Model()->CurrentSettings();
    return settings.WasChanged(GSettingId::kPagesPerSheet) | settings.WasChanged(GSettingId::kPageBorders) |
           settings.WasChanged(GSettingId::kPageOrder);
}

uint16_t GPagesPerSheetFeature::GetState() {
    return static_cast<uint16_t>(GetSettingValue(GSettingId::kPagesPerSheetLevel));
}
