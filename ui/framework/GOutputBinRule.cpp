#include "ui/framework/GOutputBinRule.h"

#include "model/GSettingIds.h"
#include "ui/framework/GAccessoryTable.h"
#include "ui/framework/GBookletRule.h"
#include "ui/framework/GMediaTypeNames.h"
#include "ui/framework/GPaperIdMaps.h"
#include "ui/framework/GUIModel.h"

void GOutputBinRule::Reset() {
    ClearPair(GSettingId::kOutputBinLevel, GSettingId::kOutputBinMessage);
}

bool GOutputBinRule::CannotTakeType(int16_t bin, bool accessoryNamed) {
    if (bin == 0 || bin == kTopBin) return false;
    if (bin == kRearBin && !accessoryNamed) return false;
    return GMediaTypeNames::IsThickOrFilm(Text(GSettingId::kMediaType));
}

bool GOutputBinRule::AccessoryTakesSize() {
    GUIModel& model = *Model();
    if (!GBookletRule::IsFinishingSize(
            static_cast<int16_t>(MapCustomSizeToStandard(model, static_cast<uint16_t>(PrintedPaper())))))
        return false;
    if (Value(GSettingId::kBooklet) == 0) return true;
    return GBookletRule::IsFinishingSize(static_cast<int16_t>(
        MapCustomSizeToStandard(model, static_cast<uint16_t>(Value(GSettingId::kBookletPaper)))));
}

bool GOutputBinRule::AskAboutType(const std::vector<uint32_t>& keys, uint32_t firstPass,
                                  bool accessoryNamed) {
    if (firstPass == 0 && !AnyChanged(keys, {GSettingId::kMediaType, GSettingId::kOutputBin})) return false;
    if (!CannotTakeType(Value(GSettingId::kOutputBin), accessoryNamed)) return false;
    if (AskConflict(kAskTypeConflict)) return true;
    Write(GSettingId::kOutputBin, kTopBin);
    return false;
}

bool GOutputBinRule::CheckAccessoryBin(const std::vector<uint32_t>& keys) {
    const int16_t bin = Value(GSettingId::kOutputBin);
    uint16_t reason = 0;
    if (bin == kAccessoryBin && CannotTakeType(bin, true)) {
        reason = kTypeRefused;
    } else if (!AccessoryTakesSize()) {
        reason = kSizeRefused;
        const bool sizeChanged =
            AnyChanged(keys, {GSettingId::kPaper, GSettingId::kPrintOnOtherPaper, GSettingId::kOtherPaper,
                              GSettingId::kBooklet, GSettingId::kBookletPaper});
        if (bin == kAccessoryBin && sizeChanged && AskConflict(kAskSizeConflict)) return true;
    }
    if (reason == 0) return false;
    RaisePair(GSettingId::kOutputBinLevel, GSettingId::kOutputBinMessage, reason);
    Write(GSettingId::kOutputBin, kTopBin);
    return false;
}

void GOutputBinRule::Evaluate(const std::vector<uint32_t>& keys, uint32_t firstPass) {
    const bool accessoryNamed = GAccessoryTable(Model()).IsOutputUnit(Text(GSettingId::kOptionalOutputUnit));
    if (AskAboutType(keys, firstPass, accessoryNamed)) return;
    const bool retentionTouched =
        AnyChanged(keys, {GSettingId::kHardDiskInstalled, GSettingId::kJobRetention});
    if ((firstPass != 0 || retentionTouched) && Value(GSettingId::kJobStorageEnabled) == 0)
        Write(GSettingId::kJobRetention, 0);
    if (accessoryNamed) CheckAccessoryBin(keys);
}
