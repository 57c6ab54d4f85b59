#include "ui/pages/GFeatureTipFeature.h"

#include "rw/RWWString.h"
#include "ui/framework/GUIStrings.h"

namespace {
constexpr int16_t kDisabledLevel = 1;
constexpr uint16_t kGeneralHint = 11902;
constexpr uint16_t kFirstHint = 5300;
constexpr uint16_t kPastLastHint = 5400;

bool IsWorthShowing(int16_t level, uint16_t message) {
    if (level == kDisabledLevel) return message == kGeneralHint;
    return message >= kFirstHint && message < kPastLastHint;
}
} // namespace

uint16_t GFeatureTipFeature::GetState() {
    if ((IsLocked() & 1) != 0) return kHidden;
    const uint16_t message = MessageId();
    if (!IsWorthShowing(GetSettingValue(levelId_), message)) return kHidden;
    RWWString text;
    return LoadResString(message, text) > 0 ? kEnabled : kHidden;
}

uint16_t GFeatureTipFeature::MessageId() const {
    return static_cast<uint16_t>(GetSettingValue(messageId_));
}
