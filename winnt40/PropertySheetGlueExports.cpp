#include "winnt40/PropertySheetGlueExports.h"

#include "winnt40/GCPSOSUI.h"

UINT PropPageCallback(HWND window, UINT message, PROPSHEETPAGEW* page) {
    return GCPSOSUI::PropPageCallback(window, message, page);
}

LRESULT DlgProcHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam, GUIData* data) {
    return GCPSOSUI::DlgProcHook(window, message, wParam, lParam, data);
}

LONG_PTR NonPropPageSheet(HANDLE, UINT, LPARAM lParam1, LPARAM) {
    return lParam1;
}
