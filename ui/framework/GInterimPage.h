#pragma once
// The one page the module's own UI_INITIALIZE gives a sheet while the
// module's own tabs are not built yet: the Basics template of the module's
// resources with no option controls behind it. Its dialog procedure hands
// every message to the sheet's hook (GUIData), so that OK, Cancel and the
// page's life reach the property-sheet glue as they will from the tabs.
#include <cstdint>

#include "winapi/WinCommonUI.h"
#include "winapi/WinTypes.h"

struct GUIData;

class GInterimPage {
public:
    // The dialog template of the page (the Basics tab's).
    static constexpr WORD kTemplateId = 1000;

    // Fills the page record: the module's instance handle, the template
    // and the dialog procedure.
    static void Fill(PROPSHEETPAGEW& page, const GUIData& data);
    static INT_PTR DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
