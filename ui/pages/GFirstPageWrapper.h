#pragma once
// The "Use different paper for first page" check box and its note.
#include "ui/pages/GFirstPageFeature.h"
#include "ui/pages/GOptionWrapper.h"

class GFirstPageWrapper : public GOptionWrapper<GFirstPageFeature> {
public:
    // Table: index 0 the check box, 1 its note.
    GFirstPageWrapper(GFirstPageFeature* feature, const GControlHelpPair* table)
        : GOptionWrapper(feature, table) {}

    // A click on the box: TakeValue and 1.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ShowValue(uint32_t force) override;
    void TakeValue() override;
};
