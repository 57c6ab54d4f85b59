#include "ui/framework/GFirstPageSourceRule.h"

#include "model/GSettingIds.h"
#include "ui/framework/GUIModel.h"

namespace {
constexpr int16_t kOtherPagesTab = 1;
constexpr int16_t kBackCoverTab = 2;
} // namespace

void GFirstPageSourceRule::Reset() {
    ClearLevel(GSettingId::kPaperTypeTipLevel);
}

int GFirstPageSourceRule::CompareBackCoverTray() {
    const int16_t back = Value(GSettingId::kBackCoverSource);
    if (back == kAutomaticTray) return 0;
    if (back == Value(GSettingId::kPaperSource)) return 1;
    if (Value(GSettingId::kDifferentFirstPage) != 0 && back == Value(GSettingId::kOtherPagesPaperSource))
        return 2;
    return 0;
}

void GFirstPageSourceRule::Evaluate(const std::vector<uint32_t>&, uint32_t) {
    const int16_t tab = Level(GSettingId::kPaperTab);
    uint16_t message = 0;
    if (tab == kBackCoverTab && Value(GSettingId::kBackCover) == kBackCoverFromOwnSource) {
        const int same = CompareBackCoverTray();
        message = same == 1 ? kBackCoverFirstPageTray : same == 2 ? kBackCoverOtherPagesTray : 0;
    } else if (tab == kOtherPagesTab) {
        const int16_t other = Value(GSettingId::kOtherPagesPaperSource);
        if (other == Value(GSettingId::kPaperSource) && other != kAutomaticTray) {
            message = kOtherPagesSameTray;
            // One tray holds one media type.
            WriteText(GSettingId::kOtherPagesMediaType, Text(GSettingId::kMediaType));
        }
    } else {
        return;
    }
    if (message != 0) {
        RaiseLevel(GSettingId::kPaperTypeTipLevel, 1);
        Model()->RuleLevels().AddIfMissing(0, GSettingId::kSourceTabScratch);
    }
    SetMessage(GSettingId::kPaperTypeTipMessage, message);
}
