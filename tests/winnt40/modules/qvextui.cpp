// A double extension-UI module: two pages titled "Alpha" and "Beta" from
// the resource library's Basics and Paper templates, whose procedures hand
// every message to the sheet's hook. It logs its calls ("count", "fill N",
// "destroy") in the tests' module log under "QVEXTUI".
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "driver/GUIData.h"
#include "driver/PageLink.h"
#include "tests/driver/modules/TestModuleLog.h"
#include "winapi/WinDialog.h"
#include "winapi/WinExport.h"
#include "winapi/WinModule.h"
#include "winapi/WinWindow.h"

namespace {

HMODULE g_resources = nullptr;

WCHAR* Title(const char16_t* text) {
    const size_t bytes = (std::char_traits<char16_t>::length(text) + 1) * sizeof(char16_t);
    auto* copy = static_cast<WCHAR*>(std::malloc(bytes));
    std::memcpy(copy, text, bytes);
    return copy;
}

INT_PTR PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    GUIData* data = nullptr;
    if (message == WM_INITDIALOG) {
        const auto* page = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
        data = reinterpret_cast<const PageLink*>(page->lParam)->data;
        SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(data));
    } else {
        data = reinterpret_cast<GUIData*>(GetWindowLongPtrW(window, DWLP_USER));
    }
    if (data != nullptr && data->hook != nullptr) data->hook(window, message, wParam, lParam, data);
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

void Fill(PROPSHEETPAGEW& page, WORD templateId, const char16_t* title) {
    page.dwFlags = PSP_USETITLE;
    page.hInstance = g_resources;
    page.pszTemplate = MAKEINTRESOURCEW(templateId);
    page.pszTitle = Title(title);
    page.pfnDlgProc = &PageProc;
}

} // namespace

QV_MODULE_EXPORT uint32_t UI_INTERFACEVERSION() {
    return 2;
}

QV_MODULE_EXPORT int16_t UI_INITIALIZE(GUIData* data, uint16_t first) {
    if (data->pages == nullptr) {
        testmodule::Append(u"QVEXTUI", u"count");
        return 2;
    }
    testmodule::Append(u"QVEXTUI", u"fill " + std::u16string(1, static_cast<char16_t>(u'0' + first % 10)));
    if (first + 2 > data->pageCount) return 2;
    if (g_resources == nullptr) g_resources = LoadLibraryW(u"QVUIRES.DLL");
    Fill(data->pages[first], 1000, u"Alpha");
    Fill(data->pages[first + 1], 2000, u"Beta");
    return 2;
}

QV_MODULE_EXPORT int16_t UI_DESTROY(GUIData*) {
    testmodule::Append(u"QVEXTUI", u"destroy");
    if (g_resources != nullptr) FreeLibrary(g_resources);
    g_resources = nullptr;
    return 0;
}
