#include "ui/pages/GCustomLengthWrapper.h"

#include <array>
#include <string>

#include "rw/RWWString.h"
#include "ui/framework/GUIStrings.h"
#include "ui/pages/GCustomLengthText.h"
#include "ui/pages/GUserLocale.h"
#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"
#include "winapi/WinWindow.h"

namespace {

constexpr uint16_t kFieldIndex = 0;
constexpr uint16_t kArrowsIndex = 1;
constexpr uint16_t kInchLabelIndex = 2;
constexpr uint16_t kMillimetreLabelIndex = 3;
// One arrow step: 0.1 inch or 1 mm.
constexpr int64_t kInchStep = 10;
constexpr int64_t kMillimetreStep = 1000;
// The dialog's limit texts ("Minimum:", "Maximum:" in the string table),
// for the width and for the height.
constexpr uint16_t kLimitTexts[2][2] = {{11413, 11414}, {11423, 11424}};

RWWString LimitText(uint16_t stringId, uint32_t length, uint32_t unit) {
    RWWString label;
    LoadResString(stringId, label);
    const RWWString number = GCustomLengthText::Format(length, unit, GUserLocale::DecimalSeparator());
    std::u16string text(label.Data(), label.Length());
    text.push_back(u' ');
    text.append(number.Data(), number.Length());
    return RWWString(text.data(), text.size());
}

} // namespace

void GCustomLengthWrapper::OnAttach() {
    ShowValue(1);
    SendDlgItemMessageW(Dialog(), static_cast<int>(ControlId(kArrowsIndex)), UDM_SETRANGE, 0,
                        MAKELPARAM(1, 0));
}

uint32_t GCustomLengthWrapper::Length() {
    GSizePair size;
    Option()->Edited().GetSize(size);
    return axis_ == kWidth ? size.x : size.y;
}

void GCustomLengthWrapper::Store(uint32_t length) {
    GCustomMediaSize edited = Option()->Edited();
    GSizePair size;
    edited.GetSize(size);
    (axis_ == kWidth ? size.x : size.y) = Option()->Clamp(axis_, length);
    edited.SetSize(size);
    Option()->StoreEdited(edited);
}

void GCustomLengthWrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr || (force == 0 && Option()->WasChanged() == 0)) return;
    const uint32_t unit = Option()->Unit();
    SetItemTextIfChanged(Dialog(), static_cast<int>(ControlId(kFieldIndex)),
                         GCustomLengthText::Format(Length(), unit, GUserLocale::DecimalSeparator()));
    const uint32_t inches = unit == GCustomLengthText::kInches ? 1 : 0;
    ShowControl(kInchLabelIndex, inches);
    ShowControl(kMillimetreLabelIndex, 1 - inches);
    ShowLimits(unit);
}

void GCustomLengthWrapper::ShowLimits(uint32_t unit) {
    const GSizePair low = Option()->Minimum();
    const GSizePair high = Option()->Maximum();
    const uint16_t* ids = kLimitTexts[axis_ == kWidth ? 0 : 1];
    SetItemTextIfChanged(Dialog(), ids[0], LimitText(ids[0], axis_ == kWidth ? low.x : low.y, unit));
    SetItemTextIfChanged(Dialog(), ids[1], LimitText(ids[1], axis_ == kWidth ? high.x : high.y, unit));
}

void GCustomLengthWrapper::TakeValue() {
    if (Option() == nullptr) return;
    std::array<WCHAR, GCustomLengthText::kMaxCharacters + 1> buffer{};
    const UINT read = GetDlgItemTextW(Dialog(), static_cast<int>(ControlId(kFieldIndex)), buffer.data(),
                                      static_cast<int>(buffer.size()));
    const std::optional<uint32_t> length = GCustomLengthText::Parse(
        RWWString(buffer.data(), read), Option()->Unit(), GUserLocale::DecimalSeparator());
    if (length) Store(*length);
}

void GCustomLengthWrapper::Step(int delta) {
    TakeValue();
    const bool inches = Option()->Unit() == GCustomLengthText::kInches;
    int64_t next = static_cast<int64_t>(Length()) + delta * (inches ? kInchStep : kMillimetreStep);
    if (inches) next -= next % kInchStep;
    Store(static_cast<uint32_t>(next < 0 ? 0 : next));
    ShowValue(1);
}

LRESULT GCustomLengthWrapper::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (Option() == nullptr) return 0;
    const HWND field = GetDlgItem(Dialog(), static_cast<int>(ControlId(kFieldIndex)));
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header == nullptr || header->idFrom != ControlId(kArrowsIndex) || header->code != UDN_DELTAPOS)
            return 0;
        Step(reinterpret_cast<const NMUPDOWN*>(lParam)->iDelta > 0 ? 1 : -1);
        return 1;
    }
    if (message == WM_VSCROLL) {
        SendMessageW(field, EM_SETSEL, 0, 0);
        return 0;
    }
    if (message != WM_COMMAND || LOWORD(wParam) != ControlId(kFieldIndex)) return 0;
    if (HIWORD(wParam) == EN_SETFOCUS) {
        SendMessageW(field, EM_SETSEL, 0, static_cast<LPARAM>(-1));
        return 0;
    }
    if (HIWORD(wParam) != EN_KILLFOCUS) return 0;
    TakeValue();
    ShowValue(1);
    return 1;
}
