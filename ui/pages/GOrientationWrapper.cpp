#include "ui/pages/GOrientationWrapper.h"

#include <algorithm>

#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"

namespace {

constexpr uint16_t kPortraitRow = 0;
constexpr uint16_t kLandscapeRow = 1;
constexpr uint16_t kTurnRow = 2;

constexpr int16_t kDegreesUpright = 0;
constexpr int16_t kDegreesSideways = 90;
constexpr int16_t kDegreesUpsideDown = 180;
constexpr int16_t kDegreesSidewaysTurned = 270;

bool IsLandscapeDegrees(int16_t degrees) {
    return degrees == kDegreesSideways || degrees == kDegreesSidewaysTurned;
}

// The degrees the buttons say, before the change from old is settled.
int16_t ChosenDegrees(bool landscape, bool turned, bool portraitTurns) {
    if (landscape) return turned ? kDegreesSidewaysTurned : kDegreesSideways;
    return turned && portraitTurns ? kDegreesUpsideDown : kDegreesUpright;
}

} // namespace

bool GOrientationWrapper::IsChecked(uint16_t index) const {
    return IsDlgButtonChecked(Dialog(), static_cast<int>(ControlId(index))) == BST_CHECKED;
}

bool GOrientationWrapper::CanTurnPortrait() {
    return Option() != nullptr && Option()->IsOrientationOffered(kDegreesUpsideDown) != 0;
}

void GOrientationWrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr || (force == 0 && Option()->WasChanged() == 0)) return;
    const int16_t degrees = Option()->GetValue();
    const bool landscape = IsLandscapeDegrees(degrees);
    const bool turned =
        degrees == kDegreesSidewaysTurned || (degrees == kDegreesUpsideDown && CanTurnPortrait());
    const int portrait = static_cast<int>(ControlId(kPortraitRow));
    const int sideways = static_cast<int>(ControlId(kLandscapeRow));
    CheckRadioButton(Dialog(), std::min(portrait, sideways), std::max(portrait, sideways),
                     landscape ? sideways : portrait);
    CheckDlgButton(Dialog(), static_cast<int>(ControlId(kTurnRow)), turned ? BST_CHECKED : BST_UNCHECKED);
    EnableControl(kTurnRow, 1);
}

void GOrientationWrapper::TakeValue() {
    if (Option() == nullptr) return;
    const int16_t old = Option()->GetValue();
    int16_t chosen = ChosenDegrees(IsChecked(kLandscapeRow), IsChecked(kTurnRow), CanTurnPortrait());
    if (old == kDegreesSidewaysTurned && chosen == kDegreesUpsideDown) chosen = kDegreesUpright;
    if (old == kDegreesUpsideDown && chosen == kDegreesSidewaysTurned) chosen = kDegreesSideways;
    Option()->SetValue(chosen);
    if (IsLandscapeDegrees(old) != IsLandscapeDegrees(chosen)) Option()->SwapDuplexBinding();
}

void GOrientationWrapper::EnableControl(uint16_t index, uint32_t flag) {
    if (index == kTurnRow && flag != 0 && Option() != nullptr && !IsLandscapeDegrees(Option()->GetValue()) &&
        !CanTurnPortrait())
        flag = 0;
    GOptionWrapper::EnableControl(index, flag);
}
