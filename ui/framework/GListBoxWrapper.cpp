#include "ui/framework/GListBoxWrapper.h"

#include "ui/framework/GWrapperItemText.h"
#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"

namespace {
// Selection answers at or above this are no selection.
constexpr LRESULT kListNoSelection = 0xFFFF;

bool ListHasSelection(LRESULT selection) {
    return selection >= 0 && selection < kListNoSelection;
}
} // namespace

void GListBoxWrapper::Attach(HWND dialog, uint16_t controlId) {
    dialog_ = dialog;
    controlId_ = controlId;
}

LRESULT GListBoxWrapper::Send(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendDlgItemMessageW(dialog_, controlId_, message, wParam, lParam);
}

LRESULT GListBoxWrapper::ResetContent() {
    return Send(LB_RESETCONTENT);
}

LRESULT GListBoxWrapper::DeleteString(int16_t index) {
    return Send(LB_DELETESTRING, static_cast<WPARAM>(index));
}

LRESULT GListBoxWrapper::SetHorizontalExtent(int16_t extent) {
    return Send(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(extent));
}

LRESULT GListBoxWrapper::GetCurSel() {
    return Send(LB_GETCURSEL);
}

LRESULT GListBoxWrapper::SetCurSel(int16_t index) {
    return Send(LB_SETCURSEL, static_cast<WPARAM>(index));
}

LRESULT GListBoxWrapper::GetItemData(int16_t index) {
    return Send(LB_GETITEMDATA, static_cast<WPARAM>(index));
}

LRESULT GListBoxWrapper::SetItemData(int16_t index, LONG_PTR data) {
    return Send(LB_SETITEMDATA, static_cast<WPARAM>(index), data);
}

LRESULT GListBoxWrapper::GetCount() {
    return Send(LB_GETCOUNT);
}

LRESULT GListBoxWrapper::AddString(LPCWSTR text) {
    return Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

LRESULT GListBoxWrapper::AddStringWithData(LPCWSTR text, int16_t data) {
    const LRESULT index = AddString(text);
    if (!ListHasSelection(index)) return index;
    const LRESULT set = SetItemData(static_cast<int16_t>(index), data);
    return set < 0 ? set : index;
}

LRESULT GListBoxWrapper::FindText(const RWWString& text) {
    const LRESULT count = GetCount();
    RWWString item;
    for (LRESULT i = 0; i < count; ++i) {
        if (!ReadListItemText(dialog_, controlId_, LB_GETTEXTLEN, LB_GETTEXT, i, item)) return -1;
        if (item == text) return i;
    }
    return -1;
}

void GListBoxWrapper::DeleteByText(const RWWString& text) {
    const LRESULT index = FindText(text);
    if (index >= 0) DeleteString(static_cast<int16_t>(index));
}

void GListBoxWrapper::SelectByText(const RWWString& text) {
    const LRESULT index = FindText(text);
    if (index >= 0) SetCurSel(static_cast<int16_t>(index));
}

void GListBoxWrapper::SelectByData(uint16_t data) {
    const LRESULT count = GetCount();
    for (LRESULT i = 0; i < count; ++i) {
        if (static_cast<uint16_t>(GetItemData(static_cast<int16_t>(i))) != data) continue;
        SetCurSel(static_cast<int16_t>(i));
        return;
    }
}

LRESULT GListBoxWrapper::GetSelectedData() {
    const LRESULT selection = GetCurSel();
    if (!ListHasSelection(selection)) return kNoData;
    return GetItemData(static_cast<int16_t>(selection));
}

int32_t GListBoxWrapper::GetSelectedText(RWWString& text) {
    text = RWWString();
    const LRESULT selection = GetCurSel();
    if (!ListHasSelection(selection)) return 0;
    return ReadListItemText(dialog_, controlId_, LB_GETTEXTLEN, LB_GETTEXT, selection, text) ? 1 : 0;
}
