#pragma once
// The text-entry dialog (template 11511 "Quick Sets" of the resource
// library): a prompt from the string table, an edit field, and OK, which
// stays disabled while the field holds nothing but blanks. Both OK and
// Cancel keep the text typed.
#include <cstdint>

#include "rw/RWWString.h"
#include "winapi/WinExport.h"
#include "winapi/WinTypes.h"

class GGetStringDialog {
public:
    static constexpr WORD kTemplate = 11511;
    static constexpr int kPromptControl = 11513;
    static constexpr int kEditControl = 11514;

    // maxLength 0: the field takes any length.
    GGetStringDialog(HWND parent, uint16_t promptStringId, int16_t maxLength);
    GGetStringDialog(const GGetStringDialog&) = delete;
    GGetStringDialog& operator=(const GGetStringDialog&) = delete;

    // The dialog's result: IDOK, IDCANCEL, or -1 without its template.
    INT_PTR Run();
    const RWWString& Text() const { return text_; }

    // The dialog's messages (through GetStrDlgProc).
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void SetWindow(HWND window) { window_ = window; }

private:
    void OnInitDialog();
    // The edit field's text; empty when it cannot be read.
    RWWString FieldText() const;

    HWND parent_;
    HWND window_ = nullptr;
    RWWString text_;
    uint16_t promptStringId_;
    int16_t maxLength_;
};

// The dialog procedure of the text-entry dialog: WM_INITDIALOG's parameter
// is the dialog object, kept in the window's DWLP_USER slot until
// WM_DESTROY. Messages without an object answer 0.
QV_MODULE_EXPORT INT_PTR GetStrDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
