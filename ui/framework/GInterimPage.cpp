#include "ui/framework/GInterimPage.h"

#include "driver/GUIData.h"
#include "driver/PageLink.h"
#include "winapi/WinDialog.h"
#include "winapi/WinWindow.h"

void GInterimPage::Fill(PROPSHEETPAGEW& page, const GUIData& data) {
    page.dwFlags = PSP_DEFAULT;
    page.hInstance = data.instance;
    page.pszTemplate = MAKEINTRESOURCEW(kTemplateId);
    page.pfnDlgProc = &GInterimPage::DialogProc;
}

INT_PTR GInterimPage::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    GUIData* data = nullptr;
    if (message == WM_INITDIALOG) {
        const auto* page = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
        const auto* link = page != nullptr ? reinterpret_cast<const PageLink*>(page->lParam) : nullptr;
        data = link != nullptr && link->size == PageLink::kSizeTag ? link->data : nullptr;
        SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(data));
    } else {
        data = reinterpret_cast<GUIData*>(GetWindowLongPtrW(window, DWLP_USER));
    }
    if (data != nullptr && data->hook != nullptr) data->hook(window, message, wParam, lParam, data);
    if (message == WM_DESTROY) SetWindowLongPtrW(window, DWLP_USER, 0);
    return message == WM_INITDIALOG ? TRUE : FALSE;
}
