#include "ui/framework/GRenderingModeRule.h"

#include "model/GSettingIds.h"

namespace {
constexpr int16_t kAutomaticMode = 0;
} // namespace

void GRenderingModeRule::Reset() {
    ClearPair(GSettingId::kRenderingModeLevel, GSettingId::kRenderingModeMessage);
    ClearPair(GSettingId::kRenderingEffectsLevel, GSettingId::kRenderingEffectsMessage);
    ClearPair(GSettingId::kTextAsBlackLevel, GSettingId::kTextAsBlackMessage);
}

uint16_t GRenderingModeRule::LayoutReason() {
    if (ValueOr(GSettingId::kPagesPerSheet, kOnePagePerSheet) != kOnePagePerSheet) return kSeveralPages;
    if (Text(GSettingId::kSelectedWatermarkName).Length() != 0) return kWatermark;
    if (ValueOr(GSettingId::kScale, kUnscaled) != kUnscaled) return kScaled;
    if (Value(GSettingId::kBooklet) != 0) return kBookletOn;
    if (Value(GSettingId::kPrintOnOtherPaper) != 0) return kPrintOnOtherPaper;
    return 0;
}

void GRenderingModeRule::JudgeRasterMode(int16_t mode) {
    if (LayoutReason() != 0) {
        Write(GSettingId::kRenderingMode, kAutomaticMode);
    } else if (mode == kPageAsRasterMode) {
        Write(GSettingId::kTextAsBlack, 0);
        RaiseLevel(GSettingId::kTextAsBlackLevel, 1);
        SetMessage(GSettingId::kRenderingModeMessage, kPageAsRaster);
        SetMessage(GSettingId::kTextAsBlackMessage, kPageAsRaster);
    } else if (Value(GSettingId::kTextAsBlack) == 1) {
        RaisePair(GSettingId::kRenderingModeLevel, GSettingId::kRenderingModeMessage, kTextAsBlackOn);
    }
}

void GRenderingModeRule::JudgeOtherMode() {
    if (const uint16_t reason = LayoutReason()) {
        RaiseLevel(GSettingId::kRenderingModeLevel, 1);
        RaiseLevel(GSettingId::kRenderingEffectsLevel, 1);
        SetMessage(GSettingId::kRenderingModeMessage, reason);
        SetMessage(GSettingId::kTextAsBlackMessage, reason);
        SetMessage(GSettingId::kRenderingEffectsMessage, reason);
    } else if (Value(GSettingId::kTextAsBlack) == 1) {
        RaisePair(GSettingId::kRenderingModeLevel, GSettingId::kRenderingModeMessage, kTextAsBlackOn);
        SetMessage(GSettingId::kTextAsBlackMessage, kTextAsBlackOn);
    }
}

void GRenderingModeRule::Evaluate(const std::vector<uint32_t>&, uint32_t) {
    const int16_t mode = Value(GSettingId::kRenderingMode);
    if (mode == kGraphicsAsRaster || mode == kPageAsRasterMode)
        JudgeRasterMode(mode);
    else
        JudgeOtherMode();
}
