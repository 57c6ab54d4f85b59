#include "ui/framework/GPropertyPage.h"

#include "driver/PageLink.h"
#include "ui/framework/GUIModel.h"
#include "winapi/WinDialog.h"
#include "winapi/WinWindow.h"

namespace {
PageLink* LinkOfPage(const PROPSHEETPAGEW* page) {
    auto* link = page != nullptr ? reinterpret_cast<PageLink*>(page->lParam) : nullptr;
    return link != nullptr && link->size == PageLink::kSizeTag ? link : nullptr;
}

GPropertyPage* PageObjectOf(const PROPSHEETPAGEW* page) {
    const PageLink* link = LinkOfPage(page);
    return link != nullptr ? static_cast<GPropertyPage*>(link->pageObject) : nullptr;
}
} // namespace

GPropertyPage::GPropertyPage(PROPSHEETPAGEW* page, HINSTANCE instance, uint16_t templateId, GUIModel* model,
                             uint32_t hasHelp, uint16_t pageHelpId)
    : GDialog(templateId, model, hasHelp, pageHelpId) {
    if (page == nullptr) return;
    page->dwFlags = PSP_RTLREADING | (hasHelp != 0 ? PSP_HASHELP : 0);
    page->hInstance = instance;
    page->pszTemplate = MAKEINTRESOURCEW(templateId);
    page->pfnDlgProc = &PropertyPageProc;
    if (PageLink* link = LinkOfPage(page)) link->pageObject = this;
}

INT_PTR GPropertyPage::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const INT_PTR result = GDialog::DialogProc(message, wParam, lParam);
    Model()->OnPageMessage(Window(), message, wParam, lParam);
    return result;
}

INT_PTR PropertyPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const PROPSHEETPAGEW* record = nullptr;
    if (message == WM_INITDIALOG) {
        record = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
        GPropertyPage* page = PageObjectOf(record);
        if (page == nullptr) return 0;
        page->SetWindow(window);
        SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(record));
    } else {
        record = reinterpret_cast<const PROPSHEETPAGEW*>(GetWindowLongPtrW(window, DWLP_USER));
    }
    GPropertyPage* page = PageObjectOf(record);
    if (page == nullptr) return 0;
    const INT_PTR result = page->DialogProc(message, wParam, lParam);
    if (message == WM_DESTROY) SetWindowLongPtrW(window, DWLP_USER, 0);
    return result;
}
