#include "ui/framework/GPjlRules.h"

#include "model/GSettingIds.h"

GOptimizePQRule::GOptimizePQRule(GUIModel* model)
    : GAvailabilityRule(model), takesPjl_(TakesPjlJobCommands()) {}

void GOptimizePQRule::Reset() {
    ClearPair(GSettingId::kOptimisePqLevel, GSettingId::kOptimisePqMessage);
}

void GOptimizePQRule::Evaluate(const std::vector<uint32_t>&, uint32_t) {
    if (!takesPjl_ || Value(GSettingId::kSendPjl) != 0) return;
    RaisePair(GSettingId::kOptimisePqLevel, GSettingId::kOptimisePqMessage, kNeedsPjlJobCommands);
    Write(GSettingId::kOptimisePrintQuality, 0);
}

GSendPJLRule::GSendPJLRule(GUIModel* model) : GAvailabilityRule(model), takesPjl_(TakesPjlJobCommands()) {}

void GSendPJLRule::Reset() {
    ClearPair(GSettingId::kSendPjlLevel, GSettingId::kSendPjlMessage);
}

uint16_t GSendPJLRule::FirstReason() {
    if (Value(GSettingId::kEconoMode) == 1) return kEconoModeOn;
    if (Value(GSettingId::kEdgeEnhancement) != 0) return kEdgeSmoothingOn;
    if (Value(GSettingId::kJobRetention) != 0) return kJobRetentionOn;
    if (Value(GSettingId::kOutputBin) != kTopBin) return kOtherBin;
    return 0;
}

void GSendPJLRule::Evaluate(const std::vector<uint32_t>&, uint32_t) {
    uint16_t message = FirstReason();
    if (message != 0 && takesPjl_) {
        Write(GSettingId::kSendPjl, 1);
        RaiseLevel(GSettingId::kSendPjlLevel, 1);
    } else if (message == 0 && Value(GSettingId::kSendPjl) != 1) {
        message = kTurningOffTip;
    }
    SetMessage(GSettingId::kSendPjlMessage, message);
}
