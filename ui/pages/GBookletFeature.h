#pragma once
// Booklet printing as one choice among fifteen: off, or a binding side
// (279: 1 left, 2 right) with a sheet size (280). The choices offered
// depend on the document's paper (260), on whether the printer takes the
// large sheets (11x17 and A3), on the number of page orders the resources
// allow, and on a printer's own table of choices per paper (909 of the
// printer's defaults) when it has one.
#include <cstdint>
#include <vector>

#include "ui/framework/GValueFeature.h"

class GBookletFeature : public GValueFeature {
public:
    static constexpr int16_t kOff = 0;
    static constexpr int16_t kChoiceCount = 15;

    explicit GBookletFeature(GUIModel* model);

    // The choice the two settings stand for; 0 when they stand for none.
    int16_t GetValue() override;
    // 0 switches booklets off (279 only); any other choice writes the
    // binding side and the sheet size. 0 for a choice outside 0-14.
    int32_t SetValue(int16_t choice) override;
    // Changed when 279 or 280 changed.
    int32_t WasChanged() override;
    // The rules' level for booklets.
    uint16_t GetState() override;

    // The choices to offer, off first.
    std::vector<int16_t> Choices();
    // The string naming a choice; 0 outside 0-14.
    static uint16_t LabelOf(int16_t choice);

private:
    bool LargeSheetsAvailable();
    // The printer's own choices for the paper; false without table 909.
    bool TableChoices(int16_t paper, bool large, std::vector<int16_t>& choices);
};
