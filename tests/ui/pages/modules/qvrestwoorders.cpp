// A resource library whose string 11051 allows two page orders only, with
// the booklet and page-order names and a small dialog 3000 holding the
// booklet list (label 3024, list 3025) and the pages-per-sheet controls
// (field 3015, arrows 3016, label 3017, borders 3019, order label 3040,
// order list 3041).
#include <iterator>
#include <vector>

#include "tests/support/TestResourceModule.h"
#include "winapi/WinExport.h"

namespace {
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_TABSTOP;

WinDialogTemplate Finishing() {
    return TestDialog(
        u"Finishing", WS_POPUP | WS_CAPTION | WS_VISIBLE, 200, 120,
        {{3024, kChild, 0, 7, 7, 120, 8, WC_STATICW, u"&Booklet Printing:"},
         {3025, kChild | CBS_DROPDOWNLIST | WS_VSCROLL, 0, 7, 17, 140, 80, WC_COMBOBOXW, u""},
         {3015, kChild | WS_BORDER | ES_NUMBER, 0, 7, 40, 24, 13, WC_EDITW, u"1"},
         {3016, kChild, 0, 31, 40, 10, 13, UPDOWN_CLASSW, u""},
         {3017, kChild, 0, 45, 41, 100, 8, WC_STATICW, u"&Pages per Sheet"},
         {3019, kChild | BS_AUTOCHECKBOX, 0, 7, 58, 140, 10, WC_BUTTONW, u"Print Page &Borders"},
         {3040, kChild, 0, 7, 72, 100, 8, WC_STATICW, u"Page &Order:"},
         {3041, kChild | CBS_DROPDOWNLIST | WS_VSCROLL, 0, 7, 82, 140, 60, WC_COMBOBOXW, u""}});
}

const WinResourceString kStrings[] = {{11032, u"Off"},
                                      {11033, u"Letter (Left Binding)"},
                                      {11034, u"11x17 (Left Binding)"},
                                      {11035, u"A4 (Left Binding)"},
                                      {11036, u"A3 (Left Binding)"},
                                      {11037, u"Letter (Right Binding)"},
                                      {11038, u"11x17 (Right Binding)"},
                                      {11039, u"A4 (Right Binding)"},
                                      {11040, u"A3 (Right Binding)"},
                                      {11047, u"Right, then Down"},
                                      {11048, u"Down, then Right"},
                                      {11049, u"Left, then Down"},
                                      {11050, u"Down, then Left"},
                                      {11051, u"2"},
                                      {13524, u"Legal (Left Binding)"},
                                      {13525, u"Legal (Right Binding)"}};

const WinModuleResources* Build() {
    static TestResourceTable table;
    table.AddDialog(3000, Finishing());
    static WinModuleResources resources = *table.Finish();
    resources.strings = kStrings;
    resources.stringCount = static_cast<UINT>(std::size(kStrings));
    return &resources;
}
} // namespace

QV_MODULE_EXPORT const WinModuleResources* QvModuleResources() {
    static const WinModuleResources* resources = Build();
    return resources;
}
