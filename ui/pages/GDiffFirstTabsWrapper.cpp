#include "ui/pages/GDiffFirstTabsWrapper.h"

#include "rw/RWWString.h"
#include "ui/framework/GUIStrings.h"
#include "ui/pages/GPaperPageState.h"
#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"
#include "winapi/WinWindow.h"

namespace {

constexpr uint16_t kAllPagesTitle = 11023;
constexpr uint16_t kFirstPageTitle = 11024;
constexpr uint16_t kOtherPagesTitle = 11025;
constexpr uint16_t kBackCoverTitle = 11098;
constexpr int16_t kTabsWithBackCover = 3;

RWWString PaperTabTitle(uint16_t stringId) {
    RWWString title;
    LoadResString(stringId, title);
    if (title.Length() > GDiffFirstTabsWrapper::kMaxTitleLength)
        title = RWWString(title.Data(), GDiffFirstTabsWrapper::kMaxTitleLength);
    return title;
}

} // namespace

void GDiffFirstTabsWrapper::OnAttach() {
    BuildTabs();
}

void GDiffFirstTabsWrapper::BuildTabs() {
    strip_ = GTabStrip();
    strip_.Attach(Dialog(), static_cast<uint16_t>(ControlId(0)));
    if (Option() == nullptr) return;
    if (!GPaperPageState::FirstPageDiffers(Option()->Model())) {
        strip_.AddTab(PaperTabTitle(kAllPagesTitle));
        Option()->FollowFirstPage();
        return;
    }
    strip_.AddTab(PaperTabTitle(kFirstPageTitle));
    strip_.AddTab(PaperTabTitle(kOtherPagesTitle));
    if (Option()->TabCount() == kTabsWithBackCover) strip_.AddTab(PaperTabTitle(kBackCoverTitle));
}

LRESULT GDiffFirstTabsWrapper::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (Option() == nullptr) return 0;
    if (strip_.HandleOptionMessage(ControlId(0), Option()->GetValue(), false, message, wParam, lParam) == 0)
        return 0;
    TakeValue();
    return 1;
}

void GDiffFirstTabsWrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr || (force == 0 && Option()->WasChanged() == 0)) return;
    BuildTabs();
    strip_.SetCurrent(static_cast<uint16_t>(Option()->GetValue()));
    if (HWND window = GetDlgItem(Dialog(), static_cast<int>(ControlId(0))))
        InvalidateRect(window, nullptr, TRUE);
}

void GDiffFirstTabsWrapper::TakeValue() {
    if (Option() == nullptr) return;
    const auto current = static_cast<int16_t>(strip_.GetCurrent());
    if (current != Option()->GetValue()) Option()->SetValue(current);
}
