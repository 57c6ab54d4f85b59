#pragma once
// The tab of the Paper page's strip (0x40000054): which pages the source,
// type and back cover controls edit. It lives in composite 283, made with 0
// when missing, and is always available.
#include "ui/framework/GValueFeature.h"

class GDiffFirstTabsFeature : public GValueFeature {
public:
    explicit GDiffFirstTabsFeature(GUIModel* model);

    int32_t SetValue(int16_t value) override;
    // The tab, 264 or 920 changed.
    int32_t WasChanged() override;
    int16_t GetValue() override;
    // 3 or 2 tabs: the strip's tab count (919) when the printer sets it, else 2.
    int16_t TabCount();
    // While the first page does not differ the back cover is off and takes
    // the first page's source (recorded writes, none when already so).
    void FollowFirstPage();
};
