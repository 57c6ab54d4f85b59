#pragma once
// A percentage: an edit field with a scroll bar beside it. The arrows move
// by the range's step, a click beside the thumb by ten steps, and a thumb
// released near the right end gives the maximum. A typed number is taken
// when the field loses the focus and when the tab is left; every value is
// kept within the printer's range.
#include <cstdint>

#include "ui/framework/GRangeFeature.h"
#include "ui/pages/GOptionWrapper.h"

class GScaleWrapper : public GOptionWrapper<GRangeFeature> {
public:
    // Table: 0 the edit field, 1 the label, 2 the scroll bar.
    GScaleWrapper(GRangeFeature* feature, const GControlHelpPair* table);

    void OnAttach() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ShowValue(uint32_t force) override;
    void TakeValue() override;

protected:
    // The value shown: the feature's; a feature that stands another value
    // in for it while it applies says so here.
    virtual int16_t ShownValue() const;

private:
    LRESULT Scroll(WORD code, WORD position);
    int16_t Clamped(int64_t value) const;

    int16_t maximum_;
    int16_t minimum_;
    uint16_t step_;
    int32_t pageStep_;
};
