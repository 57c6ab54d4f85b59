// A resource library carrying one dialog for the option controls that no
// tab places (each visible as it is created):
//   400 "Spare options": the colour tab strip 401 (owner-drawn button), the
//       list boxes 402 and 403, the check boxes 404 and 409, the radio pair
//       405 / 406, the push button 407 and the drop-down list 408;
//   450 "Stacker", a modal dialog: check box 451, OK and Cancel.
#include <utility>
#include <vector>

#include "tests/support/TestResourceModule.h"
#include "winapi/WinExport.h"

namespace {
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_TABSTOP;

WinDialogTemplate Dialog(const char16_t* caption, std::vector<WinDialogTemplate::Item> items) {
    return TestDialog(caption, WS_POPUP | WS_CAPTION | WS_VISIBLE, 260, 170, std::move(items));
}

WinDialogTemplate::Item Button(DWORD id, DWORD style, SHORT x, SHORT y, const char16_t* title) {
    return {id, kChild | style, 0, x, y, 70, 12, WC_BUTTONW, title};
}

WinDialogTemplate SpareOptions() {
    return Dialog(u"Spare options",
                  {{401, kChild | BS_OWNERDRAW, 0, 7, 7, 160, 40, WC_BUTTONW, u""},
                   {402, kChild | LBS_NOTIFY | WS_BORDER, 0, 7, 52, 80, 40, WC_LISTBOXW, u""},
                   {403, kChild | LBS_NOTIFY | WS_BORDER, 0, 92, 52, 80, 40, WC_LISTBOXW, u""},
                   Button(404, BS_AUTOCHECKBOX, 180, 7, u"Bit 0x200"),
                   Button(405, BS_AUTORADIOBUTTON | WS_GROUP, 180, 22, u"Seven"),
                   Button(406, BS_AUTORADIOBUTTON, 180, 36, u"Eight"),
                   Button(407, BS_PUSHBUTTON, 180, 52, u"Stacker..."),
                   {408, kChild | CBS_DROPDOWNLIST | WS_VSCROLL, 0, 7, 100, 200, 60, WC_COMBOBOXW, u""},
                   Button(409, BS_AUTOCHECKBOX, 180, 70, u"Finishing unit")});
}

WinDialogTemplate StackerDialog() {
    return Dialog(u"Stacker",
                  {Button(451, BS_AUTOCHECKBOX, 7, 7, u"Offset"), Button(IDOK, BS_PUSHBUTTON, 7, 140, u"OK"),
                   Button(IDCANCEL, BS_PUSHBUTTON, 80, 140, u"Cancel")});
}

const WinModuleResources* Build() {
    static TestResourceTable table;
    const std::pair<WORD, WinDialogTemplate> dialogs[] = {{400, SpareOptions()}, {450, StackerDialog()}};
    for (const auto& [id, dialog] : dialogs)
        table.AddDialog(id, dialog);
    return table.Finish();
}
} // namespace

QV_MODULE_EXPORT const WinModuleResources* QvModuleResources() {
    static const WinModuleResources* resources = Build();
    return resources;
}
