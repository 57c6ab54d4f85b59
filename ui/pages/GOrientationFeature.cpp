#include "ui/pages/GOrientationFeature.h"

#include "model/GSettingIds.h"
#include "ui/framework/GUIModel.h"

namespace {
constexpr int16_t kShortEdgeBinding = 1;
constexpr int16_t kLongEdgeBinding = 2;
} // namespace

GOrientationFeature::GOrientationFeature(GUIModel* model) : GValueFeature(model, GSettingId::kOrientation) {}

int32_t GOrientationFeature::IsOrientationOffered(int32_t orientation) {
    const uint16_t paper = static_cast<uint16_t>(GetSettingValue(GSettingId::kPaper));
    return Model()->Defaults().FindMediaSize(paper, orientation, Model()->FirstSquareResolution()) != nullptr
               ? 1
               : 0;
}

void GOrientationFeature::SwapDuplexBinding() {
    const int16_t binding = GetSettingValue(GSettingId::kDuplex);
    if (binding == kShortEdgeBinding || binding == kLongEdgeBinding)
        Model()->CurrentSettings().SetValue(
            GSettingId::kDuplex, binding == kShortEdgeBinding ? kLongEdgeBinding : kShortEdgeBinding);
}
