#pragma once
// "Use different paper for first page" (264). Whatever the choice, the
// other pages start from the first page's source and type; switching it
// off also brings the page back to its first tab.
#include "ui/framework/GValueFeature.h"

class GFirstPageFeature : public GValueFeature {
public:
    // With 264 off, copies the first page's source and type to the other
    // pages at once.
    explicit GFirstPageFeature(GUIModel* model);

    int32_t SetValue(int16_t value) override;
    // Enabled unless the first page has a tab of its own (1211 = 1): then
    // hidden except on the first tab, where rule 0x400000AF decides.
    uint16_t GetState() override;
};
