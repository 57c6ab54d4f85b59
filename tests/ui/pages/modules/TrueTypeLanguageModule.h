#pragma once
// What the resource libraries of languages without one kind of TrueType
// sending share: the TrueType strings of the PostScript tab, one of them
// left empty, and one dialog, 6500, with the tab's two TrueType combo boxes
// and their labels (each visible as it is created).
#include <utility>
#include <vector>

#include "tests/support/TestResourceModule.h"

inline const WinModuleResources* TrueTypeLanguageResources(UINT emptyString) {
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    static TestResourceTable table;
    table.AddDialog(
        6500,
        TestDialog(u"  PS", WS_POPUP | WS_CAPTION | WS_VISIBLE, 200, 100,
                   {{6528, kChild, 0, 7, 7, 160, 8, WC_STATICW, u"Send TrueType Fonts as:"},
                    {6514, kChild | CBS_DROPDOWNLIST | WS_VSCROLL, 0, 7, 17, 170, 60, WC_COMBOBOXW, u""},
                    {6529, kChild, 0, 7, 37, 160, 8, WC_STATICW, u"Optimize Font Substitution for:"},
                    {6515, kChild | CBS_DROPDOWNLIST | WS_VSCROLL, 0, 7, 47, 170, 60, WC_COMBOBOXW, u""}}));
    std::vector<WinResourceString> strings = {
        {13501, u"TrueType (Type 42)"}, {13502, u"Bitmaps (Type 3)"},
        {13503, u"Outlines (Type 1)"},  {13504, u"This Printer (all Fonts)"},
        {13505, u"No Substitutions"},   {13506, u"PS Level 2 (35 fonts)"}};
    for (WinResourceString& string : strings)
        if (string.id == emptyString) string.text = u"";
    table.SetStrings(std::move(strings));
    return table.Finish();
}
