#include "ui/framework/GModalDialog.h"

#include "ui/framework/GResourceLibrary.h"
#include "ui/framework/GUIModel.h"
#include "winapi/WinDialog.h"
#include "winapi/WinWindow.h"

namespace {
constexpr int kCloseButton = 8;
} // namespace

GModalDialog::GModalDialog(uint16_t templateId, GUIModel* model, uint32_t hasHelp, uint16_t helpId)
    : GDialog(templateId, model, hasHelp, helpId) {}

bool GModalDialog::IsEndCommand(WPARAM wParam) {
    const WORD id = LOWORD(wParam);
    return id == IDOK || id == IDCANCEL || id == kCloseButton;
}

void GModalDialog::EndWithCommand(WPARAM wParam, LPARAM lParam) {
    const WORD id = LOWORD(wParam);
    if (GetDlgItem(Window(), id) != nullptr) DispatchToId(id, WM_COMMAND, wParam, lParam);
    EndDialog(Window(), static_cast<INT_PTR>(wParam));
}

INT_PTR GModalDialog::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && IsEndCommand(wParam)) {
        EndWithCommand(wParam, lParam);
        return 0;
    }
    return GDialog::DialogProc(message, wParam, lParam);
}

INT_PTR GModalDialog::Run(HWND owner, uint32_t withSnapshot) {
    GUIModel* model = Model();
    HWND kept = model->Window();
    model->Propagate(0);
    // The dialog runs outside the page's update; the page's depth comes
    // back afterwards, and a model outside any update stays outside.
    const uint16_t depth = model->UpdateNesting();
    for (uint16_t i = 0; i < depth; ++i)
        model->EndUpdate();
    if (withSnapshot == 1) model->PushSnapshot();
    EnableWindow(owner, FALSE);
    const INT_PTR result =
        DialogBoxParamW(ResourceModule(), MAKEINTRESOURCEW(TemplateId()), owner, &ModalDlgProc,
                        reinterpret_cast<LPARAM>(static_cast<GDialog*>(this)));
    EnableWindow(owner, TRUE);
    if (withSnapshot == 1) model->PopSnapshot(result == IDCANCEL ? 1 : 0);
    for (uint16_t i = 0; i < depth; ++i)
        model->BeginUpdate(kept);
    model->SetChanged(1);
    return result;
}

INT_PTR ModalDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    GDialog* dialog = nullptr;
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<GDialog*>(lParam);
        if (dialog == nullptr) return 0;
        dialog->SetWindow(window);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
    } else {
        dialog = reinterpret_cast<GDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    }
    if (dialog == nullptr) return 0;
    const INT_PTR result = dialog->DialogProc(message, wParam, lParam);
    if (message == WM_DESTROY) SetWindowLongPtrW(window, DWLP_USER, 0);
    return result;
}
