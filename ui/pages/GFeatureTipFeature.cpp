#include "ui/pages/GFeatureTipFeature.h"

#include "rw/RWWString.h"
#include "ui/framework/GUIStrings.h"

namespace {
constexpr int16_t kTipDisabledLevel = 1;
constexpr uint16_t kTipGeneralHint = 11902;
constexpr uint16_t kTipFirstHint = 5300;
constexpr uint16_t kTipPastLastHint = 5400;

bool IsTipWorthShowing(int16_t level, uint16_t message) {
    if (level == kTipDisabledLevel) return message == kTipGeneralHint;
    return message >= kTipFirstHint && message < kTipPastLastHint;
}
} // namespace

uint16_t GFeatureTipFeature::GetState() {
    if ((IsLocked() & 1) != 0) return kHidden;
    const uint16_t message = MessageId();
    if (!IsTipWorthShowing(GetSettingValue(levelId_), message)) return kHidden;
    RWWString text;
    return LoadResString(message, text) > 0 ? kEnabled : kHidden;
}

uint16_t GFeatureTipFeature::MessageId() const {
    return static_cast<uint16_t>(GetSettingValue(messageId_));
}
