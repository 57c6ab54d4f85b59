#include "ui/pages/GScaleWrapper.h"

#include <algorithm>

#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"
#include "winapi/WinWindow.h"

namespace {
constexpr uint16_t kScaleEditRow = 0;
constexpr uint16_t kScaleBarRow = 2;
constexpr int32_t kStepsPerPage = 10;
// A thumb released beyond this position snaps to the maximum.
constexpr int32_t kThumbSnap = 390;
} // namespace

GScaleWrapper::GScaleWrapper(GRangeFeature* feature, const GControlHelpPair* table)
    : GOptionWrapper(feature, table), maximum_(feature != nullptr ? feature->GetMaximum() : 0),
      minimum_(feature != nullptr ? feature->GetMinimum() : 0),
      step_(feature != nullptr ? feature->GetStep() : 0), pageStep_(kStepsPerPage * step_) {}

void GScaleWrapper::OnAttach() {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = minimum_;
    info.nMax = maximum_;
    info.nPage = static_cast<UINT>(pageStep_);
    info.nPos = Option() != nullptr ? Option()->GetRangeValue() : 0;
    SetScrollInfo(GetDlgItem(Dialog(), static_cast<int>(ControlId(kScaleBarRow))), SB_CTL, &info, TRUE);
}

int16_t GScaleWrapper::ShownValue() const {
    return Option()->GetValue();
}

LRESULT GScaleWrapper::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) != ControlId(kScaleEditRow) || HIWORD(wParam) != EN_KILLFOCUS) return 0;
        TakeValue();
        ShowValue(1);
        return 1;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header == nullptr || OwnsId(static_cast<uint16_t>(header->idFrom)) != 0) return 0;
        TakeValue();
        return 1;
    }
    case WM_HSCROLL:
        return Scroll(LOWORD(wParam), HIWORD(wParam));
    default:
        return 0;
    }
}

LRESULT GScaleWrapper::Scroll(WORD code, WORD position) {
    SendDlgItemMessageW(Dialog(), static_cast<int>(ControlId(kScaleEditRow)), EM_SETSEL, 0, 0);
    if (Option() == nullptr) return 1;
    int64_t value = Option()->GetValue();
    switch (code) {
    case SB_LINELEFT:
        value -= step_;
        break;
    case SB_LINERIGHT:
        value += step_;
        break;
    case SB_PAGELEFT:
        value -= pageStep_;
        break;
    case SB_PAGERIGHT:
        value += pageStep_;
        break;
    case SB_THUMBTRACK:
        value = position;
        break;
    case SB_THUMBPOSITION:
        value = position > kThumbSnap ? maximum_ : position;
        break;
    default:
        break;
    }
    Option()->SetValue(Clamped(value));
    ShowValue(1);
    return 1;
}

void GScaleWrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr || (force == 0 && Option()->WasChanged() == 0)) return;
    const int16_t value = ShownValue();
    const int edit = static_cast<int>(ControlId(kScaleEditRow));
    BOOL translated = FALSE;
    const UINT shown = GetDlgItemInt(Dialog(), edit, &translated, FALSE);
    if (translated == FALSE || shown != static_cast<UINT>(value))
        SetDlgItemInt(Dialog(), edit, static_cast<UINT>(value), FALSE);
    SetScrollPos(GetDlgItem(Dialog(), static_cast<int>(ControlId(kScaleBarRow))), SB_CTL, value, TRUE);
}

void GScaleWrapper::TakeValue() {
    const int edit = static_cast<int>(ControlId(kScaleEditRow));
    if (Option() == nullptr || IsWindowEnabled(GetDlgItem(Dialog(), edit)) == FALSE) return;
    BOOL translated = FALSE;
    const UINT typed = GetDlgItemInt(Dialog(), edit, &translated, FALSE);
    if (translated != FALSE) Option()->SetValue(Clamped(typed));
}

// Bounds a restored range may hold the wrong way round: the minimum wins.
int16_t GScaleWrapper::Clamped(int64_t value) const {
    return static_cast<int16_t>(std::max<int64_t>(minimum_, std::min<int64_t>(value, maximum_)));
}
