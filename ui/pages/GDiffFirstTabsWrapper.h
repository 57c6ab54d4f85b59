#pragma once
// The Paper page's tab strip: one tab "All Pages" while the first page does
// not differ, else "First Page" and "Other Pages" and, when the printer has
// three tabs (919 = 3), "Back Cover". The tab chosen is where the source,
// type and back cover controls write.
#include "ui/framework/GTabStrip.h"
#include "ui/pages/GDiffFirstTabsFeature.h"
#include "ui/pages/GOptionWrapper.h"

class GDiffFirstTabsWrapper : public GOptionWrapper<GDiffFirstTabsFeature> {
public:
    static constexpr int kMaxTitleLength = 20;

    // Table: index 0 the strip (an owner-drawn button), then its frame and
    // its caption.
    GDiffFirstTabsWrapper(GDiffFirstTabsFeature* feature, const GControlHelpPair* table)
        : GOptionWrapper(feature, table) {}

    void OnAttach() override;
    // WM_DRAWITEM paints the strip; a click on another tab takes it (1).
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Rebuilds the tabs and selects the feature's tab.
    void ShowValue(uint32_t force) override;
    void TakeValue() override;

    const GTabStrip& Strip() const { return strip_; }

private:
    void BuildTabs();

    GTabStrip strip_;
};
