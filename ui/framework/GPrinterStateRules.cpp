#include "ui/framework/GPrinterStateRules.h"

#include "model/GSettingIds.h"
#include "ui/framework/GUIModel.h"

namespace {
constexpr int16_t kFineResolution = 1200;
constexpr int16_t kNoDiscovery = 0;
constexpr int16_t kDiscovered = 2;
} // namespace

void GHighResolutionRule::Reset() {
    ClearLevel(GSettingId::kHighResolutionLevel);
}

void GHighResolutionRule::Evaluate(const std::vector<uint32_t>&, uint32_t) {
    GSettingsAccessor resolution = Model()->CurrentSettings();
    if (resolution.Descend(GSettingId::kResolution) == 0) return;
    int16_t x = 0;
    int16_t y = 0;
    resolution.GetValue(GSettingId::kXResolution, x);
    resolution.GetValue(GSettingId::kYResolution, y);
    if (x == kFineResolution && y == kFineResolution) RaiseLevel(GSettingId::kHighResolutionLevel, 1);
}

void GHardDiskJobRetentionRule::Evaluate(const std::vector<uint32_t>& keys, uint32_t firstPass) {
    if (firstPass == 0 && !AnyChanged(keys, {GSettingId::kHardDiskInstalled, GSettingId::kHeldJobs})) return;
    const int16_t disk = Value(GSettingId::kHardDiskInstalled);
    const bool collationFollows = Value(GSettingId::kCollationFollowsHardDisk) == 1;
    if (disk == 0) {
        Write(GSettingId::kJobRetention, 0);
        if (collationFollows) Write(GSettingId::kCollationInPrinter, 0);
    } else if (disk == 1) {
        int16_t initial = 0;
        Model()->Settings3().GetValue(GSettingId::kHeldJobs, initial);
        Write(GSettingId::kHeldJobs, initial);
        if (collationFollows) Write(GSettingId::kCollationInPrinter, 1);
    }
}

void GConfigurationStatusRule::Reset() {
    ClearPair(GSettingId::kConfigurationStatusLevel, GSettingId::kConfigurationStatusMessage);
    ClearPair(GSettingId::kAutoConfigurationLevel, GSettingId::kAutoConfigurationMessage);
}

void GConfigurationStatusRule::Evaluate(const std::vector<uint32_t>&, uint32_t) {
    const int16_t status = Value(GSettingId::kConfigurationStatus);
    if (status == kNoDiscovery)
        RaisePair(GSettingId::kAutoConfigurationLevel, GSettingId::kAutoConfigurationMessage,
                  kNoBidirectional);
    else if (status == kDiscovered)
        SetMessage(GSettingId::kConfigurationStatusMessage, kSetAutomatically);
}
