#include "ui/framework/GComboBoxWrapper.h"

#include <algorithm>
#include <vector>

#include "ui/framework/GUIStrings.h"
#include "ui/framework/GWrapperItemText.h"
#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"
#include "winapi/WinGdiDraw.h"

namespace {
// Selection answers at or above this are no selection.
constexpr LRESULT kComboNoSelection = 0xFFFF;

bool ComboHasSelection(LRESULT selection) {
    return selection >= 0 && selection < kComboNoSelection;
}
} // namespace

void GComboBoxWrapper::Attach(HWND dialog, uint16_t controlId) {
    dialog_ = dialog;
    controlId_ = controlId;
}

LRESULT GComboBoxWrapper::Send(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendDlgItemMessageW(dialog_, controlId_, message, wParam, lParam);
}

LRESULT GComboBoxWrapper::ResetContent() {
    return Send(CB_RESETCONTENT);
}

LRESULT GComboBoxWrapper::DeleteString(int16_t index) {
    return Send(CB_DELETESTRING, static_cast<WPARAM>(index));
}

LRESULT GComboBoxWrapper::GetCurSel() {
    return Send(CB_GETCURSEL);
}

LRESULT GComboBoxWrapper::SetCurSel(int16_t index) {
    return Send(CB_SETCURSEL, static_cast<WPARAM>(index));
}

LRESULT GComboBoxWrapper::LimitText(int16_t length) {
    return Send(CB_LIMITTEXT, static_cast<WPARAM>(length));
}

LRESULT GComboBoxWrapper::GetItemData(int16_t index) {
    return Send(CB_GETITEMDATA, static_cast<WPARAM>(index));
}

LRESULT GComboBoxWrapper::SetItemData(int16_t index, LONG_PTR data) {
    return Send(CB_SETITEMDATA, static_cast<WPARAM>(index), data);
}

LRESULT GComboBoxWrapper::GetCount() {
    return Send(CB_GETCOUNT);
}

LRESULT GComboBoxWrapper::AddString(LPCWSTR text) {
    return Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

LRESULT GComboBoxWrapper::AddStringWithData(LPCWSTR text, LONG_PTR data) {
    const LRESULT index = AddString(text);
    if (!ComboHasSelection(index)) return index;
    const LRESULT set = SetItemData(static_cast<int16_t>(index), data);
    return set < 0 ? set : index;
}

void GComboBoxWrapper::SetTextIfChanged(const RWWString& text) {
    SetItemTextIfChanged(dialog_, controlId_, text);
}

void GComboBoxWrapper::SelectByData(LONG_PTR data) {
    const LRESULT count = GetCount();
    for (LRESULT i = 0; i < count; ++i) {
        if (GetItemData(static_cast<int16_t>(i)) != data) continue;
        SetCurSel(static_cast<int16_t>(i));
        return;
    }
}

bool GComboBoxWrapper::ItemText(LONG_PTR index, RWWString& text) {
    return ReadListItemText(dialog_, controlId_, CB_GETLBTEXTLEN, CB_GETLBTEXT, index, text);
}

void GComboBoxWrapper::SelectByText(const RWCString& text) {
    const RWWString wanted(text, RWWString::MultiByte);
    const LRESULT count = GetCount();
    RWWString item;
    for (LRESULT i = 0; i < count; ++i) {
        if (!ItemText(i, item)) return;
        if (item != wanted) continue;
        SetCurSel(static_cast<int16_t>(i));
        return;
    }
}

LRESULT GComboBoxWrapper::GetSelectedData() {
    const LRESULT selection = GetCurSel();
    if (!ComboHasSelection(selection)) return -1;
    return GetItemData(static_cast<int16_t>(selection));
}

int32_t GComboBoxWrapper::GetSelectedText(RWCString& text) {
    const LRESULT selection = GetCurSel();
    RWWString item;
    if (!ComboHasSelection(selection) || !ItemText(selection, item)) return 0;
    text = item.ToMultiByte();
    return 1;
}

int32_t GComboBoxWrapper::GetText(RWCString& text) {
    text = RWCString();
    HWND control = GetDlgItem(dialog_, controlId_);
    const int length = control != nullptr ? GetWindowTextLengthW(control) : -1;
    if (length < 0) return 0;
    std::vector<WCHAR> buffer(static_cast<size_t>(length) + 1, 0);
    const int read = GetWindowTextW(control, buffer.data(), length + 1);
    if (read < 0) return 0;
    text = RWWString(buffer.data(), static_cast<size_t>(std::min(read, length))).ToMultiByte();
    return 1;
}

void GComboBoxWrapper::FitDroppedWidth() {
    HWND control = GetDlgItem(dialog_, controlId_);
    if (control == nullptr) return;
    HDC dc = GetDC(control);
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0));
    HGDIOBJ previous = font != nullptr ? SelectObject(dc, font) : nullptr;
    LONG widest = 0;
    const LRESULT count = GetCount();
    RWWString item;
    for (LRESULT i = 0; i < count; ++i) {
        SIZE extent{};
        if (ItemText(i, item) &&
            GetTextExtentPoint32W(dc, item.Data(), static_cast<int>(item.Length()), &extent))
            widest = std::max(widest, extent.cx);
    }
    if (previous != nullptr) SelectObject(dc, previous);
    ReleaseDC(control, dc);
    Send(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(widest));
}
