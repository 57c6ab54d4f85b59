#include "ui/framework/GDuplexRules.h"

#include <algorithm>
#include <vector>

#include "model/GSettingIds.h"
#include "ui/framework/GMediaTypeNames.h"
#include "ui/framework/GPaperIdMaps.h"
#include "ui/framework/GPjlRules.h"
#include "ui/framework/GUIModel.h"

namespace {
bool FeedsByHand(int16_t tray) {
    return tray == GAvailabilityRule::kTray1 || tray == GAvailabilityRule::kManualFeed;
}
} // namespace

GDuplexRule::GDuplexRule(GUIModel* model) : GAvailabilityRule(model), takesPjl_(TakesPjlJobCommands()) {}

void GDuplexRule::Reset() {
    ClearPair(GSettingId::kDuplexLevel, GSettingId::kDuplexMessage);
}

bool GDuplexRule::IsDuplexable(int16_t paper) {
    std::vector<uint16_t> papers;
    if (Model()->Defaults().GetList(GSettingId::kDuplexPapers, papers) == 0 && papers.empty()) return true;
    const uint16_t standard = MapCustomSizeToStandard(*Model(), static_cast<uint16_t>(paper));
    return std::find(papers.begin(), papers.end(), standard) != papers.end();
}

uint16_t GDuplexRule::FirstReason() {
    if (!IsDuplexable(PrintedPaper())) return kSizeNotDuplexable;
    if (GMediaTypeNames::IsThickOrFilm(Text(GSettingId::kMediaType))) return kTypeNotDuplexable;
    if (FeedsByHand(Value(GSettingId::kPaperSource)) ||
        FeedsByHand(Value(GSettingId::kOtherPagesPaperSource)))
        return kNeedsAutofeedTray;
    if (takesPjl_ && Value(GSettingId::kSendPjl) == 0) return kNeedsPjlJobCommands;
    return 0;
}

bool GDuplexRule::AskAboutChanges(const std::vector<uint32_t>& keys) {
    if (Value(GSettingId::kDuplex) == 0) return false;
    uint16_t question = 0;
    if (Changed(keys, GSettingId::kMediaType) && GMediaTypeNames::IsThickOrFilm(Text(GSettingId::kMediaType)))
        question = kAskTypeConflict;
    else if (AnyChanged(keys,
                        {GSettingId::kPaper, GSettingId::kPrintOnOtherPaper, GSettingId::kOtherPaper}) &&
             !IsDuplexable(PrintedPaper()))
        question = kAskSizeConflict;
    if (question == 0) return false;
    if (AskConflict(question)) return true;
    Write(GSettingId::kDuplex, 0);
    return false;
}

void GDuplexRule::Evaluate(const std::vector<uint32_t>& keys, uint32_t) {
    if (Value(GSettingId::kDuplexUnitInstalled) == 0) {
        RaiseLevel(GSettingId::kDuplexLevel, 2);
        return;
    }
    if (AskAboutChanges(keys)) return;
    if (const uint16_t reason = FirstReason())
        RaisePair(GSettingId::kDuplexLevel, GSettingId::kDuplexMessage, reason);
}

GManualDuplexRule::GManualDuplexRule(GUIModel* model)
    : GAvailabilityRule(model), takesPjl_(TakesPjlJobCommands()) {}

void GManualDuplexRule::Reset() {
    ClearPair(GSettingId::kManualDuplexLevel, GSettingId::kManualDuplexMessage);
}

bool GManualDuplexRule::AskWhenTurnedOn(const std::vector<uint32_t>& keys) {
    if (!Changed(keys, GSettingId::kManualDuplex) || Value(GSettingId::kManualDuplex) == 0) return false;
    if (Value(GSettingId::kDuplex) != 0) return false;
    uint16_t question = 0;
    if (GMediaTypeNames::IsThickOrFilm(Text(GSettingId::kMediaType)))
        question = kAskType;
    else if (takesPjl_ && Value(GSettingId::kSendPjl) == 0)
        question = kNeedsPjlJobCommands;
    else if (Value(GSettingId::kOutputBin) != kTopBin)
        question = kAskBin;
    if (question == 0) return false;
    if (AskConflict(question)) return true;
    if (question == kAskBin)
        Write(GSettingId::kOutputBin, kTopBin);
    else
        Write(GSettingId::kManualDuplex, 0);
    return false;
}

void GManualDuplexRule::Evaluate(const std::vector<uint32_t>& keys, uint32_t) {
    if (AskWhenTurnedOn(keys)) return;
    uint16_t reason = 0;
    if (takesPjl_ && Value(GSettingId::kSendPjl) == 0) reason = kNeedsPjlJobCommands;
    if (Value(GSettingId::kDuplex) != 0) reason = kDuplexOn;
    if (reason == 0) return;
    RaisePair(GSettingId::kManualDuplexLevel, GSettingId::kManualDuplexMessage, reason);
    Write(GSettingId::kManualDuplex, 0);
}
