#pragma once
// An owner-drawn strip of up to five tabs over a body, on a button of a
// page: it keeps the titles and the current tab and paints itself when its
// dialog hands it WM_DRAWITEM. The current tab stands raised and wider and
// opens into the body.
//
// Geometry, in the control's client pixels, with the DEFAULT_GUI_FONT:
//   width of a tab   the extent of its title and of four blanks, at least 42
//   height           3/2 of the height of a two-character sample, plus 2
//   tab i            left: the widths of the tabs before it, + 2 unless
//                    current; top: 0 when current, else 2; right: left +
//                    width (+ 4 when current); bottom: the height
#include <array>
#include <cstdint>

#include "rw/RWWString.h"
#include "winapi/WinControls.h"
#include "winapi/WinGeometry.h"
#include "winapi/WinTypes.h"

class GTabStrip {
public:
    static constexpr uint16_t kMaxTabs = 5;
    static constexpr int kMinimumTabWidth = 42;

    // Binds the strip to the dialog's control and selects tab 0.
    void Attach(HWND dialog, uint16_t controlId);
    // The new tab's index; -1 when the strip has its five tabs already.
    int32_t AddTab(const RWWString& title);
    // Selects an existing tab and repaints; other indexes change nothing.
    void SetCurrent(uint16_t index);
    uint16_t GetCurrent() const { return current_; }
    // Select the next or previous tab, staying within the tabs, and repaint.
    void Next();
    void Previous();
    // Selects the tab under the cursor and repaints: its index, -1 when
    // the cursor is over no tab.
    int32_t OnClick();
    // False (and an empty title) for an index without a tab.
    bool GetTitle(uint16_t index, RWWString& title) const;
    uint16_t GetCount() const { return count_; }
    // Paints the strip into the block's DC and rectangle; a focused strip
    // marks its current tab.
    void DrawItem(const DRAWITEMSTRUCT& item, bool focused) const;
    // The strip's part in the messages of an option control whose value is
    // the current tab: draws it on its WM_DRAWITEM (with the focus frame when
    // focused or the item has the focus) and picks the clicked tab on its
    // BN_CLICKED. 1 when the current tab then differs from value, so that the
    // control takes it; else 0.
    int32_t HandleOptionMessage(UINT controlId, int32_t value, bool focused, UINT message, WPARAM wParam,
                                LPARAM lParam);

    // The tab's rectangle in the control's client pixels (empty for an
    // index without a tab), and the height of the tabs.
    RECT GetTabRect(uint16_t index) const;
    int GetTabHeight() const { return height_; }

private:
    HWND Control() const;
    void Repaint() const;

    HWND dialog_ = nullptr;
    uint16_t controlId_ = 0;
    uint16_t count_ = 0;
    uint16_t current_ = 0;
    int height_ = 0;
    std::array<uint16_t, kMaxTabs> widths_{};
    std::array<RWWString, kMaxTabs> titles_;
};
