#include "ui/framework/GScalingRules.h"

#include "model/GSettingIds.h"

void GFitToPaperTipRule::Reset() {
    ClearPair(GSettingId::kFitToPaperTipLevel, GSettingId::kFitToPaperTipMessage);
}

void GFitToPaperTipRule::Evaluate(const std::vector<uint32_t>&, uint32_t) {
    if (Value(GSettingId::kPrintOnOtherPaper) != 1) return;
    if (Value(GSettingId::kOtherPaper) == Value(GSettingId::kPaper)) return;
    if (Level(GSettingId::kPaperTab) != 0) return;
    RaisePair(GSettingId::kFitToPaperTipLevel, GSettingId::kFitToPaperTipMessage, kOtherPaperTip);
}

void GScaleRule::Reset() {
    ClearPair(GSettingId::kScaleLevel, GSettingId::kScaleMessage);
}

void GScaleRule::Evaluate(const std::vector<uint32_t>&, uint32_t) {
    if (const uint16_t reason =
            FirstSharedReason({kSeveralPages, kBitmapsUnscalable, kBookletOn, kPrintOnOtherPaper}))
        RaisePair(GSettingId::kScaleLevel, GSettingId::kScaleMessage, reason);
}

void GFitToLetterRule::Reset() {
    ClearPair(GSettingId::kFitToLetterLevel, GSettingId::kFitToLetterMessage);
}

void GFitToLetterRule::Evaluate(const std::vector<uint32_t>&, uint32_t) {
    if (const uint16_t reason =
            FirstSharedReason({kSeveralPages, kBitmapsUnscalable, kBookletOn, kScaleNot100}))
        RaisePair(GSettingId::kFitToLetterLevel, GSettingId::kFitToLetterMessage, reason);
}

void GTrueTypeAsBitmapsRule::Reset() {
    ClearPair(GSettingId::kTrueTypeAsBitmapsLevel, GSettingId::kTrueTypeAsBitmapsMessage);
}

void GTrueTypeAsBitmapsRule::Evaluate(const std::vector<uint32_t>&, uint32_t) {
    uint16_t reason = 0;
    if (!BitmapsScalable())
        reason = FirstSharedReason({kScaleNot100, kSeveralPages, kPrintOnOtherPaper, kBookletOn});
    else if (Value(GSettingId::kRenderingMode) == kPageAsRasterMode)
        reason = kPageAsRaster;
    if (reason == 0) return;
    RaisePair(GSettingId::kTrueTypeAsBitmapsLevel, GSettingId::kTrueTypeAsBitmapsMessage, reason);
    Write(GSettingId::kPresetTrueTypeAsBitmaps, 0);
    Write(GSettingId::kTrueTypeAsBitmaps, 0);
}
