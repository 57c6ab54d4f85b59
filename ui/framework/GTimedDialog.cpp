#include "ui/framework/GTimedDialog.h"

#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"
#include "winapi/WinHelp.h"
#include "winapi/WinModule.h"

GTimedDialog::GTimedDialog(uint32_t dialogId, uint32_t seconds, const RWWString& printerName,
                           const RWWString& portName, const RWWString& userName,
                           const RWWString& resourceModuleName, const RWWString& location)
    : dialogId_(dialogId),
      seconds_(seconds), texts_{printerName, portName, userName, resourceModuleName, location} {}

INT_PTR GTimedDialog::Show(const RWWString& resourcePath) {
    if (resourcePath.IsNull()) return -1;
    HMODULE module = LoadLibraryW(resourcePath.Data());
    if (module == nullptr) return -1;
    const INT_PTR result = DialogBoxParamW(module, MAKEINTRESOURCEW(static_cast<WORD>(dialogId_)), nullptr,
                                           &GTimedDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    FreeLibrary(module);
    return result;
}

INT_PTR GTimedDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        reinterpret_cast<GTimedDialog*>(lParam)->Initialize(dialog);
        return TRUE;
    }
    auto* self = reinterpret_cast<GTimedDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (self == nullptr) return FALSE;
    switch (message) {
    case WM_TIMER:
        // Time is up: the notice closes as OK would close it.
        if (wParam == kTimerId) self->Close(dialog, IDOK);
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == IDOK || id == IDCANCEL) {
            self->Close(dialog, id);
            return TRUE;
        }
        if (id == kHelpId && !self->helpPath_.IsNull()) {
            WinHelpA(dialog, self->helpPath_.Data(), HELP_CONTEXT, self->dialogId_);
            return TRUE;
        }
        return FALSE;
    }
    default:
        return FALSE;
    }
}

void GTimedDialog::Initialize(HWND dialog) {
    SetDlgItemTextW(dialog, kPrinterNameId, texts_[0].Data());
    SetDlgItemTextW(dialog, kPortNameId, texts_[1].Data());
    SetDlgItemTextW(dialog, kUserNameId, texts_[2].Data());
    SetDlgItemTextW(dialog, kResourceModuleId, texts_[3].Data());
    SetDlgItemTextW(dialog, kLocationId, texts_[4].Data());
    if (seconds_ > 0) SetTimer(dialog, kTimerId, seconds_ * 1000, nullptr);
}

void GTimedDialog::Close(HWND dialog, INT_PTR result) {
    KillTimer(dialog, kTimerId);
    state_ = IsDlgButtonChecked(dialog, kDontShowId) == BST_CHECKED ? 0 : 1;
    EndDialog(dialog, result);
}
