#pragma once
// The colour tab strip: an owner-drawn strip of three tabs (text, graphics,
// photographs) whose current tab is the colour tab feature's value. The
// strip's window is subclassed so that it asks for the arrow keys and moves
// between the tabs with left and right; the tab a key chose is written back
// when the strip is next drawn.
//
// A process-wide map leads from a strip's window to its control and to the
// window procedure it replaced, one entry per window: each strip calls its
// own previous procedure, whatever other strips were made since. The entry
// goes when the window is destroyed or when the control is, whichever comes
// first; the control's end also gives the window its procedure back. The
// map is locked, so strips on sheets of several threads stay apart.
#include <cstddef>
#include <cstdint>

#include "ui/framework/GTabStrip.h"
#include "ui/pages/GColorTabFeature.h"
#include "ui/pages/GOptionWrapper.h"

class GChromalistTabsWrapper : public GOptionWrapper<GColorTabFeature> {
public:
    // Tab titles are cut to this many characters.
    static constexpr int kMaxTitleLength = 20;

    // Table: index 0 the strip (an owner-drawn button).
    GChromalistTabsWrapper(GColorTabFeature* feature, const GControlHelpPair* table);
    ~GChromalistTabsWrapper() override;

    // The strip's tabs and the subclassing of its window.
    void OnAttach() override;
    // Refresh, then (when forced or the tab changed) the feature's tab is
    // selected and the strip redrawn.
    void Init(uint32_t force) override;
    // Focus changes; WM_DRAWITEM paints and takes a tab moved by the keys;
    // a click on a tab takes it. 1 when the tab was taken.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ShowValue(uint32_t force) override;
    // Writes the strip's current tab when it differs from the feature's.
    void TakeValue() override;

    const GTabStrip& Strip() const { return strip_; }

    // The procedure that subclasses every strip window: the previous one
    // first; then WM_GETDLGCODE also asks for the arrow keys, and VK_LEFT /
    // VK_RIGHT move the tab. Answers what the previous procedure answered.
    static LRESULT ClrTabProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // The number of strip windows in the map, and its emptying (for tests).
    static size_t SubclassedWindowCount();
    static void ResetWindowMap();

private:
    void Subclass(HWND window);
    void Unsubclass();

    GTabStrip strip_;
    uint32_t focused_ = 0;
    HWND tabWindow_ = nullptr;
};
