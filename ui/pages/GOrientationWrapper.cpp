#include "ui/pages/GOrientationWrapper.h"

#include <algorithm>

#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"

namespace {

constexpr uint16_t kPortrait = 0;
constexpr uint16_t kLandscape = 1;
constexpr uint16_t kTurn = 2;

constexpr int16_t kUpright = 0;
constexpr int16_t kSideways = 90;
constexpr int16_t kUpsideDown = 180;
constexpr int16_t kSidewaysTurned = 270;

bool IsLandscape(int16_t degrees) {
    return degrees == kSideways || degrees == kSidewaysTurned;
}

// The degrees the buttons say, before the change from old is settled.
int16_t Chosen(bool landscape, bool turned, bool portraitTurns) {
    if (landscape) return turned ? kSidewaysTurned : kSideways;
    return turned && portraitTurns ? kUpsideDown : kUpright;
}

} // namespace

bool GOrientationWrapper::IsChecked(uint16_t index) const {
    return IsDlgButtonChecked(Dialog(), static_cast<int>(ControlId(index))) == BST_CHECKED;
}

bool GOrientationWrapper::CanTurnPortrait() {
    return Option() != nullptr && Option()->IsOrientationOffered(kUpsideDown) != 0;
}

void GOrientationWrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr || (force == 0 && Option()->WasChanged() == 0)) return;
    const int16_t degrees = Option()->GetValue();
    const bool landscape = IsLandscape(degrees);
    const bool turned = degrees == kSidewaysTurned || (degrees == kUpsideDown && CanTurnPortrait());
    const int portrait = static_cast<int>(ControlId(kPortrait));
    const int sideways = static_cast<int>(ControlId(kLandscape));
    CheckRadioButton(Dialog(), std::min(portrait, sideways), std::max(portrait, sideways),
                     landscape ? sideways : portrait);
    CheckDlgButton(Dialog(), static_cast<int>(ControlId(kTurn)), turned ? BST_CHECKED : BST_UNCHECKED);
    EnableControl(kTurn, 1);
}

void GOrientationWrapper::TakeValue() {
    if (Option() == nullptr) return;
    const int16_t old = Option()->GetValue();
    int16_t chosen = Chosen(IsChecked(kLandscape), IsChecked(kTurn), CanTurnPortrait());
    if (old == kSidewaysTurned && chosen == kUpsideDown) chosen = kUpright;
    if (old == kUpsideDown && chosen == kSidewaysTurned) chosen = kSideways;
    Option()->SetValue(chosen);
    if (IsLandscape(old) != IsLandscape(chosen)) Option()->SwapDuplexBinding();
}

void GOrientationWrapper::EnableControl(uint16_t index, uint32_t flag) {
    if (index == kTurn && flag != 0 && Option() != nullptr && !IsLandscape(Option()->GetValue()) &&
        !CanTurnPortrait())
        flag = 0;
    GOptionWrapper::EnableControl(index, flag);
}
