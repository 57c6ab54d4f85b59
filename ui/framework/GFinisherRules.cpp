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
constexpr int16_t kAngledStaple = 2;
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

int16_t GFinisherRule::StandardPrintedPaper() {
    return static_cast<int16_t>(MapCustomSizeToStandard(*Model(), static_cast<uint16_t>(PrintedPaper())));
}

uint16_t GFinisherRule::FirstFinisherReason() {
    if (SharedReasonHolds(kBookletOn)) return kBookletOn;
    if (!GBookletRule::IsFinishingSize(StandardPrintedPaper())) return kPaperSize;
    if (GMediaTypeNames::IsRefusedByFinisher(Text(GSettingId::kMediaType))) return kMediaType;
    return 0;
}

bool GFinisherRule::Ask(uint16_t question, uint32_t optionId, bool turnsOff) {
    if (AskConflict(question)) return true;
    if (turnsOff) Write(optionId, 0);
    return false;
}

bool GFinisherRule::AskAboutSizeOrType(const std::vector<uint32_t>& keys, uint32_t optionId,
                                       uint16_t sizeQuestion, uint16_t typeQuestion) {
    if (Value(optionId) != 1) return false;
    if (AnyChanged(keys, {GSettingId::kPaper, GSettingId::kPrintOnOtherPaper, GSettingId::kOtherPaper}) &&
        FirstFinisherReason() == kPaperSize)
        return Ask(sizeQuestion, optionId, true);
    if (Changed(keys, GSettingId::kMediaType) &&
        GMediaTypeNames::IsRefusedByFinisher(Text(GSettingId::kMediaType)))
        return Ask(typeQuestion, optionId, true);
    return false;
}

// --- Staple -------------------------------------------------------------------------------

void GStapleRule::Reset() {
    ClearPair(GSettingId::kStapleLevel, GSettingId::kStapleMessage);
    ClearPair(GSettingId::kStapleOptionsLevel, GSettingId::kStapleOptionsMessage);
}

bool GStapleRule::StaplesReachThePage() {
    int16_t orientation = Value(GSettingId::kOrientation);
    const int16_t pages = ValueOr(GSettingId::kPagesPerSheet, kOnePagePerSheet);
    if (pages == 2 || pages == 6) orientation = orientation == 0 ? 90 : 0;
    const int16_t paper = StandardPrintedPaper();
    const bool upright = paper == kLetter || paper == kA4;
    return upright != IsLandscape(orientation);
}

bool GStapleRule::AskAboutLayout(const std::vector<uint32_t>& keys, int16_t role) {
    if (Value(GSettingId::kStaple) != 1) return false;
    if (role == GAccessoryTable::kStaplerStackerRole && !StaplesReachThePage()) {
        if (Changed(keys, GSettingId::kOrientation)) return Ask(kAskOrientation, GSettingId::kStaple, true);
        // The options themselves are not asked about: the rule moves them as
        // well, and their control is disabled where they cannot reach.
        if (AnyChanged(keys, {GSettingId::kStaple, GSettingId::kPagesPerSheet})) {
            const bool upright = StandardPrintedPaper() == kLetter || StandardPrintedPaper() == kA4;
            return Ask(upright ? kAskPortrait : kAskLandscape, GSettingId::kStaple, true);
        }
    }
    if (Changed(keys, GSettingId::kDuplex)) return Ask(kAskDuplex, GSettingId::kStaple, false);
    return false;
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
    if (Value(GSettingId::kStaple) == 1 && !StaplesReachThePage()) {
        RaisePair(GSettingId::kStapleOptionsLevel, GSettingId::kStapleOptionsMessage, kOptionsSize);
        if (Value(GSettingId::kStapleOption) == kAngledStaple) Write(GSettingId::kStapleOption, kOneStaple);
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
    if (AskAboutSizeOrType(keys, GSettingId::kStaple, kAskSize, kAskType)) return;
    if (AskAboutLayout(keys, role)) return;
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
    if (AskAboutSizeOrType(keys, GSettingId::kBind, kAskSize, kAskType)) return;
    const bool layoutChanged =
        AnyChanged(keys, {GSettingId::kBind, GSettingId::kOrientation, GSettingId::kDuplex});
    if (Value(GSettingId::kBind) == 1 && layoutChanged &&
        (IsLandscape(Value(GSettingId::kOrientation)) || Value(GSettingId::kDuplex) == 0) &&
        Ask(kAskLayout, GSettingId::kBind, false))
        return;
    uint16_t reason = FirstFinisherReason();
    if (reason == 0 && Value(GSettingId::kDuplexUnitInstalled) == 0) reason = kNoDuplexUnit;
    if (reason != 0)
        RaisePair(GSettingId::kBindLevel, GSettingId::kBindMessage, reason);
    else
        ShowTip();
}
