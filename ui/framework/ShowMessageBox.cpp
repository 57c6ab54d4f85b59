#include "ui/framework/ShowMessageBox.h"

#include "winapi/WinMessageBox.h"

int ShowMessageBox(HWND owner, const RWWString& text, const RWWString& caption, UINT style) {
    return MessageBoxW(owner, text.Data(), caption.Data(), style);
}
