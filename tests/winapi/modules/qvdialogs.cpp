// A double module carrying dialog templates, a bitmap and a cursor in its
// resource data, built with the layer's own serialisers the first time the
// loader asks for them.
#include <vector>

#include "tests/support/TestResourceModule.h"
#include "winapi/WinBitmapResource.h"
#include "winapi/WinExport.h"

namespace {
using Item = WinDialogTemplate::Item;

Item Control(DWORD id, const char16_t* className, DWORD style, SHORT x, SHORT y, SHORT width, SHORT height,
             const char16_t* title = u"") {
    return {id, WS_CHILD | WS_VISIBLE | style, 0, x, y, width, height, className, title};
}

// Dialog 100: one control of every class.
WinDialogTemplate Everything() {
    return TestDialog(
        u"Everything", WS_POPUP | WS_CAPTION | DS_MODALFRAME, 260, 200,
        {Control(109, WC_BUTTONW, BS_GROUPBOX, 4, 4, 120, 60, u"Group"),
         Control(101, WC_BUTTONW, BS_AUTOCHECKBOX | WS_TABSTOP, 10, 14, 100, 10, u"&Check"),
         Control(106, WC_BUTTONW, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 10, 26, 50, 10, u"One"),
         Control(107, WC_BUTTONW, BS_AUTORADIOBUTTON, 10, 38, 50, 10, u"Two"),
         Control(108, WC_BUTTONW, BS_AUTORADIOBUTTON, 10, 50, 50, 10, u"Three"),
         Control(116, WC_BUTTONW, BS_AUTORADIOBUTTON | WS_GROUP, 70, 26, 50, 10, u"Other"),
         Control(102, WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_TABSTOP, 130, 4, 100, 60),
         Control(103, WC_EDITW, ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 130, 22, 40, 12),
         Control(104, UPDOWN_CLASSW, UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS, 170,
                 22, 10, 12),
         Control(105, WC_LISTBOXW, LBS_NOTIFY | LBS_WANTKEYBOARDINPUT | WS_BORDER, 130, 40, 100, 40),
         Control(110, WC_STATICW, SS_NOTIFY, 4, 70, 100, 10, u"Static text"),
         Control(111, WC_BUTTONW, BS_OWNERDRAW, 4, 84, 40, 20),
         Control(112, WC_SCROLLBARW, SBS_HORZ, 4, 110, 100, 10),
         Control(113, TRACKBAR_CLASSW, TBS_HORZ, 4, 124, 100, 16),
         Control(114, WC_BUTTONW, BS_PUSHBUTTON | WS_DISABLED, 110, 84, 40, 14, u"Disabled"),
         {115, WS_CHILD | BS_PUSHBUTTON, 0, 110, 100, 40, 14, WC_BUTTONW, u"Hidden"},
         Control(117, WC_COMBOBOXW, CBS_DROPDOWN | CBS_SORT, 130, 90, 100, 60),
         Control(IDOK, WC_BUTTONW, BS_DEFPUSHBUTTON | WS_TABSTOP, 96, 180, 50, 14, u"OK"),
         Control(IDCANCEL, WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 150, 180, 50, 14, u"Cancel"),
         Control(IDHELP, WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 204, 180, 50, 14, u"Help")});
}

// Dialogs 200 and 201: property pages; 300: a small modal dialog.
WinDialogTemplate Page(const char16_t* caption, DWORD first) {
    return TestDialog(caption, WS_CHILD | DS_CONTROL, 200, 120,
                      {Control(first, WC_BUTTONW, BS_AUTOCHECKBOX | WS_TABSTOP, 8, 8, 100, 10, u"Option"),
                       Control(first + 1, WC_EDITW, WS_BORDER | WS_TABSTOP, 8, 24, 60, 12)});
}

WinDialogTemplate Small() {
    return TestDialog(u"Small", WS_POPUP | WS_CAPTION, 120, 60,
                      {Control(301, WC_EDITW, WS_BORDER | WS_TABSTOP, 8, 8, 60, 12),
                       Control(IDOK, WC_BUTTONW, BS_DEFPUSHBUTTON, 8, 40, 40, 14, u"OK"),
                       Control(IDCANCEL, WC_BUTTONW, BS_PUSHBUTTON, 60, 40, 40, 14, u"Cancel")});
}

// A template whose item names a class nobody registered.
WinDialogTemplate Broken() {
    return TestDialog(u"Broken", WS_POPUP, 50, 50, {Control(401, u"NoSuchClass", 0, 0, 0, 10, 10)});
}

const WinModuleResources* Build() {
    static TestResourceTable table;
    const std::pair<UINT, WinDialogTemplate> dialogs[] = {{100, Everything()},
                                                          {200, Page(u"First", 201)},
                                                          {210, Page(u"Second", 211)},
                                                          {300, Small()},
                                                          {400, Broken()}};
    for (const auto& [id, dialog] : dialogs)
        table.AddDialog(id, dialog);
    WinBitmapResource bitmap;
    bitmap.width = 3;
    bitmap.height = 2;
    bitmap.pixels = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF, 0x000000, 0x808080};
    table.Add(RT_BITMAP, 500, bitmap.Serialize());
    table.Add(RT_CURSOR, 600, {0, 0, 0, 0});
    table.Add(RT_DIALOG, 700, {'Q', 'V', 'D', '1', 0}); // damaged template
    return table.Finish();
}
} // namespace

QV_MODULE_EXPORT const WinModuleResources* QvModuleResources() {
    static const WinModuleResources* resources = Build();
    return resources;
}
