#include "ui/pages/GPagesPerSheetWrapper.h"

#include <algorithm>
#include <string>

#include "rw/RWWString.h"
#include "ui/framework/GUIStrings.h"
#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"
#include "winapi/WinWindow.h"

namespace {

constexpr uint16_t kNumberField = 0;
constexpr uint16_t kArrows = 1;
constexpr uint16_t kBordersBox = 3;
constexpr uint16_t kOrderLabel = 4;
constexpr uint16_t kOrderList = 5;
// Commands of the borders box and the order list that take a choice
// (a click, a new selection), and the one that checks the number.
constexpr uint16_t kClickOrSelection = 1;
constexpr uint16_t kCheckNumber = 5;

constexpr uint16_t kOrderNames[] = {11047, 11048, 11049, 11050};
constexpr int16_t kOrdersFromTheLeft = 2;

} // namespace

void GPagesPerSheetWrapper::OnAttach() {
    SendDlgItemMessageW(Dialog(), static_cast<int>(ControlId(kArrows)), UDM_SETRANGE, 0,
                        MAKELPARAM(GPagesPerSheetFeature::kMost, GPagesPerSheetFeature::kFewest));
    SendDlgItemMessageW(Dialog(), static_cast<int>(ControlId(kArrows)), UDM_SETPOS, 0,
                        MAKELPARAM(GPagesPerSheetFeature::kFewest, 0));
    orders_.Attach(Dialog(), static_cast<uint16_t>(ControlId(kOrderList)));
    orders_.ResetContent();
    const int16_t offered = PageOrderCount() > 2 ? 4 : kOrdersFromTheLeft;
    for (int16_t order = 0; order < offered; ++order) {
        RWWString text;
        LoadResString(kOrderNames[order], text);
        orders_.AddStringWithData(text.Data(), order);
    }
}

LRESULT GPagesPerSheetWrapper::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (Option() == nullptr) return 0;
    if (message == WM_COMMAND) return OnCommand(LOWORD(wParam), HIWORD(wParam));
    if (message == WM_VSCROLL && reinterpret_cast<HWND>(lParam) == GetDlgItem(Dialog(), ControlId(kArrows)))
        SendDlgItemMessageW(Dialog(), static_cast<int>(ControlId(kNumberField)), EM_SETSEL,
                            static_cast<WPARAM>(-1), 0);
    if (message != WM_NOTIFY) return 0;
    const auto* change = reinterpret_cast<const NMUPDOWN*>(lParam);
    if (change == nullptr || change->hdr.code != UDN_DELTAPOS || change->hdr.idFrom != ControlId(kArrows))
        return 0;
    Spin(change->iDelta);
    return 1;
}

LRESULT GPagesPerSheetWrapper::OnCommand(uint16_t control, uint16_t code) {
    if (control == ControlId(kNumberField)) {
        if (code != EN_CHANGE && code != EN_KILLFOCUS) return 0;
        TakeValue();
        if (code == EN_KILLFOCUS) ShowValue(1);
        return 1;
    }
    if (control != ControlId(kBordersBox) && control != ControlId(kOrderList)) return 0;
    if (code <= kClickOrSelection) {
        TakeValue();
        return 1;
    }
    int32_t number = 0;
    if (code == kCheckNumber && FieldNumber(number) && number == 1) EnableExtras(false);
    return 0;
}

void GPagesPerSheetWrapper::Spin(int delta) {
    const int16_t next = GPagesPerSheetFeature::Step(Option()->GetValue(), delta > 0);
    Option()->SetValue(next);
    ShowNumber(next);
}

bool GPagesPerSheetWrapper::FieldNumber(int32_t& number) const {
    WCHAR text[16] = {};
    GetDlgItemTextW(Dialog(), static_cast<int>(ControlId(kNumberField)), text, 16);
    int64_t value = 0;
    size_t at = 0;
    for (; text[at] >= u'0' && text[at] <= u'9'; ++at)
        value = std::min<int64_t>(value * 10 + (text[at] - u'0'), 100000);
    if (at == 0 || text[at] != 0) return false;
    number = static_cast<int32_t>(value);
    return true;
}

void GPagesPerSheetWrapper::EnableExtras(bool enable) {
    for (const uint16_t index : {kBordersBox, kOrderLabel, kOrderList})
        EnableControl(index, enable ? 1 : 0);
}

void GPagesPerSheetWrapper::ShowNumber(int16_t value) {
    const std::string digits = std::to_string(value);
    SetItemTextIfChanged(Dialog(), static_cast<int>(ControlId(kNumberField)),
                         RWWString(digits.c_str(), RWWString::Ascii));
}

void GPagesPerSheetWrapper::Refresh() {
    if (Option() == nullptr) return;
    const uint16_t state = Option()->GetState();
    SetState(state);
    if (state == GFeature::kEnabled) EnableExtras(Option()->GetValue() != 1);
}

void GPagesPerSheetWrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr || (force == 0 && Option()->WasChanged() == 0)) return;
    const int16_t value = Option()->GetValue();
    ShowNumber(value);
    const int box = static_cast<int>(ControlId(kBordersBox));
    if (value > 1) {
        EnableExtras(true);
        CheckDlgButton(Dialog(), box, Option()->Borders() == 1 ? BST_CHECKED : BST_UNCHECKED);
        orders_.SelectByData(Option()->Order());
        return;
    }
    CheckDlgButton(Dialog(), box, BST_UNCHECKED);
    EnableExtras(false);
    Option()->SetOrder(0);
    orders_.SelectByData(0);
}

void GPagesPerSheetWrapper::TakeValue() {
    int32_t typed = 0;
    if (Option() == nullptr || !FieldNumber(typed)) return;
    const int16_t value = GPagesPerSheetFeature::Normalise(typed);
    Option()->SetValue(value);
    if (value <= 1) return;
    Option()->SetBorders(
        IsDlgButtonChecked(Dialog(), static_cast<int>(ControlId(kBordersBox))) == BST_CHECKED ? 1 : 0);
    const LRESULT order = orders_.GetSelectedData();
    Option()->SetOrder(order < 0 ? 0 : static_cast<int16_t>(order));
}
