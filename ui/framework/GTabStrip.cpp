#include "ui/framework/GTabStrip.h"

#include <algorithm>

#include "winapi/WinDialog.h"
#include "winapi/WinGdiDraw.h"
#include "winapi/WinWindow.h"

namespace {
constexpr char16_t kTabPadding[] = u"    ";
constexpr char16_t kTabHeightSample[] = u"Ag";

// The control's DC (the screen's without a control) with the strip's font,
// for measuring texts as they will be painted.
class TabStripTextDc {
public:
    explicit TabStripTextDc(HWND control) : control_(control), dc_(GetDC(control)) {
        if (dc_ != nullptr) previous_ = SelectObject(dc_, GetStockObject(DEFAULT_GUI_FONT));
    }
    ~TabStripTextDc() {
        if (dc_ == nullptr) return;
        if (previous_ != nullptr) SelectObject(dc_, previous_);
        ReleaseDC(control_, dc_);
    }
    TabStripTextDc(const TabStripTextDc&) = delete;
    TabStripTextDc& operator=(const TabStripTextDc&) = delete;

    SIZE Extent(const char16_t* text, size_t length) const {
        SIZE size{};
        if (dc_ != nullptr) GetTextExtentPoint32W(dc_, text, static_cast<int>(length), &size);
        return size;
    }

private:
    HWND control_;
    HDC dc_;
    HGDIOBJ previous_ = nullptr;
};

int TabStripHeight(const TabStripTextDc& dc) {
    return dc.Extent(kTabHeightSample, 2).cy * 3 / 2 + 2;
}

uint16_t TabWidth(const TabStripTextDc& dc, const RWWString& title) {
    const LONG width = dc.Extent(title.Data(), title.Length()).cx + dc.Extent(kTabPadding, 4).cx;
    return static_cast<uint16_t>(std::clamp<LONG>(width, GTabStrip::kMinimumTabWidth, UINT16_MAX));
}
} // namespace

HWND GTabStrip::Control() const {
    return dialog_ != nullptr ? GetDlgItem(dialog_, controlId_) : nullptr;
}

void GTabStrip::Attach(HWND dialog, uint16_t controlId) {
    dialog_ = dialog;
    controlId_ = controlId;
    current_ = 0;
    height_ = TabStripHeight(TabStripTextDc(Control()));
}

int32_t GTabStrip::AddTab(const RWWString& title) {
    if (count_ >= kMaxTabs) return -1;
    const TabStripTextDc dc(Control());
    if (height_ == 0) height_ = TabStripHeight(dc);
    titles_[count_] = title;
    widths_[count_] = TabWidth(dc, title);
    return count_++;
}

void GTabStrip::SetCurrent(uint16_t index) {
    if (index >= count_) return;
    current_ = index;
    Repaint();
}

void GTabStrip::Next() {
    if (current_ + 1 < count_) ++current_;
    Repaint();
}

void GTabStrip::Previous() {
    if (current_ > 0) --current_;
    Repaint();
}

int32_t GTabStrip::OnClick() {
    HWND control = Control();
    POINT cursor{};
    if (control == nullptr || count_ == 0 || !GetCursorPos(&cursor) || !ScreenToClient(control, &cursor))
        return -1;
    const auto hit = [this, cursor](uint16_t index) {
        const RECT tab = GetTabRect(index);
        return PtInRect(&tab, cursor) != FALSE;
    };
    // The current tab stands over its neighbours' edges: it is hit first.
    int32_t found = hit(current_) ? current_ : -1;
    for (uint16_t index = 0; found < 0 && index < count_; ++index)
        if (index != current_ && hit(index)) found = index;
    if (found < 0) return -1;
    current_ = static_cast<uint16_t>(found);
    Repaint();
    return found;
}

bool GTabStrip::GetTitle(uint16_t index, RWWString& title) const {
    title = index < count_ ? titles_[index] : RWWString();
    return index < count_;
}

RECT GTabStrip::GetTabRect(uint16_t index) const {
    if (index >= count_) return RECT{};
    LONG left = 0;
    for (uint16_t i = 0; i < index; ++i)
        left += widths_[i];
    const bool current = index == current_;
    RECT tab{};
    tab.left = current ? left : left + 2;
    tab.top = current ? 0 : 2;
    tab.right = tab.left + widths_[index] + (current ? 4 : 0);
    tab.bottom = height_;
    return tab;
}

void GTabStrip::Repaint() const {
    if (HWND control = Control()) InvalidateRect(control, nullptr, TRUE);
}

int32_t GTabStrip::HandleOptionMessage(UINT controlId, int32_t value, bool focused, UINT message,
                                       WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item == nullptr || item->CtlID != controlId) return 0;
        DrawItem(*item, focused || (item->itemState & ODS_FOCUS) != 0);
        return GetCurrent() != value ? 1 : 0;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == controlId && HIWORD(wParam) == BN_CLICKED) {
        const int32_t hit = OnClick();
        return hit >= 0 && hit != value ? 1 : 0;
    }
    return 0;
}
