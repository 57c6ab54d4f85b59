#include "ui/framework/GGetStringDialog.h"

#include <algorithm>
#include <vector>

#include "ui/framework/GResourceLibrary.h"
#include "ui/framework/GUIStrings.h"
#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"
#include "winapi/WinWindow.h"

namespace {
// Whether the text holds anything but spaces.
bool HoldsNonBlank(const RWWString& text) {
    const char16_t* units = text.Data();
    return std::any_of(units, units + text.Length(), [](char16_t unit) { return unit != u' '; });
}
} // namespace

GGetStringDialog::GGetStringDialog(HWND parent, uint16_t promptStringId, int16_t maxLength)
    : parent_(parent), promptStringId_(promptStringId), maxLength_(maxLength) {}

INT_PTR GGetStringDialog::Run() {
    return DialogBoxParamW(ResourceModule(), MAKEINTRESOURCEW(kTemplate), parent_, &GetStrDlgProc,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR GGetStringDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        OnInitDialog();
        return 1;
    }
    if (message != WM_COMMAND) return 0;
    const WORD id = LOWORD(wParam);
    if (id == kEditControl && HIWORD(wParam) == EN_CHANGE) {
        EnableWindow(GetDlgItem(window_, IDOK), HoldsNonBlank(FieldText()) ? TRUE : FALSE);
        return 1;
    }
    if (id != IDOK && id != IDCANCEL) return 0;
    text_ = FieldText();
    EndDialog(window_, static_cast<INT_PTR>(wParam));
    return 1;
}

void GGetStringDialog::OnInitDialog() {
    RWWString prompt;
    if (LoadResString(promptStringId_, prompt) > 0) SetItemTextIfChanged(window_, kPromptControl, prompt);
    if (maxLength_ > 0)
        SendDlgItemMessageW(window_, kEditControl, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    EnableWindow(GetDlgItem(window_, IDOK), FALSE);
}

RWWString GGetStringDialog::FieldText() const {
    HWND field = GetDlgItem(window_, kEditControl);
    const int length = field != nullptr ? GetWindowTextLengthW(field) : -1;
    if (length < 0) return RWWString();
    std::vector<WCHAR> buffer(static_cast<size_t>(length) + 1, 0);
    const int read = GetWindowTextW(field, buffer.data(), length + 1);
    return read > 0 ? RWWString(buffer.data(), static_cast<size_t>(std::min(read, length))) : RWWString();
}

INT_PTR GetStrDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    GGetStringDialog* dialog = nullptr;
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<GGetStringDialog*>(lParam);
        if (dialog == nullptr) return 0;
        dialog->SetWindow(window);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
    } else {
        dialog = reinterpret_cast<GGetStringDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    }
    if (dialog == nullptr) return 0;
    const INT_PTR result = dialog->HandleMessage(message, wParam, lParam);
    if (message == WM_DESTROY) SetWindowLongPtrW(window, DWLP_USER, 0);
    return result;
}
