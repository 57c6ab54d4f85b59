#pragma once
// "Print on Both Sides" with "Flip Pages Up" under it. Flip Pages Up is
// usable only while both sides are on and no booklet is chosen.
#include "ui/pages/GDuplexFeature.h"
#include "ui/pages/GOptionWrapper.h"

class GDuplexWrapper : public GOptionWrapper<GDuplexFeature> {
public:
    // Table: index 0 both sides, index 1 flip; a third control, when there
    // is one, is kept unchecked and disabled.
    GDuplexWrapper(GDuplexFeature* feature, const GControlHelpPair* table) : GOptionWrapper(feature, table) {}

    // The state, and Flip Pages Up usable as the value allows.
    void Refresh() override;
    void ShowValue(uint32_t force) override;
    void TakeValue() override;

private:
    bool FlipUsable() const;
    int Box(uint16_t index) const { return static_cast<int>(ControlId(index)); }
};
