#include "ui/framework/GHardDiskRule.h"

#include "model/GSettingIds.h"
#include "ui/framework/GFeature.h"
#include "ui/framework/GUIModel.h"

void GHardDiskRule::Reset() {
    Model()->RuleLevels().SetValue(GSettingId::kHardDiskMessage, 0);
    ClearLevel(GSettingId::kHardDiskLevel);
}

void GHardDiskRule::Evaluate(const std::vector<uint32_t>&, uint32_t) {
    GSettingsAccessor current = Model()->CurrentSettings();
    int16_t hardDisk = 0;
    int16_t variableData = 0;
    current.GetValue(GSettingId::kHardDiskInstalled, hardDisk);
    current.GetValue(GSettingId::kVariableData, variableData);
    if (hardDisk == 0 && variableData != 0) {
        // After Cancel the settings are the user's again: nothing more is written.
        if (AskConflict(kNeedsHardDisk)) return;
        current.SetValue(GSettingId::kVariableData, 0);
    }
    int16_t message = 0;
    if (hardDisk == 0) {
        RaiseLevel(GSettingId::kHardDiskLevel, GFeature::kDisabled);
        current.SetValue(GSettingId::kVariableData, 0);
        message = static_cast<int16_t>(kNeedsHardDisk);
    }
    Model()->RuleLevels().SetValue(GSettingId::kHardDiskMessage, message);
}
