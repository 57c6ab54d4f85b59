#pragma once
// A list box of the choices for one colour code of the colour tab's object
// kind: refilled each time it is shown (the tab may have changed), with the
// item of the stored code selected; choosing an item writes its code.
#include "ui/framework/GListBoxWrapper.h"
#include "ui/pages/GChromalistListFeature.h"
#include "ui/pages/GOptionWrapper.h"

class GChromalistListWrapper : public GOptionWrapper<GChromalistListFeature> {
public:
    // Table: index 0 the list box.
    GChromalistListWrapper(GChromalistListFeature* feature, const GControlHelpPair* table)
        : GOptionWrapper(feature, table) {}

    void OnAttach() override;
    // LBN_SELCHANGE of the list: TakeValue and 1; else 0.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ShowValue(uint32_t force) override;
    void TakeValue() override;

private:
    GListBoxWrapper list_;
};
