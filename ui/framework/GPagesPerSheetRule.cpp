#include "ui/framework/GPagesPerSheetRule.h"

#include "model/GSettingIds.h"
#include "ui/framework/GDialog.h"
#include "winapi/WinDialog.h"
#include "winapi/WinWindow.h"

namespace {

// Controls of the Finishing page.
constexpr int kStaple = 3027;
constexpr int kPagesPerSheet = 3015;
constexpr int kPagesSpin = 3016;
constexpr int kPagesLabel = 3017;
constexpr int kPagesTip = 3018;
constexpr int kBorders = 3019;
constexpr int kOrderLabel = 3040;
constexpr int kOrder = 3041;

// Dialog units below the staple row: more with a finisher's options shown.
constexpr LONG kBelowStaple = 12;
constexpr LONG kBelowFinisher = 18;

RECT PlacementOf(HWND page, int id) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(GetDlgItem(page, id), &placement);
    return placement.rcNormalPosition;
}

// Control a gets the top of control b plus units dialog units; it keeps its
// left edge and size, and nothing is repainted.
void MoveUnder(HWND page, int a, int b, LONG units) {
    HWND control = GetDlgItem(page, a);
    if (control == nullptr || GetDlgItem(page, b) == nullptr) return;
    RECT gap{0, 0, 0, units};
    MapDialogRect(page, &gap);
    const RECT own = PlacementOf(page, a);
    const RECT above = PlacementOf(page, b);
    MoveWindow(control, own.left, above.top + gap.bottom, own.right - own.left, own.bottom - own.top, FALSE);
}

} // namespace

GPagesPerSheetRule::GPagesPerSheetRule(GUIModel* model, const GDialog* finishingPage)
    : GAvailabilityRule(model) {
    if (finishingPage != nullptr) page_ = finishingPage->Link();
}

void GPagesPerSheetRule::Reset() {
    ClearPair(GSettingId::kPagesPerSheetLevel, GSettingId::kPagesPerSheetMessage);
}

void GPagesPerSheetRule::Evaluate(const std::vector<uint32_t>&, uint32_t) {
    if (const uint16_t reason =
            FirstSharedReason({kScaleNot100, kBitmapsUnscalable, kBookletOn, kPrintOnOtherPaper}))
        RaisePair(GSettingId::kPagesPerSheetLevel, GSettingId::kPagesPerSheetMessage, reason);
    const std::shared_ptr<GDialog* const> page = page_.lock();
    if (!page) return;
    const HWND window = (*page)->Window();
    if (window != nullptr && IsWindow(window)) LayOut(window);
}

void GPagesPerSheetRule::LayOut(HWND page) {
    const bool finisher =
        Value(GSettingId::kStaplerInstalled) == 1 || Value(GSettingId::kBinderInstalled) == 1;
    MoveUnder(page, kPagesPerSheet, kStaple, finisher ? kBelowFinisher : kBelowStaple);
    MoveUnder(page, kPagesSpin, kPagesPerSheet, 0);
    MoveUnder(page, kPagesTip, kPagesPerSheet, 0);
    MoveUnder(page, kPagesLabel, kPagesPerSheet, 1);
    MoveUnder(page, kBorders, kPagesPerSheet, 16);
    MoveUnder(page, kOrderLabel, kBorders, 12);
    MoveUnder(page, kOrder, kOrderLabel, 10);
}
