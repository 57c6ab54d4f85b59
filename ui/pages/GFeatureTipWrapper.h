#pragma once
// A feature tip: a small owner-drawn icon beside an option, shown while the
// rules left a hint for it; a click shows the hint in a message box. The
// pointer turns into a hand over it.
#include <cstdint>

#include "ui/pages/GFeatureTipFeature.h"
#include "ui/pages/GOptionWrapper.h"
#include "winapi/WinControls.h"

class GFeatureTipWrapper : public GOptionWrapper<GFeatureTipFeature> {
public:
    // Icon kinds: the tips beside options, and the page-wide tips.
    static constexpr uint16_t kOptionIcon = 0;
    static constexpr uint16_t kPageIcon = 1;

    // Table: index 0 the icon button.
    GFeatureTipWrapper(GFeatureTipFeature* feature, const GControlHelpPair* table, uint16_t iconKind)
        : GOptionWrapper(feature, table), iconKind_(iconKind) {}

    // The hand cursor is loaded the first time.
    void Init(uint32_t force) override;
    // WM_DRAWITEM of the icon draws it (0). A click shows the hint; a click
    // and WM_SETCURSOR take the hand cursor and answer 1.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ShowValue(uint32_t) override {}
    void TakeValue() override {}

private:
    void Draw(const DRAWITEMSTRUCT& item) const;
    void ShowHint() const;
    LRESULT TakeCursor() const;

    uint16_t iconKind_;
    HCURSOR hand_ = nullptr;
};
