#include "ui/pages/GCopiesWrapper.h"

#include <algorithm>

#include "winapi/WinCommonUI.h"
#include "winapi/WinDialog.h"
#include "winapi/WinGeometry.h"

namespace {
constexpr uint16_t kCopiesEditRow = 0;
constexpr uint16_t kCopiesUpDownRow = 1;
constexpr uint16_t kCopyLabelRow = 2;
constexpr uint16_t kCopiesLabelRow = 3;
} // namespace

GCopiesWrapper::GCopiesWrapper(GCopiesFeature* feature, const GControlHelpPair* table)
    : GOptionWrapper(feature, table), maximum_(feature != nullptr ? feature->GetMaximum() : 0),
      minimum_(feature != nullptr ? feature->GetMinimum() : 0),
      step_(feature != nullptr ? feature->GetStep() : 0) {}

void GCopiesWrapper::OnAttach() {
    const int upDown = static_cast<int>(ControlId(kCopiesUpDownRow));
    SendDlgItemMessageW(Dialog(), upDown, UDM_SETRANGE, 0,
                        MAKELPARAM(static_cast<WORD>(maximum_), static_cast<WORD>(minimum_)));
    if (Option() != nullptr)
        SendDlgItemMessageW(Dialog(), upDown, UDM_SETPOS, 0,
                            MAKELPARAM(static_cast<WORD>(Option()->GetRangeValue()), 0));
}

LRESULT GCopiesWrapper::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NOTIFY:
        return lParam != 0 ? HandleNotify(*reinterpret_cast<const NMHDR*>(lParam)) : 0;
    case WM_COMMAND:
        if (LOWORD(wParam) != ControlId(kCopiesEditRow) || HIWORD(wParam) != EN_KILLFOCUS) return 0;
        TakeValue();
        ShowValue(1);
        return 1;
    case WM_VSCROLL:
        // The up-down has moved on its own and written its position into the
        // field: the count shows again.
        ShowValue(1);
        SendDlgItemMessageW(Dialog(), static_cast<int>(ControlId(kCopiesEditRow)), EM_SETSEL, 0, 0);
        return 0;
    default:
        return 0;
    }
}

LRESULT GCopiesWrapper::HandleNotify(const NMHDR& header) {
    if (header.idFrom == ControlId(kCopiesUpDownRow)) {
        if (header.code == UDN_DELTAPOS)
            Step(reinterpret_cast<const NMUPDOWN&>(header).iDelta > 0 ? step_ : -step_);
        return 1;
    }
    if (header.code != PSN_KILLACTIVE) return 0;
    TakeValue();
    return 1;
}

// The number the field holds, negative ones included; false for any other
// text.
bool GCopiesWrapper::ReadTyped(int64_t& count) const {
    const int edit = static_cast<int>(ControlId(kCopiesEditRow));
    BOOL translated = FALSE;
    const UINT number = GetDlgItemInt(Dialog(), edit, &translated, FALSE);
    if (translated != FALSE) {
        count = number;
        return true;
    }
    const int negative = static_cast<int>(GetDlgItemInt(Dialog(), edit, &translated, TRUE));
    count = negative;
    return translated != FALSE;
}

void GCopiesWrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr || (force == 0 && Option()->WasChanged() == 0)) return;
    const int16_t count = Option()->GetValue();
    // The up-down writes its position into the field in its own form first.
    SendDlgItemMessageW(Dialog(), static_cast<int>(ControlId(kCopiesUpDownRow)), UDM_SETPOS, 0,
                        MAKELPARAM(static_cast<WORD>(count), 0));
    int64_t shown = 0;
    if (!ReadTyped(shown) || shown != count)
        SetDlgItemInt(Dialog(), static_cast<int>(ControlId(kCopiesEditRow)), static_cast<UINT>(count), TRUE);
    ShowControl(kCopyLabelRow, 1);
    ShowControl(kCopiesLabelRow, 1);
}

void GCopiesWrapper::TakeValue() {
    int64_t typed = 0;
    if (Option() == nullptr || !ReadTyped(typed)) return;
    Option()->SetValue(Clamped(typed));
}

void GCopiesWrapper::Step(int32_t delta) {
    TakeValue();
    if (Option() != nullptr) Option()->SetValue(Clamped(static_cast<int64_t>(Option()->GetValue()) + delta));
}

void GCopiesWrapper::ShowControl(uint16_t index, uint32_t flag) {
    if ((index == kCopyLabelRow || index == kCopiesLabelRow) && flag != 0) {
        const bool one = Option() != nullptr && Option()->GetValue() == 1;
        flag = (index == kCopyLabelRow) == one ? 1 : 0;
    }
    GOptionWrapper::ShowControl(index, flag);
}

// Bounds a restored range may hold the wrong way round: the minimum wins.
int16_t GCopiesWrapper::Clamped(int64_t count) const {
    return static_cast<int16_t>(std::max<int64_t>(minimum_, std::min<int64_t>(count, maximum_)));
}
