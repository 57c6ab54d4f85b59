#pragma once
// The button that opens the stacker's options: shown only for an output
// unit of the stacker kind, and then usable only while its feature's value
// is 1. A click runs the options dialog with a snapshot, so that Cancel
// gives back what the dialog changed.
#include <cstdint>

#include "ui/pages/GOptionWrapper.h"
#include "ui/pages/GStackerKindFeature.h"

class GStackerButtonWrapper : public GOptionWrapper<GStackerKindFeature> {
public:
    // Table: index 0 the button. dialogId / helpId: the options dialog.
    GStackerButtonWrapper(GStackerKindFeature* feature, const GControlHelpPair* table, uint16_t dialogId,
                          uint16_t helpId)
        : GOptionWrapper(feature, table), dialogId_(dialogId), helpId_(helpId) {}

    // A click on the button runs the dialog; 0.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Refresh() override;
    void ShowValue(uint32_t) override {}
    void TakeValue() override {}

private:
    uint16_t dialogId_;
    uint16_t helpId_;
};
