#include "ui/framework/GAvailabilityRule.h"

#include <algorithm>

#include "model/GCapabilities.h"
#include "model/GSettingIds.h"
#include "ui/framework/GUIModel.h"

namespace {
constexpr uint32_t kScalableBitmapsBit = 0;
} // namespace

int16_t GAvailabilityRule::Value(uint32_t id) {
    int16_t value = 0;
    Model()->CurrentSettings().GetValue(id, value);
    return value;
}

int16_t GAvailabilityRule::ValueOr(uint32_t id, int16_t fallback) {
    GSettingsAccessor current = Model()->CurrentSettings();
    if (current.FindValue(id) == nullptr) return fallback;
    int16_t value = 0;
    current.GetValue(id, value);
    return value;
}

RWCString GAvailabilityRule::Text(uint32_t id) {
    RWCString text;
    Model()->CurrentSettings().GetString(id, text);
    return text;
}

void GAvailabilityRule::Write(uint32_t id, int16_t value) {
    Model()->CurrentSettings().SetValue(id, value);
}

void GAvailabilityRule::WriteText(uint32_t id, const RWCString& text) {
    Model()->CurrentSettings().SetString(id, text);
}

int16_t GAvailabilityRule::Level(uint32_t id) {
    int16_t value = 0;
    Model()->RuleLevels().GetValue(id, value);
    return value;
}

bool GAvailabilityRule::HasLevel(uint32_t id) {
    return Model()->RuleLevels().HasKey(id) != 0;
}

void GAvailabilityRule::SetMessage(uint32_t messageId, uint16_t message) {
    Model()->RuleLevels().SetValue(messageId, static_cast<int16_t>(message));
}

void GAvailabilityRule::ClearPair(uint32_t levelId, uint32_t messageId) {
    SetMessage(messageId, 0);
    ClearLevel(levelId);
}

void GAvailabilityRule::RaisePair(uint32_t levelId, uint32_t messageId, uint16_t message, uint16_t level) {
    RaiseLevel(levelId, level);
    SetMessage(messageId, message);
}

bool GAvailabilityRule::AnyChanged(const std::vector<uint32_t>& keys, std::initializer_list<uint32_t> ids) {
    return std::any_of(ids.begin(), ids.end(), [&keys](uint32_t id) { return Changed(keys, id); });
}

bool GAvailabilityRule::SharedReasonHolds(uint16_t reason) {
    switch (reason) {
    case kScaleNot100:
        return ValueOr(GSettingId::kScale, kUnscaled) != kUnscaled;
    case kSeveralPages:
        return ValueOr(GSettingId::kPagesPerSheet, kOnePagePerSheet) != kOnePagePerSheet;
    case kBitmapsUnscalable:
        return Value(GSettingId::kTrueTypeAsBitmaps) != 0 && !BitmapsScalable();
    case kBookletOn:
        return Value(GSettingId::kBooklet) != 0;
    case kPrintOnOtherPaper:
        return Value(GSettingId::kPrintOnOtherPaper) == 1;
    default:
        return false;
    }
}

uint16_t GAvailabilityRule::FirstSharedReason(std::initializer_list<uint16_t> reasons) {
    for (const uint16_t reason : reasons)
        if (SharedReasonHolds(reason)) return reason;
    return 0;
}

bool GAvailabilityRule::BitmapsScalable() {
    MPersistentObject* configuration = Model()->Defaults().Composite();
    MPersistentObject* sets =
        configuration == nullptr ? nullptr : configuration->FindById(GSettingId::kCapabilitySets);
    const auto* set = dynamic_cast<const GCapabilities*>(
        sets == nullptr ? nullptr : sets->FindById(GSettingId::kScalingCapabilities));
    return set != nullptr && set->TestBit(kScalableBitmapsBit) != 0;
}

int16_t GAvailabilityRule::PrintedPaper() {
    return Value(GSettingId::kPrintOnOtherPaper) == 1 ? Value(GSettingId::kOtherPaper)
                                                      : Value(GSettingId::kPaper);
}

bool GAvailabilityRule::TakesPjlJobCommands() {
    int16_t value = 0;
    Model()->Defaults().GetValue(GSettingId::kTakesPjlJobCommands, value);
    return value != 0;
}
