// A resource library carrying the dialogs the framework's dialog tests run
// (each visible as it is created):
//   200 "Options", a page: editable combo box 201, list box 202, check boxes 203 and
//       204, edit 205, and the buttons OK (1), Cancel (2), Close (8) and
//       Help (9);
//   300 "Details", a modal sub-dialog: check box 301, OK, Cancel, Help
//       (no Close);
//   310 "Notice", a timed dialog: the "do not show" box 11530 and OK.
#include <utility>
#include <vector>

#include "tests/support/TestResourceModule.h"
#include "winapi/WinExport.h"

namespace {
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_TABSTOP;

WinDialogTemplate Dialog(const char16_t* caption, std::vector<WinDialogTemplate::Item> items) {
    return TestDialog(caption, WS_POPUP | WS_CAPTION | WS_VISIBLE, 240, 160, std::move(items));
}

WinDialogTemplate::Item Button(DWORD id, DWORD style, SHORT x, SHORT y, const char16_t* title) {
    return {id, kChild | style, 0, x, y, 50, 14, WC_BUTTONW, title};
}

WinDialogTemplate OptionsPage() {
    return Dialog(u"Options", {{201, kChild | CBS_DROPDOWN | WS_VSCROLL, 0, 7, 7, 100, 60, WC_COMBOBOXW, u""},
                               {202, kChild | LBS_NOTIFY | WS_BORDER, 0, 7, 30, 100, 50, WC_LISTBOXW, u""},
                               Button(203, BS_AUTOCHECKBOX, 120, 7, u"Duplex"),
                               Button(204, BS_AUTOCHECKBOX, 120, 25, u"Collate"),
                               {205, kChild | WS_BORDER | ES_AUTOHSCROLL, 0, 120, 45, 100, 13, WC_EDITW, u""},
                               Button(IDOK, BS_PUSHBUTTON, 7, 140, u"OK"),
                               Button(IDCANCEL, BS_PUSHBUTTON, 60, 140, u"Cancel"),
                               Button(8, BS_PUSHBUTTON, 113, 140, u"Close"),
                               Button(9, BS_PUSHBUTTON, 166, 140, u"Help")});
}

WinDialogTemplate DetailsDialog() {
    return Dialog(u"Details",
                  {Button(301, BS_AUTOCHECKBOX, 7, 7, u"Mirror"), Button(IDOK, BS_PUSHBUTTON, 7, 140, u"OK"),
                   Button(IDCANCEL, BS_PUSHBUTTON, 60, 140, u"Cancel"),
                   Button(9, BS_PUSHBUTTON, 113, 140, u"Help")});
}

WinDialogTemplate NoticeDialog() {
    return Dialog(u"Notice",
                  {Button(11530, BS_AUTOCHECKBOX, 7, 7, u"In the future, do not show this information"),
                   Button(IDOK, BS_PUSHBUTTON, 7, 140, u"OK")});
}

const WinModuleResources* Build() {
    static TestResourceTable table;
    const std::pair<WORD, WinDialogTemplate> dialogs[] = {
        {200, OptionsPage()}, {300, DetailsDialog()}, {310, NoticeDialog()}};
    for (const auto& [id, dialog] : dialogs)
        table.AddDialog(id, dialog);
    return table.Finish();
}
} // namespace

QV_MODULE_EXPORT const WinModuleResources* QvModuleResources() {
    static const WinModuleResources* resources = Build();
    return resources;
}
