#include "ui/framework/GFinisherRules.h"

#include "model/GSettingIds.h"
#include "ui/framework/GAccessoryTable.h"
#include "ui/framework/GBookletRule.h"
#include "ui/framework/GFeature.h"
#include "ui/framework/GMediaTypeNames.h"
#include "ui/framework/GPaperIdMaps.h"
#include "ui/framework/GUIModel.h"

namespace {
constexpr int16_t kNoStaples = 7;
constexpr int16_t kOneStaple = 1;
constexpr int16_t kTwoStaples = 2;
constexpr int16_t kCancelBind = 3;
constexpr char kBinProcessingLine[] = "@PJL SET OUTBINPROCESS =0 \r\n";

bool IsLandscape(int16_t degrees) {
    return degrees == 90 || degrees == 270;
}
} // namespace

// --- Shared -----------------------------------------------------------------------------

int16_t GFinisherRule::InstalledOutputRole() {
    return GAccessoryTable(Model()).RoleOfUnit(Text(GSettingId::kOptionalOutputUnit));
}

uint16_t GFinisherRule::FirstFinisherReason() {
    if (SharedReasonHolds(kBookletOn)) return kBookletOn;
    const auto paper =
        static_cast<int16_t>(MapCustomSizeToStandard(*Model(), static_cast<uint16_t>(PrintedPaper())));
    if (!GBookletRule::IsFinishingSize(paper)) return kPaperSize;
    if (GMediaTypeNames::IsRefusedByFinisher(Text(GSettingId::kMediaType))) return kMediaType;
    return 0;
}

bool GFinisherRule::AskAboutChanges(const std::vector<uint32_t>& keys, uint32_t optionId,
                                    const Questions& questions) {
    if (Value(optionId) != 1) return false;
    const bool sizeChanged =
        AnyChanged(keys, {GSettingId::kPaper, GSettingId::kPrintOnOtherPaper, GSettingId::kOtherPaper});
    uint16_t question = 0;
    bool turnsOff = true;
    if (sizeChanged && FirstFinisherReason() == kPaperSize) {
        question = questions.size;
    } else if (Changed(keys, GSettingId::kMediaType) &&
               GMediaTypeNames::IsRefusedByFinisher(Text(GSettingId::kMediaType))) {
        question = questions.type;
    } else if (AnyChanged(keys, {optionId, GSettingId::kOrientation, GSettingId::kDuplex}) &&
               (IsLandscape(Value(GSettingId::kOrientation)) || Value(GSettingId::kDuplex) == 0)) {
        question = questions.layout;
        turnsOff = false;
    }
    if (question == 0) return false;
    if (AskConflict(question)) return true;
    if (turnsOff) Write(optionId, 0);
    return false;
}

// --- Staple -------------------------------------------------------------------------------

void GStapleRule::Reset() {
    ClearPair(GSettingId::kStapleLevel, GSettingId::kStapleMessage);
    ClearPair(GSettingId::kStapleOptionsLevel, GSettingId::kStapleOptionsMessage);
}

void GStapleRule::FollowStapleOptions(int16_t role) {
    if (role != GAccessoryTable::kStaplerStackerRole) {
        Write(GSettingId::kStapleOption, kNoStaples);
        return;
    }
    if (Value(GSettingId::kStaple) != 1)
        Write(GSettingId::kStapleOption, kNoStaples);
    else if (Value(GSettingId::kStapleOption) == kNoStaples)
        Write(GSettingId::kStapleOption, kOneStaple);
    const int16_t option = Value(GSettingId::kStapleOption);
    const auto paper =
        static_cast<int16_t>(MapCustomSizeToStandard(*Model(), static_cast<uint16_t>(PrintedPaper())));
    const bool several = option != kOneStaple && option != kNoStaples;
    if (several && paper != kLetter && paper != kA4) {
        RaisePair(GSettingId::kStapleOptionsLevel, GSettingId::kStapleOptionsMessage, kOptionsSize);
        if (option == kTwoStaples) Write(GSettingId::kStapleOption, kOneStaple);
    } else {
        ClearPair(GSettingId::kStapleOptionsLevel, GSettingId::kStapleOptionsMessage);
    }
}

void GStapleRule::WriteBinProcessing(int16_t role) {
    if (role != GAccessoryTable::kMailboxRole) return;
    WriteText(GSettingId::kRawPjl,
              Value(GSettingId::kStaple) == 1 ? RWCString(kBinProcessingLine) : RWCString());
}

void GStapleRule::Evaluate(const std::vector<uint32_t>& keys, uint32_t) {
    const int16_t role = InstalledOutputRole();
    const bool staples = role == GAccessoryTable::kStaplerStackerRole ||
                         role == GAccessoryTable::kBookletMakerRole || role == GAccessoryTable::kMailboxRole;
    if (!staples) {
        if (Value(GSettingId::kStaplerInstalled) != 0) {
            Write(GSettingId::kStaplerInstalled, 0);
            Write(GSettingId::kStapleOption, kNoStaples);
        }
        RaiseLevel(GSettingId::kStapleLevel, GFeature::kHidden);
        Write(GSettingId::kStaple, 0);
        return;
    }
    Write(GSettingId::kStaplerInstalled, 1);
    if (AskAboutChanges(keys, GSettingId::kStaple, {kAskSize, kAskType, kAskLayout})) return;
    FollowStapleOptions(role);
    if (const uint16_t reason = FirstFinisherReason()) {
        RaisePair(GSettingId::kStapleLevel, GSettingId::kStapleMessage, reason);
        return;
    }
    WriteBinProcessing(role);
    SetMessage(GSettingId::kStapleMessage,
               role == GAccessoryTable::kStaplerStackerRole ? kStackerTip : kStaplerTip);
}

// --- Bind ---------------------------------------------------------------------------------

void GBindRule::Reset() {
    ClearPair(GSettingId::kBindLevel, GSettingId::kBindMessage);
}

void GBindRule::ShowTip() {
    if (Value(GSettingId::kOutputBin) == kAccessoryBin) Write(GSettingId::kBind, kCancelBind);
    if (Value(GSettingId::kBind) == 1)
        SetMessage(GSettingId::kBindMessage, kBinderTip);
    else
        ClearPair(GSettingId::kBindLevel, GSettingId::kBindMessage);
}

void GBindRule::Evaluate(const std::vector<uint32_t>& keys, uint32_t) {
    if (InstalledOutputRole() != GAccessoryTable::kBinderRole) {
        if (Value(GSettingId::kBinderInstalled) != 0) Write(GSettingId::kBinderInstalled, 0);
        RaiseLevel(GSettingId::kBindLevel, GFeature::kHidden);
        Write(GSettingId::kBind, 0);
        return;
    }
    Write(GSettingId::kBinderInstalled, 1);
    if (AskAboutChanges(keys, GSettingId::kBind, {kAskSize, kAskType, kAskLayout})) return;
    uint16_t reason = FirstFinisherReason();
    if (reason == 0 && Value(GSettingId::kDuplexUnitInstalled) == 0) reason = kNoDuplexUnit;
    if (reason != 0)
        RaisePair(GSettingId::kBindLevel, GSettingId::kBindMessage, reason);
    else
        ShowTip();
}
