#include "ui/pages/GResolutionFeature.h"

#include <iterator>

#include "model/GSettingIds.h"
#include "ui/framework/GUIModel.h"

namespace {

struct ResolutionEntry {
    int16_t dpi;
    int16_t bits;
    int16_t fine;
    // The edge enhancement written with the entry while the fine modes take part.
    int16_t edges;
};

// By entry; an entry past the table (or, without the fine modes, past
// entry 3) writes entry 2's values.
constexpr ResolutionEntry kResolutionEntries[] = {
    {600, 2, 0, 4},     {1200, 1, 0, 0},    {600, 1, 0, 4},    {300, 1, 0, 4},
    {1200, 1, 141, -1}, {1200, 1, 180, -1}, {1200, 1, 212, 0},
};

const ResolutionEntry& EntryValues(int16_t entry, bool fineMode) {
    const int16_t entries =
        fineMode ? static_cast<int16_t>(std::size(kResolutionEntries)) : GResolutionFeature::kFine141;
    if (entry < 0 || entry >= entries) return kResolutionEntries[GResolutionFeature::k600];
    return kResolutionEntries[entry];
}

} // namespace

GResolutionFeature::GResolutionFeature(GUIModel* model)
    : GValueFeature(model, GSettingId::kResolution),
      fineMode_(model->CurrentSettings().HasKey(GSettingId::kFineResolutionMode) != 0) {}

int16_t GResolutionFeature::EntryOf(int16_t x, int16_t y, int16_t bits, int16_t fine) const {
    if (x == 300 && y == 300 && bits == 1) return k300;
    if (x == 600 && y == 600 && bits == 1) return k600;
    if (x == 600 && y == 600 && bits == 2) return kEnhanced600;
    if (x != 1200 || y != 1200) return k600;
    if (!fineMode_) return k1200;
    switch (fine) {
    case 0:
        return k1200;
    case 141:
        return kFine141;
    case 180:
        return kFine180;
    case 212:
        return kFine212;
    default:
        return k600;
    }
}

int16_t GResolutionFeature::GetValue() {
    GSettingsAccessor node = Model()->CurrentSettings();
    node.Descend(GSettingId::kResolution);
    int16_t x = 0, y = 0, bits = 0, fine = 0;
    node.GetValue(GSettingId::kXResolution, x);
    node.GetValue(GSettingId::kYResolution, y);
    node.GetValue(GSettingId::kBitsPerPixel, bits);
    node.GetValue(GSettingId::kFineResolutionDetail, fine);
    return EntryOf(x, y, bits, fine);
}

int32_t GResolutionFeature::SetValue(int16_t entry) {
    GSettingsAccessor node = Model()->CurrentSettings();
    if (node.Descend(GSettingId::kResolution) == 0) return 0;
    const ResolutionEntry& values = EntryValues(entry, fineMode_);
    node.SetValue(GSettingId::kXResolution, values.dpi);
    node.SetValue(GSettingId::kYResolution, values.dpi);
    node.SetValue(GSettingId::kBitsPerPixel, values.bits);
    GSettingsAccessor settings = Model()->CurrentSettings();
    if (fineMode_) {
        node.SetValue(GSettingId::kFineResolutionDetail, values.fine);
        settings.SetValue(GSettingId::kEdgeEnhancement, values.edges);
    } else if (entry == k1200) {
        // 1200 dpi prints without edge enhancement.
        settings.SetValue(GSettingId::kEdgeEnhancement, 0);
    }
    return 1;
}

int32_t GResolutionFeature::WasChanged() {
    const GSettingsAccessor settings = Model()->CurrentSettings();
    for (const uint32_t id : {GSettingId::kXResolution, GSettingId::kYResolution, GSettingId::kBitsPerPixel})
        if (settings.WasChanged(id) != 0) return 1;
    return fineMode_ && settings.WasChanged(GSettingId::kFineResolutionDetail) != 0 ? 1 : 0;
}
