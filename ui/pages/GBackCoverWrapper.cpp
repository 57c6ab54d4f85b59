#include "ui/pages/GBackCoverWrapper.h"

#include "model/GSettingIds.h"
#include "paper/GFormToTrayDatabase.h"
#include "ui/framework/GUIModel.h"
#include "ui/pages/GPaperPageState.h"
#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"
#include "winapi/WinWindow.h"

namespace {

constexpr uint16_t kNoneButton = 0;
constexpr uint16_t kFirstPageButton = 1;
constexpr uint16_t kAlternateButton = 2;
constexpr uint16_t kOtherPagesNote = 3;
constexpr uint16_t kBlankPageNote = 4;

} // namespace

void GBackCoverWrapper::Refresh() {
    GOptionWrapper::Refresh();
    EnableControl(kOtherPagesNote, 1);
}

LRESULT GBackCoverWrapper::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND || Option() == nullptr || (Option()->IsLocked() & 1) != 0) return 0;
    const uint32_t id = LOWORD(wParam);
    if (id != ControlId(kNoneButton) && id != ControlId(kFirstPageButton) &&
        id != ControlId(kAlternateButton))
        return 0;
    if (HIWORD(wParam) != BN_CLICKED) return 1;
    TakeValue();
    ShowValue(1);
    return 1;
}

bool GBackCoverWrapper::HasAssignments() {
    const auto* database =
        dynamic_cast<const GFormToTrayDatabase*>(Option()->Model()->CurrentSettings().FindTyped(
            GSettingId::kFormToTray, GFormToTrayDatabase::kClassId));
    return database != nullptr && database->HasAssignments() != 0;
}

void GBackCoverWrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr || (force == 0 && Option()->WasChanged() == 0)) return;
    const int16_t mode = Option()->GetValue();
    const uint16_t checked = mode == GPaperPageState::kBackCoverFromFirstPage ? kFirstPageButton
                             : mode == GPaperPageState::kBackCoverAlternate   ? kAlternateButton
                                                                              : kNoneButton;
    for (const uint16_t button : {kNoneButton, kFirstPageButton, kAlternateButton})
        CheckDlgButton(Dialog(), static_cast<int>(ControlId(button)),
                       button == checked ? BST_CHECKED : BST_UNCHECKED);
    // With trays assigned to forms the back cover follows the first page.
    const bool assigned = HasAssignments();
    if (assigned && mode != GPaperPageState::kBackCoverAlternate) Option()->CopyFirstPage();
    const int16_t tab = GPaperPageState::SelectedTab(Option()->Model());
    ShowControl(kOtherPagesNote, tab == GPaperPageState::kOtherPagesTab ? 1 : 0);
    ShowControl(kBlankPageNote, tab == GPaperPageState::kBackCoverTab ? 1 : 0);
    if (tab == GPaperPageState::kBackCoverTab && assigned) EnableControl(kAlternateButton, 0);
}

void GBackCoverWrapper::TakeValue() {
    if (Option() == nullptr) return;
    int16_t mode = GPaperPageState::kNoBackCover;
    if (IsDlgButtonChecked(Dialog(), static_cast<int>(ControlId(kFirstPageButton))) == BST_CHECKED)
        mode = GPaperPageState::kBackCoverFromFirstPage;
    else if (IsDlgButtonChecked(Dialog(), static_cast<int>(ControlId(kAlternateButton))) == BST_CHECKED)
        mode = GPaperPageState::kBackCoverAlternate;
    Option()->SetValue(mode);
}
