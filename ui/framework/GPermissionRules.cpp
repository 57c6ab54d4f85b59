#include "ui/framework/GPermissionRules.h"

#include "model/GSettingIds.h"
#include "ui/framework/GUIModel.h"

void GPermissionRule::Reset() {
    ClearPair(GSettingId::kCustomSizesLevel, GSettingId::kCustomSizesMessage);
    ClearPair(GSettingId::kQuickSetsLevel, GSettingId::kQuickSetsMessage);
}

void GPermissionRule::Evaluate(const std::vector<uint32_t>&, uint32_t) {
    if (Model()->OwnerLockBits() != 0)
        RaisePair(GSettingId::kCustomSizesLevel, GSettingId::kCustomSizesMessage, kNoPermission);
    else
        ClearLevel(GSettingId::kCustomSizesLevel);
    if ((Model()->EffectiveLockBits() & 1) != 0)
        RaisePair(GSettingId::kQuickSetsLevel, GSettingId::kQuickSetsMessage, kNoPermission);
    else
        ClearLevel(GSettingId::kQuickSetsLevel);
}

void GPermissionDependentRule::Reset() {
    ClearPair(GSettingId::kPermissionDependentLevel, GSettingId::kPermissionDependentMessage);
}

void GPermissionDependentRule::Evaluate(const std::vector<uint32_t>&, uint32_t) {
    if (!HasLevel(GSettingId::kCustomSizesLevel)) return;
    if (Value(GSettingId::kEditableUnderLock) != 0) return;
    if (Model()->OwnerFlagBit3() == 0 && Level(GSettingId::kCustomSizesLevel) == 0) return;
    RaisePair(GSettingId::kPermissionDependentLevel, GSettingId::kPermissionDependentMessage, kNoPermission);
}
