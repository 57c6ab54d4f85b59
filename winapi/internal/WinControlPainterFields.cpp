// Fields in the classic look: edits and list boxes sunken (with a border),
// combo boxes as a sunken field with a raised drop button, list items one
// under the other with the selection on the highlight colour.
#include <algorithm>
#include <string>

#include "winapi/internal/WinComboBoxControl.h"
#include "winapi/internal/WinControlPainter.h"
#include "winapi/internal/WinControlPainterKit.h"
#include "winapi/internal/WinControlSupport.h"
#include "winapi/internal/WinEditControl.h"
#include "winapi/internal/WinListBoxControl.h"

namespace {
using Kit = WinControlPainterKit;

// The width of a combo box's drop button, that of a scroll bar's arrow.
constexpr LONG kDropButtonWidth = 16;

bool HasBorder(HWND control) {
    return (WinControlSupport::Style(control) & WS_BORDER) != 0 ||
           (GetWindowLongW(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0;
}

COLORREF EditBackground(HWND control, const WinEditControl& edit) {
    if (!edit.systemBackground) return edit.background;
    const bool readOnly = (WinControlSupport::Style(control) & ES_READONLY) != 0;
    return GetSysColor(readOnly || !Kit::Enabled(control) ? COLOR_BTNFACE : COLOR_WINDOW);
}

UINT EditAlignment(DWORD style) {
    if ((style & ES_RIGHT) != 0) return DT_RIGHT;
    return (style & ES_CENTER) != 0 ? DT_CENTER : DT_LEFT;
}

// The text of a closed combo box: a drop-down list shows its selected
// item, the others their edit part.
std::u16string ComboText(HWND control, const WinComboBoxControl& combo) {
    if ((WinControlSupport::Style(control) & CBS_TYPEMASK) != CBS_DROPDOWNLIST)
        return WinControlSupport::Text(control);
    if (!combo.items.Valid(combo.selection)) return {};
    return combo.items.At(static_cast<size_t>(combo.selection)).text;
}

void DrawListItem(HWND control, HDC dc, const WinListBoxControl& list, size_t index, RECT line) {
    const bool selected = static_cast<LONG_PTR>(index) == list.selection;
    const WinItemList::Item& item = list.items.At(index);
    if ((WinControlSupport::Style(control) & LBS_OWNERDRAWFIXED) != 0) {
        WinControlPainter::DrawItem(control, dc, ODT_LISTBOX, static_cast<UINT>(index), ODA_DRAWENTIRE,
                                    Kit::OwnerState(control) | (selected ? ODS_SELECTED : 0), line,
                                    item.data);
        return;
    }
    if (selected) Kit::Fill(dc, line, GetSysColor(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(selected                ? COLOR_HIGHLIGHTTEXT
                                 : Kit::Enabled(control) ? COLOR_WINDOWTEXT
                                                         : COLOR_GRAYTEXT));
    RECT text{line.left + 2, line.top, line.right, line.bottom};
    DrawTextW(dc, item.text.c_str(), static_cast<int>(item.text.size()), &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
} // namespace

void WinControlPainter::PaintEdit(HWND control, HDC dc) {
    auto window = WinControlSupport::Window(control);
    auto* edit = WinControlSupport::Of<WinEditControl>(window);
    if (edit == nullptr) return;
    const RECT r = Kit::Client(control);
    const DWORD style = WinControlSupport::Style(control);
    Kit::FontScope font(control, dc);
    Kit::Fill(dc, r, EditBackground(control, *edit));
    if (HasBorder(control)) Kit::Sunken(dc, r);
    std::u16string text = WinControlSupport::Text(control);
    if ((style & ES_PASSWORD) != 0) text.assign(text.size(), u'*');
    Kit::Text(dc, text, {r.left + 3, r.top, r.right - 3, r.bottom},
              EditAlignment(style) | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, Kit::Enabled(control));
}

void WinControlPainter::PaintComboBox(HWND control, HDC dc) {
    auto window = WinControlSupport::Window(control);
    auto* combo = WinControlSupport::Of<WinComboBoxControl>(window);
    if (combo == nullptr) return;
    const RECT r = Kit::Client(control);
    const bool enabled = Kit::Enabled(control);
    Kit::FontScope font(control, dc);
    const RECT field{r.left, r.top, r.right, r.top + std::min(r.bottom, combo->FieldHeight())};
    Kit::Fill(dc, field, GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    Kit::Sunken(dc, field);
    const RECT button{std::max(field.left + 2, field.right - 2 - kDropButtonWidth), field.top + 2,
                      field.right - 2, field.bottom - 2};
    Kit::Fill(dc, button, GetSysColor(COLOR_BTNFACE));
    Kit::Raised(dc, button);
    Kit::Arrow(dc, Kit::Inset(button, 2), Kit::Direction::Down, enabled);
    const RECT textArea{field.left + 3, field.top + 2, button.left - 1, field.bottom - 2};
    if ((WinControlSupport::Style(control) & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0) {
        const LONG_PTR selection = combo->selection;
        const ULONG_PTR data =
            combo->items.Valid(selection) ? combo->items.At(static_cast<size_t>(selection)).data : 0;
        DrawItem(control, dc, ODT_COMBOBOX, static_cast<UINT>(selection), ODA_DRAWENTIRE,
                 Kit::OwnerState(control) | ODS_COMBOBOXEDIT, textArea, data);
        return;
    }
    Kit::Text(dc, ComboText(control, *combo), textArea, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX,
              enabled);
}

void WinControlPainter::PaintListBox(HWND control, HDC dc) {
    auto window = WinControlSupport::Window(control);
    auto* list = WinControlSupport::Of<WinListBoxControl>(window);
    if (list == nullptr) return;
    const RECT r = Kit::Client(control);
    Kit::FontScope font(control, dc);
    Kit::Fill(dc, r, GetSysColor(Kit::Enabled(control) ? COLOR_WINDOW : COLOR_BTNFACE));
    if (HasBorder(control)) Kit::Sunken(dc, r);
    const RECT inside = Kit::Inset(r, 2);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, inside.left, inside.top, inside.right, inside.bottom);
    for (size_t i = static_cast<size_t>(std::max<LONG_PTR>(list->top, 0)); i < list->items.Count(); ++i) {
        RECT line{};
        if (SendMessageW(control, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&line)) == LB_ERR ||
            line.top >= inside.bottom)
            break;
        DrawListItem(control, dc, *list, i, line);
    }
    RestoreDC(dc, saved);
}
