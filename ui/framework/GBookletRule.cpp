#include "ui/framework/GBookletRule.h"

#include "model/GSettingIds.h"
#include "ui/framework/GAccessoryTable.h"
#include "ui/framework/GFeature.h"

namespace {
constexpr int16_t kLongEdge = 2;
} // namespace

bool GBookletRule::IsFinishingSize(int16_t paper) {
    return paper == kLetter || paper == kLegal || paper == kA4;
}

void GBookletRule::Reset() {
    ClearPair(GSettingId::kBookletLevel, GSettingId::kBookletMessage);
}

uint16_t GBookletRule::FirstReason(bool bookletMaker) {
    if (Value(GSettingId::kDuplex) == 0) return kDuplexOffTip;
    if (SharedReasonHolds(kScaleNot100)) return kScaleNot100;
    // The booklet maker staples booklets itself; any other stapler cannot.
    if (Value(GSettingId::kStaple) == 1 && !bookletMaker) return kStapleOn;
    if (Value(GSettingId::kBind) == 1) return kBindOn;
    if (const uint16_t reason = FirstSharedReason({kSeveralPages, kBitmapsUnscalable, kPrintOnOtherPaper}))
        return reason;
    if (!IsFinishingSize(Value(GSettingId::kPaper))) return kPaperSize;
    return 0;
}

// Duplex goes back to the long edge only when a booklet was on: a user's
// short-edge duplex without a booklet is the user's own choice.
void GBookletRule::SwitchOff() {
    if (Value(GSettingId::kBooklet) == 0) return;
    Write(GSettingId::kBooklet, 0);
    if (Value(GSettingId::kDuplex) != 0) Write(GSettingId::kDuplex, kLongEdge);
}

void GBookletRule::Evaluate(const std::vector<uint32_t>&, uint32_t) {
    const bool bookletMaker = GAccessoryTable(Model()).RoleOfUnit(Text(GSettingId::kOptionalOutputUnit)) ==
                              GAccessoryTable::kBookletMakerRole;
    if (Value(GSettingId::kDuplexUnitInstalled) != 1) {
        RaiseLevel(GSettingId::kBookletLevel, GFeature::kHidden);
        SwitchOff();
    } else if (const uint16_t reason = FirstReason(bookletMaker)) {
        RaisePair(GSettingId::kBookletLevel, GSettingId::kBookletMessage, reason);
        SwitchOff();
    } else {
        ClearLevel(GSettingId::kBookletLevel);
    }
    const bool innerToOuter = bookletMaker && Value(GSettingId::kOutputBin) == kAccessoryBin;
    Write(GSettingId::kBookletSheetOrder, innerToOuter ? 1 : 0);
}
