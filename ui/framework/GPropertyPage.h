#pragma once
// A property page of the sheet: a GDialog that fills its page record (the
// template of the resource library, PropertyPageProc) and hangs itself on
// the record's PageLink, through which PropertyPageProc finds it. Every
// message of the page also reaches the UI model's page hook.
#include <cstdint>

#include "ui/framework/GDialog.h"
#include "winapi/WinCommonUI.h"
#include "winapi/WinExport.h"

class GPropertyPage : public GDialog {
public:
    // Fills the record: right-to-left reading (and Help when hasHelp), the
    // instance and template, PropertyPageProc; the record's PageLink, when
    // it has one, gets this page.
    GPropertyPage(PROPSHEETPAGEW* page, HINSTANCE instance, uint16_t templateId, GUIModel* model,
                  uint32_t hasHelp, uint16_t pageHelpId);

    // The routing of GDialog, then the UI model's OnPageMessage; the
    // routing's answer.
    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The dialog procedure of every page: WM_INITDIALOG's page record leads to
// the page (its PageLink) and is kept in the window's DWLP_USER slot until
// WM_DESTROY. Messages without a page answer 0.
QV_MODULE_EXPORT INT_PTR PropertyPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
