#pragma once
// The copies: an edit field with an up-down control and a label that says
// "Copy" for one and "Copies" for any other count. A typed number is taken
// when the field loses the focus, before an arrow step and when the tab is
// left; text that is not a number is ignored. Every count is kept within
// the printer's range, worked out in 32 bits so that nothing wraps.
#include <cstdint>

#include "ui/pages/GCopiesFeature.h"
#include "ui/pages/GOptionWrapper.h"
#include "winapi/WinControls.h"

class GCopiesWrapper : public GOptionWrapper<GCopiesFeature> {
public:
    // Table: 0 the edit field, 1 the up-down, 2 the singular label, 3 the
    // plural label.
    GCopiesWrapper(GCopiesFeature* feature, const GControlHelpPair* table);

    void OnAttach() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ShowValue(uint32_t force) override;
    void TakeValue() override;
    // A label is shown only while it suits the count.
    void ShowControl(uint16_t index, uint32_t flag) override;
    // Takes what was typed, then moves the count by delta within the range.
    virtual void Step(int32_t delta);

private:
    LRESULT HandleNotify(const NMHDR& header);
    bool ReadTyped(int64_t& count) const;
    // The count within the range.
    int16_t Clamped(int64_t count) const;

    int16_t maximum_;
    int16_t minimum_;
    uint16_t step_;
};
