#pragma once
// The reason the rules left for one option (its level and the string id of
// its message in the sheet's user-interface state), seen as a tip: worth
// showing when the message is a hint rather than the reason an option is
// unavailable. A locked sheet shows no tips.
#include <cstdint>

#include "ui/framework/GFeature.h"

class GFeatureTipFeature : public GFeature {
public:
    GFeatureTipFeature(GUIModel* model, uint32_t levelId, uint32_t messageId)
        : GFeature(model), levelId_(levelId), messageId_(messageId) {}

    // Shown (0) or hidden (2). A level of 1 shows only the general hint
    // 11902; any other level shows the hints 5300 to 5399. A message the
    // resource library does not have is never shown: its tip would open an
    // empty box.
    uint16_t GetState() override;
    // The message's string id (0 when the rules left none).
    uint16_t MessageId() const;

private:
    uint32_t levelId_;
    uint32_t messageId_;
};
